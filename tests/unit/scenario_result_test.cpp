// What the engine hands the results store at the end of a scenario: who, when (with the station's
// offset), the patient, and whether a test is passed (completed without a single deduction); a
// Tutorial scenario is not handed over, and a store that fails is shown in a box.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "records/scenario_result.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

class OffsetClock : public testing::FixedClock {
  public:
    int UtcOffsetMinutes() override { return -90; }
};

class KeptResults : public ResultsStore {
  public:
    std::optional<RecordFailure> Record(const ScenarioResult& result) override {
        results.push_back(result);
        return failure;
    }
    std::vector<ScenarioResult> results;
    std::optional<RecordFailure> failure;
};

class ScenarioResults : public ::testing::Test {
  protected:
    ScenarioResults() : e(ports(), testing::kNoProgramDir) {
        clock.millis = 9 * 3600 * 1000 + 15 * 60 * 1000 + 7500;
        ResetScenario(e);
        ScenarioState& s = e.ScriptState();
        s.Mode = kTest;
        s.UserName = "Kim Lee        ";
        s.UserID = "4711";
        s.PatientCategory = kAdult;
        s.PatientAge = 12;
        s.PatientHistory = "Your patient is a 67 y.o. male who was found down.";
        s.ShocksNeeded = 2;
        s.Score = 500;
    }
    Ports ports() {
        Ports p = fakes.ports();
        p.clock = &clock;
        p.results = &store;
        return p;
    }
    void deduct() {
        e.log.Action(e.timers.Now(), "Shock");
        e.log.Score(e.timers.Now(), -50, {"Shocked without clearing (-50)."}, false);
        e.log.EndTurn();
    }

    testing::FakePorts fakes;
    OffsetClock clock;
    KeptResults store;
    WiredEngine e;
};

TEST_F(ScenarioResults, ATestIsPassedOnlyCompletedWithoutADeduction) {
    const ScenarioResult clean = CollectResult(e, true);
    EXPECT_EQ(clean.passed, true);
    EXPECT_EQ(CollectResult(e, false).passed, false);  // terminated
    e.log.Add(e.timers.Now(), "score", "Advice");      // an event without points
    EXPECT_EQ(CollectResult(e, true).passed, true);
    deduct();
    EXPECT_EQ(CollectResult(e, true).passed, false);
    e.ScriptState().Mode = kPractice;
    EXPECT_EQ(CollectResult(e, true).passed, std::nullopt);

    EXPECT_EQ(clean.traineeName, "Kim Lee");
    EXPECT_EQ(clean.traineeId, "4711");
    EXPECT_EQ(clean.mode, "Test");
    EXPECT_EQ(clean.profile, "Classic");
    EXPECT_EQ(clean.startedAt, "2026-12-06T09:15:07-01:30");
    EXPECT_EQ(clean.patientAge, 67);
    EXPECT_EQ(clean.shocksNeeded, 2);
    EXPECT_EQ(clean.score, 500);
    EXPECT_EQ(clean.firstShockMs, std::nullopt);
    // The figures that happened only, each by its script name.
    for (const ResultFigure& figure : clean.figures)
        EXPECT_FALSE(figure.value.empty());
    EXPECT_TRUE(std::any_of(clean.figures.begin(), clean.figures.end(),
                            [](const ResultFigure& f) { return f.name == "Deductions"; }));
}

TEST_F(ScenarioResults, AChildsAgeIsItsOwnField) {
    ScenarioState& s = e.ScriptState();
    s.PatientCategory = kPediatric;
    s.PatientAge = 5;
    EXPECT_EQ(CollectResult(e, true).patientAge, 5);
    s.PatientCategory = kAdult;
    s.PatientHistory = "A history without an age.";
    EXPECT_EQ(CollectResult(e, true).patientAge, 5);         // the field, as for a child
    s.PatientHistory = "Your patient is a 1234 y.o. male.";  // no age of a person
    EXPECT_EQ(CollectResult(e, true).patientAge, 5);
    s.PatientHistory = "Your patient is a 100 y.o. male.";
    EXPECT_EQ(CollectResult(e, true).patientAge, 100);
}

TEST_F(ScenarioResults, OnlyPracticeAndTestAreRecordedAndAFailureIsShown) {
    EXPECT_TRUE(RecordResult(e, true));
    e.ScriptState().Mode = kTutorial;
    EXPECT_TRUE(RecordResult(e, true));
    ASSERT_EQ(store.results.size(), 1u);
    EXPECT_TRUE(fakes.dialogs.shown.empty());

    e.ScriptState().Mode = kPractice;
    store.failure = RecordFailure{"disk I/O error", true};
    EXPECT_FALSE(RecordResult(e, false));
    store.failure = RecordFailure{"disk I/O error; not kept", false};
    EXPECT_FALSE(RecordResult(e, false));
    EXPECT_EQ(store.results.size(), 3u);
    EXPECT_EQ(fakes.dialogs.shown,
              (std::vector<std::string>{
                  "The result could not be saved in the results database (disk I/O error). It is "
                  "kept and will be saved later.",
                  "The result could not be saved in the results database (disk I/O error; not "
                  "kept). The report files have it."}));
}

}  // namespace
}  // namespace ardentix
