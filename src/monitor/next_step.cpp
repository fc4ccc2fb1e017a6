// The step the protocol expects next: two ordered rule tables, one before the first analysis
// and one after it. The first rule whose condition holds decides.
#include <array>
#include <string_view>

#include "core/course.h"
#include "core/engine.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"
#include "monitor/own.h"

namespace ardentix {

namespace {

constexpr int kNoChange = -1;

struct Rule {
    const char* id;
    bool (*when)(const Engine&);
    int step;                                // the step the rule gives, or kNoChange ...
    int (*decide)(const Engine&) = nullptr;  // ... unless the rule computes it
};

const ScenarioState& S(const Engine& e) {
    return e.state;
}
bool on(const Engine& e, Opt opt) {
    return e.settings.On(opt);
}
// The flow's "Scenario Over" sign blinks.
bool scenarioOverShown(const Engine& e) {
    return e.timers.Running(TimerId::SCENOVERLabelFLASHTimer);
}

int troubleStep(const Engine& e) {
    switch (S(e).TroubleKind) {
        case 1:
            return kReattachElectrode;
        case 2:
            return kStopMotion;
        default:
            return kReplaceBattery;
    }
}

bool monitorsUnderage(const Engine& e) {
    return S(e).PatientCategory != kPediatric || on(e, Opt::OPTPEDSMONITOR);
}

// Before the first analysis.
const std::array<Rule, 18> kBeforeAnalysis = {{
    {"A1", [](const Engine& e) { return !S(e).ResponsivenessChecked; }, kCheckResponsiveness},
    {"A2",
     [](const Engine& e) {
         return !S(e).HelpCalled && on(e, Opt::OPTCALL911) && S(e).PatientCategory != kPediatric;
     },
     kCallForHelp},
    {"A3", [](const Engine& e) { return !S(e).AirwayOpened; }, kOpenAirway},
    {"A4", [](const Engine& e) { return !S(e).BreathingChecked; }, kCheckBreathing},
    {"A5", [](const Engine& e) { return !S(e).TwoBreathsGiven; }, kGiveRescueBreaths},
    {"A6", [](const Engine& e) { return !S(e).PulseChecked; }, kCheckCirculation},
    {"A7", [](const Engine& e) { return !S(e).CPRStarted && ABCsIncludeCPR(e); }, kStartCPR},
    {"A8",
     [](const Engine& e) {
         return !S(e).HelpCalled && on(e, Opt::OPTCALL911) && S(e).PatientCategory == kPediatric;
     },
     kCallForHelp},
    {"A9", [](const Engine& e) { return !S(e).AEDOn && monitorsUnderage(e); }, kTurnAEDOn},
    {"A10",
     [](const Engine& e) {
         return S(e).VoiceReportCount == 0 && on(e, Opt::OptVoice) && S(e).AEDOn &&
                monitorsUnderage(e);
     },
     kGiveVoiceReport},
    {"A11", [](const Engine& e) { return !monitorsUnderage(e); }, kNoChange,
     [](const Engine& e) {
         return S(e).ChildCPRRunning && !S(e).AdultCPRRunning ? int{kEndScenario} : int{kStartCPR};
     }},
    {"A12", [](const Engine& e) { return !S(e).WhitePadAttached; }, kAttachWhitePad},
    {"A13", [](const Engine& e) { return !S(e).RedPadAttached; }, kAttachRedPad},
    {"A14", [](const Engine& e) { return S(e).TroubleKind != 0; }, kNoChange, troubleStep},
    {"A15",
     [](const Engine& e) {
         return (S(e).PatientCleared || !on(e, Opt::OPTClearAnalyze)) &&
                S(e).PatientCategory != kPediatric;
     },
     kPressAnalyze},
    {"A16",
     [](const Engine& e) {
         return on(e, Opt::OPTClearAnalyze) && S(e).PatientCategory != kPediatric;
     },
     kClearForAnalysis},
    {"A17",
     [](const Engine& e) { return S(e).PatientCategory == kPediatric && !S(e).ChildCPRRunning; },
     kStartCPR},
    {"A18",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return s.PatientCategory == kPediatric && s.ResponsivenessChecked && s.AirwayOpened &&
                s.BreathingChecked && s.TwoBreathsGiven && s.PulseChecked && s.CPRStarted &&
                s.AEDOn && BothPads(e);
     },
     kEndScenario},
}};

// A hypothermic patient who has had the permitted number of shocks: CPR, a pulse check, a
// verbal report and the end, never another analysis.
int hypothermicLimitReached(const Engine& e) {
    const ScenarioState& s = S(e);
    if (s.LastAction == "Shock" || s.LastAction == "Analyze") return kCheckPulse;
    if (s.LastAction == "Pulse" && s.PreviousAction != "CPR") return kStartCPR;
    if (s.LastAction == "CPR" && on(e, Opt::OptVoice)) return kGiveVoiceReport;
    if (!s.AdultCPRRunning) return kStartCPR;
    if (s.LastAction != "Voice") return VoiceDue(e) ? kGiveVoiceReport : kEndScenario;
    return kEndScenario;
}

bool clearedOrNotRequired(const Engine& e) {
    return S(e).LastAction == "Clear" || !on(e, Opt::OPTClearAnalyze);
}

bool lastShockGivenEarly(const Engine& e) {
    const ScenarioState& s = S(e);
    return s.ShockCount == s.ShocksNeeded && s.AnalysisCount <= s.ShocksNeeded &&
           s.ShocksNeeded != 0 && s.ShocksNeeded != 3 && s.PatientCategory != kHypothermic;
}

// After the first analysis.
const std::array<Rule, 43> kAfterAnalysis = {{
    {"S", scenarioOverShown, kEndScenario},
    {"B1", [](const Engine& e) { return S(e).TroubleKind != 0; }, kNoChange, troubleStep},
    {"B2", [](const Engine& e) { return S(e).NextStep == kTurnAEDOn; }, kTurnAEDOn},
    {"B3",
     [](const Engine& e) {
         return S(e).PatientCategory == kHypothermic &&
                S(e).ShockCount == e.settings.Value(Opt::OptHypoShocks);
     },
     kNoChange, hypothermicLimitReached},
    {"B4",
     [](const Engine& e) {
         return on(e, Opt::OPTCLEARShock) && on(e, Opt::OPTAUTOANALYZE) &&
                S(e).NextStep != kClearForShock && ShockPrepRunning(e);
     },
     kClearForShock},
    {"B5",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return on(e, Opt::OPTAUTOANALYZE) && !on(e, Opt::OPTClearAnalyze) && !s.AnalysisFinished &&
                s.LastAction == "Shock" &&
                (s.PreviousAction == "Analyze" || s.PreviousAction == "Clear") &&
                s.ShocksInSeries != 3;
     },
     kWaitForAnalysis},
    {"B6",
     [](const Engine& e) {
         return AnalysisRunning(e) && (!on(e, Opt::OPTClearAnalyze) || S(e).PatientCleared);
     },
     kWaitForAnalysis},
    {"B7",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return (s.LastAction == "Clear" || !on(e, Opt::OPTCLEARShock)) && s.AEDOn &&
                s.ShockAdvised && s.TroubleKind == 0 && Device(e).step != AedStep::Shocked;
     },
     kPressShock},
    {"B8",
     [](const Engine& e) {
         return on(e, Opt::OPTCLEARShock) && S(e).LastAction == "Analyze" && S(e).ShockAdvised;
     },
     kClearForShock},
    {"B9", [](const Engine& e) { return e.screen.Get(El::AEDDISPLAY1).text == "MOTION DETECTED"; },
     kClearForAnalysis},
    {"B10",
     [](const Engine& e) {
         return e.screen.Get(El::AEDDISPLAY1).text == "STOP MOTION" &&
                (CPRRunning(e) || e.screen.Get(El::PULSEHAND).visible) &&
                on(e, Opt::OPTClearAnalyze);
     },
     kClearForAnalysis},
    {"B11",
     [](const Engine& e) {
         return on(e, Opt::OPTClearAnalyze) && !on(e, Opt::OptPulseAfterCPR) &&
                S(e).LastAction == "CPR" && !S(e).AnalysesComplete;
     },
     kClearForAnalysis},
    {"B12",
     [](const Engine& e) {
         return on(e, Opt::OPTClearAnalyze) && !S(e).AnalysesComplete &&
                S(e).LastAction == "Shock" && S(e).ShocksInSeries != 3;
     },
     kClearForAnalysis},
    {"B13",
     [](const Engine& e) {
         return AnalysisRunning(e) && on(e, Opt::OPTClearAnalyze) && !S(e).PatientCleared;
     },
     kClearForAnalysis},
    {"B14",
     [](const Engine& e) {
         return !S(e).AnalysesComplete && S(e).ShockRequested && S(e).ShocksInSeries != 3 &&
                clearedOrNotRequired(e);
     },
     kPressAnalyze},
    {"B15",
     [](const Engine& e) {
         return on(e, Opt::OPTClearAnalyze) && !S(e).AnalysesComplete && S(e).ShockRequested &&
                S(e).ShocksInSeries != 3;
     },
     kClearForAnalysis},
    {"B16",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return on(e, Opt::OPTClearAnalyze) && s.PulseRate == 0 && !s.AnalysesComplete &&
                s.LastAction == "Pulse" && s.CPRSinceAnalysis;
     },
     kClearForAnalysis},
    {"B17",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return s.LastAction == "Pulse" && s.PulseRate > 0 && s.ShocksInSeries == 3 &&
                !s.AnalysesComplete;
     },
     kRecheckBreathing},
    {"B18",
     [](const Engine& e) {
         return on(e, Opt::OPTClearAnalyze) && lastShockGivenEarly(e) && S(e).LastAction != "Clear";
     },
     kClearForAnalysis},
    {"B19", [](const Engine& e) { return clearedOrNotRequired(e) && lastShockGivenEarly(e); },
     kPressAnalyze},
    {"B20",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         const bool clearAnalyze = on(e, Opt::OPTClearAnalyze);
         return clearedOrNotRequired(e) &&
                (s.PreviousAction == "Shock" || (s.LastAction == "Shock" && !clearAnalyze)) &&
                s.ShocksInSeries != 3 && !s.AnalysesComplete && !on(e, Opt::OPTAUTOANALYZE);
     },
     kPressAnalyze},
    {"B21",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return clearedOrNotRequired(e) && s.PreviousAction == "Pulse" && s.PulseRate == 0 &&
                s.NextStep != kStartCPR && !s.AnalysesComplete;
     },
     kPressAnalyze},
    {"B22",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return !on(e, Opt::OptPulseAfterCPR) &&
                (s.LastAction == "CPR" || s.LastAction == "Clear") && s.PulseRate == 0 &&
                !s.AnalysesComplete && s.PreviousAction != "Shock" && !s.AnalysisFinished;
     },
     kPressAnalyze},
    {"B23",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return s.PulseState == kPulseRestored && !s.AnalysesComplete &&
                !s.PulseCheckedAfterReturn && s.ShocksInSeries != 3 && s.LastAction != "Pulse" &&
                s.LastAction != "Analyze";
     },
     kPressAnalyze},
    {"B24",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return on(e, Opt::OPTAUTOANALYZE) && s.ShocksInSeries != 3 && !Device(e).ChainRunning() &&
                !on(e, Opt::OPTClearAnalyze) && !s.AnalysesComplete &&
                (AnalysisRunning(e) || s.PreviousAction == "Shock" ||
                 s.PreviousAction == "Analyze");
     },
     kWaitForAnalysis},
    {"B25",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return s.PreviousAction != "CPR" && s.AEDOn && !s.ShockAdvised &&
                s.LastAction == "Pulse" && s.PulseRate == 0 && s.NextStep != kClearForAnalysis;
     },
     kStartCPR},
    {"B26",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return s.LastAction != "CPR" && s.AnalysesComplete && s.PulseRate == 0 && s.AEDOn &&
                !CPRRunning(e);
     },
     kNoChange,
     [](const Engine& e) {
         return S(e).PreviousAction != "Pulse" ? int{kCheckPulse} : int{kStartCPR};
     }},
    {"B27",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return s.PatientCategory == kPediatric && !s.CPRAfterLastShock && s.AEDOn && BothPads(e) &&
                s.PulseRate == 0 && !s.ChildCPRRunning;
     },
     kStartCPR},
    {"B28",
     [](const Engine& e) {
         return S(e).PatientCategory == kPediatric && on(e, Opt::OPTCALL911) && !S(e).HelpCalled;
     },
     kCallForHelp},
    {"B29",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return s.LastAction == "Analyze" && !s.ShockAdvised &&
                !(s.AnalysesComplete && s.ShocksNeeded != 0) && !Device(e).AnalysisShown();
     },
     kCheckPulse},
    {"B30",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         const std::string& p = s.PreviousAction;
         return on(e, Opt::OPTAUTOANALYZE) && p != "Pulse" && p != "CPR" && p != "Electrode1" &&
                p != "Electrode2" && (s.LastAction == "Clear" || s.LastAction == "Analyze") &&
                !s.ShockAdvised && !s.AnalysesComplete;
     },
     kCheckPulse},
    {"B31",
     [](const Engine& e) {
         return on(e, Opt::OptPulseAfterCPR) && S(e).LastAction == "CPR" && !S(e).AnalysesComplete;
     },
     kCheckPulse},
    {"B32",
     [](const Engine& e) {
         return on(e, Opt::OptPulseAfter3rdShock) && S(e).LastAction == "Shock" &&
                S(e).ShocksInSeries == 3;
     },
     kCheckPulse},
    {"B33",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return s.PulseState == kPulseRestored && !s.PulseCheckedAfterReturn &&
                s.LastAction != "Pulse" && !s.BreathingCheckedAfterPulse;
     },
     kCheckPulse},
    {"B34",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return s.PulseState == kPulseRestored && s.PreviousAction == "Analyze" &&
                s.ShockCount == 3 && s.LastAction != "Pulse";
     },
     kCheckPulse},
    {"B35", [](const Engine& e) { return !S(e).BreathingCheckedAfterPulse && S(e).PulseRate > 0; },
     kRecheckBreathing},
    {"B36",
     [](const Engine& e) {
         return S(e).PulseState == kPulseRestored && S(e).BreathingRate <= 3 &&
                !S(e).RescueBreathingGiven;
     },
     kGiveRescueBreaths},
    {"B37",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return on(e, Opt::OPTBPCHECK) && !s.BPCheckedAfterPulse && s.BreathingCheckedAfterPulse &&
                s.PulseRate > 0;
     },
     kCheckBloodPressure},
    {"B38",
     [](const Engine& e) {
         return VoiceDue(e) && S(e).BreathingCheckedAfterPulse &&
                (S(e).BPCheckedAfterPulse || !on(e, Opt::OPTBPCHECK));
     },
     kGiveVoiceReport},
    {"B39",
     [](const Engine& e) {
         const ScenarioState& s = S(e);
         return VoiceDue(e) && (s.PatientCategory == kPediatric || s.AnalysesComplete ||
                                s.PulseState == kPulseRestored);
     },
     kGiveVoiceReport},
    {"B40",
     [](const Engine& e) { return S(e).PulseState != kPulseRestored || S(e).AnalysesComplete; },
     kNoChange,
     [](const Engine& e) { return S(e).AnalysesComplete ? int{kEndScenario} : kNoChange; }},
    {"B41", [](const Engine& e) { return S(e).BPCheckedAfterPulse; }, kNoChange,
     [](const Engine& e) {
         return S(e).BreathingCheckedAfterPulse && S(e).RescueBreathingGiven ? int{kEndScenario}
                                                                             : kNoChange;
     }},
    {"B42", [](const Engine&) { return true; }, kNoChange,
     [](const Engine& e) {
         return !on(e, Opt::OPTBPCHECK) && S(e).BreathingCheckedAfterPulse &&
                        S(e).RescueBreathingGiven
                    ? int{kEndScenario}
                    : kNoChange;
     }},
}};

