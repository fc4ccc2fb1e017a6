// The rule tables of the expected next step, rule by rule: each case sets up the state that
// makes its rule the first to hold, and checks the rule and the step it gives.
#include <gtest/gtest.h>

#include <functional>

#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "monitor/monitor.h"
#include "scenario/wired_engine.h"
#include "step_rules.h"

namespace ardentix {
namespace {

using Case = testing::StepCase;

class NextStepRules : public testing::StepRules {
  protected:
    void SetUp() override {
        StepRules::SetUp();
        e.ScriptState().PictureSet = 0;
        ResetScenario(e);
    }
};

void allAbcs(Engine& e) {
    ScenarioState& s = e.ScriptState();
    s.ResponsivenessChecked = s.AirwayOpened = s.BreathingChecked = true;
    s.TwoBreathsGiven = s.PulseChecked = true;
}

// Before the first analysis, everything up to the pads done.
void readyForAnalysis(Engine& e) {
    allAbcs(e);
    e.ScriptState().AEDOn = e.ScriptState().WhitePadAttached = e.ScriptState().RedPadAttached =
        true;
}

void pediatric(Engine& e) {
    allAbcs(e);
    e.ScriptState().PatientCategory = kPediatric;
}

// After an analysis, with nothing else pending: no rule before B40 holds.
void analysed(Engine& e) {
    readyForAnalysis(e);
    e.ScriptState().AnalysisCount = 1;
    e.ScriptState().NextStep = kCheckPulse;
}

void off(Engine& e, Opt opt) {
    e.settings.SetOn(opt, false);
}

// The pulse is back, found and the patient breathes: the checks after the return remain.
void restoredAndBreathing(Engine& e) {
    analysed(e);
    e.ScriptState().PulseState = kPulseRestored;
    e.ScriptState().PulseRate = 60;
    e.ScriptState().BreathingRate = 12;
    e.ScriptState().PulseCheckedAfterReturn = true;
    e.ScriptState().BreathingCheckedAfterPulse = true;
    e.ScriptState().LastAction = "Breath";
}

const Case kBefore[] = {
    {"A1", kCheckResponsiveness, [](Engine&) {}},
    {"A2", kCallForHelp,
     [](Engine& e) {
         e.ScriptState().ResponsivenessChecked = true;
         e.settings.SetOn(Opt::OPTCALL911, true);
     }},
    {"A3", kOpenAirway, [](Engine& e) { e.ScriptState().ResponsivenessChecked = true; }},
    {"A4", kCheckBreathing,
     [](Engine& e) {
         e.ScriptState().ResponsivenessChecked = e.ScriptState().AirwayOpened = true;
     }},
    {"A5", kGiveRescueBreaths,
     [](Engine& e) {
         allAbcs(e);
         e.ScriptState().TwoBreathsGiven = e.ScriptState().PulseChecked = false;
     }},
    {"A6", kCheckCirculation,
     [](Engine& e) {
         allAbcs(e);
         e.ScriptState().PulseChecked = false;
     }},
    {"A7", kStartCPR,
     [](Engine& e) {
         allAbcs(e);
         off(e, Opt::OPTOneRescuer);
     }},
    {"A8", kCallForHelp,
     [](Engine& e) {
         pediatric(e);
         e.ScriptState().CPRStarted = true;
         e.settings.SetOn(Opt::OPTCALL911, true);
     }},
    {"A9", kTurnAEDOn, allAbcs},
    {"A10", kGiveVoiceReport,
     [](Engine& e) {
         allAbcs(e);
         e.ScriptState().AEDOn = true;
         e.settings.SetOn(Opt::OptVoice, true);
     }},
    {"A11", kStartCPR,
     [](Engine& e) {
         pediatric(e);
         e.ScriptState().CPRStarted = true;
     }},
    {"A11", kEndScenario,
     [](Engine& e) {
         pediatric(e);
         e.ScriptState().CPRStarted = e.ScriptState().ChildCPRRunning = true;
     }},
    {"A12", kAttachWhitePad,
     [](Engine& e) {
         allAbcs(e);
         e.ScriptState().AEDOn = true;
     }},
    {"A13", kAttachRedPad,
     [](Engine& e) {
         allAbcs(e);
         e.ScriptState().AEDOn = e.ScriptState().WhitePadAttached = true;
     }},
    {"A14", kStopMotion,
     [](Engine& e) {
         readyForAnalysis(e);
         e.ScriptState().TroubleKind = 2;
     }},
    {"A14", kReattachElectrode,
     [](Engine& e) {
         readyForAnalysis(e);
         e.ScriptState().TroubleKind = 1;
     }},
    {"A14", kReplaceBattery,
     [](Engine& e) {
         readyForAnalysis(e);
         e.ScriptState().TroubleKind = 3;
     }},
    {"A15", kPressAnalyze,
     [](Engine& e) {
         readyForAnalysis(e);
         e.ScriptState().PatientCleared = true;
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
         e.ScriptState().CPRStarted = e.ScriptState().AEDOn = true;
         e.ScriptState().WhitePadAttached = e.ScriptState().RedPadAttached = true;
         e.settings.SetOn(Opt::OPTPEDSMONITOR, true);
     }},
    {"A18", kEndScenario,
     [](Engine& e) {
         pediatric(e);
         e.ScriptState().CPRStarted = e.ScriptState().AEDOn = e.ScriptState().ChildCPRRunning =
             true;
         e.ScriptState().WhitePadAttached = e.ScriptState().RedPadAttached = true;
         e.settings.SetOn(Opt::OPTPEDSMONITOR, true);
     }},
};

const Case kAfter[] = {
    {"S", kEndScenario,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().TroubleKind = 1;
         e.timers.Start(TimerId::SCENOVERLabelFLASHTimer);
     }},
    {"B1", kReattachElectrode,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().TroubleKind = 1;
     }},
    {"B2", kTurnAEDOn,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().NextStep = kTurnAEDOn;
     }},
    {"B3", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().PatientCategory = kHypothermic;
         e.ScriptState().ShockCount = 3;
         e.ScriptState().LastAction = "Shock";
     }},
    {"B4", kClearForShock,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().AedState::Phase.step = AedStep::ShockAdvised;
     }},
    {"B5", kWaitForAnalysis,
     [](Engine& e) {
         analysed(e);
         off(e, Opt::OPTClearAnalyze);
         e.ScriptState().LastAction = "Shock";
         e.ScriptState().PreviousAction = "Clear";
     }},
    {"B6", kWaitForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().PatientCleared = true;
         e.ScriptState().AedState::Phase.step = AedStep::StandClear;
     }},
    {"B7", kPressShock,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Clear";
         e.ScriptState().ShockAdvised = true;
     }},
    {"B8", kClearForShock,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Analyze";
         e.ScriptState().ShockAdvised = true;
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
         e.ScriptState().LastAction = "CPR";
     }},
    {"B12", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Shock";
     }},
    {"B13", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().AedState::Phase.step = AedStep::Analysing;
     }},
    {"B14", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().ShockRequested = true;
         e.ScriptState().LastAction = "Clear";
     }},
    {"B15", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().ShockRequested = true;
     }},
    {"B16", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Pulse";
         e.ScriptState().CPRSinceAnalysis = true;
     }},
    {"B17", kRecheckBreathing,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Pulse";
         e.ScriptState().PulseRate = 60;
         e.ScriptState().ShocksInSeries = 3;
     }},
    {"B18", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().ShockCount = 2;  // the last of two shocks after one analysis
     }},
    {"B19", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().ShockCount = 2;
         e.ScriptState().LastAction = "Clear";
     }},
    {"B20", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         off(e, Opt::OPTAUTOANALYZE);
         e.ScriptState().LastAction = "Clear";
         e.ScriptState().PreviousAction = "Shock";
     }},
    {"B21", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Clear";
         e.ScriptState().PreviousAction = "Pulse";
     }},
    {"B22", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Clear";
     }},
    {"B23", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().PulseState = kPulseRestored;
         e.ScriptState().LastAction = "Voice";
     }},
    {"B24", kWaitForAnalysis,
     [](Engine& e) {
         analysed(e);
         off(e, Opt::OPTClearAnalyze);
         e.ScriptState().PreviousAction = "Analyze";
     }},
    {"B25", kStartCPR,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Pulse";
     }},
    {"B26", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().AnalysesComplete = true;
         e.ScriptState().LastAction = "Voice";
     }},
    {"B26", kStartCPR,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().AnalysesComplete = true;
         e.ScriptState().LastAction = "Voice";
         e.ScriptState().PreviousAction = "Pulse";
     }},
    {"B27", kStartCPR,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().PatientCategory = kPediatric;
     }},
    {"B28", kCallForHelp,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().PatientCategory = kPediatric;
         e.ScriptState().ChildCPRRunning = true;
         e.settings.SetOn(Opt::OPTCALL911, true);
     }},
    {"B29", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Analyze";
         e.ScriptState().PreviousAction = "Pulse";
     }},
    {"B30", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Clear";
         e.ScriptState().PreviousAction = "Shock";
         e.ScriptState().AnalysisFinished = true;
     }},
    {"B31", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         off(e, Opt::OPTAUTOANALYZE);
         e.settings.SetOn(Opt::OptPulseAfterCPR, true);
         e.ScriptState().LastAction = "CPR";
         e.ScriptState().PreviousAction = "Shock";
     }},
    {"B32", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().LastAction = "Shock";
         e.ScriptState().ShocksInSeries = 3;
     }},
    {"B33", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().PulseState = kPulseRestored;
         e.ScriptState().AnalysesComplete = true;
         e.ScriptState().AdultCPRRunning = true;
         e.ScriptState().LastAction = "Voice";
     }},
    {"B34", kCheckPulse,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().PulseState = kPulseRestored;
         e.ScriptState().AnalysesComplete = e.ScriptState().BreathingCheckedAfterPulse = true;
         e.ScriptState().AdultCPRRunning = true;
         e.ScriptState().PreviousAction = "Analyze";
         e.ScriptState().ShockCount = 3;
         e.ScriptState().LastAction = "BP check";
     }},
    {"B35", kRecheckBreathing,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().PulseState = kPulseRestored;
         e.ScriptState().PulseRate = 60;
         e.ScriptState().PulseCheckedAfterReturn = e.ScriptState().AnalysesComplete = true;
         e.ScriptState().LastAction = "Pulse";
     }},
    {"B36", kGiveRescueBreaths,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().PulseState = kPulseRestored;
         e.ScriptState().PulseCheckedAfterReturn = e.ScriptState().AnalysesComplete = true;
         e.ScriptState().BreathingCheckedAfterPulse = e.ScriptState().AdultCPRRunning = true;
         e.ScriptState().LastAction = "Breath";
     }},
    {"B37", kCheckBloodPressure,
     [](Engine& e) {
         restoredAndBreathing(e);
         e.settings.SetOn(Opt::OPTBPCHECK, true);
         e.ScriptState().AnalysesComplete = true;
     }},
    {"B38", kGiveVoiceReport,
     [](Engine& e) {
         restoredAndBreathing(e);
         e.settings.SetOn(Opt::OptVoice, true);
         e.ScriptState().AnalysesComplete = true;
     }},
    {"B39", kGiveVoiceReport,
     [](Engine& e) {
         analysed(e);
         e.settings.SetOn(Opt::OptVoice, true);
         e.ScriptState().PatientCategory = kPediatric;
         e.ScriptState().ChildCPRRunning = true;
     }},
    {"B40", kEndScenario,
     [](Engine& e) {
         analysed(e);
         e.ScriptState().AnalysesComplete = true;
         e.ScriptState().AdultCPRRunning = true;
     }},
    {"B40", kCheckPulse, analysed},  // no change: the step stays as it was
    {"B41", kEndScenario,
     [](Engine& e) {
         restoredAndBreathing(e);
         e.ScriptState().BPCheckedAfterPulse = e.ScriptState().RescueBreathingGiven = true;
         e.ScriptState().LastAction = "BP check";
     }},
    {"B42", kEndScenario,
     [](Engine& e) {
         restoredAndBreathing(e);
         e.ScriptState().RescueBreathingGiven = true;
     }},
    {"B42", kCheckPulse,  // no change with a blood-pressure check still to come
     [](Engine& e) {
         restoredAndBreathing(e);
         e.settings.SetOn(Opt::OPTBPCHECK, true);
         e.ScriptState().PulseRate = 0;
         e.ScriptState().RescueBreathingGiven = true;
     }},
};

TEST_P(NextStepRules, FirstRuleThatHoldsDecides) {
    expectFirstRuleDecides();
}

INSTANTIATE_TEST_SUITE_P(BeforeAnalysis, NextStepRules, ::testing::ValuesIn(kBefore));
INSTANTIATE_TEST_SUITE_P(AfterAnalysis, NextStepRules, ::testing::ValuesIn(kAfter));

// B3 in its own order, for a hypothermic patient who has had every permitted shock.
TEST(HypothermicLimit, SteersToCPRPulseVoiceAndEnd) {
    testing::FakePorts fakes;
    WiredEngine e(fakes.ports(), testing::kNoProgramDir);
    ResetScenario(e);
    analysed(e);
    ScenarioState& s = e.ScriptState();
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
