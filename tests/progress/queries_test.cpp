// The queries of the Progress tab against a real SQLite file: the days of the filter at their
// limits, the mode and the name, medians of odd and even counts, best and last score of attempts
// started at the same second, errors counted without their points, a stored debrief, and the
// CSV of the attempts with every kind of field that needs quoting.
#include <gtest/gtest.h>
#include <QCoreApplication>

#include "results_file.h"
#include "store/progress_queries.h"
#include "temp_dir.h"

using namespace ardentix;
using namespace ardentix::store;
using test::AttemptRecord;

namespace {

class ProgressQueriesTest : public ardentix::testing::TempDirTest {
  protected:
    ProgressQueriesTest() : file_(QString::fromStdString(dir + "/ARDENTIX.DB")) {
        EXPECT_TRUE(file_.Ok()) << file_.Failure().toStdString();
    }

    void add(AttemptRecord a) {
        if (a.uuid.isEmpty()) a.uuid = QStringLiteral("uuid-%1").arg(++count_, 3, 10, QChar('0'));
        ASSERT_TRUE(file_.Add(a)) << file_.Failure().toStdString();
    }
    AttemptRecord at(const char* startedAt, const char* name = "Kim Lee") {
        AttemptRecord a;
        a.startedAt = QString::fromLatin1(startedAt);
        a.name = QString::fromUtf8(name);
        return a;
    }
    QStringList uuids(const ProgressFilter& filter) {
        QStringList list;
        for (const Attempt& a : queries().Attempts(filter))
            list << a.uuid;
        EXPECT_EQ(queries().Failure(), QString());
        return list;
    }
    ProgressQueries queries() { return ProgressQueries(file_.Db()); }

    test::ResultsFile file_;
    int count_ = 0;
};

TEST_F(ProgressQueriesTest, DaysOfTheFilterCountWholeAtBothLimits) {
    add(at("2026-12-07T23:59:59+01:00"));  // uuid-001: the day before
    add(at("2026-12-08T00:00:00+01:00"));  // 002: the first day at its start
    add(at("2026-12-10T23:59:59-05:00"));  // 003: the last day at its end (another offset)
    add(at("2026-12-11T00:00:00+01:00"));  // 004: the day after
    const QDate first(2026, 12, 8), last(2026, 12, 10);
    EXPECT_EQ(uuids({first, last, {}, {}}), QStringList({"uuid-002", "uuid-003"}));
    EXPECT_EQ(uuids({first, first, {}, {}}), QStringList({"uuid-002"}));
    EXPECT_EQ(uuids({{}, last, {}, {}}), QStringList({"uuid-001", "uuid-002", "uuid-003"}));
    EXPECT_EQ(uuids({first, {}, {}, {}}), QStringList({"uuid-002", "uuid-003", "uuid-004"}));
    // The trainee's row counts the same attempts, and so does the trainee's own list.
    const std::vector<TraineeSummary> rows = queries().Trainees({first, last, {}, {}});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].attempts, 2);
    EXPECT_EQ(rows[0].lastStarted, "2026-12-10T23:59:59-05:00");
    EXPECT_EQ(queries().AttemptsOf("Kim Lee", "", {first, last, {}, {}}).size(), 2u);
}

