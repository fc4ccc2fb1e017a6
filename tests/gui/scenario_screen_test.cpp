// What the scenario screen shows beyond the engine's rules: a control that would ignore a click
// is drawn busy (greyed, the busy cursor over it) yet still takes the click; the running list of
// deductions; "PAUSED" over the screen during a pause; and no advice over the final deductions.
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include "core/elements.h"
#include "core/engine.h"
#include "hand_clock_test.h"
#include "test_program.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"

using namespace ardentix;

class ScenarioScreenTest : public test::HandClockTest {
    Q_OBJECT

    QMenu* abcsMenu() { return window_->findChild<QMenu*>(QStringLiteral("ABCsMenu")); }

    // The lightness of the darkest pixel inside a button's frame: its text's.
    static int darkestInside(QWidget* w) {
        const QImage image = w->grab().toImage();
        int darkest = 255;
        for (int y = 6; y < image.height() - 6; ++y) {
            for (int x = 6; x < image.width() - 6; ++x)
                darkest = std::min(darkest, image.pixelColor(x, y).lightness());
        }
        return darkest;
    }
    // Whether a strongly red pixel lies in the given part of a widget.
    static bool redIn(QWidget* w, const QRect& part) {
        const QImage image = w->grab().toImage();
        for (int y = part.top(); y <= part.bottom(); ++y) {
            for (int x = part.left(); x <= part.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 140 && c.blue() < 140) return true;
            }
        }
        return false;
    }
    // The letters of "PAUSED" are yellow; nothing of the picture is, around the screen's middle.
    static bool yellowNearTheMiddle(QWidget* screen) {
        const QImage image = screen->grab().toImage();
        const QPoint middle = screen->rect().center();
        for (int y = middle.y() - 30; y <= middle.y() + 30; ++y) {
            for (int x = middle.x() - 100; x <= middle.x() + 100; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 170 && c.blue() < 60) return true;
            }
        }
        return false;
    }
    // The middle of the child light: amber while lit, white (dark, as every lamp) when not.
    static bool litAt(QWidget* w, const QRect& light) {
        const QColor c = w->grab().toImage().pixelColor(light.center());
        return c.red() > 230 && c.green() > 150 && c.blue() < 200;
    }
    static bool blueIn(QWidget* w) {
        const QImage image = w->grab().toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.blue() > 200 && c.red() < 100) return true;
            }
        }
        return false;
    }
    // Whether every pixel of a rectangle's outline is the yellow of the device's case: what lies
    // inside it is clear of the case's edge, of the plate and of the keys.
    static bool caseAllRound(const QImage& image, const QRect& ring) {
        auto caseYellow = [&image](int x, int y) {
            const QColor c = image.pixelColor(x, y);
            return c.red() > 235 && c.green() > 175 && c.green() < 215 && c.blue() < 60;
        };
        for (int x = ring.left(); x <= ring.right(); ++x) {
            if (!caseYellow(x, ring.top()) || !caseYellow(x, ring.bottom())) return false;
        }
        for (int y = ring.top(); y <= ring.bottom(); ++y) {
            if (!caseYellow(ring.left(), y) || !caseYellow(ring.right(), y)) return false;
        }
        return true;
    }
    static bool looksBusy(QPushButton* b) {
        const QPalette& p = b->palette();
        return b->testAttribute(Qt::WA_SetCursor) && b->cursor().shape() == Qt::BusyCursor &&
               p.color(QPalette::Active, QPalette::ButtonText) ==
                   p.color(QPalette::Disabled, QPalette::ButtonText);
    }

  private slots:
    void init() { StartProgram(); }

    void cleanup() { StopProgram(); }

    // The ABCs button while the shaking runs: greyed with the busy cursor, still enabled; a click
    // on it reaches the program and opens nothing; at the shaking's end it looks as before.
    void busyButtonIsGreyedAndStillTakesTheClick() {
        LogIn(true);
        auto* abcs = widget<QPushButton>("ABCsButton");
        auto* pulse = widget<QPushButton>("PulseButton");
        auto* cpr = widget<QPushButton>("CPRBUTTON");
        const int normalText = darkestInside(abcs);
        QVERIFY(!looksBusy(abcs));
        QVERIFY(!abcs->testAttribute(Qt::WA_SetCursor));

        for (int round = 0; round < 2; ++round) {
            action("ABCsResponsivenessMenuItem")->trigger();
            QVERIFY(looksBusy(abcs));
            QVERIFY(looksBusy(pulse));
            QVERIFY(!looksBusy(cpr));
            QVERIFY(abcs->isEnabled());
            QVERIFY2(darkestInside(abcs) > normalText + 60, "a busy button's text is grey");

            QSignalSpy clicked(abcs, &QPushButton::clicked);
            QTest::mouseClick(abcs, Qt::LeftButton);
            QCOMPARE(clicked.count(), 1);
            QVERIFY(!abcsMenu()->isVisible());
            QVERIFY(engine_->timers.Running(TimerId::Shaketimer) ||
                    engine_->timers.Running(TimerId::ResponsivenessTimer));

            clock_->Advance(3149);
            QVERIFY(looksBusy(abcs));
            clock_->Advance(1);
            QCOMPARE(engine_->screen.Get(El::MSG0).text, std::string("Patient is unresponsive."));
            QVERIFY(!looksBusy(abcs));
            QVERIFY(!looksBusy(pulse));
            QVERIFY(!abcs->testAttribute(Qt::WA_SetCursor));
            QCOMPARE(darkestInside(abcs), normalText);
        }
        QTest::mouseClick(abcs, Qt::LeftButton);
        QTRY_VERIFY(abcsMenu()->isVisible());
        abcsMenu()->close();
    }

    // "PAUSED" lies over the whole scenario screen, above the advice, while the pause lasts.
    void pausedOverlayComesAndGoes() {
        LogIn(true);
        auto* overlay = widget("PAUSEDLabel");
        auto* screen = widget("ScenarioScreen");
        QVERIFY(!overlay->isVisible());
        QVERIFY(widget("ADVICEPANEL")->isVisible());
        QVERIFY(!yellowNearTheMiddle(screen));
        action("Pause")->trigger();
        QVERIFY(overlay->isVisible());
        QCOMPARE(overlay->geometry(), screen->rect());
        QCOMPARE(screen->children().last(), overlay);  // on top of everything
        QVERIFY2(yellowNearTheMiddle(screen), "the sign's yellow letters");
        clock_->Advance(5000);
        QVERIFY(overlay->isVisible());
        action("Pause")->trigger();
        QVERIFY(!overlay->isVisible());
        QVERIFY(!yellowNearTheMiddle(screen));
        action("Pause")->trigger();
        QVERIFY(overlay->isVisible());
        action("Pause")->trigger();
        QVERIFY(!overlay->isVisible());
    }

    // A deduction appears in the list beside the score at once, its points in red.
    void deductionsAreListedBesideTheScore() {
        LogIn(false);
        auto* list = widget("DEDUCTIONSList");
        QVERIFY(list->isVisible());
        const QRect firstLine(0, 17, 40, 14);
        QVERIFY(!redIn(list, firstLine));
        engine_->ScriptState().PulseRate = 70;
        QTest::mouseClick(widget<QPushButton>("CPRBUTTON"), Qt::LeftButton);
        QCOMPARE(engine_->screen.Get(El::DEDUCTIONSList).lines.size(), size_t{1});
        QVERIFY(redIn(list, firstLine));
        QVERIFY(!redIn(list, firstLine.translated(0, 15)));
        // Right of the picture, between the score and the AED.
        QVERIFY(list->geometry().left() >= kPatientViewSize);
        QVERIFY(list->geometry().bottom() < kCloseupTop);
    }

    // The child key lies over the closed device and the close-up alike; a click toggles it in the
    // engine, and its light is drawn lit beside it exactly while it is on.
    void childKeyAndItsLight() {
        LogIn(false);
        auto* key = widget<QPushButton>("CHILDKEY");
        auto* light = widget("CHILDLED");
        auto* panel = widget("AedPanel");
        const QRect lightPlace = light->geometry();
        QVERIFY(key->isVisible());
        QVERIFY(!light->isVisible());
        QVERIFY(!litAt(panel, lightPlace));
        for (const char* face : {"AEDPANEL", "CloseupPanel"}) {
            QVERIFY(widget(face)->isVisible());
            QTest::mouseClick(key, Qt::LeftButton);
            QVERIFY(engine_->screen.Get(El::CHILDKEY).checked);
            QVERIFY(light->isVisible());
            QVERIFY2(litAt(panel, lightPlace), face);
            QVERIFY2(blueIn(key), "the knob is blue while the key is on");
            QTest::mouseClick(key, Qt::LeftButton);
            QVERIFY(!engine_->screen.Get(El::CHILDKEY).checked);
            QVERIFY(!light->isVisible());
            QVERIFY(!litAt(panel, lightPlace));
            QVERIFY(!blueIn(key));
            // The power key opens the close-up.
            if (std::string_view(face) == "AEDPANEL") {
                QTest::mouseClick(widget<QPushButton>("PowerButton"), Qt::LeftButton);
                clock_->Advance(200);
                QVERIFY(!widget(face)->isVisible());
            }
        }
        // It lies clear of the keys of either face.
        for (const char* other : {"PowerButton", "AnalyzeButton", "ShockButton", "POWERBUTTON2"}) {
            QWidget* w = widget(other);
            const QRect place(w->mapTo(panel, QPoint(0, 0)), w->size());
            QVERIFY2(!place.intersects(key->geometry()), other);
            QVERIFY2(!place.intersects(lightPlace), other);
        }
        // A pause holds it, as every control of the scenario.
        action("Pause")->trigger();
        QVERIFY(!key->isEnabled());
        action("Pause")->trigger();
        QVERIFY(key->isEnabled());
    }

    // The key and its light sit on the case on either face, the light lit or not: the case shows
    // all round each of them, a few pixels out (clear of the case's rounded edge, of the plate over
    // the closed two-button device's analyze key, of the keys, and of each other).
    void childKeyAndLightSitOnTheCase() {
        LogIn(false);
        QVERIFY(engine_->screen.Get(El::AnalyzeButtonCover).visible);
        auto* panel = widget("AedPanel");
        const QRect key = widget("CHILDKEY")->geometry();
        const QRect light = widget("CHILDLED")->geometry();
        QVERIFY(light.left() > key.right() + 3);
        for (const char* face : {"AEDPANEL", "CloseupPanel"}) {
            QVERIFY(widget(face)->isVisible());
            for (int lit = 0; lit < 2; ++lit) {
                const QImage image = panel->grab().toImage();
                QVERIFY2(caseAllRound(image, key.adjusted(-3, -3, 3, 3)), face);
                QVERIFY2(caseAllRound(image, light.adjusted(-3, -3, 3, 3)), face);
                QTest::mouseClick(widget<QPushButton>("CHILDKEY"), Qt::LeftButton);
            }
            if (std::string_view(face) == "AEDPANEL") {
                QTest::mouseClick(widget<QPushButton>("PowerButton"), Qt::LeftButton);
                clock_->Advance(200);
            }
        }
    }

    // The lit analyze lamp does not run into the yellow case: its middle is a yellow clearly
    // lighter than the case's, inside a dark bezel; dark, it is white.
    void litLampsStandOutFromTheCase() {
        LogIn(false);
        QTest::mouseClick(widget<QPushButton>("PowerButton"), Qt::LeftButton);
        clock_->Advance(200);
        auto* closeup = widget("CloseupPanel");
        QVERIFY(closeup->isVisible());
        // The analyze lamp of a three-button device, between the power and shock lamps.
        engine_->screen.Edit(El::AnalyzeLED).visible = true;
        const QPoint middle(104, 112);
        const QColor caseYellow = closeup->grab().toImage().pixelColor(104, 140);
        QVERIFY(caseYellow.red() > 235 && caseYellow.blue() < 60);
        for (Color colour : {Color::White, Color::Yellow, Color::White, Color::Yellow}) {
            engine_->screen.Edit(El::AnalyzeLED).color = colour;
            const QImage image = closeup->grab().toImage();
            for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                int darkest = 255;
                for (int i = 6; i <= 12; ++i)
                    darkest = std::min(darkest, image.pixelColor(middle + step * i).lightness());
                QVERIFY(darkest < 80);
            }
            for (int dx = -2; dx <= 2; ++dx) {
                const QColor c = image.pixelColor(middle + QPoint(dx, dx));
                const bool yellow = c.red() > 230 && c.green() > 200 && c.blue() < 140;
                QCOMPARE(yellow, colour == Color::Yellow);
                if (yellow) QVERIFY(c.green() - caseYellow.green() >= 35);
            }
        }
    }

    // Ending the scenario takes the advice away: the final deductions are not covered.
    void noAdviceOverTheFinalPanel() {
        LogIn(true);
        QVERIFY(widget("ADVICEPANEL")->isVisible());
        QTest::mouseClick(widget<QPushButton>("ENDBUTTON"), Qt::LeftButton);
        QVERIFY(widget("FINALERRORPanel")->isVisible());
        QVERIFY(!widget("ADVICEPANEL")->isVisible());
    }
};

QTEST_MAIN(ScenarioScreenTest)
#include "scenario_screen_test.moc"
