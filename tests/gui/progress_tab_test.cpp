// The Progress tab on the offscreen platform, over a real ARDENTIX.DB in the program directory:
// chosen like the other tabs and closed by its Close, it lists the trainees, filters them by days,
// mode and name, opens a trainee's page whose attempt opens its stored debrief, exports the
// filtered attempts, and reads the database afresh when shown again.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include "core/engine.h"
#include "options/options.h"
#include "results_file.h"
#include "test_program.h"
#include "ui/debrief_window.h"
#include "ui/progress_chart.h"
#include "ui/progress_tab.h"
#include "ui/stored_debrief.h"
#include "ui/trainee_window.h"

using namespace ardentix;

namespace {

test::AttemptRecord attempt(const char* uuid, const char* name, const char* startedAt,
                            const char* mode, int score) {
    test::AttemptRecord a;
    a.uuid = QString::fromLatin1(uuid);
    a.name = QString::fromUtf8(name);
    a.startedAt = QString::fromLatin1(startedAt);
    a.mode = QString::fromLatin1(mode);
    a.score = score;
    a.firstShockMs = 60000 + score;
    a.cprFraction = 70.5;
    return a;
}

// Double-clicks a row of a table in its first column.
void doubleClickRow(QTableWidget* table, int row) {
    const QRect cell = table->visualItemRect(table->item(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

}  // namespace

class ProgressTabTest : public QObject {
    Q_OBJECT

    test::TestProgram program_;
    QTabWidget* pages_ = nullptr;

    QString dbPath() const { return QDir(program_.dir->path()).filePath("ARDENTIX.DB"); }
    void add(const test::AttemptRecord& a) {
        test::ResultsFile file(dbPath());
        QVERIFY2(file.Ok(), qPrintable(file.Failure()));
        QVERIFY2(file.Add(a), qPrintable(file.Failure()));
    }
    ui::ProgressTab* tab() { return test::Child<ui::ProgressTab>(pages_, "ProgressSheet"); }
    QStringList names() {
        QStringList list;
        for (int r = 0; r < tab()->Trainees()->rowCount(); ++r)
            list << tab()->Trainees()->item(r, 0)->text();
        return list;
    }
    void openTab() {
        QTest::mouseClick(test::Child(program_.window.get(), "OPTIONSImage"), Qt::LeftButton);
        QVERIFY(pages_->isVisible());
        pages_->setCurrentIndex(pages_->indexOf(tab()));
        QCOMPARE(ActiveOptionTab(*program_.engine), std::string("Progress"));
        QCOMPARE(pages_->currentWidget(), tab());
    }

  private slots:
    void init() {
        program_.Start();
        pages_ = test::Child<QTabWidget>(program_.window.get(), "PageControl1");
        {
            test::ResultsFile file(dbPath());
            QVERIFY2(file.Ok(), qPrintable(file.Failure()));
        }
        test::AttemptRecord first =
            attempt("a1", "Kim Lee", "2026-11-02T09:00:00+01:00", "Practice", 700);
        first.errors = {"Did not call for help (-50).", "Slow first shock (-100)."};
        first.events = {{1000, "action", "Response", "rewarded", 10},
                        {4000, "action", "Call911", "deduction: Did not call for help", -50},
                        {9000, "cpr", "CPR running", "neutral", 0},
                        {60000, "cpr", "CPR stopped", "neutral", 0},
                        {60700, "device", "Shock delivered", "rewarded", 50}};
        first.figures = {{"TimeToResponse", "1000"}, {"TimeToFirstShock", "60700"}};
        add(first);
        test::AttemptRecord second =
            attempt("a2", "Kim Lee", "2026-11-20T09:00:00+01:00", "Test", 950);
        second.passed = 1;
        second.errors = {"Did not call for help (-50)."};
        add(second);
        add(attempt("a3", "Åsa, \"Berg\"", "2025-06-01T10:00:00+02:00", "Practice", 800));
    }
    void cleanup() { program_.Stop(); }

    void traineesFilteredOpenedAndExported() {
        openTab();
        // By name (as the system's locale orders names: here the C locale's code points).
        QCOMPARE(names(), QStringList({"Kim Lee", "Åsa, \"Berg\""}));
        QCOMPARE(tab()->Status()->text(), QStringLiteral("2 trainees, 3 attempts"));
        QTableWidget* t = tab()->Trainees();
        QCOMPARE(t->item(0, 2)->text(), QStringLiteral("2"));     // attempts
        QCOMPARE(t->item(0, 4)->text(), QStringLiteral("950"));   // best
        QCOMPARE(t->item(0, 5)->text(), QStringLiteral("950"));   // last
        QCOMPARE(t->item(0, 6)->text(), QStringLiteral("1"));     // tests passed
        QCOMPARE(t->item(0, 7)->text(), QStringLiteral("1:00"));  // 60825 ms, the median
        QCOMPARE(tab()->Errors()->item(0, 0)->text(), QStringLiteral("Did not call for help"));
        QCOMPARE(tab()->Errors()->item(0, 1)->text(), QStringLiteral("2"));

        // From the first of November: Åsa's attempt of last year goes.
        auto* fromOn = test::Child<QCheckBox>(tab(), "ProgressFromOn");
        auto* from = test::Child<QDateEdit>(tab(), "ProgressFrom");
        from->setDate(QDate(2026, 11, 2));
        fromOn->click();
        QCOMPARE(names(), QStringList({"Kim Lee"}));
        // Test only: Kim's one Test attempt; Practice of a later start: nothing.
        auto* mode = test::Child<QComboBox>(tab(), "ProgressMode");
        mode->setCurrentIndex(mode->findData(QStringLiteral("Test")));
        QCOMPARE(t->item(0, 2)->text(), QStringLiteral("1"));
        QCOMPARE(tab()->Errors()->rowCount(), 1);
        mode->setCurrentIndex(mode->findData(QStringLiteral("Practice")));
        from->setDate(QDate(2026, 11, 3));
        QCOMPARE(t->rowCount(), 0);
        from->setDate(QDate(2026, 11, 2));
        mode->setCurrentIndex(0);
        fromOn->click();
        // The name, typed: any case, any part.
        QTest::keyClicks(test::Child<QLineEdit>(tab(), "ProgressName"), QStringLiteral("åSA"));
        QTRY_COMPARE(names(), QStringList({"Åsa, \"Berg\""}));
        test::Child<QLineEdit>(tab(), "ProgressName")->clear();
        QTRY_COMPARE(t->rowCount(), 2);

        // Kim's page: the chart and the attempts, oldest first; a double click on the first one
        // opens its debrief with the stored events and figures.
        doubleClickRow(t, 0);
        auto* trainee = tab()->findChild<ui::TraineeWindow*>();
        QVERIFY(trainee);
        QTRY_VERIFY(trainee->isVisible());
        QCOMPARE(trainee->windowTitle(), QStringLiteral("Kim Lee"));
        QCOMPARE(trainee->Chart()->PointCount(), 2);
        QCOMPARE(trainee->Attempts()->rowCount(), 2);
        QCOMPARE(trainee->Attempts()->item(0, 3)->text(), QStringLiteral("700"));
        doubleClickRow(trainee->Attempts(), 0);
        auto* debrief = trainee->findChild<ui::StoredDebriefWindow*>();
        QVERIFY(debrief);
        QTRY_VERIFY(debrief->isVisible());
        QCOMPARE(debrief->Events()->rowCount(), 5);
        QCOMPARE(debrief->Events()->item(1, 1)->text(), QStringLiteral("Call911"));
        QCOMPARE(debrief->Chart()->MarkerCount(), 5);
        QCOMPARE(debrief->Figures()->rowCount(), 2);
        QCOMPARE(debrief->Figures()->item(1, 0)->text(), QStringLiteral("First shock"));
        QCOMPARE(debrief->Errors()->count(), 2);
        debrief->close();
        trainee->close();

        // The CSV of what the filter shows, through the save dialog.
        mode->setCurrentIndex(mode->findData(QStringLiteral("Practice")));
        const QString csv = QDir(program_.dir->path()).filePath("practice.csv");
        test::ChooseFileAfter(csv, [this] {
            QTest::mouseClick(test::Child(tab(), "ProgressExportCsv"), Qt::LeftButton);
        });
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4);  // the header, two attempts, nothing after the last line end
        QVERIFY(lines[1].startsWith(QString::fromUtf8("a3,\"Åsa, \"\"Berg\"\"\",").toUtf8()));
        QVERIFY(lines[2].startsWith("a1,Kim Lee,"));
    }

    void closedAndShownAgainReadsAfresh() {
        openTab();
        QCOMPARE(tab()->Trainees()->rowCount(), 2);
        QTest::mouseClick(test::Child(tab(), "PROGRESSCLOSEBUTTON"), Qt::LeftButton);
        QVERIFY(!pages_->isVisible());
        QVERIFY(!OptionPagesShown(*program_.engine));
        add(attempt("a4", "Noah Berg", "2026-11-21T09:00:00+01:00", "Practice", 600));
        // The pages open again on the Progress tab, which reads the new attempt.
        QTest::mouseClick(test::Child(program_.window.get(), "OPTIONSImage"), Qt::LeftButton);
        QCOMPARE(pages_->currentWidget(), tab());
        QCOMPARE(tab()->Trainees()->rowCount(), 3);
    }
};

QTEST_MAIN(ProgressTabTest)
#include "progress_tab_test.moc"
