// The centre server against a real PostgreSQL 15 on loopback (tests/centre/cluster.sh, started
// by ctest's fixture): two stations writing at once, the server stopped in the middle of a series
// and started again, a server of the previous version, a wrong password, and a send whose answer
// was lost. Each case has a database of its own; the cases take turns with the server.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>
#include <QtTest>

#include "centre/centre_db.h"
#include "centre/centre_link.h"
#include "centre/centre_run.h"
#include "sample_result.h"
#include "store/attempt_write.h"
#include "store/database.h"
#include "store/schema.h"

namespace ardentix::centre {
namespace {

const QString kState = QStringLiteral(ARDENTIX_CENTRE_STATE);

QString clusterValue(const QString& name) {
    QFile env(kState + QStringLiteral("/cluster.env"));
    if (!env.open(QIODevice::ReadOnly)) return {};
    for (const QByteArray& line : env.readAll().split('\n')) {
        if (line.startsWith(name.toLatin1() + '='))
            return QString::fromLatin1(line.mid(name.size() + 1));
    }
    return {};
}

// The cluster's script, for stopping and starting the server in the middle of a case.
bool cluster(const QString& action) {
    return QProcess::execute(QStringLiteral("bash"),
                             {QStringLiteral(ARDENTIX_CLUSTER_SCRIPT), action, kState}) == 0;
}

}  // namespace

class CentreTest : public QObject {
    Q_OBJECT

  private:
    int port_ = 0;
    int databases_ = 0;

    // A fresh database owned by the stations' user; its address.
    CentreAddress freshDatabase() {
        const QString name = QStringLiteral("centre_%1_%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(++databases_);
        {
            QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            admin.setHostName(QStringLiteral("127.0.0.1"));
            admin.setPort(port_);
            admin.setUserName(QStringLiteral("ardentix_admin"));
            admin.setDatabaseName(QStringLiteral("postgres"));
            if (!admin.open()) qFatal("admin connection: %s", qPrintable(admin.lastError().text()));
            QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE %1 OWNER station").arg(name));
        }
        QSqlDatabase::removeDatabase(name);
        CentreAddress address;
        address.host = "127.0.0.1";
        address.port = port_;
        address.database = name.toStdString();
        address.user = "station";
        return address;
    }

    static QString uri(const CentreAddress& a) {
        return QStringLiteral("postgresql://%1@%2:%3/%4")
            .arg(QString::fromStdString(a.user), QString::fromStdString(a.host))
            .arg(a.port)
            .arg(QString::fromStdString(a.database));
    }

    // A number the query gives, from the server or a station's database.
    static int count(QSqlDatabase& db, const QString& sql) {
        QSqlQuery query(db);
        if (!query.exec(sql) || !query.next()) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
            return -1;
        }
        return query.value(0).toInt();
    }

    static int onServer(const CentreAddress& address, const QString& sql) {
        CentreDb centre(address);
        if (centre.Open()) return -1;
        return count(centre.Db(), sql);
    }

    // A station's database in a temporary folder, with results written and queued for the
    // centre server as the program writes them.
    struct Station {
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("ARDENTIX.DB"));
        store::ResultsDb db{path};
        QString write(int errors = 2) {
            const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
            if (!db.IsOpen() && db.Open()) return {};
            if (store::WriteAttempt(db.Db(), testing::SampleResult(uuid.toStdString(), errors, 5),
                                    {QString::fromLatin1(kCentreTarget)}))
                return {};
            return uuid;
        }
    };

  private slots:
    void initTestCase() {
        port_ = clusterValue(QStringLiteral("PORT")).toInt();
        QVERIFY2(port_ > 0, "the test cluster is not running (ctest's fixture starts it)");
        qputenv("PGPASSFILE", (kState + QStringLiteral("/pgpass")).toLocal8Bit());
    }

