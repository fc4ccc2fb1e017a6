// Windows that wait for an answer, on the offscreen platform: the password dialog and the log-in
// hold every other window until they are answered, with the keys in them, also after a box of
// their own; and closing the program during a scenario asks first. Clicks and keys go through
// the window system, as a user's do, so that a window blocked by another one really gets none.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "core/engine.h"
#include "hand_clock_test.h"
#include "options/options.h"
#include "test_program.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"

using namespace ardentix;

namespace {

// The lines of a file of the program directory.
QStringList fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

class WaitingWindowsTest : public test::HandClockTest {
    Q_OBJECT

    // The window each box of the last answerBoxes belonged to.
    QList<QWidget*> boxOwners_;

    // Runs an action, answering every box it brings up with the given button (after whileUp, run
    // while the box is up); the texts of the boxes.
    QStringList answerBoxes(QMessageBox::StandardButton answer, const std::function<void()>& action,
                            const std::function<void()>& whileUp = {}) {
        QStringList texts;
        boxOwners_.clear();
        QTimer timer;
        timer.setInterval(0);
        connect(&timer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            texts << box->text();
            boxOwners_ << box->parentWidget();
            if (whileUp) whileUp();
            box->button(answer)->click();
        });
        timer.start();
        action();
        timer.stop();
        return texts;
    }

