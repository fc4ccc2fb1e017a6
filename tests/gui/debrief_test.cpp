// The debrief window after a Practice scenario, on the offscreen platform and a clock the test
// moves by hand: opened by the summary's Debrief button, a marker for every event of the log, the
// figures as the engine computes them, a click on an event marking it on the chart, and a layout
// that fits a 640 x 480 screen; reopened for the next scenario it starts at the top with nothing
// chosen, a row click leaves the Time column in view, every column of the figures is whole, and
// the saved chart carries its title, the trainee, the date and a legend.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "core/engine.h"
#include "hand_clock_test.h"
#include "records/debrief.h"
#include "scenario/input.h"
#include "test_program.h"
#include "ui/debrief_window.h"
#include "ui/main_window.h"
#include "ui/menu_panel.h"

using namespace ardentix;

class DebriefTest : public test::HandClockTest {
    Q_OBJECT

    void click(const char* name) { QTest::mouseClick(widget<QPushButton>(name), Qt::LeftButton); }
    std::string prompt() const { return engine_->screen.Get(El::AEDDISPLAY1).text; }
    // The clock goes on in steps of 10 ms until done() holds; false when limit ms pass first.
    bool advanceUntil(const std::function<bool()>& done, Millis limit) {
        for (Millis waited = 0; waited < limit; waited += 10) {
            if (done()) return true;
            clock_->Advance(10);
        }
        return done();
    }

    // Check, CPR, the AED on, the pads (which stop CPR), a shock, CPR again, End: the scenario
    // that has just begun (from the log-in or a Repeat) up to its summary.
    void playScenario() {
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
        QTRY_VERIFY(test::TopDialog("TForm2")->isVisible());
    }

    void logInAndPlay() {
        QTest::mouseClick(window_->Menu()->StartButton(), Qt::LeftButton);
        QDialog* login = test::TopDialog("TUserNAMEFORM");
        QTest::keyClicks(login->findChild<QLineEdit*>(QStringLiteral("NAMEEdit")),
                         QStringLiteral("Kim Lee"));
        QTest::mouseClick(login->findChild<QRadioButton*>(QStringLiteral("Practicebutton")),
                          Qt::LeftButton);
        engine_->nextPatient = {0, 2, 0, {}};  // two shocks: no pulse after the first
        QTest::mouseClick(login->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
        QTRY_VERIFY(!login->isVisible());
        playScenario();
    }

    // The summary's Debrief button, and the window it opens.
    ui::DebriefWindow* openDebrief() {
        QTest::mouseClick(test::Child<QPushButton>(test::TopDialog("TForm2"), "DEBRIEFButton"),
                          Qt::LeftButton);
        auto* debrief = qobject_cast<ui::DebriefWindow*>(test::TopDialog("TDebrief"));
        if (!debrief || !QTest::qWaitForWindowExposed(debrief)) return nullptr;
        return debrief;
    }

    void closeDebrief(ui::DebriefWindow* debrief) {
        QTest::mouseClick(test::Child<QPushButton>(debrief, "CloseBtn"), Qt::LeftButton);
        QTRY_VERIFY(!debrief->isVisible());
    }

    // A click in the middle of a cell's part that the table shows.
    static void clickCell(QTableWidget* t, int row, int column) {
        const QRect cell =
            t->visualItemRect(t->item(row, column)).intersected(t->viewport()->rect());
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // The pixels of an area that are not (nearly) white.
    static int inked(const QImage& image, const QRect& area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (image.pixelColor(x, y).lightness() < 200) ++n;
            }
        }
        return n;
    }

