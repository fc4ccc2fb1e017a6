// The scenario's clock in the window, on a clock the test moves by hand: what fell due before a
// click happens before it, a click's timers count from the click, and neither a pause nor the
// summary nor a message box is counted or replayed afterwards.
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "aed/aed.h"
#include "core/engine.h"
#include "core/scenario.h"
#include "hand_clock_test.h"
#include "scenario/input.h"
#include "test_program.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"
#include "ui/qt_ports.h"

using namespace ardentix;

class ScenarioClockTest : public test::HandClockTest {
    Q_OBJECT

    std::string text(const char* element) const {
        return engine_->screen.Get(ElementCalled(element)).text;
    }
    int elapsed() const { return engine_->state.ElapsedSeconds; }
    bool errorListed(const std::string& line) const {
        const auto& lines = engine_->screen.Get(El::SummaryErrors).lines;
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The clock goes on in steps of 10 ms until done() holds; false when limit ms pass first.
    bool advanceUntil(const std::function<bool()>& done, Millis limit) {
        for (Millis waited = 0; waited < limit; waited += 10) {
            if (done()) return true;
            clock_->Advance(10);
        }
        return done();
    }
    // The colour of a widget at a point, as drawn.
    static QColor pixel(QWidget* w, QPoint at) { return w->grab().toImage().pixelColor(at); }

    void logIn(const PatientOverride& patient) {
        QTest::mouseClick(window_->Menu()->StartButton(), Qt::LeftButton);
        QDialog* login = test::TopDialog("TUserNAMEFORM");
        QVERIFY(login->isVisible());
        QTest::keyClicks(login->findChild<QLineEdit*>(QStringLiteral("NAMEEdit")),
                         QStringLiteral("Kim Lee"));
        QTest::mouseClick(login->findChild<QRadioButton*>(QStringLiteral("Practicebutton")),
                          Qt::LeftButton);
        engine_->nextPatient = patient;
        QTest::mouseClick(login->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
        QTRY_VERIFY(!login->isVisible());
        QVERIFY(engine_->timers.Running(TimerId::ELAPSEDSecTIMER));
        QCOMPARE(elapsed(), 0);
    }

  private slots:
    void init() { StartProgram(); }

    void cleanup() { StopProgram(); }

    // The Trouble menu pops up beside its button with the kinds of fault the options enable.
    void troubleMenuPopsUpBesideItsButton() {
        engine_->settings.SetOn(Opt::OptBatteryTrouble, false);
        logIn({0, 1, 4, {}});
        auto* button = widget<QPushButton>("TROUBLEShootBUTTON");
        QTest::mouseClick(button, Qt::LeftButton);
        auto* menu = window_->findChild<QMenu*>(QStringLiteral("TROUBLESHOOTMenu"));
        QVERIFY(menu);
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), button->mapToGlobal(QPoint(25, 15)));
        auto* electrode = menu->findChild<QAction*>(QStringLiteral("TroubleElectrodeMenuItem"));
        auto* battery = menu->findChild<QAction*>(QStringLiteral("TroubleBatteryMenuItem"));
        QVERIFY(electrode && battery);
        QCOMPARE(electrode->text(), QStringLiteral("Re-attach Electrode"));
        QVERIFY(electrode->isVisible());
        QVERIFY(!battery->isVisible());
        electrode->trigger();
        menu->close();
        QCOMPARE(text("MSG0"), std::string("Attach electrodes."));
    }