// The condition of a rule after the first analysis, by its id.
bool (*classic(std::string_view id))(const Engine&) {
    for (const Rule& rule : kAfterAnalysis) {
        if (rule.id == id) return rule.when;
    }
    return [](const Engine&) { return false; };
}

// Today's guidelines: compressions first, one shock then two minutes of CPR, a new analysis
// when the countdown ends, no pulse checks.

// The step that brings the next analysis: clearing where the protocol asks for it, waiting for
// an AED that analyses on its own, else the analyze key.
int nextAnalysisStep(const Engine& e) {
    if (on(e, Opt::OPTClearAnalyze) && !S(e).PatientCleared) return kClearForAnalysis;
    return on(e, Opt::OPTAUTOANALYZE) ? int{kWaitForAnalysis} : int{kPressAnalyze};
}

// The countdown is over and the device asks for (or waits to start) the next analysis, or the
// countdown is in its last 10 s, when CPR may stop for it.
bool analysisAsked(const Engine& e) {
    if (CountdownRunning(e)) return CountdownInLastSeconds(e);
    switch (Device(e).step) {
        case AedStep::AnalyzeDue:
        case AedStep::AnalyzePrompted:
        case AedStep::AnalyzeAfterCPRDue:
        case AedStep::AnalyzeAfterCPRAgain:
        case AedStep::Disarmed:
            return true;
        default:
            return false;
    }
}