TEST_F(ProgressQueriesTest, ModeAndNameFilterTraineesAttemptsAndErrors) {
    AttemptRecord test = at("2026-12-08T10:00:00+01:00", "Åsa Berg");
    test.mode = "Test";
    test.errors = {"Did not call for help (-50)."};
    add(test);
    AttemptRecord practice = at("2026-12-08T11:00:00+01:00", "Kim Lee");
    practice.errors = {"Did not call for help (-50).", "Forgot to check pulse (-50)."};
    add(practice);
    add(at("2026-12-08T12:00:00+01:00", "ÅSA BERG"));  // another trainee: names are as typed

    EXPECT_EQ(uuids({{}, {}, "Test", {}}), QStringList({"uuid-001"}));
    // The name matches in any case, letters beyond ASCII too, and in part.
    EXPECT_EQ(uuids({{}, {}, {}, QString::fromUtf8("åsa")}), QStringList({"uuid-001", "uuid-003"}));
    EXPECT_EQ(uuids({{}, {}, {}, "lee"}), QStringList({"uuid-002"}));
    const std::vector<TraineeSummary> asa = queries().Trainees({{}, {}, {}, "berg"});
    ASSERT_EQ(asa.size(), 2u);
    EXPECT_EQ(asa[0].name, QString::fromUtf8("ÅSA BERG"));
    EXPECT_EQ(asa[1].name, QString::fromUtf8("Åsa Berg"));

    const auto errors = [&](const ProgressFilter& f) {
        std::vector<std::pair<QString, int>> list;
        for (const ErrorCount& e : queries().Errors(f))
            list.emplace_back(e.error, e.count);
        return list;
    };
    using Counts = std::vector<std::pair<QString, int>>;
    EXPECT_EQ(errors({}), Counts({{"Did not call for help", 2}, {"Forgot to check pulse", 1}}));
    EXPECT_EQ(errors({{}, {}, "Practice", {}}),
              Counts({{"Did not call for help", 1}, {"Forgot to check pulse", 1}}));
    EXPECT_EQ(errors({{}, {}, {}, QString::fromUtf8("åsa")}),
              Counts({{"Did not call for help", 1}}));
    EXPECT_EQ(errors({QDate(2026, 12, 9), {}, {}, {}}), Counts());
}

TEST_F(ProgressQueriesTest, MediansOfOddAndEvenCountsLeaveOutWhatNeverHappened) {
    // Kim: three shocks and a scenario without one; Lou: two of each, the mean a half.
    for (auto [shock, fraction] : {std::pair{90000, 70.0}, {60000, 90.0}, {120000, 80.0}}) {
        AttemptRecord a = at("2026-12-08T09:00:00+01:00", "Kim");
        a.firstShockMs = shock;
        a.cprFraction = fraction;
        add(a);
    }
    add(at("2026-12-08T09:00:00+01:00", "Kim"));
    for (auto [shock, fraction] : {std::pair{60000, 70.0}, {61001, 80.1}}) {
        AttemptRecord a = at("2026-12-08T09:00:00+01:00", "Lou");
        a.firstShockMs = shock;
        a.cprFraction = fraction;
        add(a);
    }
    add(at("2026-12-08T09:00:00+01:00", "Max"));
    const std::vector<TraineeSummary> rows = queries().Trainees({});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].attempts, 4);
    EXPECT_EQ(rows[0].medianFirstShockMs, 90000);
    EXPECT_EQ(rows[0].medianCprFraction, 80.0);
    EXPECT_EQ(rows[1].medianFirstShockMs, 60501);  // 60500.5, a half up
    EXPECT_EQ(rows[1].medianCprFraction, 75.1);    // 75.05, a half tenth up
    EXPECT_EQ(rows[2].medianFirstShockMs, std::nullopt);
    EXPECT_EQ(rows[2].medianCprFraction, std::nullopt);

    // The same rule without the database.
    EXPECT_EQ(MedianOf(std::vector<int>{3, 1, 2}), 2);
    EXPECT_EQ(MedianOf(std::vector<int>{4, 1, 2, 3}), 3);  // 2.5
    EXPECT_EQ(MedianOf(std::vector<int>{1, 2, 3, 5}), 3);  // 2.5
    EXPECT_EQ(MedianOf(std::vector<int>{-3, -2}), -2);     // -2.5
    EXPECT_EQ(MedianOf(std::vector<int>{}), std::nullopt);
    EXPECT_EQ(MedianOf(std::vector<double>{80.0, 70.0}), 75.0);
    EXPECT_EQ(MedianOf(std::vector<double>{70.0, 80.1, 99.9}), 80.1);
}

TEST_F(ProgressQueriesTest, BestAndLastScoreOfAttemptsStartedTogether) {
    // Started at the same second: the one recorded later is the last.
    AttemptRecord early = at("2026-12-08T09:00:00+01:00");
    early.score = 900;
    early.recordedAt = "2026-12-08T09:06:00+01:00";
    early.mode = "Test";
    early.passed = 1;
    AttemptRecord late = early;
    late.score = 700;
    late.recordedAt = "2026-12-08T09:07:00+01:00";
    late.passed = 0;
    add(late);
    add(early);
    std::vector<TraineeSummary> rows = queries().Trainees({});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].bestScore, 900);
    EXPECT_EQ(rows[0].lastScore, 700);
    EXPECT_EQ(rows[0].testsPassed, 1);

    // Recorded at the same second too: the greater uuid, whatever the order of writing.
    AttemptRecord twin = late;
    twin.uuid = "uuid-000";
    twin.score = 1100;
    add(twin);
    twin.uuid = "uuid-999";
    twin.score = 650;
    twin.passed = 1;
    add(twin);
    rows = queries().Trainees({});
    EXPECT_EQ(rows[0].bestScore, 1100);
    EXPECT_EQ(rows[0].lastScore, 650);
    EXPECT_EQ(rows[0].testsPassed, 2);
    EXPECT_EQ(rows[0].attempts, 4);
}

