// The option pages and the password dialog on the offscreen platform: an instructor opens the
// options from the main menu, changes a few settings through the real controls, sets a password
// and saves; the next time the options are guarded by the password dialog.
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>
#include <functional>

#include "core/engine.h"
#include "core/settings_files.h"
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
    QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
        line = line.trimmed();
    return lines;
}

// The lines a settings file should hold, as fileLines reads them.
QStringList expectedLines(const Settings& settings, SettingsFile file) {
    QStringList list;
    for (const std::string& line : SettingsFileLines(settings, file))
        list << QString::fromStdString(line).trimmed();
    while (!list.isEmpty() && list.last().isEmpty())
        list.removeLast();
    return list;
}

}  // namespace

class OptionPagesTest : public QObject {
    Q_OBJECT

    test::TestProgram program_;
    Engine* engine_ = nullptr;
    ui::MainWindow* window_ = nullptr;
    QTabWidget* pages_ = nullptr;

    // The text of the box an action brings up, answered with the given button.
    QString boxAfter(const std::function<void()>& action,
                     QMessageBox::StandardButton answer = QMessageBox::Ok) {
        QString text;
        QTimer::singleShot(0, [&text, answer] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                    text = box->text();
                    box->button(answer)->click();
                }
            }
        });
        action();
        return text;
    }
    void click(const char* name) { QTest::mouseClick(test::Child(window_, name), Qt::LeftButton); }
    // A click on a check box or radio button, on its box rather than on the row beyond its caption.
    static void tick(QWidget* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    void chooseTab(int index) {
        QTabBar* bar = pages_->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    // Every shown control of the active tab lies inside it, and its layout fits the room.
    void checkTabFits() {
        QWidget* page = pages_->currentWidget();
        const QString tab = pages_->tabText(pages_->currentIndex());
        QVERIFY2(page->minimumSizeHint().height() <= page->height(), qPrintable(tab));
        QVERIFY2(page->minimumSizeHint().width() <= page->width(), qPrintable(tab));
        QVERIFY(window_->rect().contains(QRect(page->mapTo(window_, QPoint()), page->size())));
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(page)) continue;
            const QRect area(w->mapTo(page, QPoint()), w->size());
            QVERIFY2(page->rect().contains(area),
                     qPrintable(tab + QLatin1Char(' ') + w->objectName() + QLatin1Char(' ') +
                                w->metaObject()->className()));
        }
    }

  private slots:
    void init() {
        program_.Start();
        if (QTest::currentTestFailed()) return;
        engine_ = program_.engine.get();
        window_ = program_.window.get();
        pages_ = test::Child<QTabWidget>(window_, "PageControl1");
    }

    void cleanup() { program_.Stop(); }

    void anInstructorSetsUpTheProtocol() {
        QVERIFY(!pages_->isVisible());
        click("OPTIONSImage");
        // The pages cover the client area, the main menu under them takes no input.
        QVERIFY(pages_->isVisible());
        QCOMPARE(pages_->geometry(), window_->centralWidget()->rect());
        QVERIFY(!window_->Menu()->isEnabled());
        QStringList captions;
        for (int i = 0; i < pages_->count(); ++i)
            captions << pages_->tabText(i);
        QCOMPARE(captions, QStringList({QStringLiteral("Scenario"), QStringLiteral("Protocol"),
                                        QStringLiteral("Test"), QStringLiteral("Report View"),
                                        QStringLiteral("Progress")}));
        QCOMPARE(pages_->currentIndex(), 0);
        QCOMPARE(window_->focusWidget(), test::Child(pages_, "ProgramOK"));
        QCOMPARE(test::Child<QPushButton>(pages_, "CLEARSCOREBOARD")->toolTip(),
                 QStringLiteral("Erases scores on current scoreboard"));
        QCOMPARE(pages_->currentWidget()->property("helpContext").toInt(), 170);

        // A check box is turned over by the engine; DEFAULT puts it back.
        auto* autoAbcs = test::Child<QCheckBox>(pages_, "OPTautoABCS");
        QCOMPARE(autoAbcs->text(), QStringLiteral("  Auto ABCs"));
        const bool before = engine_->settings.On(Opt::OPTautoABCS);
        QCOMPARE(autoAbcs->isChecked(), before);
        tick(autoAbcs);
        QCOMPARE(engine_->settings.On(Opt::OPTautoABCS), !before);
        QCOMPARE(autoAbcs->isChecked(), !before);
        click("PROGRAMDefaultButton");
        QCOMPARE(engine_->settings.On(Opt::OPTautoABCS), false);
        QCOMPARE(autoAbcs->isChecked(), false);
        tick(autoAbcs);
        QVERIFY(engine_->settings.On(Opt::OPTautoABCS));
        QVERIFY(autoAbcs->isChecked());
        QVERIFY(!test::Child(pages_, "OPTFTP")->isVisibleTo(pages_));  // never offered

        // The Protocol tab, chosen on the tab bar.
        chooseTab(1);
        QCOMPARE(ActiveOptionTab(*engine_), "Protocol");
        QCOMPARE(pages_->currentWidget()->property("helpContext").toInt(), 150);
        auto* speed = test::Child<QLineEdit>(pages_, "OPTCPRCOMP");
        QVERIFY(speed->isReadOnly());
        QCOMPARE(speed->text(), QStringLiteral("75"));
        test::Child<QToolButton>(test::Child(pages_, "SpinButton7"), "Down")->click();
        QCOMPARE(engine_->settings.Value(Opt::OPTCPRCOMP), 70);
        QCOMPARE(speed->text(), QStringLiteral("70"));
        // The pediatric minimum in pounds: the engine checks one radio button and clears the other.
        auto* age = test::Child<QRadioButton>(pages_, "Age");
        auto* weight = test::Child<QRadioButton>(pages_, "Weight");
        QVERIFY(age->isChecked() && !weight->isChecked());
        tick(weight);
        QVERIFY(engine_->settings.On(Opt::Weight) && !engine_->settings.On(Opt::Age));
        QVERIFY(weight->isChecked() && !age->isChecked());
        tick(weight);  // a checked radio button stays checked: the engine says so, not Qt
        QVERIFY(engine_->settings.On(Opt::Weight));
        QVERIFY(weight->isChecked() && !age->isChecked());
        // A key on the main window itself sends the focus to the tab's Close button.
        speed->setFocus();
        window_->setFocus();
        QTest::keyClick(window_, Qt::Key_X);
        QCOMPARE(window_->focusWidget(), test::Child(pages_, "ProtocolOK"));

        // Every tab fits the window.
        for (int i = 0; i < pages_->count(); ++i) {
            chooseTab(i);
            QCOMPARE(pages_->currentIndex(), i);
            QCOMPARE(QString::fromStdString(ActiveOptionTab(*engine_)), pages_->tabText(i));
            checkTabFits();
        }
        QVERIFY(test::Child(pages_, "PROGRESSCLOSEBUTTON")->isVisible());

        // A password: shown masked, kept in lower case; the Password button shows it.
        chooseTab(0);
        auto* password = test::Child<QLineEdit>(pages_, "PASSWORD");
        QCOMPARE(password->toolTip(), QStringLiteral("Prevents unauthorized users from accessing "
                                                     "program and protocol options"));
        QTest::keyClicks(password, QStringLiteral("OpenSesame"));
        QCOMPARE(engine_->settings.Text(Opt::PASSWORD), "opensesame");
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QCOMPARE(password->displayText(), QString(10, QLatin1Char('*')));
        click("PASSWORDBUTTON");
        QCOMPARE(password->echoMode(), QLineEdit::Normal);
        QCOMPARE(password->displayText(), QStringLiteral("opensesame"));

        // Close saves on the user's word: both files hold the new settings.
        QCOMPARE(boxAfter([this] { click("ProgramOK"); }, QMessageBox::Yes),
                 QStringLiteral("Save changes to settings?"));
        QVERIFY(!pages_->isVisible());
        QVERIFY(window_->Menu()->isEnabled());
        const QDir dir(program_.dir->path());
        const QStringList option1 = fileLines(dir.filePath(QString::fromLatin1(kOption1File)));
        const QStringList option2 = fileLines(dir.filePath(QString::fromLatin1(kOption2File)));
        QCOMPARE(option1, expectedLines(engine_->settings, SettingsFile::Option1));
        QCOMPARE(option2, expectedLines(engine_->settings, SettingsFile::Option2));
        QVERIFY(option1.contains(QStringLiteral("opensesame")));
        QVERIFY(option2.contains(QStringLiteral("70")));

        // Next time the password dialog guards the pages, holding every other window while it is
        // up; its hints are as "Show Hints" was when it came up, and the menu bar waits with the
        // rest of the main window, so they stay so.
        window_->Menu(El::HINTSHOW);
        QVERIFY(engine_->screen.Get(El::HINTSHOW).checked);
        click("OPTIONSImage");
        QDialog* dialog = test::TopDialog("TPasswordDlg");
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isModal());
        QVERIFY(!pages_->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Password "));
        auto* entry = test::Child<QLineEdit>(dialog, "PasswordEnter");
        QCOMPARE(dialog->focusWidget(), entry);
        QCOMPARE(entry->echoMode(), QLineEdit::Password);
        window_->Menu(El::HINTSHOW);
        QVERIFY(engine_->screen.Get(El::HINTSHOW).checked);
        QToolTip::hideText();
        QHelpEvent hover(QEvent::ToolTip, QPoint(4, 4), entry->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(entry, &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Type the password to see options"));
        QToolTip::hideText();
        // A key on the dialog itself sends the focus to OK.
        dialog->setFocus();
        QTest::keyClick(dialog, Qt::Key_X);
        QCOMPARE(dialog->focusWidget(), test::Child(dialog, "OKBtn"));

        QTest::keyClicks(entry, QStringLiteral("sesame"));
        QCOMPARE(entry->displayText(), QStringLiteral("******"));
        QCOMPARE(boxAfter([&] { QTest::mouseClick(test::Child(dialog, "OKBtn"), Qt::LeftButton); }),
                 QStringLiteral("That is not the correct password."));
        QVERIFY(dialog->isVisible());
        QVERIFY(!pages_->isVisible());
        entry->selectAll();
        QTest::keyClicks(entry, QStringLiteral("OPENSESAME"));
        QCOMPARE(engine_->screen.Get(El::PasswordDlgPasswordEnter).text, "opensesame");
        QTest::mouseClick(test::Child(dialog, "OKBtn"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(pages_->isVisible());
        QCOMPARE(pages_->currentIndex(), 0);
        QCOMPARE(window_->focusWidget(), test::Child(pages_, "ProgramOK"));

        // The Report View: a report file chosen in the file dialog shows under its title, in a
        // fixed-pitch face whatever the machine has of Courier.
        chooseTab(3);
        QCOMPARE(pages_->currentWidget()->property("helpContext").toInt(), 160);
        auto* memo = test::Child<QPlainTextEdit>(pages_, "REPORTMEMO");
        QVERIFY(memo->toPlainText().endsWith(QStringLiteral("Click OPEN to view a report file.")));
        const QString report = QDir(program_.dir->path()).filePath(QStringLiteral("aedtest.txt"));
        QFile file(report);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Kim                              12/6/26   00:00  ----    -300\r\n");
        file.close();
        test::ChooseFileAfter(report, [this] { click("REPORTOpenFile"); });
        const QStringList lines = memo->toPlainText().split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[0].startsWith(QStringLiteral("                  Ardentix TEST REPORT  ")));
        QCOMPARE(lines[4],
                 QStringLiteral("Kim                              12/6/26   00:00  ----    -300"));
        QVERIFY(QFontInfo(memo->font()).fixedPitch());
    }
};

QTEST_MAIN(OptionPagesTest)
#include "option_pages_test.moc"
