// The rule tables of the expected next step, rule by rule: each case sets up the state that
// makes its rule the first to hold, and checks the rule and the step it gives.
#include <gtest/gtest.h>

#include <functional>

#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "monitor/monitor.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

struct Case {
    const char* rule;
    int step;
    std::function<void(Engine&)> setUp;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.rule;
}

class NextStepRules : public ::testing::TestWithParam<Case> {
  protected:
    testing::FakePorts fakes;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};

    void SetUp() override {
        e.state.Mode = kPractice;
        e.state.ShocksNeeded = 2;
        e.state.PictureSet = 0;
        ResetScenario(e);
    }
};

void allAbcs(Engine& e) {
    ScenarioState& s = e.state;
    s.ResponsivenessChecked = s.AirwayOpened = s.BreathingChecked = true;
    s.TwoBreathsGiven = s.PulseChecked = true;
}

// Before the first analysis, everything up to the pads done.
void readyForAnalysis(Engine& e) {
    allAbcs(e);
    e.state.AEDOn = e.state.WhitePadAttached = e.state.RedPadAttached = true;
}

void pediatric(Engine& e) {
    allAbcs(e);
    e.state.PatientCategory = kPediatric;
}

// After an analysis, with nothing else pending: no rule before B40 holds.
void analysed(Engine& e) {
    readyForAnalysis(e);
    e.state.AnalysisCount = 1;
    e.state.NextStep = kCheckPulse;
}

void off(Engine& e, Opt opt) {
    e.settings.SetOn(opt, false);
}

// The pulse is back, found and the patient breathes: the checks after the return remain.
void restoredAndBreathing(Engine& e) {
    analysed(e);
    e.state.PulseState = kPulseRestored;
    e.state.PulseRate = 60;
    e.state.BreathingRate = 12;
    e.state.PulseCheckedAfterReturn = true;
    e.state.BreathingCheckedAfterPulse = true;
    e.state.LastAction = "Breath";
}

const Case kBefore[] = {
    {"A1", kCheckResponsiveness, [](Engine&) {}},
    {"A2", kCallForHelp,
     [](Engine& e) {
         e.state.ResponsivenessChecked = true;
         e.settings.SetOn(Opt::OPTCALL911, true);
     }},
    {"A3", kOpenAirway, [](Engine& e) { e.state.ResponsivenessChecked = true; }},
    {"A4", kCheckBreathing,
     [](Engine& e) { e.state.ResponsivenessChecked = e.state.AirwayOpened = true; }},
    {"A5", kGiveRescueBreaths,
     [](Engine& e) {
         allAbcs(e);
         e.state.TwoBreathsGiven = e.state.PulseChecked = false;
     }},
    {"A6", kCheckCirculation,
     [](Engine& e) {
         allAbcs(e);
         e.state.PulseChecked = false;
     }},
    {"A7", kStartCPR,
     [](Engine& e) {
         allAbcs(e);
         off(e, Opt::OPTOneRescuer);
     }},
    {"A8", kCallForHelp,
     [](Engine& e) {
         pediatric(e);
         e.state.CPRStarted = true;
         e.settings.SetOn(Opt::OPTCALL911, true);
     }},
    {"A9", kTurnAEDOn, allAbcs},
    {"A10", kGiveVoiceReport,
     [](Engine& e) {
         allAbcs(e);
         e.state.AEDOn = true;
         e.settings.SetOn(Opt::OptVoice, true);
     }},
    {"A11", kStartCPR,
     [](Engine& e) {
         pediatric(e);
         e.state.CPRStarted = true;
     }},
    {"A11", kEndScenario,
     [](Engine& e) {
         pediatric(e);
         e.state.CPRStarted = e.state.ChildCPRRunning = true;
     }},
    {"A12", kAttachWhitePad,
     [](Engine& e) {
         allAbcs(e);
         e.state.AEDOn = true;
     }},
    {"A13", kAttachRedPad,
     [](Engine& e) {
         allAbcs(e);
         e.state.AEDOn = e.state.WhitePadAttached = true;
     }},
    {"A14", kStopMotion,
     [](Engine& e) {
         readyForAnalysis(e);
         e.state.TroubleKind = 2;
     }},
    {"A14", kReattachElectrode,
     [](Engine& e) {
         readyForAnalysis(e);
         e.state.TroubleKind = 1;
     }},
    {"A14", kReplaceBattery,
     [](Engine& e) {
         readyForAnalysis(e);
         e.state.TroubleKind = 3;
     }},
    {"A15", kPressAnalyze,
     [](Engine& e) {
         readyForAnalysis(e);
         e.state.PatientCleared = true;
     }},
    {"A15", kPressAnalyze,
     [](Engine& e) {
         readyForAnalysis(e);
         off(e, Opt::OPTClearAnalyze);
     }},
    {"A16", kClearForAnalysis, readyForAnalysis},
    {"A17", kStartCPR,
     [](Engine& e) {
         pediatric(e);
         e.state.CPRStarted = e.state.AEDOn = true;
         e.state.WhitePadAttached = e.state.RedPadAttached = true;
         e.settings.SetOn(Opt::OPTPEDSMONITOR, true);
     }},
    {"A18", kEndScenario,
     [](Engine& e) {
         pediatric(e);
         e.state.CPRStarted = e.state.AEDOn = e.state.ChildCPRRunning = true;
         e.state.WhitePadAttached = e.state.RedPadAttached = true;
         e.settings.SetOn(Opt::OPTPEDSMONITOR, true);
     }},
};

