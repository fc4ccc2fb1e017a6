// For trainees who cannot hear the device or see the screen: the caption of each sound under the
// AED, what a screen reader is told when the display, the messages, the score and the caption
// change, and a walk through the accessibility tree of every window that fails on an interactive
// control without a name.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <set>

#include "core/elements.h"
#include "core/engine.h"
#include "core/screen.h"
#include "hand_clock_test.h"
#include "test_program.h"
#include "ui/binder.h"
#include "ui/main_window.h"
#include "ui/screen_scale.h"

using namespace ardentix;

namespace {

// What the program told a screen reader: each value change, by object and text.
struct Told {
    QObject* object;
    QString value;
};
QList<Told> told;

int timesTold(QObject* object, const QString& value) {
    int n = 0;
    for (const Told& t : told)
        n += t.object == object && t.value == value;
    return n;
}

bool interactive(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::EditableText:
        case QAccessible::Slider:
        case QAccessible::SpinBox:
        case QAccessible::ComboBox:
        case QAccessible::MenuItem:
        case QAccessible::List:
        case QAccessible::Table:
        case QAccessible::PageTab:
            return true;
        default:
            return false;
    }
}

// Every interactive control shown under iface, and those of them without a name.
void walk(QAccessibleInterface* iface, const QString& where, int& controls, QStringList& unnamed,
          int depth = 0) {
    if (!iface || !iface->isValid() || depth > 40) return;
    if (iface->state().invisible) return;
    if (interactive(iface->role())) {
        ++controls;
        if (iface->text(QAccessible::Name).trimmed().isEmpty()) {
            const QObject* o = iface->object();
            unnamed << QStringLiteral("%1: role %2 %3 %4")
                           .arg(where)
                           .arg(int(iface->role()), 0, 16)
                           .arg(o ? QString::fromLatin1(o->metaObject()->className()) : QString())
                           .arg(o ? o->objectName() : QString());
        }
    }
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), where, controls, unnamed, depth + 1);
}

}  // namespace

class AccessTest : public test::HandClockTest {
    Q_OBJECT

    QLabel* caption() { return widget<QLabel>("CAPTIONLine"); }
    void click(const char* name) { QTest::mouseClick(widget(name), Qt::LeftButton); }

