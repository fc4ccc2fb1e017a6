#include "monitor/completion.h"

#include <array>

#include "core/engine.h"
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

struct Rule {
    const char* what;
    bool (*holds)(const Engine&);
};

// The rules in their order; any one declares the scenario over.
constexpr std::array<Rule, 6> kRules = {{
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
     }},
    {"refractory rhythm",
     [](const Engine& e) {
         return e.state.PatientCategory == kRefractory && voiceDone(e) && shocksDone(e.state) &&
                careAfterReturnDone(e);
     }},
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
     }},
    {"child below the limit, monitored",
     [](const Engine& e) {
         const ScenarioState& s = e.state;
         return s.PatientCategory == kPediatric && e.settings.On(Opt::OPTPEDSMONITOR) &&
                voiceDone(e) && abcsDone(s) && s.WhitePadAttached && s.RedPadAttached && s.AEDOn &&
                helpDone(e);
     }},
}};

}  // namespace

bool ScenarioComplete(const Engine& e) {
    for (const Rule& rule : kRules) {
        if (rule.holds(e)) return true;
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
