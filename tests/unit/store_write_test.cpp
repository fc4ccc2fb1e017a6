// Writing results into ARDENTIX.DB: an attempt with all its rows, written twice once, queued for
// the configured targets; a write that fails leaves nothing of the attempt; what cannot be written
// waits in ARDENTIX.PND and goes first at the next write, and a damaged line there is kept.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QVariant>

#include "core/result_text.h"
#include "sample_result.h"
#include "store/attempt_write.h"
#include "store/database.h"
#include "store/pending_file.h"
#include "store/qt_results_store.h"
#include "temp_dir.h"

namespace ardentix::store {
namespace {

class StoreWrite : public testing::TempDirTest {
  protected:
    QString path() const { return QString::fromStdString(dir + "/ARDENTIX.DB"); }

    // The first column of every row joined by "|", "NULL" for a null.
    std::string rows(const QString& sql) {
        ResultsDb results(path());
        if (results.Open()) return "?";
        QSqlQuery q(results.Db());
        if (!q.exec(sql)) return "?";
        std::string out;
        while (q.next()) {
            if (!out.empty()) out += "|";
            out += q.value(0).isNull() ? "NULL" : q.value(0).toString().toStdString();
        }
        return out;
    }
    std::string counts(const QString& uuid) {
        std::string out;
        for (const char* table :
             {"attempts", "attempt_errors", "attempt_events", "attempt_figures", "outbox"}) {
            out += (out.empty() ? "" : " ") +
                   rows(QStringLiteral("SELECT count(*) FROM %1 WHERE uuid = '%2'")
                            .arg(QLatin1String(table), uuid));
        }
        return out;
    }
};

TEST_F(StoreWrite, AnAttemptIsWrittenWholeAndOnce) {
    const ScenarioResult r = testing::SampleResult("a-1");
    {
        ResultsDb db(path());
        ASSERT_EQ(db.Open(), std::nullopt);
        EXPECT_EQ(WriteAttempt(db.Db(), r, {"centre"}), std::nullopt);
        EXPECT_EQ(WriteAttempt(db.Db(), r, {"centre", "lrs"}), std::nullopt);  // again: nothing
    }
    EXPECT_EQ(counts("a-1"), "1 12 60 14 1");
    EXPECT_EQ(rows("SELECT trainee_name || ',' || trainee_id || ',' || mode || ',' || profile || "
                   "',' || started_at || ',' || elapsed_ms || ',' || first_shock_ms || ',' || "
                   "score || ',' || outcome || ',' || passed || ',' || cpr_fraction || ',' || "
                   "patient_category || ',' || patient_age || ',' || shocks_needed || ',' || "
                   "station || ',' || recorded_at FROM attempts"),
              "Kim Lee,4711,Test,Current,2026-12-06T09:00:00+01:00,301250,61200,850,completed,0,"
              "72.5,0,67,2,station-1,2026-12-06T09:05:00+01:00");
    EXPECT_EQ(rows("SELECT text FROM attempt_errors WHERE seq IN (1, 12) ORDER BY seq"),
              "Did not check pulse after No Shock Advised (-50). #0|"
              "Did not check pulse after No Shock Advised (-50). #11");
    EXPECT_EQ(rows("SELECT at_ms || '|' || kind || '|' || text || '|' || verdict || '|' || points "
                   "FROM attempt_events WHERE seq IN (1, 2) ORDER BY seq"),
              "0|action|Event, \"number\" 0|rewarded|10|1000|device|Event, \"number\" 1|neutral|0");
    EXPECT_EQ(rows("SELECT value FROM attempt_figures WHERE name = 'PostShockPause(1)'"), "13000");
    EXPECT_EQ(rows("SELECT target || ',' || tries || ',' || coalesce(last_error, 'none') || ',' || "
                   "length(queued_at) FROM outbox"),
              "centre,0,none,25");

    // The empty values are nulls; a target queued by hand once.
    ScenarioResult practice = testing::SampleResult("p-1", 0, 0);
    practice.firstShockMs.reset();
    practice.passed.reset();
    practice.cprFraction.reset();
    practice.completed = false;
    ResultsDb db(path());
    ASSERT_EQ(db.Open(), std::nullopt);
    ASSERT_EQ(WriteAttempt(db.Db(), practice), std::nullopt);
    EXPECT_EQ(QueueFor(db.Db(), "p-1", "lrs"), std::nullopt);
    EXPECT_EQ(QueueFor(db.Db(), "p-1", "lrs"), std::nullopt);
    EXPECT_TRUE(QueueFor(db.Db(), "missing", "lrs").has_value());  // only attempts that are there
    EXPECT_EQ(rows("SELECT coalesce(first_shock_ms, 'N') || coalesce(passed, 'N') || "
                   "coalesce(cpr_fraction, 'N') || outcome FROM attempts WHERE uuid = 'p-1'"),
              "NNNterminated");
    EXPECT_EQ(counts("p-1"), "1 0 0 14 1");
}

TEST_F(StoreWrite, AWriteThatFailsLeavesNothingOfTheAttempt) {
    ScenarioResult r = testing::SampleResult("bad");
    r.figures.push_back(r.figures.back());  // the last figure twice: its row is refused
    ResultsDb db(path());
    ASSERT_EQ(db.Open(), std::nullopt);
    const auto failure = WriteAttempt(db.Db(), r, {"centre"});
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->contains("UNIQUE")) << failure->toStdString();
    EXPECT_EQ(counts("bad"), "0 0 0 0 0");
    // The connection goes on: the next attempt is written.
    EXPECT_EQ(WriteAttempt(db.Db(), testing::SampleResult("good")), std::nullopt);
    EXPECT_EQ(counts("good"), "1 12 60 14 0");
}

TEST_F(StoreWrite, WhatCannotBeWrittenWaitsAndGoesFirstNextTime) {
    QtResultsStore store(dir);
    store.SetTargets([] { return QStringList{"centre"}; });
    write("ARDENTIX.DB", std::string(100, 'x'));  // damaged
    const auto failure = store.Record(testing::SampleResult("", 1, 1));
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->reason, "file is not a database");
    EXPECT_TRUE(failure->kept);
    EXPECT_TRUE(store.Record(testing::SampleResult("", 2, 2)).has_value());
    EXPECT_EQ(bytes("ARDENTIX.DB"), std::string(100, 'x'));
    // Two lines, each a whole result with the uuid the store gave it; and a damaged line beside.
    std::string pending = bytes("ARDENTIX.PND");
    const size_t first = pending.find("\r\n");
    ASSERT_NE(first, std::string::npos);
    const auto kept = ReadPendingLine(pending.substr(0, first));
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->uuid.size(), 36u);
    EXPECT_EQ(kept->errors.size(), 1u);
    EXPECT_FALSE(kept->station.empty());
    write("ARDENTIX.PND", pending + "result=1\tuuid=half\r\n");

    std::filesystem::remove(dir + "/ARDENTIX.DB");
    EXPECT_EQ(store.Record(testing::SampleResult("", 3, 3)), std::nullopt);
    EXPECT_EQ(rows("SELECT count(*) FROM attempt_errors GROUP BY uuid ORDER BY min(rowid)"),
              "1|2|3");
    EXPECT_EQ(rows("SELECT count(*) FROM outbox WHERE target = 'centre'"), "3");
    EXPECT_EQ(rows("SELECT count(DISTINCT uuid) FROM attempts WHERE length(uuid) = 36"), "3");
    EXPECT_EQ(rows("SELECT uuid FROM attempts ORDER BY rowid LIMIT 1"), kept->uuid);
    // Only the damaged line is left; it never goes, and nothing is written twice.
    EXPECT_EQ(bytes("ARDENTIX.PND"), "result=1\tuuid=half\r\n");
    EXPECT_EQ(store.WritePending(), std::nullopt);
    EXPECT_EQ(rows("SELECT count(*) FROM attempts"), "3");

    // A waiting result already in the database (the program ended before the file was
    // rewritten) is not written again.
    write("ARDENTIX.PND", pending);
    EXPECT_EQ(store.WritePending(), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(dir + "/ARDENTIX.PND"));
    EXPECT_EQ(rows("SELECT count(*) FROM attempts"), "3");
}

