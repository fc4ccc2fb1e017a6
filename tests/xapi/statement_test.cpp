// The statements of attempts: the verb and result of every kind, the actor, the score's rule at
// its limits, the duration's format, the IRIs under the instructor's base, and the attempts read
// back from a real results database and exported to a file.
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include "results_db.h"
#include "xapi/attempt_rows.h"
#include "xapi/export_file.h"
#include "xapi/statement.h"

namespace ardentix {

using xapi::Attempt;

class StatementTest : public QObject {
    Q_OBJECT

    xapi::LrsSettings settings_;
    QVector<test::AttemptKind> kinds_ = test::EveryKind();

    // Const, so that a path of keys reads values instead of making them.
    const QJsonObject statement(const Attempt& a) const { return xapi::Statement(a, settings_); }
    const QJsonObject statement(int kind) const { return statement(kinds_[kind].attempt); }

  private slots:
    void initTestCase() {
        settings_.homePage = QStringLiteral("https://centre.example/trainees");
        settings_.activityBase = QStringLiteral("https://centre.example/xapi/");
    }

    void verbAndResultOfEachKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("success");  // "" when left out
        QTest::addColumn<bool>("completion");
        QTest::newRow("completed practice") << 0 << "completed"
                                            << "" << true;
        QTest::newRow("passed test") << 2 << "passed"
                                     << "true" << true;
        QTest::newRow("failed test") << 4 << "failed"
                                     << "false" << true;
        QTest::newRow("terminated practice") << 6 << "failed"
                                             << "false" << false;
        QTest::newRow("terminated test") << 7 << "failed"
                                         << "false" << false;
    }
    void verbAndResultOfEachKind() {
        QFETCH(int, kind);
        QFETCH(QString, verb);
        QFETCH(QString, success);
        QFETCH(bool, completion);
        const QJsonObject s = statement(kind);
        QCOMPARE(s["verb"]["id"].toString(), "http://adlnet.gov/expapi/verbs/" + verb);
        QCOMPARE(s["verb"]["display"]["en-US"].toString(), verb);
        const QJsonObject result = s["result"].toObject();
        QCOMPARE(result.contains("success"), !success.isEmpty());
        if (!success.isEmpty()) QCOMPARE(result["success"].toBool(), success == "true");
        QCOMPARE(result["completion"].toBool(), completion);
        QCOMPARE(s["id"].toString(), kinds_[kind].attempt.uuid);
        QCOMPARE(s["timestamp"].toString(), kinds_[kind].attempt.startedAt);
        QCOMPARE(s["version"].toString(), "1.0.3");
    }

    void actorIsTheAccountOfTheIdOrTheName() {
        const QJsonObject withId = statement(0)["actor"].toObject();
        QCOMPARE(withId["account"]["name"].toString(), "4711");
        QCOMPARE(withId["account"]["homePage"].toString(), settings_.homePage);
        QCOMPARE(withId["name"].toString(), "Kim Lee");
        QCOMPARE(statement(1)["actor"]["account"]["name"].toString(), "Kim Lee");
        Attempt blankId = kinds_[0].attempt;
        blankId.traineeId = "  ";
        QCOMPARE(statement(blankId)["actor"]["account"]["name"].toString(), "Kim Lee");
    }

    void scoreKeepsRawWithinItsLimits_data() {
        QTest::addColumn<int>("earned");
        QTest::addColumn<int>("deducted");
        QTest::addColumn<int>("raw");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<double>("scaled");
        QTest::newRow("no deduction") << 80 << 0 << 80 << 0 << 80 << 1.0;
        QTest::newRow("some kept") << 100 << -30 << 70 << -30 << 100 << 0.7;
        QTest::newRow("one point kept") << 36 << -35 << 1 << -35 << 36 << 1.0 / 36;
        QTest::newRow("all taken") << 35 << -35 << 0 << -35 << 35 << 0.0;
        QTest::newRow("one below") << 34 << -35 << -1 << -35 << 34 << -1.0 / 35;
        QTest::newRow("nothing earned") << 0 << -50 << -50 << -50 << 0 << -1.0;
        QTest::newRow("nothing at all") << 0 << 0 << 0 << 0 << 0 << 0.0;
        // A score held at the end of its 16-bit field no longer adds up from its events.
        QTest::newRow("held at the bottom")
            << 0 << -40000 << -32768 << -40000 << 0 << -32768.0 / 40000;
        QTest::newRow("raw beyond the events") << 10 << 0 << 12 << 0 << 12 << 1.0;
    }
    void scoreKeepsRawWithinItsLimits() {
        QFETCH(int, earned);
        QFETCH(int, deducted);
        QFETCH(int, raw);
        Attempt a;
        a.pointsEarned = earned;
        a.pointsDeducted = deducted;
        a.score = raw;
        const xapi::Score s = xapi::ScoreOf(a);
        QCOMPARE(s.raw, raw);
        QTEST(s.min, "min");
        QTEST(s.max, "max");
        QTEST(s.scaled, "scaled");
        QVERIFY(s.min <= s.raw && s.raw <= s.max && s.scaled >= -1 && s.scaled <= 1);
    }

