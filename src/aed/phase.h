#pragma once
#include <cstdint>

#include "core/phases.h"

namespace ardentix {

class Engine;

// The device's moves. Each one moves its phase (core/phases.h) and starts and stops the timers of
// the steps it leaves and enters, with the intervals that scripts see; the handlers decide which
// move comes, by the phase, never by a timer's interval.
enum class AedMove : uint8_t {
    SwitchOn,             // the power key: the light comes on soon
    LightOn,              // "SELF-TEST"
    SelfTestDone,         // the device is on
    PromptAnalyzeSoon,    // the self-test done or the second pad on: "PUSH ANALYZE" afresh
    PromptAnalyzeAgain,   // after a shock, a disarm or a repaired electrode
    PromptAnalyze,        // "PUSH ANALYZE" shown, the analyze light blinks
    StopSequences,        // an analyze request stops whatever sequence runs
    StartAnalysis,        // the request passed: "STAND CLEAR" soon
    ShowStandClear,       // "STAND CLEAR" before the analysis
    ShowAnalyzing,        // "ANALYZING NOW" until the result
    AlternateStandClear,  // "STAND CLEAR" between
    HoldForMotion,        // the patient moves: the analysis stops
    WarnOfMotion,         // "MOTION DETECTED"
    EndMotion,            // the motion ended by itself: the analysis goes on
    StopMotion,           // the Trouble menu stopped the motion: the analysis starts over
    AdviseNoShock,        // the result: the pulse-check chain begins
    AdviseShock,          // the result: charging comes
    Charge,               // the charging sound
    ShowShockStandClear,  // "STAND CLEAR" after charging, and between "PUSH TO SHOCK"
    ShowPushToShock,      // armed: the shock light blinks, the disarm time runs
    Disarm,               // "CHARGE REMOVED"
    AwaitAutoAnalysis,    // auto analyze waits a moment after a disarm
    EndAutoAnalysisWait,
    PressShock,    // the shock key: the light stops blinking, the disarm time stops
    AbandonShock,  // a shock without clearing ends the scenario
    DeliverShock,
    EndShock,
    CheckPulseAfterShocks,  // three stacked shocks: the pulse-check chain begins
    ShowCheckPulse,
    ShowIfNoPulse,  // what follows "IF NO PULSE" depends on the round of the chain
    ShowStartCPR,
    StartCountdown,
    EndCountdown,
    CheckPulseAfterCountdown,
    ShowAnalyzeAfterCPR,
    ShowLowBattery,
    ReplaceBattery,  // the device is off until ON is pressed
    // Current guidelines: CPR at once, no pulse-check chain.
    AdviseNoShockThenCPR,  // the result: "START CPR" 1000 ms later
    StartCPRCycle,         // "START CPR" shown, the two-minute countdown starts
};

void Move(Engine& e, AedMove move);
const AedPhase& DevicePhase(const Engine& e);

}  // namespace ardentix