TEST_F(ProgressQueriesTest, StoredDebriefInItsOrder) {
    AttemptRecord a = at("2026-12-08T09:00:00+01:00");
    a.errors = {"Did not call for help (-50)."};
    a.events = {{1000, "action", "Response", "rewarded", 10},
                {1000, "action", "Call911", "deduction", -50},
                {65000, "device", "Shock delivered", "neutral", 0}};
    a.figures = {{"TimeToFirstShock", "65000"}, {"CPRFraction", "72.5"}};
    add(a);
    add(at("2026-12-08T10:00:00+01:00"));
    const StoredDebrief d = queries().Debrief("uuid-001");
    ASSERT_EQ(d.events.size(), 3u);
    EXPECT_EQ(d.events[1].text, "Call911");
    EXPECT_EQ(d.events[1].points, -50);
    EXPECT_EQ(d.events[2].atMs, 65000);
    EXPECT_EQ(d.figures.size(), 2u);
    EXPECT_EQ(d.errors, std::vector<QString>({"Did not call for help (-50)."}));
    EXPECT_TRUE(queries().Debrief("uuid-002").events.empty());
}

TEST(ErrorGroup, PointsAndFullStopLeftOut) {
    EXPECT_EQ(ErrorGroup("Did not call for help (-50)."), "Did not call for help");
    EXPECT_EQ(ErrorGroup("Did not call for help (-100)"), "Did not call for help");
    EXPECT_EQ(ErrorGroup("Quick first shock (+50)."), "Quick first shock");
    EXPECT_EQ(ErrorGroup("Terminated (score not valid)."), "Terminated (score not valid)");
    EXPECT_EQ(ErrorGroup("Count 3 (-x)"), "Count 3 (-x)");
}

TEST_F(ProgressQueriesTest, CsvQuotesWhatNeedsItAndKeepsUtf8) {
    AttemptRecord a = at("2026-12-08T09:00:00+01:00", "Lee, Kim");
    a.id = "4711";
    a.firstShockMs = 65000;
    a.cprFraction = 72.5;
    add(a);
    AttemptRecord b = at("2026-12-08T10:00:00+01:00", "Jo \"JJ\" Ngũgĩ");
    b.id = "line1\nline2";
    b.mode = "Test";
    b.passed = 0;
    add(b);
    const QByteArray csv = AttemptsCsv(queries().Attempts({}));
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 5);  // header, a, b over two lines, and nothing after the last CRLF
    EXPECT_EQ(lines[0],
              "uuid,trainee_name,trainee_id,mode,profile,started_at,elapsed_ms,first_shock_ms,"
              "score,outcome,passed,cpr_fraction,patient_category,patient_age,shocks_needed,"
              "station,recorded_at\r");
    EXPECT_EQ(lines[1],
              "uuid-001,\"Lee, Kim\",4711,Practice,Classic,2026-12-08T09:00:00+01:00,300000,65000,"
              "1000,completed,,72.5,0,45,1,station1,2026-12-08T09:00:00+01:00\r");
    EXPECT_EQ(lines[2], QString::fromUtf8("uuid-002,\"Jo \"\"JJ\"\" Ngũgĩ\",\"line1").toUtf8());
    EXPECT_TRUE(
        lines[3].startsWith("line2\",Test,Classic,2026-12-08T10:00:00+01:00,300000,,1000,"
                            "completed,0,,"));
    EXPECT_TRUE(lines[3].endsWith("\r"));
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(AttemptsCsv({}), lines[0] + "\n");
}

}  // namespace

int main(int argc, char** argv) {
    // Qt finds its SQL drivers through the application.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