// Compressions run, or the trainee's press of the CPR button is starting them.
bool cprGoingOn(const Engine& e) {
    return CPRRunning(e) || S(e).CPRPressed;
}

// A child below the pediatric minimum is treated with the device's child key.
bool childKeyMissing(const Engine& e) {
    return S(e).PatientCategory == kPediatric && !ChildKeySwitchedOn(e);
}

int currentHypothermicLimitReached(const Engine& e) {
    if (!cprGoingOn(e)) return kStartCPR;
    return VoiceDue(e) ? kGiveVoiceReport : kEndScenario;
}

// Before the first analysis: the checks, the call, then compressions, then the AED.
const std::array<Rule, 13> kCurrentBeforeAnalysis = {{
    {"CA1", [](const Engine& e) { return !S(e).ResponsivenessChecked; }, kCheckResponsiveness},
    {"CA2", [](const Engine& e) { return !S(e).HelpCalled; }, kCallForHelp},
    {"CA3", [](const Engine& e) { return !S(e).AirwayOpened; }, kOpenAirway},
    {"CA4", [](const Engine& e) { return !S(e).BreathingChecked; }, kCheckBreathing},
    {"CA5", [](const Engine& e) { return !S(e).CPRStarted; }, kStartCPR},
    {"CA6", [](const Engine& e) { return !S(e).AEDOn; }, kTurnAEDOn},
    {"CA6K", childKeyMissing, kTurnOnChildKey},
    {"CA7",
     [](const Engine& e) {
         return S(e).VoiceReportCount == 0 && on(e, Opt::OptVoice) && S(e).AEDOn;
     },
     kGiveVoiceReport},
    {"CA8", [](const Engine& e) { return !S(e).WhitePadAttached; }, kAttachWhitePad},
    {"CA9", [](const Engine& e) { return !S(e).RedPadAttached; }, kAttachRedPad},
    {"CA10", [](const Engine& e) { return S(e).TroubleKind != 0; }, kNoChange, troubleStep},
    {"CA11", [](const Engine& e) { return S(e).PatientCleared || !on(e, Opt::OPTClearAnalyze); },
     kPressAnalyze},
    {"CA12", [](const Engine&) { return true; }, kClearForAnalysis},
}};