    // Walks every shown window and the menus of the main window; the walk must find controls.
    void walkWindows(const QString& stage, QStringList& unnamed) {
        int controls = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible())
                walk(QAccessible::queryAccessibleInterface(w),
                     stage + QLatin1Char(' ') + w->objectName(), controls, unnamed);
        }
        for (QMenu* menu : window_->findChildren<QMenu*>()) {
            for (QAction* a : menu->actions()) {
                if (!a->isVisible() || a->isSeparator()) continue;
                ++controls;
                if (a->text().isEmpty())
                    unnamed << stage + QStringLiteral(" menu item ") + a->objectName();
            }
        }
        QVERIFY2(controls > 5, qPrintable(stage));
    }

  private slots:
    void init() {
        told.clear();
        // The offscreen platform has no accessibility to send the events to: the program's
        // announcements are heard where they are made.
        ui::SetAnnounceListener([](QObject* o, const QString& text) { told << Told{o, text}; });
        StartProgram();
    }

    void cleanup() {
        StopProgram();
        ui::SetAnnounceListener(nullptr);
    }

    // The caption comes with the sound under the device, on a dark band over the top of the pad
    // tray, goes when the sound has played, and is told to a screen reader once.
    void theCaptionShowsWhileTheSoundPlays() {
        engine_->settings.SetOn(Opt::OPTCaptions, true);
        LogIn(false);
        QVERIFY(!caption()->isVisible());
        click("PowerButton");
        // Powered on without pads: "Connect electrodes."
        for (int i = 0; i < 40 && engine_->state.SoundFile != "connecte.wav"; ++i)
            clock_->Advance(100);
        QCOMPARE(QString::fromStdString(engine_->state.SoundFile), QStringLiteral("connecte.wav"));
        QVERIFY(caption()->isVisible());
        QCOMPARE(caption()->text(), QStringLiteral("[voice] Connect electrodes."));
        QCOMPARE(timesTold(caption(), caption()->text()), 1);
        // Under the close-up of the device, on top of the tray: its band is dark where the tray
        // would be light.
        const Element& place = engine_->screen.Get(El::CAPTIONLine);
        QCOMPARE(ui::LogicalGeometry(caption()),
                 QRect(place.left, place.top, place.width, place.height));
        QVERIFY(place.top >= kCloseupTop + kAedHeight - 5);
        QWidget* screen = widget("ScenarioScreen");
        const QImage shot = screen->grab().toImage();
        const QPoint band = caption()->mapTo(screen, QPoint(2, caption()->height() - 3));
        QVERIFY(qGray(shot.pixel(band)) < 40);
        // The same text again tells nothing new; the sound's end (1.5 s at the least, and the
        // sound came within the last 100 ms) takes the caption away.
        QCOMPARE(engine_->timers.Interval(TimerId::CAPTIONTimer), 1500);
        clock_->Advance(1300);
        QVERIFY(caption()->isVisible());
        QCOMPARE(timesTold(caption(), caption()->text()), 1);
        clock_->Advance(200);
        QVERIFY(!caption()->isVisible());
    }

    // The device's display lines, the messages and the score are told as they change, only
    // while they show, each new text once.
    void aScreenReaderHearsWhatChanges() {
        LogIn(false);
        QWidget* closeup = widget("CloseupPanel");
        click("PowerButton");
        clock_->Advance(3000);
        const QString line = QString::fromStdString(engine_->screen.Get(El::AEDDISPLAY1).text);
        QVERIFY(!line.isEmpty());
        QCOMPARE(timesTold(closeup, line), 1);
        // The close-up describes its display and lamps for a reader that asks.
        QVERIFY(closeup->accessibleDescription().contains(line));
        QVERIFY(closeup->accessibleDescription().contains(QStringLiteral("Power lamp lit")));
        QVERIFY(closeup->accessibleDescription().contains(QStringLiteral("Shock lamp dark")));
        // Without captions the caption is never told.
        for (const Told& t : told)
            QVERIFY(t.object != caption());
        // A message and a new score: the End button's deductions.
        told.clear();
        click("ENDBUTTON");
        auto* score = widget<QLabel>("SCOREDisplay");
        auto* msg = widget<QLabel>("MSG0");
        QCOMPARE(timesTold(score, score->text()), 1);
        if (!msg->text().isEmpty()) QCOMPARE(timesTold(msg, msg->text()), 1);
        // The panel of final deductions is a dialog-like panel the reader names.
        QVERIFY(widget("FINALERRORPanel")->isVisible());
    }

    // Every interactive control of every window a trainee and an instructor meet has a name.
    void everyControlHasAName() {
        QStringList unnamed;
        walkWindows(QStringLiteral("main menu"), unnamed);
        click("SCOREBOARDImage");
        QDialog* board = test::TopDialog("TScoreboard");
        QTRY_VERIFY(board->isVisible());
        walkWindows(QStringLiteral("scoreboard"), unnamed);
        QTest::mouseClick(test::Child<QPushButton>(board, "OKButton"), Qt::LeftButton);
        QTRY_VERIFY(!board->isVisible());
        click("OPTIONSImage");
        auto* pages = widget<QTabWidget>("PageControl1");
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            walkWindows(pages->tabText(i), unnamed);
        }
        // The learning record store's dialog, from the Test tab.
        pages->setCurrentIndex(2);
        click("LrsConfigure");
        QDialog* lrs = test::TopDialog("LrsDialog");
        QTRY_VERIFY(lrs->isVisible());
        walkWindows(QStringLiteral("learning record store"), unnamed);
        lrs->reject();
        pages->setCurrentIndex(0);
        click("ButtonCANCEL1");
        QVERIFY(!pages->isVisible());

        QTest::mouseClick(window_->Menu()->StartButton(), Qt::LeftButton);
        walkWindows(QStringLiteral("log-in"), unnamed);
        QTest::mouseClick(test::Child<QPushButton>(test::TopDialog("TUserNAMEFORM"), "CancelBtn"),
                          Qt::LeftButton);
        LogIn(false);
        click("PowerButton");
        clock_->Advance(3000);
        walkWindows(QStringLiteral("scenario"), unnamed);
        click("ENDBUTTON");
        walkWindows(QStringLiteral("final deductions"), unnamed);
        click("FinalErrorOKButton");
        QDialog* summary = test::TopDialog("TForm2");
        QTRY_VERIFY(summary->isVisible());
        walkWindows(QStringLiteral("summary"), unnamed);
        QTest::mouseClick(test::Child<QPushButton>(summary, "DEBRIEFButton"), Qt::LeftButton);
        QTRY_VERIFY(test::TopDialog("TDebrief")->isVisible());
        walkWindows(QStringLiteral("debrief"), unnamed);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char('\n'))));
    }

    // The windows that wait for an answer are dialogs to a screen reader.
    void windowsHaveTheirRoles() {
        QTest::mouseClick(window_->Menu()->StartButton(), Qt::LeftButton);
        QAccessibleInterface* login =
            QAccessible::queryAccessibleInterface(test::TopDialog("TUserNAMEFORM"));
        QCOMPARE(login->role(), QAccessible::Dialog);
        QCOMPARE(login->text(QAccessible::Name), test::TopDialog("TUserNAMEFORM")->windowTitle());
        QAccessibleInterface* main = QAccessible::queryAccessibleInterface(window_);
        QCOMPARE(main->role(), QAccessible::Window);
        QTest::mouseClick(test::Child<QPushButton>(test::TopDialog("TUserNAMEFORM"), "CancelBtn"),
                          Qt::LeftButton);
        // A box of the program is an alert, with its text to be read.
        LogIn(false);
        QAccessible::Role boxRole = QAccessible::NoRole;
        QString boxText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(box);
            boxRole = iface->role();
            boxText = box->text();
            box->button(QMessageBox::No)->click();
        });
        window_->close();
        QCOMPARE(boxRole, QAccessible::AlertMessage);
        QVERIFY(boxText.contains(QStringLiteral("quit")));
        QVERIFY(window_->isVisible());
    }
};

QTEST_MAIN(AccessTest)
#include "access_test.moc"
