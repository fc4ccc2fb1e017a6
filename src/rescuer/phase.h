#pragma once
#include <cstdint>

#include "core/phases.h"

namespace ardentix {

class Engine;

// Current guidelines' compression: 110 a minute, one CPRTimer tick each; the hands come up
// halfway through it.
inline constexpr int kCurrentCompressionMs = 545;
inline constexpr int kCurrentChestReleaseMs = kCurrentCompressionMs / 2;

// The rescuer's moves. Each one moves the rescuer's phase (core/phases.h) and starts and stops the
// timers of what it ends and begins, with the intervals that scripts see. The phone call and the
// blood-pressure cuff run beside the hands and no decision waits for them: their timers are
// theirs alone.
enum class RescuerMove : uint8_t {
    StartShaking,  // the responsiveness check: shaking and shouting take turns
    Shake,
    Shout,
    EndShaking,
    StartBreathingCheck,  // four seconds of looking, listening and feeling
    EndBreathingCheck,
    StartPulseCheck,     // the hand on the neck
    EndPulseCheck,       // also ends the mask's hold
    StartRescueBreaths,  // the series of the ABCs
    BreathsOfCPR,        // the compressions are done: the breaths take over
    BreathIn,            // a breath with the bag or the mask
    NextBreath,          // the second of the two initial breaths
    SecondBreathOfCPR,   // a rescuer alone gives the second breath after a pause
    RescueBreathing,     // a breath every five seconds for a patient with a pulse
    BreathOut,           // the breath ends; the mask's hold takes the bag's or the mask's time
    HoldMask,            // the series ends: the mask or bag stays on a moment
    EndMaskHold,         // the series is over
    StartCompressions,
    StopCompressions,  // also lifts the hands of a compression under way (current guidelines)
    PressChest,        // current guidelines: a compression's way down; halfway through it
    ReleaseChest,      // its way up (CPRReleaseTimer)
    StopBreaths,
};

void Move(Engine& e, RescuerMove move);
const RescuerPhase& RescuerPhaseOf(const Engine& e);

}  // namespace ardentix