// After it: the shock when advised, CPR at once after the shock or the no-shock result, the
// analysis that ends the cycle, and the care of a patient whose pulse that analysis found.
const std::array<Rule, 21> kCurrentAfterAnalysis = {{
    {"S", scenarioOverShown, kEndScenario},
    {"CB1", [](const Engine& e) { return S(e).TroubleKind != 0; }, kNoChange, troubleStep},
    {"CB2", [](const Engine& e) { return S(e).NextStep == kTurnAEDOn; }, kTurnAEDOn},
    {"CB3",
     [](const Engine& e) {
         return S(e).PatientCategory == kHypothermic &&
                S(e).ShockCount == e.settings.Value(Opt::OptHypoShocks) && !AnalysisUnderWay(e) &&
                !ShockPrepRunning(e);
     },
     kNoChange, currentHypothermicLimitReached},
    // The key before the shock a child below the pediatric minimum is advised.
    {"CB3K", [](const Engine& e) { return childKeyMissing(e) && S(e).ShockAdvised; },
     kTurnOnChildKey},
    // The analysis and the shock as under the classic protocol.
    {"CB4", classic("B4"), kClearForShock},       // clear while the device charges
    {"CB5", classic("B6"), kWaitForAnalysis},     // the analysis runs, everybody clear
    {"CB6", classic("B7"), kPressShock},          // shock advised
    {"CB7", classic("B8"), kClearForShock},       // clear for the shock
    {"CB8", classic("B9"), kClearForAnalysis},    // motion detected
    {"CB9", classic("B10"), kClearForAnalysis},   // "STOP MOTION" with hands on the patient
    {"CB10", classic("B13"), kClearForAnalysis},  // the analysis runs, somebody touches
    {"CB11",
     [](const Engine& e) { return ReturnedPulseFound(e) && !S(e).BreathingCheckedAfterPulse; },
     kRecheckBreathing},
    {"CB12",
     [](const Engine& e) {
         return ReturnedPulseFound(e) && S(e).BreathingRate <= 3 && !S(e).RescueBreathingGiven;
     },
     kGiveRescueBreaths},
    {"CB13",
     [](const Engine& e) {
         return ReturnedPulseFound(e) && on(e, Opt::OPTBPCHECK) && !S(e).BPCheckedAfterPulse;
     },
     kCheckBloodPressure},
    {"CB14", [](const Engine& e) { return ReturnedPulseFound(e) && VoiceDue(e); },
     kGiveVoiceReport},
    {"CB15", ReturnedPulseFound, kEndScenario},
    // Every analysis done on a patient without a pulse: CPR goes on, the reports, the end.
    {"CB16",
     [](const Engine& e) {
         return S(e).AnalysesComplete && S(e).CPRSinceAnalysis && !AnalysisUnderWay(e) &&
                S(e).PulseState != kPulseRestored;
     },
     kNoChange,
     [](const Engine& e) {
         if (!cprGoingOn(e)) return int{kStartCPR};
         return VoiceDue(e) ? int{kGiveVoiceReport} : int{kEndScenario};
     }},
    {"CB17", [](const Engine& e) { return !cprGoingOn(e) && !analysisAsked(e); }, kStartCPR},
    {"CB18", analysisAsked, kNoChange, nextAnalysisStep},
    // Compressions run through the countdown: the next step is the analysis that ends it.
    {"CB19", cprGoingOn, kNoChange, nextAnalysisStep},
}};

