#include "monitor/completion.h"

#include <array>

#include "core/course.h"
#include "core/engine.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"

namespace ardentix {

namespace {

constexpr const char* kOverText = "Scenario is over...select END SCENARIO.";

// Two verbal reports, unless the protocol asks none; a pediatric patient gives one when the AED
// monitors it and none when the AED must stay off.
bool voiceDone(const Engine& e) {
    const ScenarioState& s = e.state;
    if (s.VoiceReportCount >= 2 || !e.settings.On(Opt::OptVoice)) return true;
    if (s.PatientCategory != kPediatric) return false;
    return e.settings.On(Opt::OPTPEDSMONITOR) ? s.VoiceReportCount >= 1 : s.VoiceReportCount == 0;
}

// The returned pulse has been looked after: pulse and breathing checked, the blood pressure when
// the protocol asks for it, and the breathing settled (breathing, or breathed for).
bool careAfterReturnDone(const Engine& e) {
    const ScenarioState& s = e.state;
    const bool breathingSettled =
        s.BreathingRate > 9 || (s.RescueBreathingGiven && s.BreathingRate < 5);
    return s.PulseCheckedAfterReturn && s.BreathingCheckedAfterPulse &&
           (s.BPCheckedAfterPulse || !e.settings.On(Opt::OPTBPCHECK)) && breathingSettled;
}

// Every shock given, and one analysis after the last (after three stacked shocks the pulse check
// takes its place).
bool shocksDone(const ScenarioState& s) {
    return s.ShockCount == s.ShocksNeeded &&
           (s.AnalysisCount >= s.ShocksNeeded + 1 ||
            (s.ShocksNeeded == 3 && s.AnalysisCount >= s.ShocksNeeded));
}

bool abcsDone(const ScenarioState& s) {
    return s.ResponsivenessChecked && s.AirwayOpened && s.BreathingChecked && s.TwoBreathsGiven &&
           s.PulseChecked && s.CPRStarted;
}

bool helpDone(const Engine& e) {
    return e.state.HelpCalled || !e.settings.On(Opt::OPTCALL911);
}

// Today's guidelines: every shock given, each followed by a whole cycle of CPR and the analysis
// that ends it.
bool currentShocksDone(const Engine& e) {
    const ScenarioState& s = e.state;
    return s.ShockCount == s.ShocksNeeded && s.AnalysisCount >= s.ShocksNeeded + 1 &&
           CycleFollowedLastShock(e);
}

// Today's guidelines: the patient whose pulse the last analysis found is looked after: breathing
// checked, the blood pressure when the protocol asks for it, the breathing settled. No pulse
// check is asked.
bool currentCareDone(const Engine& e) {
    const ScenarioState& s = e.state;
    const bool breathingSettled =
        s.BreathingRate > 9 || (s.RescueBreathingGiven && s.BreathingRate < 5);
    return ReturnedPulseFound(e) && s.BreathingCheckedAfterPulse &&
           (s.BPCheckedAfterPulse || !e.settings.On(Opt::OPTBPCHECK)) && breathingSettled;
}

struct Rule {
    const char* what;
    bool (*holds)(const Engine&);
    Profiles profiles = Profiles::Both;
};

// The rules in their order; any one that applies to the scenario's protocol declares it over.
constexpr std::array<Rule, 7> kRules = {{
    {"nothing to shock",
     [](const Engine& e) {
         const ScenarioState& s = e.state;
         return !e.timers.Running(TimerId::SCENOVERLabelFLASHTimer) && s.ShocksNeeded == 0 &&
                s.AnalysisCount >= 3 && s.AnalysesComplete && s.CPRSinceAnalysis &&
                (s.VoiceReportCount >= 2 || !e.settings.On(Opt::OptVoice));
     }},
    {"pulse returned after shocks",
     [](const Engine& e) {
         const ScenarioState& s = e.state;
         return voiceDone(e) && s.PatientCategory != kRefractory && s.ShocksNeeded != 0 &&
                shocksDone(s) && careAfterReturnDone(e);
     },
     Profiles::Classic},
    {"refractory rhythm",
     [](const Engine& e) {
         return e.state.PatientCategory == kRefractory && voiceDone(e) && shocksDone(e.state) &&
                careAfterReturnDone(e);
     },
     Profiles::Classic},
    {"pulse found after the shocks and their cycles",
     [](const Engine& e) {
         return voiceDone(e) && e.state.ShocksNeeded != 0 && currentShocksDone(e) &&
                currentCareDone(e);
     },
     Profiles::Current},
    {"hypothermic patient",
     [](const Engine& e) {
         const ScenarioState& s = e.state;
         return s.PatientCategory == kHypothermic && voiceDone(e) &&
                s.ShockCount == s.ShocksNeeded &&
                (s.LastAction == "CPR" || s.LastAction == "Voice");
     }},
    {"child below the limit, AED off",
     [](const Engine& e) {
         return e.state.PatientCategory == kPediatric && !e.settings.On(Opt::OPTPEDSMONITOR) &&
                voiceDone(e) && abcsDone(e.state) && helpDone(e);
     },
     Profiles::Classic},
    {"child below the limit, monitored",
     [](const Engine& e) {
         const ScenarioState& s = e.state;
         return s.PatientCategory == kPediatric && e.settings.On(Opt::OPTPEDSMONITOR) &&
                voiceDone(e) && abcsDone(s) && s.WhitePadAttached && s.RedPadAttached && s.AEDOn &&
                helpDone(e);
     },
     Profiles::Classic},
}};

}  // namespace

bool ScenarioComplete(const Engine& e) {
    for (const Rule& rule : kRules) {
        if (AppliesTo(rule.profiles, e) && rule.holds(e)) return true;
    }
    return false;
}

void CheckScenarioOver(Engine& e) {
    if (!ScenarioComplete(e)) return;
    e.timers.Start(TimerId::SCENOVERLabelFLASHTimer);
    Element& first = e.screen.Edit(El::MSG0);
    Element& second = e.screen.Edit(El::MSG1);
    if (!first.text.empty() && second.text.empty()) {
        second.text = kOverText;
    } else {
        first.text = kOverText;
        second.text.clear();
    }
}

}  // namespace ardentix
