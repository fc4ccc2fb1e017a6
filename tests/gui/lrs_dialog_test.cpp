// The learning record store's dialog from the Test tab: its fields kept at OK and not at Cancel,
// Send Now with sending off and on (the sender's module loaded only then), and the export of
// every attempt of a real results database.
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QtTest>
#include <fstream>
#include <string>

#include "options/options.h"
#include "results_db.h"
#include "store/qt_results_store.h"
#include "test_program.h"
#include "ui/centre_station.h"
#include "ui/lrs_dialog.h"
#include "ui/lrs_link.h"

namespace ardentix {

namespace {

bool Loaded(const std::string& library) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find(library) != std::string::npos) return true;
    return false;
}

template <typename W>
W* child(QWidget* parent, const char* name) {
    W* widget = parent->findChild<W*>(QString::fromLatin1(name));
    if (!widget) qFatal("no %s", name);
    return widget;
}

}  // namespace

class LrsDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void fieldsAreKeptAtOkAndSendingWaitsForThem() {
        test::TestProgram program;
        program.Start();
        if (QTest::currentTestFailed()) return;
        ui::LrsLink* link = program.window->Lrs();
        QVERIFY(link);
        const xapi::LrsSettings first = link->Settings();
        // The dialog comes from the Test tab, behind the options password.
        QTest::mouseClick(test::Child(program.window.get(), "OPTIONSImage"), Qt::LeftButton);
        auto* pages = child<QTabWidget>(program.window.get(), "PageControl1");
        pages->setCurrentIndex(2);
        QCOMPARE(ActiveOptionTab(*program.engine), std::string("Test"));
        child<QPushButton>(program.window.get(), "LrsConfigure")->click();
        ui::LrsDialog* dialog = link->Dialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(child<QLineEdit>(dialog, "LrsHomePage")->text(), first.homePage);
        QCOMPARE(child<QLineEdit>(dialog, "LrsSecret")->echoMode(), QLineEdit::Password);

        child<QLineEdit>(dialog, "LrsEndpoint")->setText("http://127.0.0.1:1/xapi");
        dialog->reject();
        QCOMPARE(link->Settings().endpoint, QString());
        link->ShowDialog();
        QCOMPARE(child<QLineEdit>(dialog, "LrsEndpoint")->text(), QString());

        // Sending off: Send Now says so, and Qt Network is not loaded for it.
        child<QLineEdit>(dialog, "LrsEndpoint")->setText("http://127.0.0.1:1/xapi");
        child<QPushButton>(dialog, "LrsSendNow")->click();
        QVERIFY(dialog->Status().contains("off"));
        QVERIFY(!Loaded("ardentix_lrs"));

