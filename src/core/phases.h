#pragma once
#include <cstdint>

// What the device and the rescuer are doing now. Each machine moves its own phase in one place
// (aed/phase.cpp, rescuer/phase.cpp), and its moves start and stop the timers that belong to it;
// the timers keep their names and intervals for the scripts that read them, but no decision reads
// them. The folders below the two machines (the monitor) read the phases here.
namespace ardentix {

// The device's power.
enum class Power : uint8_t {
    Off,
    PoweringOn,  // POWERTIMER2: the power light comes on
    SelfTest,    // POWERTimer: "SELF-TEST"
    On,
};

// The device's sequence of prompts. Each step names the timers that run in it.
enum class AedStep : uint8_t {
    Idle,                  // none: waiting for the pads, or for the analyze key without a prompt
    AnalyzeDue,            // PUSHANALYZETimer: "PUSH ANALYZE" comes (a two-button device analyses)
    AnalyzePrompted,       // "PUSH ANALYZE" shown, the analyze light blinks
    AnalysisStarting,      // STANDCLEARAnalyzeTIMER
    StandClear,            // ANALYZINGNOWTimer: "STAND CLEAR", then "ANALYZING NOW" with its sound
    Analysing,             // STANDCLEARTIMER, ENDAnalyzeTimer: "ANALYZING NOW"
    AnalysingStandClear,   // ANALYZINGNOWTimer, ENDAnalyzeTimer: "STAND CLEAR" in between
    MotionHold,            // MOTIONDETECTEDTimer: the analysis stopped for motion
    MotionWarning,         // MOTIONDETECTEDTimer: "MOTION DETECTED" and "STOP MOTION" alternate
    MotionEnded,           // ANALYZINGNOWTimer: "ANALYZING NOW" comes again with its sound
    ShockAdvised,          // CHARGETimer: "SHOCK ADVISED"
    Charging,              // STANDCLEARShockTimer: the charging sound
    Charged,               // PUSHTOSHOCKTimer: the first "STAND CLEAR" after charging
    Armed,                 // STANDCLEARShockTimer, DISARMTimer: "PUSH TO SHOCK", shock light blinks
    ArmedStandClear,       // PUSHTOSHOCKTimer, DISARMTimer: "STAND CLEAR" in between
    Shocked,               // SHOCKTimer
    Disarmed,              // AutoAnalyzeDelay: "CHARGE REMOVED", auto analyze waits
    LowBattery,            // LOWBATTERYINDICATORTIMER: "REPLACE BATTERY", the symbol blinks
    CheckPulseDue,         // CHECKFORPULSETimer
    IfNoPulseDue,          // IFNOPULSETimer: "CHECK FOR PULSE", "START CPR" or "PUSH ANALYZE" shown
    StartCPRDue,           // STARTCPRTimer: "IF NO PULSE" shown
    AnalyzeAfterCPRDue,    // PUSHANALYZEafterCPRTIMER: the first "PUSH ANALYZE" after the countdown
    AnalyzeAfterCPRAgain,  // PUSHANALYZEafterCPRTIMER: the prompts repeat until the analyze key
    // Current guidelines: no pulse-check chain, CPR at once after a shock or "NO SHOCK ADVISED".
    CPRPromptDue,  // STARTCPRTimer 1000: "NO SHOCK ADVISED" shown, "START CPR" comes
    CPRCycle,      // CPRCountdownTimer: "START CPR" shown, the two minutes of CPR count down
};

// The rounds of the chain of prompts after "NO SHOCK ADVISED" or three stacked shocks.
enum class ChainRound : uint8_t {
    AfterResult,      // "CHECK FOR PULSE", "IF NO PULSE" (with its sound), "START CPR"
    DuringCountdown,  // "IF NO PULSE" and "START CPR" alternate while the countdown runs
    AfterCountdown,   // "CHECK FOR PULSE", "IF NO PULSE" (with its sound), "PUSH ANALYZE"
    AwaitingAnalyze,  // "IF NO PULSE" and "PUSH ANALYZE" alternate until the analyze key
};

// The light that FLASHLEDtimer blinks.
enum class Blinking : uint8_t { None, AnalyzeLight, ShockLight };

struct AedPhase {
    Power power = Power::Off;
    AedStep step = AedStep::Idle;
    ChainRound round = ChainRound::AfterResult;
    // The coming "PUSH ANALYZE" has its long sound: the self-test or the pads have just readied
    // the device, or its charge was removed.
    bool analyzeAfresh = false;
    Blinking blinking = Blinking::None;
    // CPRCountdownTimer: the CPR period counts down on the upper display line, beside the chain.
    bool countdown = false;

    bool PoweringUp() const { return power == Power::PoweringOn || power == Power::SelfTest; }
    // From the request's "STAND CLEAR" to the result, but not while motion holds the analysis.
    bool AnalysisRunning() const { return step == AedStep::AnalysisStarting || AnalysisShown(); }
    // "STAND CLEAR" and "ANALYZING NOW" are on the display.
    bool AnalysisShown() const {
        return step == AedStep::StandClear || step == AedStep::Analysing ||
               step == AedStep::AnalysingStandClear || step == AedStep::MotionEnded;
    }
    // Charging, or prompting for the shock.
    bool ShockPrepRunning() const {
        return step == AedStep::ShockAdvised || step == AedStep::Charging ||
               step == AedStep::Charged || step == AedStep::Armed ||
               step == AedStep::ArmedStandClear;
    }
    // The pulse-check and CPR prompts or the countdown.
    bool ChainRunning() const {
        return countdown || step == AedStep::CheckPulseDue || step == AedStep::IfNoPulseDue ||
               step == AedStep::StartCPRDue || step == AedStep::CPRPromptDue ||
               step == AedStep::CPRCycle;
    }
};

// The check the rescuer's hands make on the patient.
enum class HandsCheck : uint8_t {
    None,
    Shaking,    // ResponsivenessTimer and Shaketimer: shaking and shouting
    Breathing,  // BREATHINGTimer: looking, listening and feeling for breath
    Pulse,      // PULSETIMER: the hand on the neck
};

// A breath of a series (its count is BreathSeriesCount).
enum class Breath : uint8_t {
    None,
    Due,  // VENTILATION1Timer: the next breath comes
    In,   // VENTILATION2Timer: the breath is given
};

struct RescuerPhase {
    HandsCheck check = HandsCheck::None;
    Breath breath = Breath::None;
    // HIDEBVMTimer: the mask or the bag stays on for a moment after the series.
    bool maskHeld = false;
    // CPRTimer: the compressions run (the breaths of CPR pause them).
    bool compressing = false;

    bool CheckUnderWay() const {
        return check == HandsCheck::Shaking || check == HandsCheck::Breathing;
    }
    bool BreathUnderWay() const { return breath != Breath::None; }
};

struct Phases {
    AedPhase aed;
    RescuerPhase rescuer;

    // The phases as a pause or the end of the scenario leaves them, with every timer stopped:
    // nothing runs, and what the device has noted (the round of the chain, whether the analyze
    // prompt comes afresh) stays, as the timers keep their intervals.
    Phases Parked() const;
    // The phases when a pause ends: what ran when it began runs again beside what began during it
    // (a loose pad put back on its zone starts the analyze prompt), as the timers that ran start
    // again and starting a running timer changes nothing.
    static Phases Resumed(const Phases& paused, const Phases& now);
};

}  // namespace ardentix
