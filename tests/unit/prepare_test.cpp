// The draw over many patients: its probabilities and the rules that hold for every patient.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

class Draws : public ::testing::Test {
  protected:
    testing::FakePorts fakes;
    WiredEngine engine{fakes.ports(), testing::kNoProgramDir};

    // Category counts over n patients, each from a seed spread over the 32-bit range.
    std::array<int, 5> categories(int n) {
        std::array<int, 5> counts{};
        for (int i = 0; i < n; ++i) {
            engine.random.Seed(static_cast<uint32_t>(i) * 2654435761u);
            PrepareScenario(engine);
            ++counts[engine.state.PatientCategory];
        }
        return counts;
    }

    // Within five standard deviations of n draws with probability p.
    static void expectShare(int count, int n, double p, const char* what) {
        const double sigma = std::sqrt(n * p * (1 - p));
        EXPECT_NEAR(count, n * p, 5 * sigma) << what;
    }
};

TEST_F(Draws, AdultsThreeQuartersWithoutChildrenOrHypothermia) {
    engine.ScriptState().Mode = kPractice;
    const int n = 16000;
    const auto counts = categories(n);
    expectShare(counts[kAdult], n, 0.75, "adults");
    expectShare(counts[kRefractory], n, 0.25, "long shock series");
    EXPECT_EQ(counts[kChild] + counts[kPediatric] + counts[kHypothermic], 0);
}

TEST_F(Draws, HypothermicOneInSixteen) {
    engine.ScriptState().Mode = kPractice;
    engine.settings.SetOn(Opt::OptHypo, true);
    const int n = 16000;
    const auto counts = categories(n);
    expectShare(counts[kHypothermic], n, 1.0 / 16, "hypothermic");
    expectShare(counts[kAdult], n, 0.75 - 1.0 / 16, "adults");
}

TEST_F(Draws, ChildrenOneInEightEach) {
    engine.ScriptState().Mode = kPractice;
    engine.settings.SetOn(Opt::OPTPEDScen, true);
    const int n = 16000;
    const auto counts = categories(n);
    expectShare(counts[kChild], n, 1.0 / 8, "children above the minimum");
    expectShare(counts[kPediatric], n, 1.0 / 8, "children below the minimum");
    expectShare(counts[kRefractory], n, 1.0 / 8, "long shock series");
}

// Today's guidelines treat a child below the minimum with the child key: half of them need one
// shock and are scored with an adult's step points; the classic draw leaves nothing to shock. The
// profile chosen on the pages is the one the draw follows, whatever the last scenario had.
TEST_F(Draws, ChildrenBelowTheMinimumShockableHalfTheTimeUnderCurrentGuidelines) {
    engine.ScriptState().Mode = kPractice;
    engine.settings.SetOn(Opt::OPTPEDScen, true);
    for (const bool current : {false, true, false}) {
        engine.settings.SetOn(current ? Opt::OPTGuideCurrent : Opt::OPTGuideClassic, true);
        int children = 0;
        int shockable = 0;
        for (int i = 0; i < 8000; ++i) {
            engine.random.Seed(static_cast<uint32_t>(i) * 2654435761u);
            PrepareScenario(engine);
            const ScenarioState& s = engine.state;
            EXPECT_EQ(s.GuidelineProfile, current ? 1 : 0);
            if (s.PatientCategory != kPediatric) continue;
            ++children;
            EXPECT_LE(s.ShocksNeeded, current ? 1 : 0);
            shockable += s.ShocksNeeded;
            EXPECT_EQ(s.StepPoints == 95 || s.StepPoints == 135, !current);
        }
        ASSERT_GT(children, 500);
        if (current) {
            expectShare(shockable, children, 0.5, "shockable children below the minimum");
        } else {
            EXPECT_EQ(shockable, 0);
        }
    }
}

