// The results database survives the program being killed in the middle of a write: a writer is
// killed (SIGKILL) at random moments, while it creates the file, writes an attempt, commits or
// closes; then the file passes SQLite's integrity check and every attempt is whole (its errors,
// events, figures and outbox entry all there) or absent.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QSqlQuery>
#include <QVariant>
#include <chrono>
#include <random>
#include <thread>

#include "store/database.h"
#include "temp_dir.h"

extern char** environ;

namespace ardentix::store {
namespace {

class StoreCrash : public testing::TempDirTest {};

TEST_F(StoreCrash, EveryAttemptIsWholeAfterKills) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> lifetime(2, 120);  // ms, the first writes included
    for (int round = 0; round < 16; ++round) {
        const std::string program = STORE_CRASH_WRITER;
        char* args[] = {const_cast<char*>(program.c_str()), dir.data(), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, args, environ), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(lifetime(random)));
        ASSERT_EQ(kill(pid, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        // Killed, not ended by a failure of its own.
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << " status " << status;
    }

    ResultsDb results(QString::fromStdString(dir + "/ARDENTIX.DB"));
    ASSERT_EQ(results.Open(), std::nullopt);
    QSqlQuery q(results.Db());
    ASSERT_TRUE(q.exec("PRAGMA integrity_check") && q.next());
    EXPECT_EQ(q.value(0).toString().toStdString(), "ok");
    ASSERT_TRUE(
        q.exec("SELECT a.uuid, "
               "(SELECT count(*) FROM attempt_errors e WHERE e.uuid = a.uuid), "
               "(SELECT count(*) FROM attempt_events v WHERE v.uuid = a.uuid), "
               "(SELECT count(*) FROM attempt_figures f WHERE f.uuid = a.uuid), "
               "(SELECT count(*) FROM outbox o WHERE o.uuid = a.uuid) FROM attempts a"));
    int attempts = 0;
    while (q.next()) {
        ++attempts;
        EXPECT_EQ(q.value(1).toInt(), 12) << q.value(0).toString().toStdString();
        EXPECT_EQ(q.value(2).toInt(), 60) << q.value(0).toString().toStdString();
        EXPECT_EQ(q.value(3).toInt(), 14) << q.value(0).toString().toStdString();
        EXPECT_EQ(q.value(4).toInt(), 1) << q.value(0).toString().toStdString();
    }
    // Rows without their attempt cannot be (the foreign keys), but a damaged file could hold them.
    for (const char* table : {"attempt_errors", "attempt_events", "attempt_figures", "outbox"}) {
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT count(*) FROM %1 WHERE uuid NOT IN "
                                          "(SELECT uuid FROM attempts)")
                               .arg(QLatin1String(table))) &&
                    q.next());
        EXPECT_EQ(q.value(0).toInt(), 0) << table;
    }
    EXPECT_GT(attempts, 0) << "the writer never got as far as one attempt";
    // Nothing was left waiting: every failure would have ended a writer by itself.
    EXPECT_FALSE(std::filesystem::exists(dir + "/ARDENTIX.PND"));
}

}  // namespace
}  // namespace ardentix::store