template <size_t N>
const Rule* firstRule(const std::array<Rule, N>& rules, const Engine& e) {
    for (const Rule& rule : rules) {
        if (rule.when(e)) return &rule;
    }
    return nullptr;
}

const Rule* decidingRule(const Engine& e) {
    if (CurrentGuidelines(e)) {
        return S(e).AnalysisCount == 0 ? firstRule(kCurrentBeforeAnalysis, e)
                                       : firstRule(kCurrentAfterAnalysis, e);
    }
    return S(e).AnalysisCount == 0 ? firstRule(kBeforeAnalysis, e) : firstRule(kAfterAnalysis, e);
}

}  // namespace

std::string_view DecidingRule(const Engine& e) {
    const Rule* rule = decidingRule(e);
    return rule ? rule->id : "";
}

int ExpectedNextStep(const Engine& e) {
    const Rule* rule = decidingRule(e);
    const int step = !rule ? kNoChange : rule->decide ? rule->decide(e) : rule->step;
    return step == kNoChange ? S(e).NextStep : step;
}

void EvaluateNextStep(Engine& e) {
    const ScenarioState& s = e.state;
    MonitorState& monitor = OwnMonitor(e);
    e.screen.Edit(El::ADVICEPANEL).visible = false;
    if (!s.LastAction.empty()) {
        // Advice is free before the first action and while the scenario-over sign blinks.
        if (s.AdviceRequested && !scenarioOverShown(e)) {
            ++monitor.AdviceCount;
            ChangeScoreApart(e, -50, "advice", "Advice charged (-50)");
            ShowScore(e);
        } else if (!s.AdviceRequested) {
            ShowScore(e);
        }
    }
    monitor.NextStep = static_cast<uint8_t>(ExpectedNextStep(e));
    // The debrief judges the quality of CPR only where the protocol asked for it.
    if (s.NextStep == kStartCPR) e.log.NoteCPRRequired();
    monitor.EarlierAction = s.PreviousAction;
    monitor.PreviousAction = s.LastAction;
    if (s.AdviceRequested) PlaceAdvice(e);
}

}  // namespace ardentix
