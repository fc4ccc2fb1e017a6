// ardentix: the AED and basic life support training simulator.
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "core/engine.h"
#include "core/scenario.h"
#include "scenario/wired_engine.h"
#include "store/qt_results_store.h"
#include "ui/audio_warning.h"
#include "ui/centre_station.h"
#include "ui/lazy_mail_link.h"
#include "ui/lazy_printer.h"
#include "ui/lrs_link.h"
#include "ui/main_window.h"
#include "ui/program_style.h"
#include "ui/qt_ports.h"

#ifdef ARDENTIX_STARTUP_PROBE
#include "first_paint_quit.h"
#include "ui/menu_panel.h"
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ardentix"));
    QApplication::setStyle(new ardentix::ui::ProgramStyle);
    // Without an audio device the program is silent: it says so once, not at every sound.
    ardentix::ui::AudioWarningOnce audioWarning;

    // The program directory is the working directory at start-up: settings, reports and media
    // are read and written there.
    const std::string programDir = QDir::currentPath().toStdString();
    ardentix::ui::QtClock clock;
    ardentix::ui::QtSound sound(programDir);
    ardentix::ui::QtDialogs dialogs;
    ardentix::ui::QtPictures pictures;
    ardentix::ui::QtTextMeasure text;
    ardentix::ui::LazyPrinter printer;
    dialogs.SetPrinter(&printer);
    // The mail server's answers go to the window, which hands them to the engine in turn.
    ardentix::ui::MainWindow* window = nullptr;
    ardentix::ui::LazyMailLink mailLink([&window](const ardentix::LinkAnswer& answer) {
        if (window) window->MailAnswer(answer);
    });
    // Results go into ARDENTIX.DB (opened at the first write, never at start), and on to the
    // centre server while one is chosen.
    ardentix::store::QtResultsStore results(programDir);
    ardentix::ui::CentreStation station(results, programDir);
    ardentix::WiredEngine engine(
        {&clock, &sound, &dialogs, &pictures, &printer, &text, &mailLink, &station}, programDir);
    station.Attach(engine.settings);

    ardentix::CreateMainWindow(engine);
    if (engine.ended) return 1;
    ardentix::ui::MainWindow mainWindow(engine, pictures);
    window = &mainWindow;
    dialogs.SetParent(&mainWindow);
#ifdef ARDENTIX_STARTUP_PROBE
    // The start-up benchmark's build of the program: it ends once the main menu has painted.
    FirstPaintQuit probe(mainWindow.Menu());
#endif
    mainWindow.SetCentreLink(&station.Link());
    // Results go on to the learning record store while sending to it is on.
    station.SetLrs([&mainWindow] { return mainWindow.Lrs() && mainWindow.Lrs()->Wanted(); },
                   [&mainWindow] {
                       if (mainWindow.Lrs()) mainWindow.Lrs()->SendQueued();
                   });
    mainWindow.show();
    // Results that could not be written in an earlier run go once the window is up, then what
    // waits for the centre server, on the link's own thread.
    QTimer::singleShot(0, &mainWindow, [&results, &station] {
        results.WritePending();
        station.Link().SendNow();
    });
    const int status = QApplication::exec();
    window = nullptr;
    return status;
}
