// The program by keyboard alone, on a clock the test moves by hand: a whole tutorial scenario from
// the main menu to the summary with nothing but key presses; the pads carried by keys (a wrong
// place judged as a wrong drop is, Esc puts back, Enter lays on); each key doing what a click on
// its control does and nothing where the control cannot be used; the keys in the hints, the
// captions and the help; Tab's order and the focus ring.
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <map>

#include "core/engine.h"
#include "hand_clock_test.h"
#include "test_program.h"
#include "ui/binder.h"
#include "ui/keys.h"
#include "ui/pads_view.h"
#include "ui/program_style.h"

using namespace ardentix;

namespace {

bool hasRingColour(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 40 && c.green() > 170 && c.blue() > 220) return true;
        }
    }
    return false;
}

}  // namespace

class KeyboardTest : public test::HandClockTest {
    Q_OBJECT

    // A key as the user presses it: to the open menu, else to the control with the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* to = QApplication::activePopupWidget();
        if (!to) to = QApplication::focusWidget();
        if (!to) to = QApplication::activeWindow();
        QVERIFY(to);
        QTest::keyClick(to, static_cast<Qt::Key>(key), modifiers);
    }
    ui::PatientArea* patient() { return widget<ui::PatientArea>("PATIENTGraphic"); }
    QPoint centreOf(El zone) {
        const Element& z = engine_->screen.Get(zone);
        return {z.left + z.width / 2, z.top + z.height / 2};
    }
    // The pad in the hand moved by the arrow keys to the step nearest a point.
    void carryTo(const QPoint& to) {
        QVERIFY(patient()->CarryingPad());
        const QPoint from = patient()->CarriedAt();
        const int step = ui::PatientArea::kStep;
        const int dx = qRound(double(to.x() - from.x()) / step);
        const int dy = qRound(double(to.y() - from.y()) / step);
        for (int i = 0; i < std::abs(dx); ++i)
            press(dx > 0 ? Qt::Key_Right : Qt::Key_Left);
        for (int i = 0; i < std::abs(dy); ++i)
            press(dy > 0 ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(patient()->CarriedAt(), from + QPoint(dx * step, dy * step));
    }
    void layPad(int key, El zone) {
        press(key);
        carryTo(centreOf(zone));
        press(Qt::Key_Return);
        QVERIFY(!patient()->CarryingPad());
    }
    void abcs(int item) {
        press('A');
        QTRY_VERIFY(QApplication::activePopupWidget());
        press(item);
    }
    void practiceWithAbcsDone() {
        LogIn(false);
        for (bool* done :
             {&engine_->ScriptState().ResponsivenessChecked, &engine_->ScriptState().AirwayOpened,
              &engine_->ScriptState().BreathingChecked, &engine_->ScriptState().TwoBreathsGiven,
              &engine_->ScriptState().PulseChecked})
            *done = true;
    }
    int score() const { return engine_->state.Score; }
    // What a screen reader reads of the chest, which has the focus while a pad is carried.
    QString spoken() {
        QAccessibleInterface* chest = QAccessible::queryAccessibleInterface(patient());
        return chest ? chest->text(QAccessible::Name) : QString();
    }

  private slots:
    void init() { StartProgram(); }
    void cleanup() { StopProgram(); }

    // The tutorial led by its advice, every step by a key: it ends with no deduction.
    void aWholeScenarioWithoutAMouse() {
        QCOMPARE(QApplication::focusWidget(), window_->Menu()->StartButton());
        press(Qt::Key_Return);
        QDialog* login = test::TopDialog("TUserNAMEFORM");
        QTRY_VERIFY(login->isVisible());
        QTRY_VERIFY2(QApplication::focusWidget() &&
                         QApplication::focusWidget()->objectName() == QLatin1String("NAMEEdit"),
                     QApplication::activeWindow()
                         ? qPrintable(QApplication::activeWindow()->objectName())
                         : "none");
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Kim Lee"));
        QCOMPARE(engine_->screen.Get(El::LoginNAMEEdit).text, std::string("Kim Lee"));
        engine_->nextPatient = PatientOverride{0, 1, 4, {}};
        press(Qt::Key_Return);
        QTRY_VERIFY(!login->isVisible());
        QTRY_VERIFY(window_->isActiveWindow());
        QCOMPARE(engine_->state.Mode, kTutorial);

        const std::map<std::string, std::function<void()>> steps = {
            {"Check responsiveness (click ABCs).", [this] { abcs('R'); }},
            {"Open patient's airway (click ABCs).", [this] { abcs('O'); }},
            {"Check patient's breathing (click ABCs).", [this] { abcs('B'); }},
            {"Check breathing (click ABCs).", [this] { abcs('B'); }},
            {"Deliver rescue breaths (click ABCs).", [this] { abcs('S'); }},
            {"Check circulation (click ABCs).", [this] { abcs('C'); }},
            {"Call for help (Phone).", [this] { press('N'); }},
            {"Turn AED on.", [this] { press('1'); }},
            {"Drag electrode pad to where shown.", [this] { layPad('W', El::PADWhiteZone); }},
            {"Attach this electrode pad where shown.", [this] { layPad('R', El::PADRedZONE); }},
            {"Clear the patient.", [this] { press('L'); }},
            {"Press ANALYZE.", [this] { press('2'); }},
            {"Press SHOCK.", [this] { press('3'); }},
            {"Press SHOCK when advised.", [this] { press('3'); }},
            {"Check the patient's pulse.", [this] { press('P'); }},
            {"Start CPR.", [this] { press('C'); }},
            {"Select End Scenario.", [this] { press('E'); }},
        };
        QDialog* summary = test::TopDialog("TForm2");
        std::set<std::string> done;
        for (int round = 0; round < 400 && !summary->isVisible(); ++round) {
            const Element& advice = engine_->screen.Get(El::ADVICEPANEL);
            const auto step = steps.find(engine_->screen.Get(El::ADVICEText).text);
            if (advice.visible && step != steps.end()) {
                step->second();
                if (QTest::currentTestFailed()) return;
                done.insert(step->first);
                clock_->Advance(100);
            } else {
                clock_->Advance(500);
            }
        }
        QVERIFY(summary->isVisible());
        const std::vector<std::string>& deductions = engine_->screen.Get(El::DEDUCTIONSList).lines;
        QVERIFY2(deductions.empty(), deductions.empty() ? "" : deductions.front().c_str());
        // The ABCs, the device and both pads were all done by keys.
        for (const char* step :
             {"Check responsiveness (click ABCs).", "Turn AED on.",
              "Attach this electrode pad where shown.", "Press SHOCK.", "Select End Scenario."})
            QVERIFY2(done.count(step), step);
        QVERIFY(engine_->state.ShockCount >= 1);
        // The summary's buttons take the keys: its focus is on one of them.
        QTRY_VERIFY(qobject_cast<QPushButton*>(QApplication::focusWidget()));
        QCOMPARE(QApplication::focusWidget()->window(), summary);
    }

    void padsByKeys() {
        practiceWithAbcsDone();
        press('1');
        clock_->Advance(2150);
        auto* status = widget<QLabel>("PadKeyStatus");
        const Element& torso = engine_->screen.Get(El::PATIENTTorsoZONE);
        const int start = score();

        // Picked up and put back, twice: the pad is in the tray again and nothing is charged.
        for (int round = 0; round < 2; ++round) {
            press('W');
            QVERIFY(patient()->CarryingPad());
            QVERIFY(!engine_->screen.Get(El::PADWHITE).visible);
            QVERIFY(status->isVisible());
            QCOMPARE(status->text().section(QLatin1Char('.'), 0, 0),
                     QStringLiteral("White pad over: Chest, upper"));
            QCOMPARE(spoken(), QStringLiteral("White pad over Chest, upper"));
            press(Qt::Key_Escape);
            QVERIFY(!patient()->CarryingPad());
            QVERIFY(!status->isVisible());
            QVERIFY(engine_->screen.Get(El::PADWHITE).visible);
            QVERIFY(!engine_->state.WhiteDragging);
            QCOMPARE(score(), start);
            QCOMPARE(spoken(), QString());
        }

        // In the hand the pad holds the keys: CPR's key does nothing; the chest's edges stop it.
        press('W');
        press('C');
        QVERIFY(!engine_->rescuer().Phase.compressing);
        const QPoint top = patient()->CarriedAt();
        press(Qt::Key_Up);
        QCOMPARE(patient()->CarriedAt(), top);
        for (int i = 0; i < 30; ++i)
            press(Qt::Key_Left);
        const int left = patient()->CarriedAt().x();
        QVERIFY(left >= torso.left);
        QVERIFY(left - ui::PatientArea::kStep < torso.left);
        QCOMPARE(spoken(), QStringLiteral("White pad over Chest, upper right"));

        // Laid on a wrong place: charged as a wrong drop, the pad lies where it was laid.
        press(Qt::Key_Down);
        const QPoint wrong = patient()->CarriedAt();
        QCOMPARE(ui::PlaceOnChest(*engine_, wrong).left(6), QStringLiteral("Chest,"));
        press(Qt::Key_Return);
        QCOMPARE(score(), start - 100);
        QCOMPARE(engine_->screen.Get(El::MSG0).text,
                 std::string("Incorrect location. Try again (-100)."));
        const Element& lying = engine_->screen.Get(El::PADWHITEzoneTorso);
        QVERIFY(lying.visible);
        QCOMPARE(QPoint(lying.left + 26, lying.top + 33), wrong);

        // Picked up again from the chest, where it lay, and laid on its place.
        press('W');
        QCOMPARE(patient()->CarriedAt(), wrong);
        QVERIFY(!engine_->screen.Get(El::PADWHITEzoneTorso).visible);
        carryTo(centreOf(El::PADWhiteZone));
        QCOMPARE(spoken(),
                 QStringLiteral("White pad over Upper right chest, below the collarbone"));
        press(Qt::Key_Return);
        QVERIFY(engine_->state.WhitePadAttached);
        QVERIFY(!engine_->screen.Get(El::PADWHITEzoneTorso).visible);
        QCOMPARE(score(), start - 100 + engine_->state.StepPoints);
        // A placed pad cannot be picked up by its key.
        press('W');
        QVERIFY(!patient()->CarryingPad());

        layPad('R', El::PADRedZONE);
        QVERIFY(engine_->state.RedPadAttached);
        QCOMPARE(engine_->screen.Get(El::DEDUCTIONSList).lines.size(), size_t{1});
    }

    // A key does what a click on its control does, and nothing where the control takes no input.
    void keysActAsClicks() {
        // On the main menu the scenario's keys do nothing.
        press('1');
        press('C');
        QVERIFY(!engine_->state.AEDOn);
        QVERIFY(window_->Menu()->isVisible());
        practiceWithAbcsDone();
        for (int round = 0; round < 2; ++round) {
            press('C');
            QVERIFY(engine_->rescuer().Phase.compressing);
            press('C');
            QVERIFY(!engine_->rescuer().Phase.compressing);
        }
        // During a pause the controls take no input; Ctrl+P ends it.
        press('P', Qt::ControlModifier);
        QVERIFY(engine_->screen.Get(El::PAUSEDLabel).visible);
        press('C');
        QVERIFY(!engine_->rescuer().Phase.compressing);
        press('K');
        QVERIFY(!engine_->screen.Get(El::CHILDKEY).checked);
        press('P', Qt::ControlModifier);
        QVERIFY(!engine_->screen.Get(El::PAUSEDLabel).visible);
        press('K');
        QVERIFY(engine_->screen.Get(El::CHILDKEY).checked);
        press('K');
        QVERIFY(!engine_->screen.Get(El::CHILDKEY).checked);
        // The power key on the closed device.
        QVERIFY(!engine_->state.AEDOn);
        press('1');
        QVERIFY(engine_->state.AEDOn);
        // Advice by its shortcut.
        QVERIFY(!engine_->screen.Get(El::ADVICEPANEL).visible);
        press('D', Qt::ControlModifier);
        QVERIFY(engine_->screen.Get(El::ADVICEPANEL).visible);
        // A button the instructor does not offer has its key do nothing.
        QVERIFY(!engine_->screen.Get(El::BPBUTTON).visible);
        press('B');
        QVERIFY(!engine_->timers.Running(TimerId::BPTIMER));
        // The Trouble menu opens by its key, and Esc closes it.
        press('T');
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(),
                 QStringLiteral("TROUBLESHOOTMenu"));
        press(Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QVERIFY(!engine_->timers.Running(TimerId::ResponsivenessTimer));
        abcs('R');
        QVERIFY(engine_->timers.Running(TimerId::ResponsivenessTimer));
    }

    // Every key is named in its control's hint and in the help's table; the buttons underline it.
    void keysAreShown() {
        LogIn(false);
        QFile help(QStringLiteral(":/help/ardentix.html"));
        QVERIFY(help.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(help.readAll());
        for (const ui::ControlKey& k : ui::ScenarioKeys()) {
            const QString key = ui::KeyName(k.element);
            auto* control = window_->findChild<QWidget*>(ui::ObjectName(k.element));
            QVERIFY2(control, NameOf(k.element).data());
            QVERIFY2(control->toolTip().endsWith(QStringLiteral(" (%1)").arg(key)),
                     qPrintable(control->toolTip()));
            QVERIFY2(page.contains(QStringLiteral("<tr><td><b>%1</b></td>").arg(key)),
                     qPrintable(key));
        }
        QCOMPARE(widget<QPushButton>("CALLHELPButton")->text(), QStringLiteral("Pho&ne"));
        QCOMPARE(widget<QPushButton>("ENDBUTTON")->text(), QStringLiteral("&End Scenario"));
        QCOMPARE(action("ABCsVentilationMenuItem")->shortcut(), QKeySequence(Qt::Key_S));
        QCOMPARE(action("TroubleMOTIONMenuItem")->shortcut(), QKeySequence(Qt::Key_M));
        QCOMPARE(action("Pause")->text(), QStringLiteral("&Pause"));
        QCOMPARE(action("Advice")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(ui::WithMnemonic(El::CLEARBUTTON, QStringLiteral("A & B")),
                 QStringLiteral("A && B"));
    }

    // Tab goes along the action bar and on to the device and the pads; the focus has its ring.
    void tabOrderAndFocusRing() {
        QApplication::setStyle(new ui::ProgramStyle);
        practiceWithAbcsDone();
        press('1');
        clock_->Advance(2150);
        auto* cpr = widget<QPushButton>("CPRBUTTON");
        cpr->setFocus(Qt::TabFocusReason);
        QStringList order;
        for (int i = 0; i < 10; ++i) {
            order << QApplication::focusWidget()->objectName();
            press(Qt::Key_Tab);
        }
        QCOMPARE(order, QStringList({"CPRBUTTON", "PulseButton", "ABCsButton", "TROUBLEShootBUTTON",
                                     "CLEARBUTTON", "ENDBUTTON", "ShockButton", "CHILDKEY",
                                     "PADWHITE", "PADRED"}));
        for (const char* name : {"CPRBUTTON", "ShockButton", "CHILDKEY", "PADWHITE"}) {
            QWidget* w = widget(name);
            w->setFocus(Qt::TabFocusReason);
            QVERIFY2(hasRingColour(w->grab().toImage()), name);
            widget("ENDBUTTON")->setFocus(Qt::TabFocusReason);
            QVERIFY2(!hasRingColour(w->grab().toImage()), name);
        }
        // Enter on a pad with the focus picks it up.
        widget("PADWHITE")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Return);
        QVERIFY(patient()->CarryingPad());
    }
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