const Case kAfter[] = {
    {"S", kEndScenario,
     [](Engine& e) {
         analysed(e);
         e.state.TroubleKind = 1;
         e.timers.Start(TimerId::SCENOVERLabelFLASHTimer);
     }},
    {"B1", kReattachElectrode,
     [](Engine& e) {
         analysed(e);
         e.state.TroubleKind = 1;
     }},
    {"B2", kTurnAEDOn,
     [](Engine& e) {
         analysed(e);
         e.state.NextStep = kTurnAEDOn;
     }},
    {"B3", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.state.PatientCategory = kHypothermic;
         e.state.ShockCount = 3;
         e.state.LastAction = "Shock";
     }},
    {"B4", kClearForShock,
     [](Engine& e) {
         analysed(e);
         e.state.Phase.aed.step = AedStep::ShockAdvised;
     }},
    {"B5", kWaitForAnalysis,
     [](Engine& e) {
         analysed(e);
         off(e, Opt::OPTClearAnalyze);
         e.state.LastAction = "Shock";
         e.state.PreviousAction = "Clear";
     }},
    {"B6", kWaitForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.state.PatientCleared = true;
         e.state.Phase.aed.step = AedStep::StandClear;
     }},
    {"B7", kPressShock,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Clear";
         e.state.ShockAdvised = true;
     }},
    {"B8", kClearForShock,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Analyze";
         e.state.ShockAdvised = true;
     }},
    {"B9", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.screen.Edit(El::AEDDISPLAY1).text = "MOTION DETECTED";
     }},
    {"B10", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.screen.Edit(El::AEDDISPLAY1).text = "STOP MOTION";
         e.screen.Edit(El::PULSEHAND).visible = true;
     }},
    {"B11", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "CPR";
     }},
    {"B12", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Shock";
     }},
    {"B13", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.state.Phase.aed.step = AedStep::Analysing;
     }},
    {"B14", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.state.ShockRequested = true;
         e.state.LastAction = "Clear";
     }},
    {"B15", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.state.ShockRequested = true;
     }},
    {"B16", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Pulse";
         e.state.CPRSinceAnalysis = true;
     }},
    {"B17", kRecheckBreathing,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Pulse";
         e.state.PulseRate = 60;
         e.state.ShocksInSeries = 3;
     }},
    {"B18", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.state.ShockCount = 2;  // the last of two shocks after one analysis
     }},
    {"B19", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.state.ShockCount = 2;
         e.state.LastAction = "Clear";
     }},
    {"B20", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         off(e, Opt::OPTAUTOANALYZE);
         e.state.LastAction = "Clear";
         e.state.PreviousAction = "Shock";
     }},
    {"B21", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Clear";
         e.state.PreviousAction = "Pulse";
     }},
    {"B22", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Clear";
     }},
    {"B23", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.state.PulseState = kPulseRestored;
         e.state.LastAction = "Voice";
     }},
    {"B24", kWaitForAnalysis,
     [](Engine& e) {
         analysed(e);
         off(e, Opt::OPTClearAnalyze);
         e.state.PreviousAction = "Analyze";
     }},
    {"B25", kStartCPR,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Pulse";
     }},
    {"B26", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.state.AnalysesComplete = true;
         e.state.LastAction = "Voice";
     }},
    {"B26", kStartCPR,
     [](Engine& e) {
         analysed(e);
         e.state.AnalysesComplete = true;
         e.state.LastAction = "Voice";
         e.state.PreviousAction = "Pulse";
     }},
    {"B27", kStartCPR,
     [](Engine& e) {
         analysed(e);
         e.state.PatientCategory = kPediatric;
     }},
    {"B28", kCallForHelp,
     [](Engine& e) {
         analysed(e);
         e.state.PatientCategory = kPediatric;
         e.state.ChildCPRRunning = true;
         e.settings.SetOn(Opt::OPTCALL911, true);
     }},
    {"B29", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Analyze";
         e.state.PreviousAction = "Pulse";
     }},
    {"B30", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Clear";
         e.state.PreviousAction = "Shock";
         e.state.AnalysisFinished = true;
     }},
    {"B31", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         off(e, Opt::OPTAUTOANALYZE);
         e.settings.SetOn(Opt::OptPulseAfterCPR, true);
         e.state.LastAction = "CPR";
         e.state.PreviousAction = "Shock";
     }},
    {"B32", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.state.LastAction = "Shock";
         e.state.ShocksInSeries = 3;
     }},
    {"B33", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.state.PulseState = kPulseRestored;
         e.state.AnalysesComplete = true;
         e.state.AdultCPRRunning = true;
         e.state.LastAction = "Voice";
     }},
    {"B34", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.state.PulseState = kPulseRestored;
         e.state.AnalysesComplete = e.state.BreathingCheckedAfterPulse = true;
         e.state.AdultCPRRunning = true;
         e.state.PreviousAction = "Analyze";
         e.state.ShockCount = 3;
         e.state.LastAction = "BP check";
     }},
    {"B35", kRecheckBreathing,
     [](Engine& e) {
         analysed(e);
         e.state.PulseState = kPulseRestored;
         e.state.PulseRate = 60;
         e.state.PulseCheckedAfterReturn = e.state.AnalysesComplete = true;
         e.state.LastAction = "Pulse";
     }},
    {"B36", kGiveRescueBreaths,
     [](Engine& e) {
         analysed(e);
         e.state.PulseState = kPulseRestored;
         e.state.PulseCheckedAfterReturn = e.state.AnalysesComplete = true;
         e.state.BreathingCheckedAfterPulse = e.state.AdultCPRRunning = true;
         e.state.LastAction = "Breath";
     }},
    {"B37", kCheckBloodPressure,
     [](Engine& e) {
         restoredAndBreathing(e);
         e.settings.SetOn(Opt::OPTBPCHECK, true);
         e.state.AnalysesComplete = true;
     }},
    {"B38", kGiveVoiceReport,
     [](Engine& e) {
         restoredAndBreathing(e);
         e.settings.SetOn(Opt::OptVoice, true);
         e.state.AnalysesComplete = true;
     }},
    {"B39", kGiveVoiceReport,
     [](Engine& e) {
         analysed(e);
         e.settings.SetOn(Opt::OptVoice, true);
         e.state.PatientCategory = kPediatric;
         e.state.ChildCPRRunning = true;
     }},
    {"B40", kEndScenario,
     [](Engine& e) {
         analysed(e);
         e.state.AnalysesComplete = true;
         e.state.AdultCPRRunning = true;
     }},
    {"B40", kCheckPulse, analysed},  // no change: the step stays as it was
    {"B41", kEndScenario,
     [](Engine& e) {
         restoredAndBreathing(e);
         e.state.BPCheckedAfterPulse = e.state.RescueBreathingGiven = true;
         e.state.LastAction = "BP check";
     }},
    {"B42", kEndScenario,
     [](Engine& e) {
         restoredAndBreathing(e);
         e.state.RescueBreathingGiven = true;
     }},
    {"B42", kCheckPulse,  // no change with a blood-pressure check still to come
     [](Engine& e) {
         restoredAndBreathing(e);
         e.settings.SetOn(Opt::OPTBPCHECK, true);
         e.state.PulseRate = 0;
         e.state.RescueBreathingGiven = true;
     }},
};