    // Checks of the ABCs menu: each report comes a whole period after its click.
    void clickTimersCountFromTheClick() {
        logIn({0, 1, 4, {}});
        auto* msg0 = widget<QLabel>("MSG0");

        // An idle stretch: the seconds are counted as they come.
        clock_->Advance(1500);
        QCOMPARE(elapsed(), 1);
        action("ABCsResponsivenessMenuItem")->trigger();
        QVERIFY(engine_->timers.Running(TimerId::ResponsivenessTimer));
        QCOMPARE(engine_->timers.Interval(TimerId::ResponsivenessTimer), 100);
        QCOMPARE(engine_->state.ShakeCount, uint8_t{0});
        clock_->Advance(99);
        QCOMPARE(engine_->state.ShakeCount, uint8_t{0});
        clock_->Advance(1);
        QCOMPARE(engine_->state.ShakeCount, uint8_t{1});

        // The shaking ends 3150 ms after the click, and the menu is free again. The next click
        // comes 50 ms later, before the program's timer got its turn: what fell due comes
        // first, in order, and then the breathing check is allowed.
        clock_->Skip(3100);
        QCOMPARE(elapsed(), 1);
        QCOMPARE(engine_->state.ShakeCount, uint8_t{1});
        QAction* breathing = action("ABCsBreathingMenuItem");
        breathing->trigger();
        QCOMPARE(engine_->state.ShakeCount, uint8_t{9});
        QCOMPARE(elapsed(), 4);
        QCOMPARE(msg0->text(), QStringLiteral("Patient is unresponsive."));
        QVERIFY(engine_->timers.Running(TimerId::BREATHINGTimer));
        QCOMPARE(engine_->timers.Interval(TimerId::BREATHINGTimer), 4000);

        // The breathing report comes 4000 ms after the click, not a moment sooner.
        clock_->Advance(3999);
        QCOMPARE(msg0->text(), QStringLiteral("Patient is unresponsive."));
        QVERIFY(!breathing->isChecked());
        QCOMPARE(elapsed(), 8);
        clock_->Advance(1);
        QVERIFY2(msg0->text().startsWith(QStringLiteral("Respiratory rate is ")),
                 qPrintable(msg0->text()));
        QVERIFY(breathing->isChecked());
        QVERIFY(!engine_->timers.Running(TimerId::BREATHINGTimer));
    }