TEST_F(StoreWrite, AFileReplacedBetweenTwoWritesIsFoundAsItIsNow) {
    QtResultsStore store(dir);
    ASSERT_EQ(store.Record(testing::SampleResult("")), std::nullopt);
    std::filesystem::remove(dir + "/ARDENTIX.DB");
    write("ARDENTIX.DB", std::string(200, 'x'));
    const auto failure = store.Record(testing::SampleResult(""));
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->reason, "file is not a database");
    EXPECT_EQ(bytes("ARDENTIX.DB"), std::string(200, 'x'));
    // Removed, the next write makes a new file with what waited.
    std::filesystem::remove(dir + "/ARDENTIX.DB");
    ASSERT_EQ(store.Record(testing::SampleResult("")), std::nullopt);
    EXPECT_EQ(rows("SELECT count(*) FROM attempts"), "2");
}

TEST_F(StoreWrite, AResultNeitherWrittenNorKeptSaysSo) {
    std::filesystem::create_directory(dir + "/ARDENTIX.DB");  // a folder in place of the file
    std::filesystem::create_directory(dir + "/ARDENTIX.PND");
    QtResultsStore store(dir);
    const auto failure = store.Record(testing::SampleResult(""));
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->kept);
    EXPECT_TRUE(failure->reason.find("could not be kept in ARDENTIX.PND") != std::string::npos)
        << failure->reason;
    EXPECT_TRUE(store.WritePending().has_value());
}

}  // namespace
}  // namespace ardentix::store