TEST_P(NextStepRules, FirstRuleThatHoldsDecides) {
    GetParam().setUp(e);
    EXPECT_EQ(DecidingRule(e), GetParam().rule);
    EXPECT_EQ(ExpectedNextStep(e), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(BeforeAnalysis, NextStepRules, ::testing::ValuesIn(kBefore));
INSTANTIATE_TEST_SUITE_P(AfterAnalysis, NextStepRules, ::testing::ValuesIn(kAfter));

// B3 in its own order, for a hypothermic patient who has had every permitted shock.
TEST(HypothermicLimit, SteersToCPRPulseVoiceAndEnd) {
    testing::FakePorts fakes;
    WiredEngine e(fakes.ports(), testing::kNoProgramDir);
    ResetScenario(e);
    analysed(e);
    ScenarioState& s = e.state;
    s.PatientCategory = kHypothermic;
    s.ShockCount = 3;
    const auto step = [&](const char* last, const char* previous) {
        s.LastAction = last;
        s.PreviousAction = previous;
        EXPECT_EQ(DecidingRule(e), "B3");
        return ExpectedNextStep(e);
    };
    EXPECT_EQ(step("Shock", ""), kCheckPulse);
    EXPECT_EQ(step("Analyze", ""), kCheckPulse);
    EXPECT_EQ(step("Pulse", "Shock"), kStartCPR);
    EXPECT_EQ(step("CPR", "Pulse"), kStartCPR);  // no voice reports: CPR not yet running
    e.settings.SetOn(Opt::OptVoice, true);
    EXPECT_EQ(step("CPR", "Pulse"), kGiveVoiceReport);
    EXPECT_EQ(step("Clear", "CPR"), kStartCPR);
    s.AdultCPRRunning = true;
    EXPECT_EQ(step("Clear", "CPR"), kGiveVoiceReport);
    s.VoiceReportCount = 2;
    EXPECT_EQ(step("Clear", "CPR"), kEndScenario);
    EXPECT_EQ(step("Voice", "CPR"), kEndScenario);
    s.ShockCount = 2;
    s.LastAction = "Shock";
    EXPECT_NE(DecidingRule(e), "B3") << "below the limit the other rules decide";
}

}  // namespace
}  // namespace ardentix