    // A click of the window system at a widget of the main window.
    void clickThroughWindow(const char* name) {
        QWidget* target = test::Child(window_, name);
        QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(window_, target->rect().center()));
    }
    // Typing on the keyboard: the keys go to the window that has the keyboard.
    static void typeKeys(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(QGuiApplication::focusWindow(), c.toLatin1());
    }
    static void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QGuiApplication::focusWindow(), key, modifiers);
    }
    QMenu* fileMenu() const { return window_->menuBar()->findChildren<QMenu*>().value(0); }
    // Pixels of the program's yellow in a widget as drawn: a main menu item's caption and frame.
    static int yellowPixels(QWidget* w) {
        const QImage image = w->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 160 && c.blue() < 90) ++count;
            }
        }
        return count;
    }

    // Nothing of the main window takes a click or a key while another window waits: neither the
    // main menu's items, nor Enter on its Start button, nor the menu bar and its Ctrl+Q.
    void checkMainWindowTakesNothing() {
        QVERIFY(!window_->centralWidget()->isEnabled());
        // The main menu's items are drawn greyed out, the Start button unlit.
        for (const char* item : {"STARTImage", "OPTIONSImage", "SCOREBOARDImage", "QUITImage"})
            QVERIFY2(yellowPixels(test::Child(window_, item)) == 0, item);
        QVERIFY(!window_->menuBar()->isEnabled());
        QVERIFY(!fileMenu()->isEnabled());
        clickThroughWindow("SCOREBOARDImage");
        QVERIFY(!engine_->screen.Get(El::ScoreboardWindow).visible);
        QVERIFY(!test::TopDialog("TScoreboard")->isVisible());
        QTest::keyClick(window_->windowHandle(), Qt::Key_Return);
        QTest::keyClick(window_->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(window_->isVisible());
        QVERIFY(!engine_->ended);
    }

    // The window is up, holds the input and has the keys in the control; the main window takes
    // nothing meanwhile.
    void checkHoldsTheInput(QDialog* window, QWidget* focus) {
        QVERIFY(window->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), window);
        QTRY_COMPARE(QApplication::activeWindow(), window);
        QCOMPARE(QApplication::focusWidget(), focus);
        checkMainWindowTakesNothing();
    }

    void logIn() {
        QTest::mouseClick(window_->Menu()->StartButton(), Qt::LeftButton);
        QDialog* login = test::TopDialog("TUserNAMEFORM");
        QTRY_VERIFY(QApplication::focusWidget() == test::Child(login, "NAMEEdit"));
        typeKeys(QStringLiteral("Kim"));
        QTest::mouseClick(test::Child<QRadioButton>(login, "Practicebutton"), Qt::LeftButton);
        engine_->nextPatient = PatientOverride{0, 1, 4, {}};
        QTest::mouseClick(test::Child(login, "OKBtn"), Qt::LeftButton);
        QTRY_VERIFY(!login->isVisible());
        QVERIFY(engine_->timers.Running(TimerId::ELAPSEDSecTIMER));
        // The main window has the keys again.
        QTRY_VERIFY(window_->isActiveWindow());
    }

  private slots:
    void init() { StartProgram(true); }

    void cleanup() { StopProgram(); }

    // The password dialog holds the input from the moment it comes up until the right password
    // or Cancel; a wrong password's box gives the keys back to its entry, not to the main menu,
    // where Enter would have opened a log-in over the option pages.
    void passwordDialogHoldsTheInput() {
        engine_->settings.SetText(Opt::PASSWORD, "secret");
        clickThroughWindow("OPTIONSImage");
        QDialog* dialog = test::TopDialog("TPasswordDlg");
        auto* entry = test::Child<QLineEdit>(dialog, "PasswordEnter");
        checkHoldsTheInput(dialog, entry);
        QVERIFY(!test::TopDialog("TUserNAMEFORM")->isVisible());

        typeKeys(QStringLiteral("wrong"));
        QCOMPARE(engine_->screen.Get(El::PasswordDlgPasswordEnter).text, std::string("wrong"));
        // OK clicked with the mouse, as the report had it: the button took the focus.
        auto* ok = test::Child<QPushButton>(dialog, "OKBtn");
        ok->setFocus();
        const QStringList boxes = answerBoxes(QMessageBox::Ok, [&] {
            QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {},
                              ok->mapTo(dialog, ok->rect().center()));
        });
        QCOMPARE(boxes, QStringList{QStringLiteral("That is not the correct password.")});
        QCOMPARE(boxOwners_, QList<QWidget*>{dialog});
        QVERIFY(dialog->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        QCOMPARE(QApplication::focusWidget(), entry);
        checkMainWindowTakesNothing();
        QVERIFY(!test::TopDialog("TUserNAMEFORM")->isVisible());

        // The next try goes into the entry; Enter there opens the pages, with no log-in over them.
        pressKey(Qt::Key_A, Qt::ControlModifier);
        typeKeys(QStringLiteral("SECRET"));
        QCOMPARE(entry->text(), QStringLiteral("secret"));
        pressKey(Qt::Key_Return);
        QTRY_VERIFY(!dialog->isVisible());
        auto* pages = test::Child<QTabWidget>(window_, "PageControl1");
        QVERIFY(pages->isVisible());
        QVERIFY(!test::TopDialog("TUserNAMEFORM")->isVisible());
        QVERIFY(window_->centralWidget()->isEnabled());
        QVERIFY(window_->menuBar()->isEnabled());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QTRY_COMPARE(QApplication::focusWidget(), test::Child(pages, "ProgramOK"));
        // Enter on the main window now goes to the pages' Close, not to a log-in.
        QTest::keyClick(window_->windowHandle(), Qt::Key_Return);
        QVERIFY(!test::TopDialog("TUserNAMEFORM")->isVisible());
    }

    // Cancel gives the input back, and the dialog comes again empty, holding it again.
    void passwordCancelledAndAskedAgain() {
        engine_->settings.SetText(Opt::PASSWORD, "secret");
        clickThroughWindow("OPTIONSImage");
        QDialog* dialog = test::TopDialog("TPasswordDlg");
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        typeKeys(QStringLiteral("abc"));
        pressKey(Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QVERIFY(window_->centralWidget()->isEnabled());
        QVERIFY(window_->menuBar()->isEnabled());
        // The main menu has the keys again, and Options opens the dialog once more.
        QTRY_VERIFY(window_->isActiveWindow());
        clickThroughWindow("OPTIONSImage");
        QVERIFY(dialog->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), dialog);
        QCOMPARE(QApplication::focusWidget(), test::Child(dialog, "PasswordEnter"));
        QCOMPARE(test::Child<QLineEdit>(dialog, "PasswordEnter")->text(), QString());
        checkMainWindowTakesNothing();
    }

    // While the log-in is up, File and Help are greyed out and the keys are in its name field,
    // also after its own box.
    void loginHoldsTheInput() {
        clickThroughWindow("STARTImage");
        QDialog* login = test::TopDialog("TUserNAMEFORM");
        auto* name = test::Child<QLineEdit>(login, "NAMEEdit");
        checkHoldsTheInput(login, name);
        for (QMenu* menu : window_->menuBar()->findChildren<QMenu*>())
            QVERIFY2(!menu->isEnabled(), qPrintable(menu->title()));
        clickThroughWindow("OPTIONSImage");
        QVERIFY(!engine_->screen.Get(El::PageControl1).visible);
        QVERIFY(!test::TopDialog("TPasswordDlg")->isVisible());
        // Ctrl+Q in the log-in itself is no File, Quit either.
        pressKey(Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!engine_->ended);

        // Enter without a name: the box belongs to the log-in, and the keys come back to it.
        const QStringList boxes = answerBoxes(QMessageBox::Ok, [&] { pressKey(Qt::Key_Return); });
        QCOMPARE(boxes, QStringList{QStringLiteral("Please enter a name.")});
        QCOMPARE(boxOwners_, QList<QWidget*>{login});
        QVERIFY(login->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), login);
        QCOMPARE(QApplication::focusWidget(), name);
        typeKeys(QStringLiteral("Kim"));
        QCOMPARE(engine_->screen.Get(El::LoginNAMEEdit).text, std::string("Kim"));
        checkMainWindowTakesNothing();

        // Cancel gives the main window its input back.
        pressKey(Qt::Key_Escape);
        QVERIFY(!login->isVisible());
        QVERIFY(window_->centralWidget()->isEnabled());
        QVERIFY(yellowPixels(test::Child(window_, "OPTIONSImage")) > 0);
        QVERIFY(window_->menuBar()->isEnabled());
        for (QMenu* menu : window_->menuBar()->findChildren<QMenu*>())
            QVERIFY2(menu->isEnabled(), qPrintable(menu->title()));
    }

    // Ctrl+Q during a scenario asks first; the scenario's clock stands still while the question
    // is up, and No leaves it going. The close box asks the same; Yes ends the program with the
    // scenario recorded as terminated, once.
    void quitAsksDuringAScenario() {
        logIn();
        clock_->Advance(3000);
        QCOMPARE(engine_->state.ElapsedSeconds, 3);
        const QString question = QStringLiteral("End the running scenario and quit?");
        QStringList boxes = answerBoxes(
            QMessageBox::No, [&] { pressKey(Qt::Key_Q, Qt::ControlModifier); },
            [&] { clock_->Advance(10000); });
        QCOMPARE(boxes, QStringList{question});
        QCOMPARE(boxOwners_, QList<QWidget*>{window_});
        QVERIFY(!engine_->ended);
        QVERIFY(window_->isVisible());
        QCOMPARE(engine_->state.ElapsedSeconds, 3);
        QVERIFY(engine_->timers.Running(TimerId::ELAPSEDSecTIMER));
        clock_->Advance(999);
        QCOMPARE(engine_->state.ElapsedSeconds, 3);
        clock_->Advance(1);
        QCOMPARE(engine_->state.ElapsedSeconds, 4);
        const QString dir = program_.dir->path();
        QVERIFY(!QFile::exists(dir + QStringLiteral("/AEDPRAC.TXT")));
        QVERIFY(!QFile::exists(dir + QStringLiteral("/AEDLOG.CSV")));

        // The keys are back in the main window: Ctrl+Q asks again.
        QTRY_VERIFY(window_->isActiveWindow());
        boxes = answerBoxes(QMessageBox::No, [&] { pressKey(Qt::Key_Q, Qt::ControlModifier); });
        QCOMPARE(boxes, QStringList{question});
        QVERIFY(!engine_->ended);

        // The close box, No: the window stays.
        boxes = answerBoxes(QMessageBox::No, [&] { window_->close(); });
        QCOMPARE(boxes, QStringList{question});
        QVERIFY(window_->isVisible());
        QVERIFY(!engine_->ended);

        // Yes.
        boxes = answerBoxes(QMessageBox::Yes, [&] { window_->close(); });
        QCOMPARE(boxes, QStringList{question});
        QVERIFY(engine_->ended);
        QTRY_VERIFY(!window_->isVisible());
        const QStringList practice = fileLines(dir + QStringLiteral("/AEDPRAC.TXT"));
        QCOMPARE(practice.size(), 1);
        QVERIFY2(practice.first().trimmed().endsWith(QStringLiteral("Scenario terminated")),
                 qPrintable(practice.first()));
        const QStringList log = fileLines(dir + QStringLiteral("/AEDLOG.CSV"));
        QCOMPARE(log.filter(QStringLiteral(",scenario,Terminated,")).size(), 1);
        QVERIFY2(
            log.last().trimmed().endsWith(QStringLiteral(",4000,scenario,Terminated,neutral,0")),
            qPrintable(log.last()));
    }

    // The e-mail window opened from the Test tab goes with the option pages: they stay usable
    // beside it. Sending the results it holds everything (the summary's test has that).
    void mailConfigurationGoesWithThePages() {
        clickThroughWindow("OPTIONSImage");
        auto* pages = test::Child<QTabWidget>(window_, "PageControl1");
        QVERIFY(pages->isVisible());
        pages->setCurrentIndex(2);
        window_->Tab(QStringLiteral("Test"));
        QTest::mouseClick(test::Child(pages, "eMailCONFIGURE"), Qt::LeftButton);
        QDialog* mail = test::TopDialog("TFRMSEND");
        QVERIFY(mail->isVisible());
        QCOMPARE(mail->windowTitle(), QStringLiteral("E-mail Configuration"));
        QVERIFY(!mail->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(pages->isEnabled());
        QVERIFY(window_->menuBar()->isEnabled());
        // With its server settings it still fits a 640 x 480 screen with a title bar.
        QVERIFY2(mail->width() <= 640 && mail->height() + 30 <= 480,
                 qPrintable(QStringLiteral("%1 x %2").arg(mail->width()).arg(mail->height())));
        // The security follows the keyboard and moves the usual port along; the password is
        // masked; the certificate cannot be accepted before a server showed one.
        auto* security = test::Child<QComboBox>(mail, "SecurityField");
        auto* port = test::Child<QComboBox>(mail, "PortField");
        QCOMPARE(security->currentText(), QStringLiteral("None"));
        QCOMPARE(port->currentText(), QStringLiteral("25"));
        security->setFocus();
        QTest::keyClick(security, Qt::Key_Down);
        QCOMPARE(engine_->screen.Get(El::MailSecurityField).text, "STARTTLS");
        QCOMPARE(port->currentText(), QStringLiteral("587"));
        QCOMPARE(test::Child<QLineEdit>(mail, "PasswordField")->echoMode(), QLineEdit::Password);
        auto* plain = test::Child<QCheckBox>(mail, "PlainLoginCheck");
        QTest::mouseClick(plain, Qt::LeftButton);
        QVERIFY(plain->isChecked());
        QVERIFY(engine_->screen.Get(El::MailPlainLoginCheck).checked);
        QVERIFY(!test::Child<QCheckBox>(mail, "AcceptCertificateCheck")->isEnabled());
        // The pages' Close asks about the changes and takes the window with it.
        const QStringList boxes =
            answerBoxes(QMessageBox::No, [&] { clickThroughWindow("TESTCLOSE"); });
        QCOMPARE(boxes, QStringList{QStringLiteral("Save changes to e-mail settings?")});
        QVERIFY(!mail->isVisible());
        QVERIFY(!pages->isVisible());
    }

    // With no scenario, Ctrl+Q quits at once.
    void quitWithoutScenarioAsksNothing() {
        window_->activateWindow();
        QTRY_VERIFY(window_->isActiveWindow());
        const QStringList boxes =
            answerBoxes(QMessageBox::No, [&] { pressKey(Qt::Key_Q, Qt::ControlModifier); });
        QCOMPARE(boxes, QStringList{});
        QVERIFY(engine_->ended);
        QTRY_VERIFY(!window_->isVisible());
    }
};

QTEST_MAIN(WaitingWindowsTest)
#include "waiting_windows_test.moc"
