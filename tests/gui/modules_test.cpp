// Sound, printing and the mail server's connection live in modules that the program loads at
// their first use, so that Qt Multimedia, Print Support and Network (and the sound, print and
// network libraries behind them) do not delay the main menu.
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include "test_program.h"
#include "ui/lazy_mail_link.h"
#include "ui/lazy_printer.h"
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
