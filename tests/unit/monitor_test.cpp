// The score arithmetic, the five checks for skipped steps, and the evaluation's bookkeeping.
#include <gtest/gtest.h>

#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "monitor/monitor.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

class Monitor : public ::testing::Test {
  protected:
    testing::FakePorts fakes;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};
    ScenarioState& s = e.ScriptState();

    void SetUp() override {
        s.ShocksNeeded = 2;
        s.StepPoints = 60;
        ResetScenario(e);
    }
    std::string text(const char* name) { return e.screen.Get(ElementCalled(name)).text; }
    const std::vector<std::string>& errors() { return e.screen.Get(El::SummaryErrors).lines; }
};

TEST_F(Monitor, DeductWritesBothLinesTheReportAndTheScore) {
    AwardStep(e);
    EXPECT_EQ(s.Score, 60);
    Deduct(e, 100, "Did not start CPR after", "pulse check (-100).",
           "Did not do CPR after pulse check (-100).");
    EXPECT_EQ(s.Score, -40);
    EXPECT_EQ(text("SCOREDisplay"), "-40");
    EXPECT_EQ(text("MSG0"), "Did not start CPR after");
    EXPECT_EQ(text("MSG1"), "pulse check (-100).");
    EXPECT_EQ(errors(), std::vector<std::string>{"Did not do CPR after pulse check (-100)."});
}

TEST_F(Monitor, ActionAfterAShockWhileAnalysisWasDue) {
    s.AnalysisCount = 1;
    s.PreviousAction = "Shock";
    s.NextStep = kPressAnalyze;
    CheckAnalyzeAfterShock(e);  // auto analyze, but no analysis running: nothing
    EXPECT_EQ(s.Score, 0);
    s.AedState::Phase.step = AedStep::StandClear;
    CheckAnalyzeAfterShock(e);
    EXPECT_EQ(s.Score, -50);
    EXPECT_EQ(errors().back(), "Touched patient while AED was analyzing (-50).");
    e.settings.SetOn(Opt::OPTAUTOANALYZE, false);
    s.NextStep = kClearForAnalysis;
    CheckAnalyzeAfterShock(e);
    EXPECT_EQ(s.Score, -150);
    EXPECT_EQ(text("MSG0"), "Forgot to analyze immediately after shock (-100).");
    EXPECT_EQ(text("MSG1"), "");
    s.NextStep = kCheckPulse;
    CheckAnalyzeAfterShock(e);
    EXPECT_EQ(s.Score, -150) << "only while clearing or analysing was due";
}

TEST_F(Monitor, SkippedShockCostsTwoHundredAndExpectsClearing) {
    s.NextStep = kPressShock;
    CheckShockDelivered(e);
    EXPECT_EQ(s.Score, -200);
    EXPECT_EQ(s.NextStep, kClearForShock);
    EXPECT_EQ(errors().back(), "Did not shock when Shock Advised (-200).");
    s.NextStep = kCheckPulse;
    CheckShockDelivered(e);
    EXPECT_EQ(s.Score, -200);
}

TEST_F(Monitor, PulseCheckDueAfterAnalysisCPROrStackedShocks) {
    s.NextStep = kCheckPulse;
    s.PreviousAction = "Analyze";
    CheckPulseAfterAnalysis(e);
    EXPECT_EQ(text("MSG0"), "Forgot to check pulse after ");
    EXPECT_EQ(text("MSG1"), "No Shock Advised (-50).");
    EXPECT_EQ(errors().back(), "Did not check pulse after No Shock Advised (-50).");

    s.PreviousAction = "Clear";  // with auto analyze the clear stands for the analysis
    CheckPulseAfterAnalysis(e);
    EXPECT_EQ(errors().size(), 2u);

    s.PreviousAction = "Voice";
    s.EarlierAction = "CPR";
    CheckPulseAfterAnalysis(e);
    EXPECT_EQ(errors().size(), 2u) << "pulse after CPR is not required by default";
    e.settings.SetOn(Opt::OptPulseAfterCPR, true);
    CheckPulseAfterAnalysis(e);
    EXPECT_EQ(errors().back(), "Did not check pulse after CPR (-50).");

    s.NextStep = kClearForAnalysis;
    s.PreviousAction = "Shock";
    s.ShocksInSeries = 3;
    CheckPulseAfterAnalysis(e);
    EXPECT_EQ(text("MSG0"), "Forgot to check pulse after 3 ");
    EXPECT_EQ(text("MSG1"), "stacked shocks (-50).");
    EXPECT_EQ(errors().back(), "Did not check pulse after 3 stacked shocks.");
    EXPECT_EQ(s.Score, -200);
}

