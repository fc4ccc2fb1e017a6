// The results database's versions: a new file gets every table, each step brings a database of
// the version before it forward with its rows kept, a step that fails leaves its version whole,
// and a newer database than the program knows is not touched.
#include <gtest/gtest.h>

#include <QSqlQuery>
#include <QVariant>

#include "store/database.h"
#include "store/schema.h"
#include "temp_dir.h"

namespace ardentix::store {
namespace {

class StoreSchema : public testing::TempDirTest {
  protected:
    QString path() const { return QString::fromStdString(dir + "/ARDENTIX.DB"); }

    // The first column of the first row, "NULL" for a null, "?" when the query fails.
    static QString value(QSqlDatabase& db, const QString& sql) {
        QSqlQuery q(db);
        if (!q.exec(sql) || !q.next()) return QStringLiteral("?");
        return q.value(0).isNull() ? QStringLiteral("NULL") : q.value(0).toString();
    }
    static bool exec(QSqlDatabase& db, const QString& sql) { return QSqlQuery(db).exec(sql); }
};

TEST_F(StoreSchema, NewFileGetsEveryTableAtTheLatestVersion) {
    ResultsDb results(path());
    ASSERT_EQ(results.Open(), std::nullopt);
    QSqlDatabase& db = results.Db();
    EXPECT_EQ(value(db, "SELECT version FROM schema_version"), QString::number(kSchemaVersion));
    EXPECT_EQ(value(db, "SELECT count(*) FROM schema_version"), "1");
    for (const char* table :
         {"attempts", "attempt_errors", "attempt_events", "attempt_figures", "outbox"}) {
        EXPECT_EQ(value(db, QStringLiteral("SELECT count(*) FROM ") + table), "0") << table;
    }
    EXPECT_EQ(value(db, "PRAGMA journal_mode"), "wal");
    EXPECT_EQ(value(db, "PRAGMA foreign_keys"), "1");
    // A row of a line without its attempt is refused.
    EXPECT_FALSE(exec(db, "INSERT INTO attempt_errors VALUES ('none', 1, 'x')"));
}

TEST_F(StoreSchema, EachStepBringsTheVersionBeforeForward) {
    ResultsDb results(path());
    ASSERT_EQ(results.Open(), std::nullopt);  // a connection with the pragmas...
    QSqlDatabase& db = results.Db();
    // ...on a database made afresh at version 1 only.
    for (const char* table : {"outbox", "attempt_figures", "attempt_events", "attempt_errors",
                              "attempts", "schema_version"}) {
        ASSERT_TRUE(exec(db, QStringLiteral("DROP TABLE ") + table)) << table;
    }
    EXPECT_EQ(SchemaVersion(db), 0);
    ASSERT_EQ(Migrate(db, 1), std::nullopt);
    EXPECT_EQ(SchemaVersion(db), 1);
    EXPECT_FALSE(exec(db, "SELECT count(*) FROM outbox"));
    ASSERT_TRUE(exec(db,
                     "INSERT INTO attempts VALUES ('u1', 'Kim', '', 'Practice', 'Classic', "
                     "'2026-12-06T09:00:00+00:00', 1000, NULL, 800, 'completed', NULL, NULL, "
                     "0, 40, 1, 'host', '2026-12-06T09:05:00+00:00')"));
    ASSERT_TRUE(exec(db, "INSERT INTO attempt_errors VALUES ('u1', 1, 'Late')"));

    ASSERT_EQ(Migrate(db), std::nullopt);
    EXPECT_EQ(SchemaVersion(db), kSchemaVersion);
    EXPECT_EQ(value(db, "SELECT score FROM attempts WHERE uuid = 'u1'"), "800");
    EXPECT_EQ(value(db, "SELECT text FROM attempt_errors WHERE uuid = 'u1'"), "Late");
    ASSERT_TRUE(
        exec(db, "INSERT INTO outbox (uuid, target, queued_at) VALUES ('u1', 'lrs', 'now')"));
    EXPECT_EQ(value(db, "SELECT tries FROM outbox"), "0");
    EXPECT_EQ(value(db, "SELECT last_error FROM outbox"), "NULL");
    // Done twice, nothing more happens.
    ASSERT_EQ(Migrate(db), std::nullopt);
    EXPECT_EQ(value(db, "SELECT count(*) FROM schema_version"), "1");
    EXPECT_EQ(value(db, "SELECT count(*) FROM outbox"), "1");
}

TEST_F(StoreSchema, AFailedStepLeavesItsVersionWhole) {
    ResultsDb results(path());
    ASSERT_EQ(results.Open(), std::nullopt);
    QSqlDatabase& db = results.Db();
    ASSERT_TRUE(exec(db, "DROP TABLE outbox"));
    ASSERT_TRUE(exec(db, "UPDATE schema_version SET version = 1"));
    // Something of the same name stands in the way of step 2's table.
    ASSERT_TRUE(exec(db, "CREATE VIEW outbox AS SELECT 1 AS x"));
    const auto failure = Migrate(db);
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->contains("version 2")) << failure->toStdString();
    EXPECT_EQ(SchemaVersion(db), 1);
    EXPECT_EQ(value(db, "SELECT x FROM outbox"), "1");
}

TEST_F(StoreSchema, ANewerDatabaseIsNotTouched) {
    {
        ResultsDb results(path());
        ASSERT_EQ(results.Open(), std::nullopt);
        ASSERT_TRUE(exec(results.Db(), "UPDATE schema_version SET version = 4"));
    }
    ResultsDb again(path());
    const auto failure = again.Open();
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->contains("version 4")) << failure->toStdString();
    EXPECT_FALSE(again.IsOpen());
    QSqlDatabase& db = again.Db();
    ASSERT_TRUE(db.open());
    EXPECT_EQ(SchemaVersion(db), 4);
    EXPECT_EQ(value(db, "SELECT count(*) FROM outbox"), "0");
    // Its own version again, it opens.
    ASSERT_TRUE(exec(db, "UPDATE schema_version SET version = 3"));
    EXPECT_EQ(again.Open(), std::nullopt);
}

TEST_F(StoreSchema, AFileThatIsNoDatabaseGivesItsReason) {
    write("ARDENTIX.DB", std::string(4096, 'x'));
    ResultsDb results(path());
    const auto failure = results.Open();
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->contains("not a database")) << failure->toStdString();
    EXPECT_EQ(bytes("ARDENTIX.DB"), std::string(4096, 'x'));
}

}  // namespace
}  // namespace ardentix::store
