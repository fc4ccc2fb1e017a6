// The rule tables of the expected next step under today's guidelines, rule by rule: each case
// sets up the state that makes its rule the first to hold, and checks the rule and its step.
#include <gtest/gtest.h>

#include <functional>

#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "monitor/monitor.h"
#include "records/debrief.h"
#include "scenario/wired_engine.h"
#include "step_rules.h"

// A namespace of its own: the unity build compiles this file with others that have set-ups of the
// same names.
namespace ardentix::current_rules {
namespace {

using Case = testing::StepCase;

class CurrentRules : public testing::StepRules {
  protected:
    void SetUp() override {
        StepRules::SetUp();
        e.settings.SetOn(Opt::OPTGuideCurrent, true);
        e.settings.SetOn(Opt::OPTGuideClassic, false);
        ResetScenario(e);
        ASSERT_EQ(e.state.GuidelineProfile, 1);
    }
};

ScenarioState& S(Engine& e) {
    return e.ScriptState();
}

// The checks and the call done: compressions are next.
void checked(Engine& e) {
    S(e).ResponsivenessChecked = S(e).HelpCalled = S(e).AirwayOpened = S(e).BreathingChecked = true;
}

void readyForAnalysis(Engine& e) {
    checked(e);
    S(e).CPRStarted = S(e).AEDOn = S(e).WhitePadAttached = S(e).RedPadAttached = true;
}

void analysed(Engine& e) {
    readyForAnalysis(e);
    S(e).AnalysisCount = 1;
}

// The last analysis found the pulse the shocks restored; the patient breathes.
void pulseFound(Engine& e) {
    analysed(e);
    S(e).AnalysisCount = 3;
    S(e).ShockCount = 2;
    S(e).AnalysesComplete = true;
    S(e).PulseState = kPulseRestored;
    S(e).PulseRate = 60;
    S(e).BreathingRate = 12;
}

const Case kBefore[] = {
    {"CA1", kCheckResponsiveness, [](Engine&) {}},
    // The call is expected though the Phone option is off (its default).
    {"CA2", kCallForHelp, [](Engine& e) { S(e).ResponsivenessChecked = true; }},
    {"CA3", kOpenAirway, [](Engine& e) { S(e).ResponsivenessChecked = S(e).HelpCalled = true; }},
    {"CA4", kCheckBreathing,
     [](Engine& e) {
         checked(e);
         S(e).BreathingChecked = false;
     }},
    // Compressions, not the breaths nor the pulse, even with one rescuer.
    {"CA5", kStartCPR, checked},
    {"CA5", kStartCPR,
     [](Engine& e) {
         checked(e);
         S(e).TwoBreathsGiven = S(e).PulseChecked = true;
     }},
    {"CA6", kTurnAEDOn,
     [](Engine& e) {
         checked(e);
         S(e).CPRStarted = true;
     }},
    {"CA6K", kTurnOnChildKey,
     [](Engine& e) {
         readyForAnalysis(e);
         S(e).PatientCategory = kPediatric;
     }},
    {"CA7", kGiveVoiceReport,
     [](Engine& e) {
         readyForAnalysis(e);
         e.settings.SetOn(Opt::OptVoice, true);
     }},
    {"CA8", kAttachWhitePad,
     [](Engine& e) {
         readyForAnalysis(e);
         S(e).WhitePadAttached = false;
     }},
    {"CA9", kAttachRedPad,
     [](Engine& e) {
         readyForAnalysis(e);
         S(e).RedPadAttached = false;
     }},
    {"CA10", kStopMotion,
     [](Engine& e) {
         readyForAnalysis(e);
         S(e).TroubleKind = 2;
     }},
    {"CA11", kPressAnalyze,
     [](Engine& e) {
         readyForAnalysis(e);
         S(e).PatientCleared = true;
     }},
    {"CA12", kClearForAnalysis, readyForAnalysis},
};

const Case kAfter[] = {
    {"CB3K", kTurnOnChildKey,
     [](Engine& e) {
         analysed(e);
         S(e).PatientCategory = kPediatric;
         S(e).ShockAdvised = true;
     }},
    // A shock or a no-shock result: CPR at once.
    {"CB17", kStartCPR, analysed},
    {"CB19", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         S(e).CPRPressed = true;
     }},
    {"CB19", kWaitForAnalysis,
     [](Engine& e) {
         analysed(e);
         S(e).CPRPressed = true;
         S(e).PatientCleared = true;
     }},
    {"CB19", kPressAnalyze,
     [](Engine& e) {
         analysed(e);
         S(e).AdultCPRRunning = true;
         e.settings.SetOn(Opt::OPTClearAnalyze, false);
         e.settings.SetOn(Opt::OPTAUTOANALYZE, false);
     }},
    // The device asks for the analysis: not CPR again.
    {"CB18", kClearForAnalysis,
     [](Engine& e) {
         analysed(e);
         S(e).AedState::Phase.step = AedStep::AnalyzePrompted;
     }},
    {"CB11", kRecheckBreathing, pulseFound},
    {"CB12", kGiveRescueBreaths,
     [](Engine& e) {
         pulseFound(e);
         S(e).BreathingCheckedAfterPulse = true;
         S(e).BreathingRate = 0;
     }},
    {"CB13", kCheckBloodPressure,
     [](Engine& e) {
         pulseFound(e);
         S(e).BreathingCheckedAfterPulse = true;
         e.settings.SetOn(Opt::OPTBPCHECK, true);
     }},
    {"CB14", kGiveVoiceReport,
     [](Engine& e) {
         pulseFound(e);
         S(e).BreathingCheckedAfterPulse = true;
         e.settings.SetOn(Opt::OptVoice, true);
     }},
    {"CB15", kEndScenario,
     [](Engine& e) {
         pulseFound(e);
         S(e).BreathingCheckedAfterPulse = true;
     }},
    // Nothing to shock, every analysis done: CPR, then the end.
    {"CB16", kStartCPR,
     [](Engine& e) {
         analysed(e);
         S(e).AnalysisCount = 3;
         S(e).AnalysesComplete = S(e).CPRSinceAnalysis = true;
         S(e).PulseState = kNothingToShock;
     }},
    {"CB16", kEndScenario,
     [](Engine& e) {
         analysed(e);
         S(e).AnalysisCount = 3;
         S(e).AnalysesComplete = S(e).CPRSinceAnalysis = S(e).CPRPressed = true;
         S(e).PulseState = kNothingToShock;
     }},
};

TEST_P(CurrentRules, FirstRuleThatHoldsDecides) {
    expectFirstRuleDecides();
}

INSTANTIATE_TEST_SUITE_P(BeforeAnalysis, CurrentRules, ::testing::ValuesIn(kBefore));
INSTANTIATE_TEST_SUITE_P(AfterAnalysis, CurrentRules, ::testing::ValuesIn(kAfter));

// The pulse a shock restored shows only once an analysis has followed the shock.
TEST_F(CurrentRules, ThePulseIsFoundOnlyByTheAnalysisAfterTheShock) {
    pulseFound(e);
    e.log.Add(e.timers.Now(), "device", "Shock delivered");
    EXPECT_EQ(DecidingRule(e), "CB17");
    EXPECT_EQ(ExpectedNextStep(e), kStartCPR);
    e.log.Add(e.timers.Now(), "device", "Analysis started");
    EXPECT_EQ(DecidingRule(e), "CB11");
    S(e).AedState::Phase.step = AedStep::Analysing;  // its result is not known yet
    EXPECT_NE(DecidingRule(e), "CB11");
}

// The same state under the classic protocol is judged by the classic tables.
TEST_F(CurrentRules, TheClassicProfileKeepsTheClassicTables) {
    checked(e);
    S(e).GuidelineProfile = 0;
    EXPECT_EQ(DecidingRule(e), "A5");
    EXPECT_EQ(ExpectedNextStep(e), kGiveRescueBreaths);
    S(e).GuidelineProfile = 1;
    EXPECT_EQ(DecidingRule(e), "CA5");
}

TEST(CPRFractionTarget, MetAsShownToOneDecimal) {
    EXPECT_EQ(CPRFractionTarget(true), 60.0);
    EXPECT_EQ(CPRFractionTarget(false), 80.0);
    EXPECT_TRUE(FractionMeets(60.0, 60.0));
    EXPECT_TRUE(FractionMeets(59.96, 60.0));  // shown as 60.0
    EXPECT_FALSE(FractionMeets(59.94, 60.0));
    EXPECT_FALSE(FractionMeets(59.9, 60.0));
    EXPECT_TRUE(FractionMeets(100.0, 60.0));
    EXPECT_FALSE(FractionMeets(0.0, 60.0));
}

}  // namespace
}  // namespace ardentix::current_rules