TEST_F(Monitor, CPRDueAfterAPulseCheck) {
    s.NextStep = kStartCPR;
    s.PreviousAction = "Pulse";
    s.LastAction = "Analyze";
    s.ShocksInSeries = 2;
    CheckCPRAfterPulse(e);
    EXPECT_EQ(s.Score, 0) << "before the first analysis only a pediatric patient counts";
    s.AnalysisCount = 1;
    CheckCPRAfterPulse(e);
    EXPECT_EQ(errors().back(), "Did not do CPR after pulse check (-100).");
    EXPECT_EQ(s.ShocksInSeries, 0);

    s.NextStep = kCheckPulse;
    s.PreviousAction = "Analyze";
    s.LastAction = "Airway";
    s.ShocksInSeries = 3;
    CheckCPRAfterPulse(e);
    EXPECT_EQ(errors().back(), "Did not start CPR after 3 stacked shocks (-100).");
    s.ShocksInSeries = 0;
    CheckCPRAfterPulse(e);
    EXPECT_EQ(errors().back(), "Did not do pulse/CPR after No Shock Advised (-100).");
    EXPECT_EQ(text("MSG0"), "Forgot pulse check/CPR sequence after ");
    s.LastAction = "Pulse";
    CheckCPRAfterPulse(e);
    EXPECT_EQ(s.Score, -300);
}

TEST_F(Monitor, AnalysisDueAfterTheCPRSequence) {
    s.EarlierAction = "CPR";
    s.PreviousAction = "Pulse";
    s.LastAction = "Analyze";
    CheckAnalyzeAfterCPR(e);
    EXPECT_EQ(s.Score, 0);
    s.LastAction = "Breath";
    CheckAnalyzeAfterCPR(e);
    EXPECT_EQ(errors().back(), "Did not analyze after CPR sequence (-100).");
    EXPECT_EQ(text("MSG1"), "CPR sequence (-100).");
}

TEST_F(Monitor, EvaluationMovesTheHistoryAndShowsTheScore) {
    s.LastAction = "Response";
    s.ResponsivenessChecked = true;
    s.Score = 60;
    e.screen.Edit(El::ADVICEPANEL).visible = true;
    EvaluateNextStep(e);
    EXPECT_EQ(s.NextStep, kOpenAirway);
    EXPECT_EQ(s.PreviousAction, "Response");
    EXPECT_EQ(s.EarlierAction, "");
    EXPECT_EQ(text("SCOREDisplay"), "60");
    EXPECT_FALSE(e.screen.Get(El::ADVICEPANEL).visible);
    s.LastAction = "Airway";
    s.AirwayOpened = true;
    EvaluateNextStep(e);
    EXPECT_EQ(s.NextStep, kCheckBreathing);
    EXPECT_EQ(s.PreviousAction, "Airway");
    EXPECT_EQ(s.EarlierAction, "Response");
}

TEST_F(Monitor, FirstActionOtherThanResponsivenessStillExpectsIt) {
    s.LastAction = "Airway";
    s.AirwayOpened = true;
    EvaluateNextStep(e);
    EXPECT_EQ(s.NextStep, kCheckResponsiveness);
}

TEST_F(Monitor, AdviceIsChargedOnlyAfterAnAction) {
    s.AdviceRequested = true;
    EvaluateNextStep(e);
    EXPECT_EQ(s.Score, 0);
    EXPECT_EQ(s.AdviceCount, 0);
    EXPECT_FALSE(s.AdviceRequested) << "the advice answers the request";
    s.LastAction = "Response";
    s.AdviceRequested = true;
    EvaluateNextStep(e);
    s.AdviceRequested = true;
    EvaluateNextStep(e);
    EXPECT_EQ(s.Score, -100);
    EXPECT_EQ(s.AdviceCount, 2);
    e.timers.Start(TimerId::SCENOVERLabelFLASHTimer);
    s.AdviceRequested = true;
    EvaluateNextStep(e);
    EXPECT_EQ(s.Score, -100);
}

TEST_F(Monitor, RescueControlsOffAndOn) {
    s.AdultCPRRunning = true;
    s.WhitePadAttached = true;
    e.timers.Start(TimerId::CPRTimer);
    e.timers.Start(TimerId::CALL911TIMER);
    e.screen.Edit(El::Pause).checked = true;
    DisableRescueControls(e);
    EXPECT_FALSE(e.timers.Running(TimerId::CPRTimer));
    EXPECT_TRUE(e.timers.Running(TimerId::CALL911TIMER)) << "the phone call goes on in a pause";
    for (const char* name : {"PADWHITE", "PADRED", "CPRBUTTON", "ENDBUTTON", "ShockButton"}) {
        EXPECT_FALSE(e.screen.Get(ElementCalled(name)).enabled) << name;
    }
    EnableRescueControls(e);
    EXPECT_TRUE(e.timers.Running(TimerId::CPRTimer)) << "CPR goes on";
    EXPECT_FALSE(e.screen.Get(El::PADWHITE).enabled) << "the white pad is on the chest";
    EXPECT_TRUE(e.screen.Get(El::PADRED).enabled);
    EXPECT_FALSE(e.screen.Get(El::VOICEBUTTON).enabled);
    EXPECT_FALSE(e.screen.Get(El::POWERBUTTON2).enabled) << "only on the close-up";
    EXPECT_TRUE(e.screen.Get(El::ENDBUTTON).enabled);
    EXPECT_TRUE(e.screen.Get(El::PatientHistory).enabled);

    e.screen.Edit(El::Pause).checked = false;
    DisableRescueControls(e);
    EXPECT_FALSE(e.timers.Running(TimerId::CALL911TIMER)) << "but ends with the scenario";
}

}  // namespace
}  // namespace ardentix
