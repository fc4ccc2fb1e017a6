// The sender of the outbox to a learning record store on loopback (lrs_server.py): the headers,
// the authorization and the order of the posts, and what stays queued when the store fails (a
// server error, no answer in time, no connection, a refused key) until it answers, without a
// statement kept twice.
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "results_db.h"
#include "xapi/outbox_rows.h"
#include "xapi/send/lrs_sender.h"

namespace ardentix {

class LrsSenderTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QProcess server_;
    QSqlDatabase db_;
    xapi::LrsSettings settings_;
    std::unique_ptr<xapi::LrsSender> sender_;
    QVector<xapi::LrsRound> rounds_;
    QVector<test::AttemptKind> kinds_ = test::EveryKind();

    QString file(const QString& name) const { return dir_->filePath(name); }
    void setMode(const QByteArray& mode) {
        QFile f(file("mode"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(mode);
    }
    // The ids of a file of the server's, one statement a line.
    QStringList ids(const QString& name) const {
        QFile f(file(name));
        QStringList seen;
        if (!f.open(QIODevice::ReadOnly)) return seen;
        while (!f.atEnd())
            seen << QJsonDocument::fromJson(f.readLine()).object()["id"].toString();
        return seen;
    }
    QString uuid(int kind) const { return kinds_[kind].attempt.uuid; }
    void queue(int kind, const QString& at) {
        test::Queue(db_, uuid(kind), xapi::kLrsTarget, "2026-12-08T10:" + at + "+01:00");
    }
    int tries(int kind) const { return test::Queued(db_, uuid(kind), xapi::kLrsTarget).tries; }
    // One round, waited for; the sender answers through the event loop, never inside the call.
    xapi::LrsRound round() {
        const int before = static_cast<int>(rounds_.size());
        sender_->SendQueued();
        if (!sender_->Sending() || rounds_.size() != before) {
            QTest::qFail("the round was not under way after the call", __FILE__, __LINE__);
            return {};
        }
        if (!QTest::qWaitFor([&] { return rounds_.size() > before; }, 10000)) {
            QTest::qFail("no end of the round", __FILE__, __LINE__);
            return {};
        }
        return rounds_.last();
    }

  private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        db_ = test::OpenResults(file("ARDENTIX.DB"), "sender");
        for (const test::AttemptKind& kind : kinds_)
            test::WriteAttempt(db_, kind.attempt, kind.points);
        server_.start(QStringLiteral(SYSTEM_PYTHON),
                      {QStringLiteral(LRS_SERVER), dir_->path(), "station-key", "s3cret:x"});
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(file("port")); }, 10000));
        QFile port(file("port"));
        QVERIFY(port.open(QIODevice::ReadOnly));
        settings_ = {};
        settings_.endpoint = "http://127.0.0.1:" + port.readAll() + "/xapi/";
        settings_.key = "station-key";
        settings_.secret = "s3cret:x";
        settings_.send = true;
        rounds_.clear();
        sender_ = std::make_unique<xapi::LrsSender>(
            "sender", [this] { return settings_; },
            [this](const xapi::LrsRound& r) { rounds_.append(r); });
    }
    void cleanup() {
        sender_.reset();
        server_.kill();
        server_.waitForFinished();
        db_.close();
        db_ = {};
        QSqlDatabase::removeDatabase("sender");
    }

    void sendsTheOldestFirstOnceEach() {
        queue(2, "00");
        queue(0, "01");
        queue(1, "02");
        test::Queue(db_, uuid(0), "centre", "2026-12-08T10:00+01:00");
        const xapi::LrsRound first = round();
        QCOMPARE(first.sent, 3);
        QCOMPARE(first.waiting, 0);
        QCOMPARE(first.error, QString());
        QCOMPARE(ids("kept.jsonl"), QStringList({uuid(2), uuid(0), uuid(1)}));
        QVERIFY(!QFile::exists(file("refused.txt")));
        QCOMPARE(tries(0), -1);
        QCOMPARE(test::Queued(db_, uuid(0), "centre").tries, 0);  // the centre's row stays
        // Nothing left: a second round posts nothing.
        const xapi::LrsRound second = round();
        QCOMPARE(second.sent, 0);
        QCOMPARE(ids("received.jsonl").size(), 3);
    }

    void aServerErrorKeepsThemQueuedInOrder() {
        setMode("500");
        queue(3, "00");
        queue(4, "01");
        xapi::LrsRound r = round();
        QCOMPARE(r.sent, 0);
        QCOMPARE(r.waiting, 2);
        QVERIFY2(r.error.contains("500"), qPrintable(r.error));
        QCOMPARE(tries(3), 1);  // the round stops at the first
        QCOMPARE(tries(4), 0);
        QVERIFY(test::Queued(db_, uuid(3), xapi::kLrsTarget).lastError.contains("500"));
        r = round();
        QCOMPARE(tries(3), 2);
        setMode("ok");
        r = round();
        QCOMPARE(r.sent, 2);
        QCOMPARE(r.waiting, 0);
        QCOMPARE(ids("kept.jsonl"), QStringList({uuid(3), uuid(4)}));
    }

    // The store kept the statement but answered too late: the next round's post of it is
    // answered 409 and counts as sent.
    void noAnswerInTimeIsSentAgainWithoutADuplicate() {
        sender_->SetTimeout(400);
        setMode("slow");
        settings_.endpoint += "statements";
        queue(5, "00");
        xapi::LrsRound r = round();
        QCOMPARE(r.sent, 0);
        QCOMPARE(r.waiting, 1);
        QVERIFY2(r.error.contains("did not answer"), qPrintable(r.error));
        QCOMPARE(tries(5), 1);
        setMode("ok");
        r = round();
        QCOMPARE(r.sent, 1);
        QCOMPARE(r.waiting, 0);
        QCOMPARE(ids("received.jsonl"), QStringList({uuid(5), uuid(5)}));
        QCOMPARE(ids("kept.jsonl"), QStringList({uuid(5)}));
    }

    void noConnectionThenTheStoreAnswers() {
        const QString endpoint = settings_.endpoint;
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        settings_.endpoint = QStringLiteral("http://127.0.0.1:%1/xapi").arg(closed.serverPort());
        closed.close();
        queue(6, "00");
        xapi::LrsRound r = round();
        QCOMPARE(r.waiting, 1);
        QVERIFY(!r.error.isEmpty());
        QCOMPARE(tries(6), 1);
        settings_.endpoint = endpoint;
        r = round();
        QCOMPARE(r.sent, 1);
        QCOMPARE(ids("kept.jsonl"), QStringList({uuid(6)}));
    }

    void aRefusedKeyKeepsThemQueued() {
        settings_.secret = "s3cret";
        queue(7, "00");
        const xapi::LrsRound r = round();
        QCOMPARE(r.waiting, 1);
        QVERIFY2(r.error.contains("401"), qPrintable(r.error));
        QVERIFY(ids("kept.jsonl").isEmpty());
        QVERIFY(QFile::exists(file("refused.txt")));
    }

    void sendingOffOrNoEndpointStartsNoRound() {
        queue(0, "00");
        settings_.send = false;
        sender_->SendQueued();
        settings_.send = true;
        settings_.endpoint = " ";
        sender_->SendQueued();
        QVERIFY(!sender_->Sending());
        QVERIFY(rounds_.isEmpty());
        QCOMPARE(tries(0), 0);
    }

    // Asked during a round (a scenario ended while the queue was being sent), the sender goes
    // round again for what was queued since; an attempt the database lacks holds back no other.
    void askedDuringARoundItGoesRoundAgain() {
        test::Queue(db_, "0a0b0c0d-0000-4000-8000-000000000000", xapi::kLrsTarget,
                    "2026-12-08T09:00+01:00");
        queue(0, "00");
        sender_->SendQueued();
        queue(1, "01");
        sender_->SendQueued();
        QVERIFY(QTest::qWaitFor([&] { return rounds_.size() == 2; }, 10000));
        QCOMPARE(rounds_[0].sent + rounds_[1].sent, 2);
        QCOMPARE(rounds_[1].waiting, 1);
        QCOMPARE(ids("kept.jsonl"), QStringList({uuid(0), uuid(1)}));
        const test::QueuedRow missing =
            test::Queued(db_, "0a0b0c0d-0000-4000-8000-000000000000", xapi::kLrsTarget);
        QCOMPARE(missing.tries, 2);
        QVERIFY(!missing.lastError.isEmpty());
    }
};

}  // namespace ardentix

QTEST_GUILESS_MAIN(ardentix::LrsSenderTest)
#include "lrs_sender_test.moc"
