// The main window on the offscreen platform: what a user sees at start and what the main menu
// items do.
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "core/engine.h"
#include "core/scenario.h"
#include "test_program.h"
#include "ui/audio_warning.h"
#include "ui/dialogs.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"
#include "ui/qt_ports.h"

using namespace ardentix;

class MainWindowTest : public QObject {
    Q_OBJECT

    test::TestProgram program_;
    Engine* engine_ = nullptr;
    ui::MainWindow* window_ = nullptr;

    template <typename T>
    T* findTop(const char* name) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String(name)) return qobject_cast<T*>(w);
        }
        return nullptr;
    }

  private slots:
    void init() {
        program_.Start();
        if (QTest::currentTestFailed()) return;
        engine_ = program_.engine.get();
        window_ = program_.window.get();
    }

    void cleanup() { program_.Stop(); }

    void showsTheMainMenu() {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Ardentix"));
        QCOMPARE(window_->size(), QSize(640, 480));
        QVERIFY(window_->Menu()->isVisible());
        for (const char* item : {"STARTImage", "OPTIONSImage", "SCOREBOARDImage", "QUITImage"}) {
            auto* widget = window_->findChild<QWidget*>(QString::fromLatin1(item));
            QVERIFY2(widget && widget->isVisible(), item);
        }
        QCOMPARE(QApplication::focusWidget(), window_->Menu()->StartButton());
        // The photographs and overlays the media step wrote are real pictures.
        QVERIFY(!program_.pictures->Picture(QStringLiteral("SHAKE")).isNull());
    }

    // One item of the main menu is lit at a time: the one under the mouse, else the one with the
    // focus; over the background none is.
    // The window opens in the middle of the screen's available area, all of it on the screen.
    void opensInTheMiddleOfTheScreen() {
        const QRect area = window_->screen()->availableGeometry();
        const QRect frame = window_->frameGeometry();
        QVERIFY(area.contains(frame));
        QCOMPARE(frame.left() - area.left(), area.right() - frame.right());
        QCOMPARE(frame.top() - area.top(), area.bottom() - frame.bottom());
    }

    // A frame as wide as the area starts at its left edge, not one pixel before it; a larger
    // frame keeps its top-left corner on the area, and the area's own corner counts.
    void centringNeverLeavesTheArea() {
        const QRect screen(0, 0, 640, 480);
        QCOMPARE(ui::CentredPosition(screen, {640, 480}), QPoint(0, 0));
        QCOMPARE(ui::CentredPosition(screen, {638, 478}), QPoint(1, 1));
        QCOMPARE(ui::CentredPosition(screen, {641, 481}), QPoint(0, 0));
        QCOMPARE(ui::CentredPosition(screen, {1280, 960}), QPoint(0, 0));
        QCOMPARE(ui::CentredPosition({1024, 30, 800, 570}, {640, 480}), QPoint(1104, 75));
        QCOMPARE(ui::CentredPosition({1024, 30, 800, 570}, {900, 600}), QPoint(1024, 30));
        // Moved by hand, a window wider than the screen comes back to the screen's left edge.
        QWidget wide;
        wide.resize(window_->screen()->availableGeometry().width() + 2, 100);
        wide.move(-300, -300);
        ui::CentreOnScreen(&wide);
        QCOMPARE(wide.pos(),
                 window_->screen()->availableGeometry().topLeft() +
                     QPoint(0, (window_->screen()->availableGeometry().height() - 100) / 2));
    }

    void menuLightsOneItemAtATime() {
        ui::MenuPanel* menu = window_->Menu();
        QWidget* start = menu->StartButton();
        auto* options = menu->findChild<QWidget*>(QStringLiteral("OPTIONSImage"));
        auto* quit = menu->findChild<QWidget*>(QStringLiteral("QUITImage"));
        const QList<QWidget*> items = {
            start, options, menu->findChild<QWidget*>(QStringLiteral("SCOREBOARDImage")), quit};
        // Lit: a dark red face; unlit: dark grey.
        auto lit = [](QWidget* item) {
            const QColor face = item->grab().toImage().pixelColor(20, 14);
            return face.red() > 80 && face.green() < 50;
        };
        auto onlyLit = [&](QWidget* one) {
            for (QWidget* item : items) {
                if (lit(item) != (item == one)) return false;
            }
            return menu->Highlighted() == one;
        };
        QCOMPARE(QApplication::focusWidget(), start);
        QVERIFY(onlyLit(start));

        QTest::mouseMove(options, options->rect().center());
        QTRY_VERIFY(onlyLit(options));
        QCOMPARE(QApplication::focusWidget(), start);  // the focus stays where it was
        QTest::mouseMove(quit, quit->rect().center());
        QTRY_VERIFY(onlyLit(quit));
        QTest::mouseMove(menu, QPoint(30, menu->height() - 30));
        QTRY_VERIFY(onlyLit(nullptr));
        QCOMPARE(QApplication::focusWidget(), start);

        // The keyboard moves the focus, and the light with it.
        QTest::keyClick(start, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), options);
        QVERIFY(onlyLit(options));
    }

    // Without an audio device every sound would say so; the program says it once.
    void noAudioDeviceIsSaidOnce() {
        static QStringList seen;
        seen.clear();
        const QtMessageHandler before = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& message) { seen << message; });
        const QString noDevice = QStringLiteral("No audio device detected");
        {
            ui::AudioWarningOnce once;
            qWarning("No audio device detected");
            qWarning("Picture missing");
            qWarning("No audio device detected");
            // Real sounds as well: on a machine without a device Qt says it at each of them.
            ui::QtSound sound(program_.dir->path().toStdString());
            QVERIFY(sound.Play("click.wav"));
            QTest::qWait(50);
            QVERIFY(sound.Play("ring.wav"));
            QTest::qWait(50);
            qWarning("No audio device detected");
            qWarning("Picture missing");
        }
        // Once the filter is gone, each one goes through again.
        qWarning("No audio device detected");
        qInstallMessageHandler(before);
        QCOMPARE(seen.count(noDevice), 2);
        QCOMPARE(seen.first(), noDevice);
        QCOMPARE(seen.last(), noDevice);
        QCOMPARE(seen.count(QStringLiteral("Picture missing")), 2);
    }

    void logInAndReachTheScenario() {
        QTest::mouseClick(window_->Menu()->StartButton(), Qt::LeftButton);
        auto* login = findTop<QDialog>("TUserNAMEFORM");
        QVERIFY(login && login->isVisible());
        auto* name = login->findChild<QLineEdit*>(QStringLiteral("NAMEEdit"));
        QVERIFY(!login->findChild<QLineEdit*>(QStringLiteral("IDEdit"))->isVisible());
        QTest::keyClicks(name, QStringLiteral("Kim Lee"));
        QTest::mouseClick(login->findChild<QRadioButton*>(QStringLiteral("Practicebutton")),
                          Qt::LeftButton);
        QTest::mouseClick(login->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
        QTRY_VERIFY(!login->isVisible());
        QVERIFY(!window_->Menu()->isVisible());
        QCOMPARE(engine_->state.UserName, std::string("Kim Lee"));
        QCOMPARE(engine_->state.Mode, uint8_t{1});
        auto* msg0 = window_->findChild<QLabel*>(QStringLiteral("MSG0"));
        QVERIFY(msg0->text().startsWith(QStringLiteral("Your patient is a ")));
        auto* end = window_->findChild<QPushButton*>(QStringLiteral("ENDBUTTON"));
        QVERIFY(end->isVisible() && end->isEnabled() && end->font().bold());
        const Element& endElement = engine_->screen.Get(El::ENDBUTTON);
        QCOMPARE(end->geometry(), QRect(endElement.left, end->y(), endElement.width, 25));
        QVERIFY(!window_->findChild<QPushButton*>(QStringLiteral("BPBUTTON"))->isVisible());

        // The ABCs button pops up its menu; its items act and get their check marks.
        QTest::mouseClick(window_->findChild<QPushButton*>(QStringLiteral("ABCsButton")),
                          Qt::LeftButton);
        auto* abcs = window_->findChild<QMenu*>(QStringLiteral("ABCsMenu"));
        QTRY_VERIFY(abcs->isVisible());
        auto* responsiveness =
            abcs->findChild<QAction*>(QStringLiteral("ABCsResponsivenessMenuItem"));
        QVERIFY(responsiveness->isVisible());
        QVERIFY(!abcs->findChild<QAction*>(QStringLiteral("AllABCsmenuItem"))->isVisible());
        responsiveness->trigger();
        abcs->hide();
        QVERIFY(engine_->state.ResponsivenessChecked);
        QVERIFY(responsiveness->isChecked());

        // The power key opens the device's close-up.
        auto* power = window_->findChild<QPushButton*>(QStringLiteral("PowerButton"));
        QVERIFY(power->isVisible());
        QTest::mouseClick(power, Qt::LeftButton);
        QVERIFY(engine_->state.AEDOn);
        QVERIFY(window_->findChild<QWidget*>(QStringLiteral("CloseupPanel"))->isVisible());
        QVERIFY(!window_->findChild<QWidget*>(QStringLiteral("AEDPANEL"))->isVisible());
        QVERIFY(window_->findChild<QPushButton*>(QStringLiteral("ShockButton"))->isVisible());
        QVERIFY(window_->findChild<QWidget*>(QStringLiteral("PADWHITE"))->isVisible());

        // Pause from the menu bar, and go on.
        auto* pause = window_->findChild<QAction*>(QStringLiteral("Pause"));
        pause->trigger();
        QVERIFY(pause->isChecked());
        QVERIFY(!end->isEnabled());
        QCOMPARE(msg0->text(), QStringLiteral("Select Pause under FILE menu to continue."));
        pause->trigger();
        QVERIFY(!pause->isChecked());
        QVERIFY(end->isEnabled());

        // End the scenario: the summary shows the result and the main window waits.
        QTest::mouseClick(end, Qt::LeftButton);
        // Nothing was done: the final deduction comes first, the summary after its OK.
        QVERIFY(engine_->screen.Get(El::FINALERRORPanel).visible);
        window_->Click(ElementCalled("FinalErrorOKButton"));
        auto* summary = findTop<QDialog>("TForm2");
        QTRY_VERIFY(summary->isVisible());
        QCOMPARE(summary->findChild<QLineEdit*>(QStringLiteral("NAMEEDIT"))->text(),
                 QStringLiteral("Kim Lee"));
        QCOMPARE(summary->findChild<QLineEdit*>(QStringLiteral("SHOCKTIMEEDIT"))->text(),
                 QStringLiteral("NO SHOCKS"));
        QVERIFY(!window_->centralWidget()->isEnabled());
        QTest::mouseClick(summary->findChild<QPushButton*>(QStringLiteral("MainMenu")),
                          Qt::LeftButton);
        QTRY_VERIFY(window_->Menu()->isVisible());
        QVERIFY(!summary->isVisible());
        QVERIFY(window_->centralWidget()->isEnabled());
    }

    void clockShowsNoTimeZone() {
        ui::QtClock clock;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{1,2}:\\d{2}:\\d{2} (AM|PM)$"))
                    .match(QString::fromStdString(clock.LongTime()))
                    .hasMatch());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{2}$"))
                    .match(QString::fromStdString(clock.ShortDate()))
                    .hasMatch());
        QLocale::setDefault(QLocale::c());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{2}:\\d{2}:\\d{2}$"))
                    .match(QString::fromStdString(clock.LongTime()))
                    .hasMatch());
    }

    void quitClosesTheWindow() {
        auto* quit = window_->findChild<QWidget*>(QStringLiteral("QUITImage"));
        QTest::mouseClick(quit, Qt::LeftButton);
        QTRY_VERIFY(!window_->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
