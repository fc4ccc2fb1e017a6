// What the program leaves until after its main menu is up: sound, printing and the mail server's
// connection live in modules loaded at their first use (Qt Multimedia, Print Support and Network,
// and the sound, print and network libraries behind them), and the windows beyond the main menu
// are built once it has painted.
#include <QFile>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

#include "test_program.h"
#include "ui/dialogs.h"
#include "ui/lazy_mail_link.h"
#include "ui/lazy_printer.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"
#include "ui/module_loader.h"
#include "ui/qt_ports.h"

using namespace ardentix;

namespace {

// Whether a shared library whose file name holds the text is mapped into this process.
bool Loaded(const char* library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) qFatal("no /proc/self/maps");
    return maps.readAll().contains(library);
}

// Hands every event of the application to a function, from its making to its end.
class EventSpy : public QObject {
  public:
    explicit EventSpy(std::function<void(QObject*, QEvent*)> seen) : seen_(std::move(seen)) {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        seen_(watched, event);
        return false;
    }

  private:
    std::function<void(QObject*, QEvent*)> seen_;
};

}  // namespace

class ModulesTest : public QObject {
    Q_OBJECT

  private slots:
    // One test function: once a module is loaded it stays loaded for the rest of the process.
    void eachModuleComesAtItsFirstUse() {
        test::TestProgram program;
        program.Start();
        if (QTest::currentTestFailed()) return;
        QVERIFY(program.window->isVisible());
        QVERIFY(!Loaded("libQt6Multimedia"));
        QVERIFY(!Loaded("libQt6PrintSupport"));
        QVERIFY(!Loaded("libQt6Network"));
        QVERIFY(!program.printer->SetUp());

        // A sound that is missing is answered without the sound system; a real one starts it.
        QVERIFY(!program.sound->Play("NOSUCH.WAV"));
        QVERIFY(!Loaded("libQt6Multimedia"));
        QVERIFY(program.sound->Play("MOTION.WAV"));
        QVERIFY(Loaded("ardentix_sound"));
        QVERIFY(Loaded("libQt6Multimedia"));

        // The first lookup loads the connection, and its answer comes through the event loop.
        std::vector<LinkAnswer> answers;
        ui::LazyMailLink link([&answers](const LinkAnswer& a) { answers.push_back(a); });
        QVERIFY(!Loaded("ardentix_mail"));
        link.LookUp("127.0.0.1");
        QVERIFY(answers.empty());
        QTRY_COMPARE(answers.size(), size_t{1});
        QCOMPARE(answers[0].kind, LinkAnswer::Kind::HostFound);
        QCOMPARE(answers[0].text, std::string("127.0.0.1"));
        QVERIFY(Loaded("ardentix_mail"));
        QVERIFY(Loaded("libQt6Network"));
        QVERIFY(!Loaded("ardentix_print"));
        QVERIFY(!Loaded("libQt6PrintSupport"));

        // A print job sets the printer up, whatever becomes of the job on this machine.
        program.printer->Print("Test", {{"400", {"Courier New", 10}}});
        QVERIFY(program.printer->SetUp());
        QVERIFY(Loaded("ardentix_print"));
        QVERIFY(Loaded("libQt6PrintSupport"));

        program.Stop();
    }

    // The main menu paints before the other windows are built; they come right after it.
    void theMainMenuPaintsFirst() {
        test::TestProgram program;
        int menuPaints = 0;
        bool builtAtFirstPaint = true;
        bool loginAtFirstPaint = true;
        EventSpy spy([&](QObject* watched, QEvent* event) {
            if (event->type() != QEvent::Paint || !qobject_cast<ui::MenuPanel*>(watched)) return;
            if (menuPaints++ > 0) return;
            builtAtFirstPaint = program.window->WindowsBuilt();
            loginAtFirstPaint = false;
            for (QWidget* w : QApplication::topLevelWidgets())
                loginAtFirstPaint |= w->objectName() == QLatin1String("TUserNAMEFORM");
        });
        program.Start();
        if (QTest::currentTestFailed()) return;
        QVERIFY(menuPaints > 0);
        QVERIFY(!builtAtFirstPaint);
        QVERIFY(!loginAtFirstPaint);
        QVERIFY(program.window->WindowsBuilt());
        // Built afterwards, the windows show what the engine holds: the log-in opens as before.
        QTest::mouseClick(program.window->Menu()->StartButton(), Qt::LeftButton);
        QTRY_VERIFY(test::TopDialog("TUserNAMEFORM")->isVisible());
        program.Stop();
    }

    // A click that comes before the first paint builds the windows at once, and the log-in it
    // opens comes up as it always does: in the middle of the screen, with the keys in it.
    void aClickBeforeTheFirstPaint() {
        test::TestProgram program;
        program.Start(nullptr, false);
        if (QTest::currentTestFailed()) return;
        QVERIFY(!program.window->WindowsBuilt());
        program.window->Click(ElementCalled("STARTImage"));
        QVERIFY(program.window->WindowsBuilt());
        QDialog* login = test::TopDialog("TUserNAMEFORM");
        QVERIFY(login->isVisible());
        const QRect area = login->screen()->availableGeometry();
        QCOMPARE(login->frameGeometry().topLeft(),
                 ui::CentredPosition(area, login->frameGeometry().size()));
        QTRY_COMPARE(QApplication::focusWidget(), test::Child(login, "NAMEEdit"));
        program.Stop();
    }

    void aMissingModuleSaysWhy() {
        QString error;
        QVERIFY(!ui::ModuleEntry("ardentix_nosuchmodule", "ArdentixNewSoundPlayer", &error));
        QVERIFY2(error.contains(QLatin1String("ardentix_nosuchmodule")), qPrintable(error));
        QVERIFY(!ui::ModuleEntry("ardentix_sound", "NoSuchEntry", &error));
        QVERIFY2(error.contains(QLatin1String("NoSuchEntry")), qPrintable(error));
    }
};

QTEST_MAIN(ModulesTest)
#include "modules_test.moc"