    // Two stations, two processes, one new database: both bring it to this version (one after
    // the other) and both send their two scenarios; none is lost or doubled.
    void twoStationsWriteAtOnce() {
        const CentreAddress address = freshDatabase();
        QTemporaryDir dir;
        QList<QProcess*> stations;
        for (const QString& name : {QStringLiteral("Ann Ash"), QStringLiteral("Bo Birch")}) {
            const QString script = dir.filePath(name.left(3).trimmed() + QStringLiteral(".scn"));
            QFile file(script);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QStringLiteral("include %1 \"URI=%2\" \"NAME=%3\"\n")
                           .arg(QStringLiteral(ARDENTIX_CENTRE_SCRIPT), uri(address), name)
                           .toUtf8());
            file.close();
            auto* station = new QProcess(this);
            station->setProcessChannelMode(QProcess::MergedChannels);
            station->start(QStringLiteral(ARDENTIX_SCRIPT_PROGRAM),
                           {QStringLiteral("--media"), QStringLiteral(ARDENTIX_MEDIA_DIR), script});
            stations << station;
        }
        for (QProcess* station : stations) {
            QVERIFY(station->waitForFinished(120000));
            QVERIFY2(station->exitCode() == 0, station->readAll().constData());
        }
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempts")), 4);
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(DISTINCT trainee_name) FROM "
                                                  "attempts")),
                 2);
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempt_errors")), 4);
        QCOMPARE(onServer(address, QStringLiteral("SELECT MIN(n) FROM (SELECT COUNT(*) AS n FROM "
                                                  "attempt_events GROUP BY uuid) AS e")),
                 2);
        QCOMPARE(onServer(address, QStringLiteral("SELECT version FROM schema_version")),
                 store::kSchemaVersion);
    }

    // The server goes down after the first result: the next ones wait in the outbox, every try
    // counted, and nothing is lost; once it is up again they go, oldest first, once each.
    void serverStoppedMidSeries() {
        const CentreAddress address = freshDatabase();
        Station station;
        const QString first = station.write();
        QVERIFY(!first.isEmpty());
        CentreStatus status = RunSend(station.path, address);
        QCOMPARE(status.sent, 1);
        QCOMPARE(status.waiting, 0);
        QVERIFY2(status.failure.isEmpty(), qPrintable(status.failure));

        QVERIFY(cluster(QStringLiteral("pause")));
        QCOMPARE(StatusLine(RunSend(station.path, address)),
                 QStringLiteral("Centre server: the server at 127.0.0.1:%1 does not answer "
                                "(connection refused) (no results waiting)")
                     .arg(port_));
        const QString second = station.write();
        const QString third = station.write();
        for (int tries = 1; tries <= 2; ++tries) {
            status = RunSend(station.path, address);
            QCOMPARE(status.sent, 0);
            QCOMPARE(status.waiting, 2);
            QCOMPARE(StatusLine(status),
                     QStringLiteral("2 results waiting for the centre server: the server at "
                                    "127.0.0.1:%1 does not answer (connection refused)")
                         .arg(port_));
            QCOMPARE(count(station.db.Db(), QStringLiteral("SELECT MIN(tries) FROM outbox")),
                     tries);
        }
        QCOMPARE(count(station.db.Db(), QStringLiteral("SELECT COUNT(*) FROM attempts")), 3);
        QVERIFY(cluster(QStringLiteral("resume")));

        status = RunSend(station.path, address);
        QCOMPARE(status.sent, 2);
        QCOMPARE(status.waiting, 0);
        QCOMPARE(StatusLine(status),
                 QStringLiteral("Every result is on the centre server station@127.0.0.1:%1/%2")
                     .arg(port_)
                     .arg(QString::fromStdString(address.database)));
        status = RunSend(station.path, address);
        QCOMPARE(status.sent, 0);
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempts")), 3);
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempt_errors")), 6);

        // Oldest first: the order SendWaiting reports is the order of the outbox.
        Station again;
        const QString a = again.write();
        const QString b = again.write();
        CentreDb centre(address);
        QVERIFY(!centre.Open());
        QSqlQuery swap(again.db.Db());
        QVERIFY(swap.exec(
            QStringLiteral("UPDATE outbox SET queued_at = '0000' WHERE uuid = '%1'").arg(b)));
        QCOMPARE(SendWaiting(again.db.Db(), centre.Db()).sent, (QStringList{b, a}));
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempts WHERE uuid IN "
                                                  "('%1', '%2', '%3')")
                                       .arg(first, second, third)),
                 3);
    }

    // A server of the previous version, with its attempts: the first station brings it forward
    // and its attempts stay.
    void serverOfThePreviousVersion() {
        const CentreAddress address = freshDatabase();
        {
            // At version 1, as an older program left it.
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("old"));
            db.setHostName(QStringLiteral("127.0.0.1"));
            db.setPort(port_);
            db.setUserName(QStringLiteral("station"));
            db.setDatabaseName(QString::fromStdString(address.database));
            QVERIFY(db.open());
            QVERIFY(!store::Migrate(db, 1));
            QVERIFY(!store::WriteAttempt(db, testing::SampleResult("old-attempt", 1, 1)));
            QCOMPARE(*store::SchemaVersion(db), 1);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("old"));
        Station station;
        QVERIFY(!station.write().isEmpty());
        const CentreStatus status = RunSend(station.path, address);
        QCOMPARE(status.sent, 1);
        QCOMPARE(onServer(address, QStringLiteral("SELECT version FROM schema_version")),
                 store::kSchemaVersion);
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM outbox")), 0);
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempts WHERE uuid = "
                                                  "'old-attempt'")),
                 1);
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempts")), 2);
    }

    // A wrong password and none at all: a message that names the .pgpass file, the results kept
    // on the station, nothing on the server.
    void wrongPassword() {
        const CentreAddress address = freshDatabase();
        Station station;
        QVERIFY(!station.write().isEmpty());
        QTemporaryDir dir;
        const QString wrong = dir.filePath(QStringLiteral("pgpass"));
        QFile file(wrong);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("127.0.0.1:%1:*:station:not-the-password\n").arg(port_).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        qputenv("PGPASSFILE", wrong.toLocal8Bit());
        CentreStatus status = RunSend(station.path, address);
        QVERIFY(status.password);
        QCOMPARE(StatusLine(status),
                 QStringLiteral("1 result waiting for the centre server: the server refused the "
                                "password of station: correct it in the .pgpass file of this "
                                "computer's user"));
        qputenv("PGPASSFILE", dir.filePath(QStringLiteral("none")).toLocal8Bit());
        status = RunSend(station.path, address);
        QVERIFY(status.password);
        QCOMPARE(status.failure,
                 QStringLiteral("no password for station on 127.0.0.1:%1 in the .pgpass file of "
                                "this computer's user")
                     .arg(port_));
        QCOMPARE(count(station.db.Db(), QStringLiteral("SELECT COUNT(*) FROM attempts")), 1);
        QCOMPARE(count(station.db.Db(), QStringLiteral("SELECT tries FROM outbox")), 2);
        qputenv("PGPASSFILE", (kState + QStringLiteral("/pgpass")).toLocal8Bit());
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempts")), 0);
        QCOMPARE(RunSend(station.path, address).sent, 1);
    }

    // A server that takes the connection and never answers: the program's link sends on its own
    // thread, so the caller's event loop goes on (a timer fires meanwhile), and the status says
    // so when the connection gives up.
    void silentServerDoesNotHoldTheProgram() {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        Station station;
        QVERIFY(!station.write().isEmpty());
        CentreAddress address;
        address.host = "127.0.0.1";
        address.port = silent.serverPort();
        address.database = "results";
        address.user = "station";
        CentreLink link(station.path, [&address] {
            CentreUri uri;
            uri.ok = true;
            uri.address = address;
            return uri;
        });
        QStringList lines;
        connect(&link, &CentreLink::StatusChanged, this,
                [&lines](const QString& line) { lines << line; });
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&ticks] { ++ticks; });
        tick.start(100);
        link.SendNow();
        QVERIFY(link.Status().running);
        link.SendNow();  // asked again during the run: one more run after it
        QTRY_COMPARE_WITH_TIMEOUT(lines.size(), 3, 30000);
        QVERIFY2(ticks >= 10, "the event loop stood still during the send");
        QCOMPARE(lines[0],
                 QStringLiteral("Sending to the centre server station@127.0.0.1:%1/results ...")
                     .arg(address.port));
        QCOMPARE(lines[1], QStringLiteral("1 result waiting for the centre server: no answer from "
                                          "the server at 127.0.0.1:%1")
                               .arg(address.port));
        QTRY_COMPARE_WITH_TIMEOUT(lines.size(), 4, 30000);
        QCOMPARE(lines[3], lines[1]);
        QCOMPARE(count(station.db.Db(), QStringLiteral("SELECT tries FROM outbox")), 2);
    }

    // The server committed the attempt, but the station never learnt it (here the station
    // cannot strike it off its outbox): the next send finds it there and writes nothing twice.
    void answerLostAfterTheServerTookIt() {
        const CentreAddress address = freshDatabase();
        Station station;
        const QString uuid = station.write(3);
        QSqlQuery trap(station.db.Db());
        QVERIFY(
            trap.exec(QStringLiteral("CREATE TRIGGER answer_lost BEFORE DELETE ON outbox "
                                     "BEGIN SELECT RAISE(FAIL, 'answer lost'); END")));
        CentreStatus status = RunSend(station.path, address);
        QCOMPARE(status.sent, 0);
        QCOMPARE(status.waiting, 1);
        QVERIFY2(status.failure.contains(QStringLiteral("answer lost")),
                 qPrintable(status.failure));
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempts")), 1);
        QVERIFY(trap.exec(QStringLiteral("DROP TRIGGER answer_lost")));
        for (int run = 0; run < 2; ++run) {
            status = RunSend(station.path, address);
            QCOMPARE(status.sent, run == 0 ? 1 : 0);
            QCOMPARE(status.waiting, 0);
        }
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempts")), 1);
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempt_errors")), 3);
        QCOMPARE(onServer(address, QStringLiteral("SELECT COUNT(*) FROM attempt_events")), 5);
        QCOMPARE(
            onServer(address,
                     QStringLiteral("SELECT COUNT(*) FROM attempts WHERE uuid = '%1'").arg(uuid)),
            1);
    }
};

}  // namespace ardentix::centre

QTEST_GUILESS_MAIN(ardentix::centre::CentreTest)
#include "centre_test.moc"
