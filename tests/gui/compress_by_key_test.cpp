// Compressions by key in the window, on a clock the test moves by hand: the Space bar is the
// compression key while the trainee practises the current guidelines with "Compress by key", and
// the scenario screen takes it before the button that has the focus; a click on the chest counts
// the same; the rate beside the message lines turns green or red. Without the option the Space
// bar presses the focused button as it always did.
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "core/engine.h"
#include "core/screen.h"
#include "hand_clock_test.h"
#include "test_program.h"
#include "ui/main_window.h"

using namespace ardentix;

class CompressByKeyTest : public test::HandClockTest {
    Q_OBJECT

    QLabel* rate() { return widget<QLabel>("CPRRate"); }
    QColor rateColour() { return rate()->palette().color(QPalette::WindowText); }
    int compressions() const { return engine_->state.CompressionCount; }
    // The Space bar pressed while a button has the keyboard focus.
    void spaceOn(QWidget* focus) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Space);
    }
    void chooseGuidelines(bool current, bool byKey) {
        engine_->settings.SetOn(current ? Opt::OPTGuideCurrent : Opt::OPTGuideClassic, true);
        engine_->settings.SetOn(Opt::OPTCompressByKey, byKey);
    }
    static bool greenish(const QColor& c) { return c.green() > 180 && c.red() < 120; }
    static bool reddish(const QColor& c) { return c.red() > 200 && c.green() < 120; }

  private slots:
    void init() { StartProgram(); }

    void cleanup() { StopProgram(); }

    void theSpaceBarGivesTheCompressions() {
        chooseGuidelines(true, true);
        LogIn(false);
        QCOMPARE(engine_->state.GuidelineProfile, 1);
        auto* end = widget<QPushButton>("ENDBUTTON");
        auto* cpr = widget<QPushButton>("CPRBUTTON");
        QVERIFY(!rate()->isVisible());
        // Before CPR the key gives nothing, and it does not press the focused End button.
        spaceOn(end);
        QCOMPARE(compressions(), 0);
        QVERIFY(!engine_->screen.Get(El::FINALERRORPanel).visible);

        QTest::mouseClick(cpr, Qt::LeftButton);
        QVERIFY(rate()->isVisible());
        QCOMPARE(rate()->text(), QString());
        clock_->Advance(2000);
        QCOMPARE(compressions(), 0);  // the CPR timer gives none
        spaceOn(end);
        QCOMPARE(compressions(), 1);
        QVERIFY(!engine_->screen.Get(El::FINALERRORPanel).visible);
        clock_->Advance(500);
        spaceOn(cpr);  // on the CPR button too: a compression, CPR goes on
        QCOMPARE(compressions(), 2);
        QVERIFY(engine_->rescuer().Phase.compressing);
        QCOMPARE(rate()->text(), QStringLiteral("Rate 120/min"));
        QVERIFY(greenish(rateColour()));
        // A key held down repeats: no compression.
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                         true);
        QApplication::sendEvent(end, &repeat);
        QCOMPARE(compressions(), 2);
        // 126 a minute: red.
        clock_->Advance(450);
        spaceOn(end);
        QCOMPARE(compressions(), 3);
        QCOMPARE(rate()->text(), QStringLiteral("Rate 126/min"));
        QVERIFY(reddish(rateColour()));
        // A click on the chest is a compression as well: 100 a minute over the last three.
        clock_->Advance(850);
        auto* patient = widget("PATIENTGraphic");
        const Element& torso = engine_->screen.Get(El::PATIENTTorsoZONE);
        QTest::mouseClick(patient, Qt::LeftButton, {},
                          QPoint(torso.left + torso.width / 2, torso.top + torso.height / 2));
        QCOMPARE(compressions(), 4);
        QCOMPARE(rate()->text(), QStringLiteral("Rate 100/min"));
        QVERIFY(greenish(rateColour()));

        // Stopped: the rate goes; the key still belongs to the screen and gives nothing.
        QTest::mouseClick(cpr, Qt::LeftButton);
        QVERIFY(!engine_->rescuer().Phase.compressing);
        QVERIFY(!rate()->isVisible());
        spaceOn(end);
        QCOMPARE(compressions(), 4);
        QVERIFY(!engine_->screen.Get(El::FINALERRORPanel).visible);
    }

    void withoutTheOptionTheSpaceBarPressesTheFocusedButton() {
        chooseGuidelines(true, false);
        LogIn(false);
        QTest::mouseClick(widget<QPushButton>("CPRBUTTON"), Qt::LeftButton);
        QVERIFY(!rate()->isVisible());
        clock_->Advance(545);
        QCOMPARE(compressions(), 1);  // the CPR timer's
        spaceOn(widget<QPushButton>("ENDBUTTON"));
        QVERIFY(engine_->screen.Get(El::FINALERRORPanel).visible);
    }

    void theClassicGuidelinesIgnoreTheOption() {
        chooseGuidelines(false, true);
        LogIn(false);
        QCOMPARE(engine_->state.GuidelineProfile, 0);
        QTest::mouseClick(widget<QPushButton>("CPRBUTTON"), Qt::LeftButton);
        QVERIFY(!rate()->isVisible());
        clock_->Advance(300);
        QCOMPARE(compressions(), 1);
        spaceOn(widget<QPushButton>("ENDBUTTON"));
        QVERIFY(engine_->screen.Get(El::FINALERRORPanel).visible);
    }
};

QTEST_MAIN(CompressByKeyTest)
#include "compress_by_key_test.moc"
