#include "core/state.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <type_traits>

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

// Every field a script can name, through every record: the trainee, the patient and the results
// of the last scenario are kept, everything else starts afresh.
TEST(ScenarioState, ResetKeepsThePatientTheTraineeAndTheLastResults) {
    const std::set<std::string> kept = {"UserName",
                                        "UserID",
                                        "Mode",
                                        "TestScenarioCount",
                                        "ScenarioDate",
                                        "PatientCategory",
                                        "ShocksNeeded",
                                        "PatientAge",
                                        "PatientHistory",
                                        "PictureSet",
                                        "StepPoints",
                                        "AnalysisFinished",
                                        "ElapsedTimeText",
                                        "FirstShockTimeText",
                                        "ScoreText"};
    const ScenarioState fresh;
    ScenarioState s;
    std::map<std::string, std::string> set;
#define ARDENTIX_SET_OTHER(type, name, start)                                                      \
    set[#name] = std::is_same_v<type, std::string> ? "x" : std::is_same_v<type, bool> ? "1" : "7"; \
    ASSERT_TRUE(SetFieldText(s, #name, set[#name]));
    ARDENTIX_ALL_FIELDS(ARDENTIX_SET_OTHER)
#undef ARDENTIX_SET_OTHER
    s.TestPlan = {2, 0, 1, 4, 3};
    s.PauseMemory[3] = true;
    s.AutoABCsAfterPause = true;
    s.AedState::Phase.step = AedStep::Armed;
    s.RescuerState::PausePhase.compressing = true;

    s.ResetScenarioFields();

    for (const auto& [name, text] : set) {
        if (name == "PulseState") continue;
        const bool keeps = kept.count(name) > 0;
        EXPECT_EQ(FieldText(s, name), keeps ? text : FieldText(fresh, name))
            << name << (keeps ? " is kept" : " starts afresh");
    }
    EXPECT_EQ(s.TestPlan, (std::array<uint8_t, 5>{2, 0, 1, 4, 3}));
    EXPECT_FALSE(s.PauseMemory[3]);
    EXPECT_FALSE(s.AutoABCsAfterPause);
    EXPECT_EQ(s.AedState::Phase.step, AedStep::Idle);
    EXPECT_FALSE(s.RescuerState::PausePhase.compressing);
    EXPECT_EQ(s.PulseState, kShockable) << "the rhythm follows the patient's shocks";

    s.ShocksNeeded = 0;
    s.ResetScenarioFields();
    EXPECT_EQ(s.PulseState, kNothingToShock);
}

}  // namespace
}  // namespace ardentix
