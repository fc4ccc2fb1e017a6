#pragma once
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <functional>
#include <memory>

#include "core/engine.h"
#include "core/scenario.h"
#include "scenario/wired_engine.h"
#include "ui/lazy_printer.h"
#include "ui/main_window.h"
#include "ui/qt_ports.h"

namespace ardentix::test {

// The program as a user starts it, on the offscreen platform: a fresh program directory holding
// the pictures and sounds, the engine on the Qt ports, and the main window shown.
struct TestProgram {
    std::unique_ptr<QTemporaryDir> dir;
    // The user's configuration, where the window keeps its size and place: a fresh one for each
    // start, never the real one; a restart finds what the first run left.
    std::unique_ptr<QTemporaryDir> config;
    std::unique_ptr<ui::QtClock> clock;
    std::unique_ptr<ui::QtSound> sound;
    std::unique_ptr<ui::QtDialogs> dialogs;
    std::unique_ptr<ui::QtPictures> pictures;
    std::unique_ptr<ui::LazyPrinter> printer;
    std::unique_ptr<WiredEngine> engine;
    std::unique_ptr<ui::MainWindow> window;

    // The timers go by driverClock (the machine's clock when none is given). A failure is
    // reported to QTest and leaves the program unstarted.
    // With waitForPaint false the test goes on as soon as the window is shown, before it has
    // painted (and so before the windows beyond the main menu are built).
    void Start(ui::DriverClock* driverClock = nullptr, bool waitForPaint = true) {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        config = std::make_unique<QTemporaryDir>();
        QVERIFY(config->isValid());
        for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, config->path());
        const QDir media(QStringLiteral(ARDENTIX_MEDIA_DIR));
        for (const QString& name : media.entryList(QDir::Files)) {
            QVERIFY(QFile::copy(media.filePath(name), QDir(dir->path()).filePath(name)));
        }
        Launch(driverClock, waitForPaint);
    }

    // The program ended and started again in the same program directory, as a user starts it a
    // second time: it finds the settings and files the first run left.
    void Restart() {
        Stop();
        Launch();
    }

    void Launch(ui::DriverClock* driverClock = nullptr, bool waitForPaint = true) {
        const std::string programDir = dir->path().toStdString();
        clock = std::make_unique<ui::QtClock>();
        sound = std::make_unique<ui::QtSound>(programDir);
        dialogs = std::make_unique<ui::QtDialogs>();
        pictures = std::make_unique<ui::QtPictures>();
        printer = std::make_unique<ui::LazyPrinter>();
        dialogs->SetPrinter(printer.get());
        engine = std::make_unique<WiredEngine>(
            Ports{clock.get(), sound.get(), dialogs.get(), pictures.get(), printer.get()},
            programDir);
        CreateMainWindow(*engine);
        QVERIFY(!engine->ended);
        window = std::make_unique<ui::MainWindow>(*engine, *pictures, driverClock);
        dialogs->SetParent(window.get());
        window->show();
        if (!waitForPaint) return;
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // The windows beyond the main menu come once it has painted.
        QTRY_VERIFY(window->WindowsBuilt());
    }

    void Stop() {
        window.reset();
        engine.reset();
    }
};

// A widget of the program by its object name; the test stops at once when there is none.
template <typename T = QWidget>
T* Child(QWidget* parent, const char* name) {
    auto* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (!w) qFatal("no widget %s", name);
    return w;
}

// How far two pictures of one size lie apart: the mean difference of their channels within box.
inline double MeanDifference(const QImage& a, const QImage& b, const QRect& box) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = box.top(); row <= box.bottom(); ++row) {
        for (int col = box.left(); col <= box.right(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * box.width() * box.height());
}

// A window of the program by its object name; the test stops at once when there is none.
inline QDialog* TopDialog(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(name)) return qobject_cast<QDialog*>(w);
    }
    qFatal("no window %s", name);
}

// Runs an action that brings up a file dialog, and chooses the file in it.
inline void ChooseFileAfter(const QString& path, const std::function<void()>& action) {
    QTimer::singleShot(0, [path] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible()) {
                dialog->selectFile(path);
                static_cast<QDialog*>(dialog)->accept();
            }
        }
    });
    action();
}

}  // namespace ardentix::test
