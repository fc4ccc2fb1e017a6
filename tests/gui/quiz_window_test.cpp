// The CPR quiz window on the offscreen platform: it comes up over a waiting main window, its
// fields, spin buttons and keys reach the engine, and OK sends it away.
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "core/engine.h"
#include "scenario/flow.h"
#include "scenario/input.h"
#include "test_program.h"
#include "ui/main_window.h"

using namespace ardentix;

class QuizWindowTest : public QObject {
    Q_OBJECT

    test::TestProgram program_;

  private slots:
    void init() {
        program_.Start();
        Engine& e = *program_.engine;
        program_.window->Dispatch([&e] {
            e.settings.SetOn(Opt::OPTCOMPRVENT, true);
            e.settings.SetOn(Opt::OPTCPRTIME, true);
            e.settings.SetText(Opt::OptCPR0Length, "30");
            ShowLogin(e);
            TypeText(e, "TUserNAMEFORM.NAMEEdit", "Kim");
            LoginOk(e);
        });
    }
    void cleanup() { program_.Stop(); }

    void ratioThenSecondsThroughTheWindow() {
        Engine& e = *program_.engine;
        ui::MainWindow* window = program_.window.get();
        window->Click(ElementCalled("CPRBUTTON"));
        QDialog* quiz = test::TopDialog("TCPRFORM");
        QVERIFY(quiz->isVisible());
        QCOMPARE(quiz->windowTitle(), QStringLiteral("Quiz"));
        QVERIFY(quiz->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!(quiz->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!window->centralWidget()->isEnabled());
        QVERIFY(!window->menuBar()->isEnabled());
        QCOMPARE(test::Child<QLabel>(quiz, "Label1")->text(),
                 QStringLiteral("What ratio of chest compressions to rescue breaths?"));

        auto* compressions = test::Child<QLineEdit>(quiz, "EDIT1");
        auto* breaths = test::Child<QLineEdit>(quiz, "Edit2");
        QVERIFY(breaths->isVisible());
        compressions->clear();
        QTest::keyClicks(compressions, "14");
        QCOMPARE(e.screen.Get(El::QuizEDIT1).text, "14");
        QTest::keyClick(compressions, Qt::Key_Up);  // Up spins the field being typed in
        QCOMPARE(e.screen.Get(El::QuizEDIT1).text, "15");
        QCOMPARE(compressions->text(), QStringLiteral("15"));
        test::Child<QToolButton>(test::Child<QWidget>(quiz, "SpinButton2"), "Up")->click();
        test::Child<QToolButton>(test::Child<QWidget>(quiz, "SpinButton2"), "Up")->click();
        QCOMPARE(breaths->text(), QStringLiteral("2"));
        QTest::keyClick(breaths, Qt::Key_Down);
        QTest::keyClick(breaths, Qt::Key_Up);
        QCOMPARE(breaths->text(), QStringLiteral("2"));

        // Enter is OK: the ratio is right, and the seconds are asked in the narrower window.
        QTest::keyClick(compressions, Qt::Key_Return);
        QCOMPARE(e.screen.Get(El::MSG0).text, "15 compressions to 2 rescue breaths");
        QVERIFY(quiz->isVisible());
        QVERIFY(!breaths->isVisible());
        QCOMPARE(test::Child<QLabel>(quiz, "Label1")->text(),
                 QStringLiteral("How many seconds of CPR?"));
        QCOMPARE(compressions->maxLength(), 3);

        compressions->clear();
        QTest::keyClicks(compressions, "30");
        test::Child<QPushButton>(quiz, "OKBtn")->click();
        QCOMPARE(e.screen.Get(El::MSG0).text, "Your answer is correct (+ 25).");
        QVERIFY(!quiz->isVisible());
        QVERIFY(window->centralWidget()->isEnabled());
        QVERIFY(e.timers.Running(TimerId::CPRTimer));
    }
};

QTEST_MAIN(QuizWindowTest)
#include "quiz_window_test.moc"
