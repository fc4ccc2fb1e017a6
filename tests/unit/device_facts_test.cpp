// What the device tells the monitor under current guidelines: the two-minute countdown and the
// ms left of it, the last shock and no-shock result, the child key and a pulse that waits for the
// next analysis.
#include "core/device_facts.h"

#include <gtest/gtest.h>

#include "aed/aed.h"
#include "core/course.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"
#include "scenario/flow.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

class DeviceFacts : public ::testing::Test {
  protected:
    testing::FakePorts fakes;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};
    ScenarioState& s = e.ScriptState();

    void SetUp() override {
        e.settings.SetText(Opt::OPTCPRCOMP, "100");  // a tick a second
        e.settings.SetOn(Opt::OptVoice, false);
        e.settings.SetOn(Opt::OPTGuideCurrent, true);
        e.settings.SetOn(Opt::OPTGuideClassic, false);
        ResetScenario(e);
        BeginScenario(e);
        ASSERT_TRUE(CurrentGuidelines(e));
    }
    void advance(Millis ms) { e.timers.AdvanceTo(e.timers.Now() + ms); }
};

TEST_F(DeviceFacts, TheCountdownAndTheMsLeftOfIt) {
    EXPECT_FALSE(CountdownRunning(e));
    EXPECT_EQ(CountdownMsLeft(e), 0);
    PromptCPRCycle(e);
    EXPECT_TRUE(CountdownRunning(e));
    EXPECT_EQ(CountdownMsLeft(e), 120000);
    advance(999);
    EXPECT_EQ(CountdownMsLeft(e), 119001);
    advance(1);
    EXPECT_EQ(s.CountdownSeconds, 119);
    EXPECT_EQ(CountdownMsLeft(e), 119000);
    advance(108999);
    EXPECT_EQ(CountdownMsLeft(e), 10001);
    advance(1);
    EXPECT_EQ(CountdownMsLeft(e), 10000);
    advance(9999);
    EXPECT_TRUE(CountdownRunning(e));
    EXPECT_EQ(CountdownMsLeft(e), 1);
    advance(1);
    EXPECT_FALSE(CountdownRunning(e));
    EXPECT_EQ(CountdownMsLeft(e), 0);
}

TEST_F(DeviceFacts, APauseStopsTheCountdownAndItsTickBeginsAgain) {
    PromptCPRCycle(e);
    advance(30500);
    EXPECT_EQ(CountdownMsLeft(e), 89500);
    TogglePause(e);
    EXPECT_FALSE(CountdownRunning(e));
    EXPECT_EQ(CountdownMsLeft(e), 0);
    advance(5000);
    TogglePause(e);
    // The tick under way when the pause began starts again: 90 whole seconds are left.
    EXPECT_TRUE(CountdownRunning(e));
    EXPECT_EQ(CountdownMsLeft(e), 90000);
}

TEST_F(DeviceFacts, TheLastShockAndNoShockFromTheirFirst) {
    EXPECT_FALSE(LastShockAt(e).has_value());
    EXPECT_FALSE(LastNoShockAt(e).has_value());
    s.LastShockTime = 0;  // a shock at the very start of the clock is a time all the same
    EXPECT_EQ(LastShockAt(e), 0);
    s.LastNoShockTime = 297650;
    EXPECT_EQ(LastNoShockAt(e), 297650);
    ResetScenario(e);
    EXPECT_FALSE(LastShockAt(e).has_value());
    EXPECT_FALSE(LastNoShockAt(e).has_value());
}

TEST_F(DeviceFacts, TheChildKeyAndAPulseDue) {
    EXPECT_FALSE(ChildKeySwitchedOn(e));
    ChildKey(e);
    EXPECT_TRUE(ChildKeySwitchedOn(e));
    EXPECT_TRUE(e.screen.Get(El::CHILDLED).visible);
    ChildKey(e);
    EXPECT_FALSE(ChildKeySwitchedOn(e));
    EXPECT_FALSE(e.screen.Get(El::CHILDLED).visible);
    EXPECT_FALSE(PulseReturnsAtNextAnalysis(e));
    s.PulseReturnPending = true;
    EXPECT_TRUE(PulseReturnsAtNextAnalysis(e));
}

// Under current guidelines a returned circulation is recognised by the signs of life: the patient
// whose pulse has come back breathes (12 to 15 a minute); the classic draw leaves two in five
// without breathing.
TEST_F(DeviceFacts, APatientWhosePulseReturnedBreathesUnderCurrentGuidelines) {
    int classicWithoutBreath = 0;
    for (uint32_t seed = 0; seed < 40; ++seed) {
        for (const bool current : {true, false}) {
            s.GuidelineProfile = current ? kCurrentGuidelines : 0;
            s.VitalsDrawn = false;
            SetPulseState(e, kPulseRestored);
            e.random.Seed(seed);
            UpdateVitalSigns(e);
            EXPECT_GE(s.PulseRate, 56);
            if (current) {
                EXPECT_GE(s.BreathingRate, 12) << seed;
                EXPECT_LE(s.BreathingRate, 15) << seed;
            } else if (s.BreathingRate == 0) {
                ++classicWithoutBreath;
            }
        }
    }
    EXPECT_GT(classicWithoutBreath, 0);
}

}  // namespace
}  // namespace ardentix
