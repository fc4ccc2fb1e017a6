// The help: every window has a topic of its own that F1 opens, the page says what the program
// does today, and the help can be read over a window that waits for an answer.
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QtTest>
#include <set>

#include "core/engine.h"
#include "test_program.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"

using namespace ardentix;

namespace {

QString helpPage() {
    QFile file(QStringLiteral(":/help/ardentix.html"));
    if (!file.open(QIODevice::ReadOnly)) qFatal("no help page in the resources");
    return QString::fromUtf8(file.readAll());
}

// The topics of the help page by their anchors.
std::set<int> topics(const QString& page) {
    std::set<int> found;
    QRegularExpression anchor(QStringLiteral("<a name=\"ctx(\\d+)\">"));
    for (auto it = anchor.globalMatch(page); it.hasNext();)
        found.insert(it.next().captured(1).toInt());
    return found;
}

}  // namespace

class HelpTest : public QObject {
    Q_OBJECT

    test::TestProgram program_;

  private slots:
    void init() { program_.Start(); }
    void cleanup() { program_.Stop(); }

    void everyWindowHasATopicOfItsOwn() {
        const std::set<int> anchors = topics(helpPage());
        ui::MainWindow* window = program_.window.get();
        // The main menu, the scenario screen and each window of the program.
        std::vector<QWidget*> windows = {window->Menu(), window};
        for (const char* name : {"TUserNAMEFORM", "TForm2", "TScoreboard", "TAboutBox", "TCPRFORM",
                                 "TPasswordDlg", "TFRMSEND", "TDebrief"})
            windows.push_back(test::TopDialog(name));
        for (const char* name : {"FINALERRORPanel", "PAUSEDLabel"})
            windows.push_back(test::Child(window, name));
        std::set<int> used;
        for (QWidget* w : windows) {
            const int context = w->property("helpContext").toInt();
            QVERIFY2(context != 0, qPrintable(w->objectName()));
            QVERIFY2(anchors.count(context), qPrintable(w->objectName()));
            QVERIFY2(used.insert(context).second, qPrintable(w->objectName()));
        }
        // The option pages' four tabs have theirs too.
        for (int context : {170, 150, 220, 160}) {
            QVERIFY(anchors.count(context));
            QVERIFY(!used.count(context));
        }
    }

    void thePageDescribesTodaysProgram() {
        const QString page = helpPage();
        QVERIFY(!page.contains(QLatin1String("not part of this version")));
        QVERIFY(!page.contains(QLatin1String("Close button only")));
        for (const char* now : {"Debrief", "E-mail Configure", "End the running scenario and quit?",
                                "Deductions", "PAUSED", "Save Chart", "scored as"})
            QVERIFY2(page.contains(QLatin1String(now)), now);
        // Every link of the contents leads to a topic.
        const std::set<int> anchors = topics(page);
        QRegularExpression link(QStringLiteral("href=\"#ctx(\\d+)\""));
        int links = 0;
        for (auto it = link.globalMatch(page); it.hasNext(); ++links)
            QVERIFY(anchors.count(it.next().captured(1).toInt()));
        QCOMPARE(links, static_cast<int>(anchors.size()));
    }

    // F1 in the log-in opens its topic, and the help belongs to the log-in while the log-in
    // holds the input, so that it can be read and closed.
    void f1OverAWaitingWindow() {
        ui::MainWindow* window = program_.window.get();
        QTest::mouseClick(window->Menu()->StartButton(), Qt::LeftButton);
        QDialog* login = test::TopDialog("TUserNAMEFORM");
        QTRY_VERIFY(login->isVisible());
        QTRY_VERIFY(QApplication::focusWidget() == test::Child(login, "NAMEEdit"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        auto* help = window->findChild<QDialog*>(QStringLiteral("HelpViewer"));
        QVERIFY(help);
        QTRY_VERIFY(help->isVisible());
        QCOMPARE(help->parentWidget(), login);
        QCOMPARE(help->findChild<QTextBrowser*>()->source().fragment(), QStringLiteral("ctx210"));
        help->close();
        // Back at the main menu, the help is the main window's again, at the menu's topic.
        QTest::mouseClick(test::Child(login, "CancelBtn"), Qt::LeftButton);
        QTRY_VERIFY(!login->isVisible());
        window->Menu()->StartButton()->setFocus();
        QTest::keyClick(window->Menu()->StartButton(), Qt::Key_F1);
        QTRY_VERIFY(help->isVisible());
        QCOMPARE(help->parentWidget(), window);
        QCOMPARE(help->findChild<QTextBrowser*>()->source().fragment(), QStringLiteral("ctx95"));
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