    // The device at "PUSH TO SHOCK" and in its CPR countdown: a pause holds it where it was.
    void pauseHoldsTheDevice() {
        logIn({0, 1, 4, {}});
        for (const auto& [pad, zone] :
             {std::pair{"PADWHITE", "PADWhiteZone"}, std::pair{"PADRED", "PADRedZONE"}}) {
            InputResult result = InputResult::Unknown;
            window_->Dispatch([&] { result = DragPad(*engine_, pad, zone, 0, 0); });
            QVERIFY2(result == InputResult::Done, pad);
        }
        QVERIFY(engine_->state.WhitePadAttached && engine_->state.RedPadAttached);
        clock_->Advance(500);
        QTest::mouseClick(widget<QPushButton>("PowerButton"), Qt::LeftButton);
        QVERIFY(engine_->state.AEDOn);

        // Self-test, analysis and charging take 24650 ms from the power key.
        clock_->Advance(24649);
        QCOMPARE(text("AEDDISPLAY1"), std::string("STAND CLEAR"));
        clock_->Advance(1);
        QCOMPARE(text("AEDDISPLAY1"), std::string("PUSH TO SHOCK"));
        QVERIFY(engine_->timers.Running(TimerId::DISARMTimer));

        // Five seconds into the 13 the trainee has to shock, the scenario is paused for ten.
        clock_->Advance(5000);
        const std::string prompt = text("AEDDISPLAY1");
        const int16_t score = engine_->state.Score;
        const int seconds = elapsed();
        auto* shock = widget<QPushButton>("ShockButton");
        const QPoint shockFace(shock->width() / 2, 10);
        QVERIFY(pixel(shock, shockFace).hsvSaturation() > 100);
        QAction* pause = action("Pause");
        pause->trigger();
        QVERIFY(pause->isChecked());
        QVERIFY(!engine_->screen.Get(El::ShockButton).enabled);
        QVERIFY(!shock->isEnabled());
        QVERIFY2(pixel(shock, shockFace).hsvSaturation() < 40, "a paused key is drawn grey");
        clock_->Advance(10000);
        QCOMPARE(text("AEDDISPLAY1"), prompt);
        QCOMPARE(elapsed(), seconds);
        pause->trigger();
        QVERIFY(!pause->isChecked());
        QVERIFY(shock->isEnabled());
        QVERIFY(pixel(shock, shockFace).hsvSaturation() > 100);
        // Nothing of the pause is made up for on the way out.
        QCOMPARE(text("AEDDISPLAY1"), prompt);
        QCOMPARE(engine_->state.Score, score);
        QCOMPARE(elapsed(), seconds);

        // The device takes its charge back a whole disarm period after the pause ends.
        const int disarm = engine_->timers.Interval(TimerId::DISARMTimer);
        QCOMPARE(disarm, 13000);
        clock_->Advance(disarm - 1);
        QVERIFY(!errorListed("Did not shock after Shock Advised (-200)."));
        QCOMPARE(engine_->state.Score, score);
        clock_->Advance(1);
        QCOMPARE(text("AEDDISPLAY1"), std::string("CHARGE REMOVED"));
        QVERIFY(errorListed("Did not shock after Shock Advised (-200)."));
        QCOMPARE(engine_->state.Score, int16_t(score - 200));

        // It analyses again by itself; this time the trainee clears and shocks.
        QVERIFY(advanceUntil([&] { return text("AEDDISPLAY1") == "PUSH TO SHOCK"; }, 60000));
        QTest::mouseClick(widget<QPushButton>("CLEARBUTTON"), Qt::LeftButton);
        QVERIFY(engine_->state.PatientCleared);
        QTest::mouseClick(shock, Qt::LeftButton);
        QCOMPARE(engine_->state.ShockCount, uint8_t{1});

        // On to the CPR countdown, and a few of its seconds.
        QVERIFY(advanceUntil([&] { return !text("AEDDISPLAY0").empty(); }, 60000));
        const int tick = engine_->timers.Interval(TimerId::CPRCountdownTimer);
        QCOMPARE(tick, 750);
        clock_->Advance(3 * tick + tick / 2);
        const std::string countdown = text("AEDDISPLAY0");
        const uint8_t left = engine_->state.CountdownSeconds;
        QVERIFY2(left > 20, countdown.c_str());
        QCOMPARE(countdown, CountdownText(left));

        pause->trigger();
        QVERIFY(!engine_->timers.Running(TimerId::CPRCountdownTimer));
        clock_->Advance(10000);
        QCOMPARE(text("AEDDISPLAY0"), countdown);
        pause->trigger();
        QVERIFY(engine_->timers.Running(TimerId::CPRCountdownTimer));
        QCOMPARE(text("AEDDISPLAY0"), countdown);
        QCOMPARE(engine_->state.CountdownSeconds, left);
        // The next second goes a whole tick after the pause ends.
        clock_->Advance(tick - 1);
        QCOMPARE(engine_->state.CountdownSeconds, left);
        clock_->Advance(1);
        QCOMPARE(engine_->state.CountdownSeconds, uint8_t(left - 1));
        QCOMPARE(text("AEDDISPLAY0"), CountdownText(left - 1));
    }

