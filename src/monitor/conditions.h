#pragma once
#include <cstdint>
#include <string_view>

#include "core/course.h"
#include "core/device_facts.h"
#include "core/engine.h"

// Conditions the monitor's rules share.
namespace ardentix {

// What the device is doing, as the device's own folder moves it.
inline const AedPhase& Device(const Engine& e) {
    return e.aed().Phase;
}

// An analysis is under way.
inline bool AnalysisRunning(const Engine& e) {
    return Device(e).AnalysisRunning();
}

// The AED is charging or prompting for the shock.
inline bool ShockPrepRunning(const Engine& e) {
    return Device(e).ShockPrepRunning();
}

// Verbal reports are scored and fewer than two were given.
inline bool VoiceDue(const Engine& e) {
    return e.settings.On(Opt::OptVoice) && e.state.VoiceReportCount < 2;
}

inline bool BothPads(const Engine& e) {
    return e.state.WhitePadAttached && e.state.RedPadAttached;
}

// The ABCs end in CPR: with two rescuers, and always for a child.
inline bool ABCsIncludeCPR(const Engine& e) {
    return !e.settings.On(Opt::OPTOneRescuer) || e.state.PatientCategory == kPediatric;
}

inline bool CPRRunning(const Engine& e) {
    return e.state.ChildCPRRunning || e.state.AdultCPRRunning;
}

// The protocols a rule of the monitor's tables belongs to: both, or only the classic protocol or
// only today's guidelines.
enum class Profiles : uint8_t { Both, Classic, Current };

inline bool AppliesTo(Profiles profiles, const Engine& e) {
    switch (profiles) {
        case Profiles::Classic:
            return !CurrentGuidelines(e);
        case Profiles::Current:
            return CurrentGuidelines(e);
        case Profiles::Both:
            break;
    }
    return true;
}

// What the monitor reads of the device under today's guidelines beside core/device_facts.h (the
// countdown and what is left of it), in one place: the device's record and its event log.

// Today's guidelines: CPR may stop for the coming analysis once the countdown has 10 s or less to
// run (10,000 ms still may, 10,001 may not).
inline constexpr Millis kStopForAnalysisMs = 10000;
inline bool CountdownInLastSeconds(const Engine& e) {
    return CountdownRunning(e) && CountdownMsLeft(e) <= kStopForAnalysisMs;
}

// The latest of the device's events with one of two texts in the log is the first one.
inline bool LatestDeviceEventIs(const Engine& e, std::string_view text, std::string_view other) {
    const auto& events = e.log.Events();
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->kind != "device") continue;
        if (it->text == text) return true;
        if (it->text == other) return false;
    }
    return false;
}

// Today's guidelines: a shock was given and no analysis has followed it yet, so the patient is
// in the two-minute cycle of CPR after the shock (a pulse that returned shows only at the
// analysis that ends it).
inline bool InCycleAfterShock(const Engine& e) {
    return CurrentGuidelines(e) && e.state.ShockCount > 0 &&
           LatestDeviceEventIs(e, "Shock delivered", "Analysis started");
}

// The countdown ran to its end after the last shock: a whole cycle of CPR followed it.
inline bool CycleFollowedLastShock(const Engine& e) {
    return e.state.ShockCount > 0 && LatestDeviceEventIs(e, "Countdown ended", "Shock delivered");
}

// An analysis is under way or held by motion: its result is not known yet.
inline bool AnalysisUnderWay(const Engine& e) {
    const AedStep step = Device(e).step;
    return AnalysisRunning(e) || step == AedStep::MotionHold || step == AedStep::MotionWarning;
}

// Today's guidelines: the analysis that ended a cycle found the pulse returned (the device said
// no shock, and the trainee looks after a living patient from now on).
inline bool ReturnedPulseFound(const Engine& e) {
    const ScenarioState& s = e.state;
    return CurrentGuidelines(e) && s.PulseState == kPulseRestored && s.AnalysesComplete &&
           !AnalysisUnderWay(e) && !InCycleAfterShock(e);
}

}  // namespace ardentix