TEST_F(Draws, EveryPatientKeepsTheRules) {
    engine.ScriptState().Mode = kPractice;
    engine.settings.SetOn(Opt::OPTPEDScen, true);
    engine.settings.SetOn(Opt::OptHypo, true);
    engine.random.Seed(77);
    int previousSet = engine.state.PictureSet;
    for (int i = 0; i < 5000; ++i) {
        PrepareScenario(engine);
        const ScenarioState& s = engine.state;
        const bool child = s.PatientCategory == kChild || s.PatientCategory == kPediatric;
        EXPECT_EQ(s.PictureSet == 3, child);
        if (!child) {
            EXPECT_NE(s.PictureSet, previousSet) << "an adult gets a new picture set";
        }
        if (s.PatientCategory == kPediatric) {
            EXPECT_EQ(s.ShocksNeeded, 0);
        }
        if (s.PatientCategory == kHypothermic) {
            EXPECT_EQ(s.ShocksNeeded, 3);
        }
        if (s.PatientCategory == kRefractory) {
            EXPECT_GE(s.ShocksNeeded, 3);
            EXPECT_LE(s.ShocksNeeded, 5);
        }
        EXPECT_LE(s.ShocksNeeded, 5);
        EXPECT_EQ(s.PulseState, s.ShocksNeeded > 0 ? kShockable : kNothingToShock);
        EXPECT_GE(s.StepPoints, 25);
        EXPECT_LE(s.StepPoints, 135);
        EXPECT_NE(s.PatientHistory.find('*'), std::string::npos);
        EXPECT_TRUE(s.PatientHistory.starts_with("Your patient is a "));
        previousSet = s.PictureSet;
    }
}

TEST_F(Draws, TestPlanIsAlwaysAPermutation) {
    engine.ScriptState().Mode = kTest;
    for (uint32_t seed = 0; seed < 500; ++seed) {
        engine.ScriptState().TestScenarioCount = 0;
        engine.random.Seed(seed * 7919u);
        PrepareScenario(engine);
        auto plan = engine.state.TestPlan;
        std::sort(plan.begin(), plan.end());
        EXPECT_EQ(plan, (std::array<uint8_t, 5>{0, 1, 2, 3, 4}));
    }
}

TEST_F(Draws, RepeatReplaysThePatientFromItsStart) {
    engine.ScriptState().Mode = kPractice;
    engine.random.Seed(4242);
    PrepareScenario(engine);
    ResetScenario(engine);
    const ScenarioState patient = engine.state;

    engine.ScriptState().Score = 275;
    engine.ScriptState().AEDOn = true;
    engine.ScriptState().ElapsedSeconds = 88;
    engine.screen.Edit(El::AEDDISPLAY1).text = "PUSH TO SHOCK";
    engine.screen.Edit(El::SummaryErrors).lines = {"Forgot to clear (-25)."};
    engine.screen.Edit(El::CloseupPanel).visible = true;
    ResetScenario(engine);

    const ScenarioState& s = engine.state;
    EXPECT_EQ(s.PatientCategory, patient.PatientCategory);
    EXPECT_EQ(s.ShocksNeeded, patient.ShocksNeeded);
    EXPECT_EQ(s.PatientHistory, patient.PatientHistory);
    EXPECT_EQ(s.PictureSet, patient.PictureSet);
    EXPECT_EQ(s.StepPoints, patient.StepPoints);
    EXPECT_EQ(s.PatientAge, patient.PatientAge);
    EXPECT_EQ(s.Score, 0);
    EXPECT_FALSE(s.AEDOn);
    EXPECT_EQ(s.ElapsedSeconds, 0);
    EXPECT_EQ(engine.screen.Get(El::AEDDISPLAY1).text, "");
    EXPECT_TRUE(engine.screen.Get(El::SummaryErrors).lines.empty());
    EXPECT_FALSE(engine.screen.Get(El::CloseupPanel).visible);
}

TEST_F(Draws, AMissingPictureEndsTheProgram) {
    struct NoPictures : Pictures {
        std::optional<std::string> Load(const std::vector<PictureFile>& files) override {
            return files.back().path;
        }
    } none;
    WiredEngine e({&fakes.clock, &fakes.sound, &fakes.dialogs, &none, nullptr},
                  testing::kNoProgramDir);
    e.ScriptState().Mode = kPractice;
    PrepareScenario(e);
    EXPECT_TRUE(e.ended);
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0],
              "File is missing. You may need to re-install Ardentix. Click to close program.");
}

}  // namespace
}  // namespace ardentix
