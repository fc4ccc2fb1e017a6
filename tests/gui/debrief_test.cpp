// The debrief window after a Practice scenario, on the offscreen platform and a clock the test
// moves by hand: opened by the summary's Debrief button, a marker for every event of the log, the
// figures as the engine computes them, a click on an event marking it on the chart, and a layout
// that fits a 640 x 480 screen.
#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "core/engine.h"
#include "hand_clock.h"
#include "records/debrief.h"
#include "scenario/input.h"
#include "test_program.h"
#include "ui/debrief_window.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"

using namespace ardentix;

class DebriefTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::HandClock> clock_;
    test::TestProgram program_;
    Engine* engine_ = nullptr;
    ui::MainWindow* window_ = nullptr;

    template <typename T = QWidget>
    T* widget(const char* name) {
        return test::Child<T>(window_, name);
    }
    void click(const char* name) { QTest::mouseClick(widget<QPushButton>(name), Qt::LeftButton); }
    std::string prompt() const { return engine_->screen.Get("AEDDISPLAY1").text; }
    // The clock goes on in steps of 10 ms until done() holds; false when limit ms pass first.
    bool advanceUntil(const std::function<bool()>& done, Millis limit) {
        for (Millis waited = 0; waited < limit; waited += 10) {
            if (done()) return true;
            clock_->Advance(10);
        }
        return done();
    }

  private slots:
    void init() {
        clock_ = std::make_unique<test::HandClock>();
        program_.Start(clock_.get());
        if (QTest::currentTestFailed()) return;
        engine_ = program_.engine.get();
        window_ = program_.window.get();
        engine_->settings.SetText(Opt::OptTroubleOdds, "0");
    }

    void cleanup() {
        program_.Stop();
        clock_.reset();
    }

    // Check, CPR, the AED on, the pads (which stop CPR), a shock, CPR again, End.
    void debriefOfAPracticeScenario() {
        QTest::mouseClick(window_->Menu()->StartButton(), Qt::LeftButton);
        QDialog* login = test::TopDialog("TUserNAMEFORM");
        QTest::keyClicks(login->findChild<QLineEdit*>(QStringLiteral("NAMEEdit")),
                         QStringLiteral("Kim Lee"));
        QTest::mouseClick(login->findChild<QRadioButton*>(QStringLiteral("Practicebutton")),
                          Qt::LeftButton);
        engine_->nextPatient = {0, 2, 0, {}};  // two shocks: no pulse after the first
        QTest::mouseClick(login->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
        QTRY_VERIFY(!login->isVisible());

        // Scenario times: the check at 1 s, CPR at 5 s, the power key at 15 s and the pads at 17 s.
        clock_->Advance(1000);
        auto* responsiveness =
            window_->findChild<QAction*>(QStringLiteral("ABCsResponsivenessMenuItem"));
        QVERIFY(responsiveness);
        responsiveness->trigger();
        clock_->Advance(4000);
        click("CPRBUTTON");
        QVERIFY(engine_->timers.Running(TimerId::CPRTimer));
        clock_->Advance(10000);
        click("PowerButton");
        clock_->Advance(2000);
        for (const auto& [pad, zone] :
             {std::pair{"PADWHITE", "PADWhiteZone"}, std::pair{"PADRED", "PADRedZONE"}}) {
            InputResult result = InputResult::Unknown;
            window_->Dispatch([&] { result = DragPad(*engine_, pad, zone, 0, 0); });
            QVERIFY2(result == InputResult::Done, pad);
        }
        QVERIFY(!engine_->timers.Running(TimerId::CPRTimer));
        QVERIFY(advanceUntil([&] { return prompt() == "PUSH TO SHOCK"; }, 60000));
        click("CLEARBUTTON");
        click("ShockButton");
        QCOMPARE(engine_->state.ShockCount, uint8_t{1});
        clock_->Advance(3000);
        click("CPRBUTTON");
        clock_->Advance(6000);
        click("ENDBUTTON");
        auto* finalOk = widget<QPushButton>("FinalErrorOKButton");
        if (finalOk->isVisible()) QTest::mouseClick(finalOk, Qt::LeftButton);
        QDialog* summary = test::TopDialog("TForm2");
        QTRY_VERIFY(summary->isVisible());

        QTest::mouseClick(test::Child<QPushButton>(summary, "DEBRIEFButton"), Qt::LeftButton);
        auto* debrief = qobject_cast<ui::DebriefWindow*>(test::TopDialog("TDebrief"));
        QVERIFY(debrief);
        QTRY_VERIFY(debrief->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(debrief));

        // A marker for every event of the log.
        const std::vector<LogEvent>& events = engine_->log.Events();
        QVERIFY(events.size() > 15);
        ui::DebriefChart* chart = debrief->Chart();
        QCOMPARE(chart->MarkerCount(), static_cast<int>(events.size()));

        // The table holds the engine's figures, row by row, in the order it gives them.
        const DebriefFigures figures = ComputeFigures(engine_->log);
        const std::vector<FigureRow> rows = FigureRows(figures);
        QTableWidget* table = debrief->Figures();
        QCOMPARE(table->rowCount(), static_cast<int>(rows.size()));
        for (int i = 0; i < table->rowCount(); ++i) {
            const FigureRow& r = rows[size_t(i)];
            QCOMPARE(table->item(i, 0)->text(), QString::fromStdString(r.label));
            QCOMPARE(table->item(i, 1)->text(), QString::fromStdString(r.shown));
            QCOMPARE(table->item(i, 2)->text(), QString::fromStdString(r.target));
        }
        // And the engine's figures are this walk's: the check at 0:01, CPR from 0:05 to the pads
        // at 0:17, the power key at 0:15, one shock.
        const auto shown = [&](const char* label) {
            const auto found = table->findItems(QString::fromLatin1(label), Qt::MatchExactly);
            return found.isEmpty() ? QString() : table->item(found.front()->row(), 1)->text();
        };
        QCOMPARE(shown("First check of responsiveness"), QStringLiteral("0:01"));
        QCOMPARE(shown("First compression"), QStringLiteral("0:05"));
        QCOMPARE(shown("AED switched on"), QStringLiteral("0:15"));
        QCOMPARE(shown("Both pads on"), QStringLiteral("0:17"));
        QCOMPARE(shown("Help called"), QStringLiteral("—"));
        QCOMPARE(figures.shocks.size(), size_t{1});
        QCOMPARE(figures.timeToFirstShock, std::optional<int32_t>(figures.shocks.front()));
        QCOMPARE(shown("Post-shock pause, shock 1"), QStringLiteral("3.0 s"));

        // A click on an event row marks that event's marker, drawn with a dark ring.
        auto* list = debrief->findChild<QTableWidget*>(QStringLiteral("Events"));
        QVERIFY(list);
        QCOMPARE(list->rowCount(), static_cast<int>(events.size()));
        int power = -1;
        for (size_t i = 0; i < events.size(); ++i) {
            if (events[i].kind == "action" && events[i].text == "Power") power = int(i);
        }
        QVERIFY(power >= 0);
        QCOMPARE(chart->Highlighted(), -1);
        const QRectF box = chart->MarkerBox(power);
        QVERIFY(chart->rect().contains(box.toAlignedRect()));
        const QPoint rim(qRound(box.center().x()), qRound(box.top()));
        const auto darkness = [&] { return chart->grab().toImage().pixelColor(rim).value(); };
        QVERIFY2(darkness() > 150, "an unmarked event has a light rim");
        list->scrollToItem(list->item(power, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(power, 1)).center());
        QCOMPARE(list->currentRow(), power);
        QCOMPARE(chart->Highlighted(), power);
        QVERIFY2(darkness() < 80, "the marked event has a dark rim");

        // At 640 x 480 everything of the window lies inside it.
        debrief->resize(640, 480);
        QCOMPARE(debrief->size(), QSize(640, 480));
        QVERIFY(debrief->minimumSizeHint().width() <= 640);
        QVERIFY(debrief->minimumSizeHint().height() <= 480);
        QCoreApplication::processEvents();
        for (QWidget* w : debrief->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(debrief) || w->isWindow()) continue;
            const QRect inWindow(w->mapTo(debrief, QPoint(0, 0)), w->size());
            QVERIFY2(
                debrief->rect().contains(inWindow),
                qPrintable(w->metaObject()->className() + QStringLiteral(" ") + w->objectName()));
        }
        // The chart keeps room for its four lanes and the axis.
        QVERIFY(chart->height() >= 150);

        // Close goes back to the summary.
        QTest::mouseClick(test::Child<QPushButton>(debrief, "CloseBtn"), Qt::LeftButton);
        QTRY_VERIFY(!debrief->isVisible());
        QVERIFY(summary->isVisible());
    }
};

QTEST_MAIN(DebriefTest)
#include "debrief_test.moc"
