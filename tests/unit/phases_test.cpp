// What the phases decide that no script pins down: the advice for a missing pad stops CPR (the
// monitor shows it, the rescuer stops), and a pause parks the phases and gives them back.
#include <gtest/gtest.h>

#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"
#include "scenario/flow.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

class PhaseMoves : public ::testing::Test {
  protected:
    testing::FakePorts fakes;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};
    ScenarioState& s = e.ScriptState();

    void SetUp() override {
        e.settings.SetOn(Opt::OPTCOMPRVENT, false);
        e.settings.SetOn(Opt::OPTCPRTIME, false);
        e.settings.SetOn(Opt::OptVoice, false);
        ResetScenario(e);
        BeginScenario(e);
        s.ResponsivenessChecked = s.AirwayOpened = s.BreathingChecked = true;
        s.TwoBreathsGiven = s.PulseChecked = s.HelpCalled = s.AEDOn = true;
    }
    // CPR with the AED counting 40 seconds of its period.
    void compressions() {
        CPRButton(e);
        ASSERT_TRUE(CPRIsRunning(e));
        e.timers.Start(TimerId::CPRCountdownTimer);
        s.CountdownSeconds = 40;
    }
};

TEST_F(PhaseMoves, AdviceForAMissingPadStopsCPR) {
    s.WhitePadAttached = true;
    compressions();
    RequestAdvice(e);
    EXPECT_EQ(e.screen.Get(El::ADVICEText).text, "Attach this electrode pad where shown.");
    EXPECT_FALSE(CPRIsRunning(e));
    EXPECT_FALSE(e.timers.Running(TimerId::CPRTimer));
    EXPECT_TRUE(s.RedGuideShown);
    EXPECT_EQ(e.screen.Get(El::MSG0).text, "Stopped CPR too soon (-35).");
    EXPECT_EQ(s.Score, -85) << "the advice (-50) and the early stop";

    // With both pads on, the advice is another and CPR goes on.
    s.RedPadAttached = true;
    compressions();
    RequestAdvice(e);
    EXPECT_NE(e.screen.Get(El::ADVICEText).text, "Attach this electrode pad where shown.");
    EXPECT_TRUE(CPRIsRunning(e));
    EXPECT_EQ(s.Score, -135);
}

TEST_F(PhaseMoves, TutorialAdviceForAMissingPadStopsCPRAtOnce) {
    s.Mode = kTutorial;
    CPRButton(e);
    EXPECT_EQ(e.screen.Get(El::ADVICEText).text, "Drag electrode pad to where shown.");
    EXPECT_FALSE(CPRIsRunning(e));
    EXPECT_TRUE(s.WhiteGuideShown);
    EXPECT_FALSE(s.RedGuideShown);
}

// Nothing is under way while the scenario is paused; the same is again once it ends.
TEST_F(PhaseMoves, APauseParksThePhases) {
    CheckResponsiveness(e);
    EXPECT_TRUE(CheckUnderWay(e));
    EXPECT_FALSE(AbcsMenuAvailable(e));
    TogglePause(e);
    EXPECT_FALSE(CheckUnderWay(e));
    EXPECT_TRUE(AbcsMenuAvailable(e));
    EXPECT_EQ(s.RescuerState::Phase.check, HandsCheck::None);
    TogglePause(e);
    EXPECT_TRUE(CheckUnderWay(e));
    EXPECT_EQ(s.RescuerState::Phase.check, HandsCheck::Shaking);
    EXPECT_EQ(s.RescuerState::PausePhase.check, HandsCheck::None) << "given back, not kept";
}

// What runs when a pause ends is what ran when it began and what began during it, as the
// remembered timers start again beside those started meanwhile; the device's notes stay.
TEST(PausedPhases, ResumeJoinsWhatRanAndWhatBegan) {
    Phases before;
    before.aed.power = Power::SelfTest;
    before.aed.round = ChainRound::AfterCountdown;
    before.aed.analyzeAfresh = true;
    before.aed.countdown = true;
    before.rescuer.check = HandsCheck::Shaking;
    before.rescuer.compressing = true;
    Phases parked = before.Parked();
    EXPECT_FALSE(parked.aed.PoweringUp());
    EXPECT_FALSE(parked.aed.countdown);
    EXPECT_EQ(parked.rescuer.check, HandsCheck::None);
    EXPECT_FALSE(parked.rescuer.compressing);
    EXPECT_EQ(parked.aed.round, ChainRound::AfterCountdown);
    EXPECT_TRUE(parked.aed.analyzeAfresh);

    parked.aed.step = AedStep::AnalyzeDue;  // a loose pad put back during the pause
    parked.aed.analyzeAfresh = false;
    const Phases after = Phases::Resumed(before, parked);
    EXPECT_EQ(after.aed.power, Power::SelfTest);
    EXPECT_EQ(after.aed.step, AedStep::AnalyzeDue);
    EXPECT_FALSE(after.aed.analyzeAfresh);
    EXPECT_TRUE(after.aed.countdown);
    EXPECT_EQ(after.rescuer.check, HandsCheck::Shaking);
    EXPECT_TRUE(after.rescuer.compressing);
    Phases analysing;
    analysing.aed.step = AedStep::StandClear;
    EXPECT_EQ(analysing.Parked().aed.step, AedStep::Idle);
    EXPECT_EQ(Phases::Resumed(analysing, analysing.Parked()).aed.step, AedStep::StandClear);
}

}  // namespace
}  // namespace ardentix
