#include "core/state.h"

#include <gtest/gtest.h>

namespace ardentix {
namespace {

TEST(ScenarioState, FieldsHaveTheirWidths) {
    ScenarioState s;
    EXPECT_TRUE(SetFieldText(s, "Score", "-32768"));
    EXPECT_EQ(s.Score, -32768);
    EXPECT_FALSE(SetFieldText(s, "Score", "32768"));
    EXPECT_TRUE(SetFieldText(s, "StepPoints", "255"));
    EXPECT_FALSE(SetFieldText(s, "StepPoints", "256"));
    EXPECT_FALSE(SetFieldText(s, "ShocksNeeded", "-1"));
    EXPECT_TRUE(SetFieldText(s, "ElapsedSeconds", "600000"));
    EXPECT_FALSE(SetFieldText(s, "AEDOn", "2")) << "a flag holds 0 or 1";
    EXPECT_FALSE(SetFieldText(s, "NextStep", "x"));
    EXPECT_FALSE(SetFieldText(s, "NoSuchField", "1"));
    EXPECT_EQ(FieldText(s, "ElapsedSeconds"), "600000");
    EXPECT_FALSE(FieldText(s, "NoSuchField").has_value());
    static_assert(sizeof(s.Score) == 2);
    static_assert(sizeof(s.PatientAge) == 4);
    static_assert(sizeof(s.AEDOn) == 1);
}

TEST(ScenarioState, TestPlanIsFiveEntries) {
    ScenarioState s;
    EXPECT_TRUE(SetFieldText(s, "TestPlan", "4,3,2,1,0"));
    EXPECT_EQ(FieldText(s, "TestPlan"), "4,3,2,1,0");
    EXPECT_FALSE(SetFieldText(s, "TestPlan", "1,2,3,4"));
    EXPECT_FALSE(SetFieldText(s, "TestPlan", "1,2,3,4,0,1"));
    EXPECT_EQ(FieldText(s, "TestPlan"), "4,3,2,1,0");
}

TEST(ScenarioState, ResetKeepsThePatientAndTheTrainee) {
    ScenarioState s;
    s.UserName = "Pat";
    s.Mode = kPractice;
    s.PatientCategory = kRefractory;
    s.ShocksNeeded = 4;
    s.PatientAge = 12;
    s.PatientHistory = "Your patient is a 61 y.o. male*";
    s.PictureSet = 5;
    s.StepPoints = 35;
    s.TestPlan = {2, 0, 1, 4, 3};
    s.Score = 410;
    s.NextStep = 14;
    s.SoundFile = "ring.wav";
    s.ShockCount = 3;
    s.PulseState = kPulseRestored;
    s.BloodPressure = "110/78";
    s.RedDragging = true;
    s.ShakeCount = 9;
    s.PauseMemory[3] = true;
    s.AnalysisFinished = true;
    s.FirstShockTimeText = "01:10";

    s.ResetScenarioFields();

    EXPECT_EQ(s.UserName, "Pat");
    EXPECT_EQ(s.PatientCategory, kRefractory);
    EXPECT_EQ(s.ShocksNeeded, 4);
    EXPECT_EQ(s.PatientHistory, "Your patient is a 61 y.o. male*");
    EXPECT_EQ(s.PictureSet, 5);
    EXPECT_EQ(s.StepPoints, 35);
    EXPECT_EQ(s.TestPlan, (std::array<uint8_t, 5>{2, 0, 1, 4, 3}));
    EXPECT_EQ(s.Score, 0);
    EXPECT_EQ(s.NextStep, 2);
    EXPECT_EQ(s.SoundFile, "CLICK.WAV");
    EXPECT_EQ(s.ShockCount, 0);
    EXPECT_EQ(s.PulseState, kShockable);
    EXPECT_EQ(s.BloodPressure, "0");
    EXPECT_FALSE(s.RedDragging);
    EXPECT_EQ(s.ShakeCount, 0);
    EXPECT_FALSE(s.PauseMemory[3]);
    EXPECT_TRUE(s.AnalysisFinished);
    EXPECT_EQ(s.FirstShockTimeText, "01:10");

    s.ShocksNeeded = 0;
    s.ResetScenarioFields();
    EXPECT_EQ(s.PulseState, kNothingToShock);
}

}  // namespace
}  // namespace ardentix