        // Nothing listens at port 1 of loopback: the round ends at once, refused.
        const QString endpoint = QStringLiteral("http://127.0.0.1:1/xapi");
        child<QLineEdit>(dialog, "LrsEndpoint")->setText(endpoint);
        child<QLineEdit>(dialog, "LrsKey")->setText("station-key");
        child<QCheckBox>(dialog, "LrsSend")->setChecked(true);
        dialog->accept();
        QCOMPARE(link->Settings().endpoint, endpoint);
        QCOMPARE(link->Settings().key, QString("station-key"));
        QVERIFY(link->Settings().send);
        // OK made them the engine's options, changed as typing them would: the Test tab's Close
        // keeps them in ARDENTIX.INI for the next start.
        QCOMPARE(program.engine->settings.Text(Opt::OPTLrsEndpoint), endpoint.toStdString());
        QVERIFY(program.engine->settings.On(Opt::OPTLrsSend));
        QVERIFY(link->Wanted());
        QVERIFY(program.engine->settings.Changed());
        QCOMPARE(test::AnswerBoxAfter(
                     QMessageBox::Yes,
                     [&] { child<QPushButton>(program.window.get(), "TESTCLOSE")->click(); }),
                 QStringLiteral("Save changes to settings?"));
        QFile ini(QDir(program.dir->path()).filePath("ARDENTIX.INI"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QString lines = QString::fromUtf8(ini.readAll());
        QVERIFY2(lines.contains("LrsEndpoint=" + endpoint), qPrintable(lines));
        QVERIFY(lines.contains("LrsKey=station-key"));
        QVERIFY(lines.contains("LrsSend=1"));
        QTest::mouseClick(test::Child(program.window.get(), "OPTIONSImage"), Qt::LeftButton);
        pages->setCurrentIndex(2);

        // On: the module comes, and the round's end shows in the dialog.
        link->ShowDialog();
        QCOMPARE(child<QLineEdit>(dialog, "LrsEndpoint")->text(), endpoint);
        child<QPushButton>(dialog, "LrsSendNow")->click();
        QVERIFY(Loaded("ardentix_lrs"));
        QTRY_VERIFY(dialog->Status().contains("0 sent"));
        program.Stop();
    }

    // While sending is wanted each recorded result waits in the outbox for the store and a round
    // follows at once; while it is not, neither.
    void recordedResultsAreQueuedWhileSendingIsWanted() {
        QTemporaryDir dir;
        store::QtResultsStore results(dir.path().toStdString());
        ui::CentreStation station(results, dir.path().toStdString());
        bool wanted = false;
        int rounds = 0;
        station.SetLrs([&] { return wanted; }, [&] { ++rounds; });
        ScenarioResult result;
        result.traineeName = "Kim Lee";
        result.mode = "Practice";
        result.profile = "Classic";
        result.startedAt = "2026-12-08T09:00:00+00:00";
        QVERIFY(!station.Record(result));
        wanted = true;
        QVERIFY(!station.Record(result));
        QVERIFY(!station.Record(result));
        QCOMPARE(rounds, 2);
        QSqlDatabase db = test::OpenResults(dir.filePath("ARDENTIX.DB"), "queued-check");
        QSqlQuery attempts("SELECT COUNT(*) FROM attempts", db);
        QVERIFY(attempts.next());
        QCOMPARE(attempts.value(0).toInt(), 3);
        QSqlQuery queued("SELECT COUNT(*) FROM outbox WHERE target = 'lrs'", db);
        QVERIFY(queued.next());
        QCOMPARE(queued.value(0).toInt(), 2);
        db.close();
    }

    void exportWritesEveryAttempt() {
        QTemporaryDir dir;
        QSqlDatabase db = test::OpenResults(dir.filePath("ARDENTIX.DB"), "gui-export");
        const QVector<test::AttemptKind> kinds = test::EveryKind();
        for (const test::AttemptKind& kind : kinds)
            test::WriteAttempt(db, kind.attempt, kind.points);
        xapi::LrsSettings settings;
        settings.activityBase = "https://centre.example/aed";
        ui::LazyLrsQueue queue(
            "gui-export", [&] { return settings; }, nullptr);
        {
            ui::LrsDialog dialog(settings, "gui-export", queue, nullptr);
            const QString file = dir.filePath("all.json");
            QVERIFY(dialog.ExportTo(file));
            QVERIFY(dialog.Status().startsWith(QString::number(kinds.size()) + " statements"));
            QFile written(file);
            QVERIFY(written.open(QIODevice::ReadOnly));
            const QJsonArray all = QJsonDocument::fromJson(written.readAll()).array();
            QCOMPARE(all.size(), kinds.size());
            QVERIFY(all[0]["object"]["id"].toString().startsWith(settings.activityBase));
            QVERIFY(dialog.ExportTo(dir.filePath("two.json"),
                                    {kinds[3].attempt.uuid, kinds[1].attempt.uuid}));
            QVERIFY(dialog.Status().startsWith("2 statements"));

            ui::LrsDialog none(settings, "no-database", queue, nullptr);
            QVERIFY(!none.ExportTo(dir.filePath("none.json")));
            QVERIFY(!QFile::exists(dir.filePath("none.json")));
        }
        db.close();
    }
};

}  // namespace ardentix

QTEST_MAIN(ardentix::LrsDialogTest)
#include "lrs_dialog_test.moc"