    void durationsToTheHundredth_data() {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("iso");
        QTest::newRow("nothing") << qint64{0} << "PT0S";
        QTest::newRow("under a hundredth") << qint64{9} << "PT0S";
        QTest::newRow("a hundredth") << qint64{10} << "PT0.01S";
        QTest::newRow("a half") << qint64{1500} << "PT1.5S";
        QTest::newRow("under a second") << qint64{999} << "PT0.99S";
        QTest::newRow("a second") << qint64{1000} << "PT1S";
        QTest::newRow("under a minute") << qint64{59999} << "PT59.99S";
        QTest::newRow("a minute") << qint64{60000} << "PT1M0S";
        QTest::newRow("under an hour") << qint64{3599990} << "PT59M59.99S";
        QTest::newRow("an hour") << qint64{3600000} << "PT1H0M0S";
        QTest::newRow("an hour and a bit") << qint64{3723450} << "PT1H2M3.45S";
    }
    void durationsToTheHundredth() {
        QFETCH(qint64, ms);
        QTEST(xapi::IsoDuration(ms), "iso");
    }

    void iriAndExtensionsUnderTheBase() {
        const QJsonObject s = statement(7);  // a small child, current guidelines, one shock
        const QString base = "https://centre.example/xapi";
        QCOMPARE(s["object"]["id"].toString(), base + "/scenario/current/small-child");
        const QJsonObject ext = s["object"]["definition"]["extensions"].toObject();
        QCOMPARE(ext[base + "/extension/protocol"].toString(), "Current");
        QCOMPARE(ext[base + "/extension/patient"]["age"].toInt(), 6);
        QCOMPARE(ext[base + "/extension/patient"]["shocksNeeded"].toInt(), 2);
        const QJsonObject figures = s["result"]["extensions"].toObject();
        QCOMPARE(figures[base + "/figure/PreShockPause/1"].toDouble(), 8400.0);
        QCOMPARE(figures[base + "/figure/CPRFraction"].toDouble(), 72.5);
        QCOMPARE(figures[base + "/extension/errors"].toArray().size(), 1);
        QCOMPARE(s["result"]["duration"].toString(), xapi::IsoDuration(61000 + 8 * 1234));
        // Without a trailing slash the IRIs are the same; without a shock no shock's figures.
        settings_.activityBase = base;
        QCOMPARE(statement(7)["object"]["id"].toString(), base + "/scenario/current/small-child");
        QCOMPARE(statement(1)["object"]["id"].toString(), base + "/scenario/current/small-child");
        QVERIFY(!statement(1)["result"]["extensions"].toObject().contains(
            base + "/extension/first-shock-ms"));
        QCOMPARE(statement(0)["object"]["id"].toString(), base + "/scenario/classic/adult");
        settings_.activityBase += '/';
    }

    void readsBackAndExportsFromTheDatabase() {
        QTemporaryDir dir;
        QSqlDatabase db = test::OpenResults(dir.filePath("ARDENTIX.DB"), "export");
        QStringList written;
        for (auto it = kinds_.crbegin(); it != kinds_.crend(); ++it) {
            test::WriteAttempt(db, it->attempt, it->points);
            written.prepend(it->attempt.uuid);
        }
        QString error;
        QCOMPARE(xapi::AttemptIds(db, &error), written);  // the earliest start first
        for (const test::AttemptKind& kind : kinds_) {
            const std::optional<Attempt> read = xapi::ReadAttempt(db, kind.attempt.uuid, &error);
            QVERIFY2(read, qPrintable(error));
            QCOMPARE(xapi::Statement(*read, settings_), xapi::Statement(kind.attempt, settings_));
        }
        QVERIFY(!xapi::ReadAttempt(db, "no-such-attempt", &error));
        QVERIFY(error.isEmpty());

        const QString file = dir.filePath("statements.json");
        QVERIFY2(xapi::ExportStatements(db, written, settings_, file, &error), qPrintable(error));
        QFile exported(file);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        const QJsonArray statements = QJsonDocument::fromJson(exported.readAll()).array();
        exported.close();
        QCOMPARE(statements.size(), kinds_.size());
        for (int i = 0; i < kinds_.size(); ++i)
            QCOMPARE(statements[i]["id"].toString(), written[i]);

        // A failed export leaves the file as it was.
        QVERIFY(
            !xapi::ExportStatements(db, {written[0], "no-such-attempt"}, settings_, file, &error));
        QVERIFY(error.contains("no-such-attempt"));
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(exported.readAll()).array().size(), kinds_.size());
        QVERIFY(
            !xapi::ExportStatements(db, written, settings_, dir.filePath("none/x.json"), &error));
        QVERIFY(!error.isEmpty());
        db.close();
    }
};

}  // namespace ardentix

QTEST_GUILESS_MAIN(ardentix::StatementTest)
#include "statement_test.moc"