    // Whether an area holds a pixel near a colour (a legend's swatch).
    static bool holds(const QImage& image, const QRect& area, const QColor& colour) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (std::abs(c.red() - colour.red()) < 12 &&
                    std::abs(c.green() - colour.green()) < 12 &&
                    std::abs(c.blue() - colour.blue()) < 12)
                    return true;
            }
        }
        return false;
    }

  private slots:
    void init() { StartProgram(); }

    void cleanup() { StopProgram(); }

    void debriefOfAPracticeScenario() {
        logInAndPlay();
        if (QTest::currentTestFailed()) return;
        QDialog* summary = test::TopDialog("TForm2");
        // The summary says which first-shock time is which.
        const QString firstShock =
            summary->findChild<QLineEdit*>(QStringLiteral("SHOCKTIMEEDIT"))->text();
        QVERIFY2(firstShock.contains(QStringLiteral(" (scored as 00:")), qPrintable(firstShock));
        ui::DebriefWindow* debrief = openDebrief();
        QVERIFY(debrief);

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

    // The window is made once and shown for every scenario: the next one starts at its top with
    // no row chosen and no event marked, though the last was left scrolled and chosen.
    void reopenedForTheNextScenario() {
        logInAndPlay();
        if (QTest::currentTestFailed()) return;
        ui::DebriefWindow* debrief = openDebrief();
        QVERIFY(debrief);
        debrief->resize(640, 480);
        QTableWidget* list = debrief->Events();
        QTableWidget* figures = debrief->Figures();
        const int row = list->rowCount() - 2;
        list->scrollToItem(list->item(row, 0));
        clickCell(list, row, 1);
        clickCell(figures, figures->rowCount() - 1, 0);
        list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
        QVERIFY(list->verticalScrollBar()->value() > 0);
        QVERIFY(list->horizontalScrollBar()->value() > 0);
        QCOMPARE(debrief->Chart()->Highlighted(), row);
        closeDebrief(debrief);

        QTest::mouseClick(test::Child<QPushButton>(test::TopDialog("TForm2"), "RepeatButton"),
                          Qt::LeftButton);
        playScenario();
        if (QTest::currentTestFailed()) return;
        QCOMPARE(openDebrief(), debrief);
        QVERIFY(list->rowCount() > row + 1);  // as long as the last: its row is still there
        for (QTableWidget* t : {list, figures}) {
            QCOMPARE(t->currentRow(), -1);
            QVERIFY(t->selectedItems().isEmpty());
            QCOMPARE(t->verticalScrollBar()->value(), 0);
            QCOMPARE(t->horizontalScrollBar()->value(), 0);
        }
        QCOMPARE(debrief->Chart()->Highlighted(), -1);
    }

    // A click on a long cell chooses its row and leaves the table where it is sideways (the view
    // would bring the whole cell into sight a moment after the click); going down the rows by
    // keyboard still scrolls up and down.
    void aRowClickKeepsTheTimeColumnInView() {
        logInAndPlay();
        if (QTest::currentTestFailed()) return;
        ui::DebriefWindow* debrief = openDebrief();
        QVERIFY(debrief);
        debrief->resize(640, 480);
        QCoreApplication::processEvents();
        QTableWidget* list = debrief->Events();
        int longest = -1;
        for (int i = 0; i < list->rowCount(); ++i) {
            if (longest < 0 ||
                list->item(i, 1)->text().size() > list->item(longest, 1)->text().size())
                longest = i;
        }
        list->scrollToItem(list->item(longest, 0));
        QCOMPARE(list->horizontalScrollBar()->value(), 0);
        // The event's text begins in the table and reaches past its right edge: the view would
        // scroll to show it whole.
        QVERIFY(list->columnViewportPosition(1) < list->viewport()->width() / 2);
        QVERIFY(list->columnViewportPosition(1) + list->columnWidth(1) > list->viewport()->width());
        clickCell(list, longest, 1);
        QTest::qWait(QApplication::doubleClickInterval() + 300);
        QCOMPARE(list->currentRow(), longest);
        QCOMPARE(list->horizontalScrollBar()->value(), 0);
        QCOMPARE(list->columnViewportPosition(0), 0);

        list->setFocus();
        QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(list->currentRow(), list->rowCount() - 1);
        QCOMPARE(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
        QVERIFY(list->verticalScrollBar()->maximum() > 0);
        QCOMPARE(list->horizontalScrollBar()->value(), 0);
    }

    // At its first opening the window shows the figures whole: every header and every cell fits
    // its column, and the columns fit the table, without a sideways scroll.
    void theFiguresAreNotClipped() {
        logInAndPlay();
        if (QTest::currentTestFailed()) return;
        ui::DebriefWindow* debrief = openDebrief();
        QVERIFY(debrief);
        QCoreApplication::processEvents();
        QTableWidget* figures = debrief->Figures();
        QHeaderView* header = figures->horizontalHeader();
        const int padding =
            2 * (figures->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, figures) + 1);
        for (int c = 0; c < figures->columnCount(); ++c) {
            const QString caption = figures->horizontalHeaderItem(c)->text();
            QVERIFY2(header->sectionSizeHint(c) <= header->sectionSize(c), qPrintable(caption));
            for (int r = 0; r < figures->rowCount(); ++r) {
                const QString cell = figures->item(r, c)->text();
                QVERIFY2(figures->fontMetrics().horizontalAdvance(cell) + padding <=
                             figures->columnWidth(c),
                         qPrintable(caption + ": " + cell));
            }
        }
        const int target = figures->columnCount() - 1;
        QVERIFY2(figures->columnViewportPosition(target) + figures->columnWidth(target) <=
                     figures->viewport()->width(),
                 "the Target column reaches past the table");
        QCOMPARE(figures->horizontalScrollBar()->maximum(), 0);
        // The verdicts: the first shock met the monitor's limit; CPR was not asked for (one
        // rescuer, an adult), so its figures read "not required".
        const auto targetOf = [&](const char* label) {
            const auto found = figures->findItems(QString::fromLatin1(label), Qt::MatchExactly);
            return found.isEmpty() ? QString() : figures->item(found.front()->row(), 2)->text();
        };
        QCOMPARE(targetOf("First shock"), QStringLiteral("scored ≤ 02:00"));
        QCOMPARE(targetOf("CPR fraction"), QStringLiteral("not required"));
        QCOMPARE(targetOf("Longest pause in CPR"), QStringLiteral("not required"));
    }

    // The saved chart: a title, the trainee and the date above the chart, and a legend of its
    // marks below it; a PDF as well.
    void theSavedChartHasTitleTraineeDateAndLegend() {
        logInAndPlay();
        if (QTest::currentTestFailed()) return;
        ui::DebriefWindow* debrief = openDebrief();
        QVERIFY(debrief);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString first = dir.filePath(QStringLiteral("first.png"));
        QVERIFY(debrief->SaveChart(first));
        QImage image(first);
        QCOMPARE(image.size(), ui::DebriefWindow::SheetSize());
        const ui::DebriefChart::Sheet sheet =
            ui::DebriefChart::SheetLayout(image.rect(), QFontMetrics(QApplication::font(), &image));
        // The chart has the room that is left, and the marks are drawn in it.
        QVERIFY(sheet.chart.height() >= 300);
        QVERIFY(sheet.title.bottom() < sheet.chart.top() &&
                sheet.chart.bottom() < sheet.legend.top());
        QVERIFY(inked(image, sheet.chart) > 1000);
        QVERIFY2(inked(image, sheet.title) > 100, "no title");
        QVERIFY2(inked(image, sheet.subject) > 100, "no trainee or date");
        // The legend shows the marks' colours: a rewarded step, a deduction, a shock, CPR.
        QVERIFY2(inked(image, sheet.legend) > 200, "no legend");
        QVERIFY(holds(image, sheet.legend, QColor(30, 150, 60)));
        QVERIFY(holds(image, sheet.legend, QColor(205, 35, 35)));
        QVERIFY(holds(image, sheet.legend, QColor(250, 160, 0)));

        // The name and the date are the trainee's and the scenario's: another name or another
        // date draws another line under the same title.
        const auto region = [](const QString& path, const QRect& area) {
            return QImage(path).copy(area);
        };
        engine_->ScriptState().UserName = "Alexandra Montgomery-Smythe";
        const QString renamed = dir.filePath(QStringLiteral("renamed.png"));
        QVERIFY(debrief->SaveChart(renamed));
        QVERIFY(region(first, sheet.subject) != region(renamed, sheet.subject));
        QCOMPARE(region(first, sheet.title), region(renamed, sheet.title));
        engine_->ScriptState().ScenarioDate = "1/1/27";
        const QString redated = dir.filePath(QStringLiteral("redated.png"));
        QVERIFY(debrief->SaveChart(redated));
        QVERIFY(region(renamed, sheet.subject) != region(redated, sheet.subject));

        const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
        QVERIFY(debrief->SaveChart(pdf));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");
        QVERIFY(file.size() > 2000);
        // A place that cannot be written is reported.
        QVERIFY(!debrief->SaveChart(dir.filePath(QStringLiteral("no/such/folder/x.png"))));
    }
};

QTEST_MAIN(DebriefTest)
#include "debrief_test.moc"