    // The scenario's elapsed time counts neither a message box, nor a pause, nor the time the
    // summary of the one before was open.
    void elapsedTimeIsScenarioTime() {
        logIn({0, 1, 4, {}});
        clock_->Advance(2500);
        QCOMPARE(elapsed(), 2);

        // The engine waits while a box is open: no second is counted behind its back, and none
        // is made up for afterwards.
        int secondsInBox = -1;
        QString boxText;
        QTimer::singleShot(0, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible()) continue;
                boxText = box->text();
                clock_->Advance(5000);
                secondsInBox = elapsed();
                box->accept();
            }
        });
        window_->Dispatch(
            [&] { engine_->Message(BoxKind::Information, BoxButtons::Ok, "Take your time."); });
        QCOMPARE(boxText, QStringLiteral("Take your time."));
        QCOMPARE(secondsInBox, 2);
        QCOMPARE(elapsed(), 2);
        clock_->Advance(499);
        QCOMPARE(elapsed(), 2);
        clock_->Advance(1);
        QCOMPARE(elapsed(), 3);

        // A pause of ten seconds; the power key and the pads cannot be taken meanwhile.
        auto* power = widget<QPushButton>("PowerButton");
        const QPoint powerFace(power->width() / 2, 10);
        QWidget* red = widget("PADRED");
        QWidget* white = widget("PADWHITE");
        const QPoint padBody(8, 33);
        QVERIFY(pixel(power, powerFace).hsvSaturation() > 100);
        QVERIFY(pixel(red, padBody).hsvSaturation() > 100);
        const int whiteLit = pixel(white, padBody).value();
        QVERIFY(whiteLit > 200);
        QCOMPARE(red->cursor().shape(), Qt::OpenHandCursor);

        QAction* pause = action("Pause");
        pause->trigger();
        for (const char* name : {"PowerButton", "PADRED", "PADWHITE"}) {
            QVERIFY2(!engine_->screen.Get(ElementCalled(name)).enabled, name);
            QVERIFY2(!widget(name)->isEnabled(), name);
        }
        QVERIFY2(pixel(power, powerFace).hsvSaturation() < 40, "the power key looks off");
        QVERIFY2(pixel(red, padBody).hsvSaturation() < 40, "the red pad looks grey");
        QVERIFY2(pixel(white, padBody).value() < whiteLit - 60, "the white pad looks dimmed");
        QCOMPARE(red->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(power->cursor().shape(), Qt::ArrowCursor);
        clock_->Advance(10000);
        QCOMPARE(elapsed(), 3);
        pause->trigger();
        QCOMPARE(elapsed(), 3);
        QVERIFY(power->isEnabled() && red->isEnabled() && white->isEnabled());
        QVERIFY(pixel(power, powerFace).hsvSaturation() > 100);
        QVERIFY(pixel(red, padBody).hsvSaturation() > 100);
        QCOMPARE(red->cursor().shape(), Qt::OpenHandCursor);
        clock_->Advance(1999);
        QCOMPARE(elapsed(), 4);
        clock_->Advance(1);
        QCOMPARE(elapsed(), 5);

        // The summary shows the scenario's own time, and stays open for 30 s.
        QTest::mouseClick(widget<QPushButton>("ENDBUTTON"), Qt::LeftButton);
        window_->Click(ElementCalled("FinalErrorOKButton"));  // the final deduction first
        QDialog* summary = test::TopDialog("TForm2");
        QTRY_VERIFY(summary->isVisible());
        auto* elapsedField = summary->findChild<QLineEdit*>(QStringLiteral("ElapsedTimeEDIT"));
        QCOMPARE(elapsedField->text(), QStringLiteral("00:05"));
        clock_->Advance(30000);
        QCOMPARE(elapsed(), 5);

        // The next scenario starts from nothing.
        QTest::mouseClick(summary->findChild<QPushButton*>(QStringLiteral("Next")), Qt::LeftButton);
        QTRY_VERIFY(!summary->isVisible());
        QCOMPARE(elapsed(), 0);
        clock_->Advance(1999);
        QCOMPARE(elapsed(), 1);
        clock_->Advance(1);
        QCOMPARE(elapsed(), 2);
        QTest::mouseClick(widget<QPushButton>("ENDBUTTON"), Qt::LeftButton);
        window_->Click(ElementCalled("FinalErrorOKButton"));
        QTRY_VERIFY(summary->isVisible());
        QCOMPARE(elapsedField->text(), QStringLiteral("00:02"));
    }
};

QTEST_MAIN(ScenarioClockTest)
#include "scenario_clock_test.moc"
