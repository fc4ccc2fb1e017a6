#pragma once
#include <QDialog>
#include <QWidget>
#include <vector>

#include "records/debrief.h"

class QIcon;
class QSplitter;
class QTableWidget;

namespace ardentix {
class Engine;
}

namespace ardentix::ui {

class Actions;
class Binder;

// The colour of an event's verdict in the chart and the lists: green rewarded, red a deduction,
// grey neutral.
QColor VerdictColour(const LogEvent& ev);
// The mark of a figure's target met (a check) or missed (a cross), beside its value: the verdict
// told by shape as well as by colour.
QIcon VerdictIcon(bool met, qreal ratio);

// The scenario's timeline: lanes for the trainee and the device, bands for CPR and the pulse,
// the pauses in CPR over 10 s shaded. Every event of the log has a marker.
class DebriefChart : public QWidget {
    Q_OBJECT
  public:
    explicit DebriefChart(QWidget* parent);
    void SetLog(const std::vector<LogEvent>& events, const DebriefFigures& figures);
    void Highlight(int event);
    int MarkerCount() const { return static_cast<int>(markers_.size()); }
    // The event marked by a click on the event list (-1: none), and where an event's marker is.
    int Highlighted() const { return highlighted_; }
    QRectF MarkerBox(int event) const;
    // Draws the chart on any device (the screen, a PNG, a PDF page).
    void Render(QPainter& p, const QRect& area) const;

    // The chart as it is saved: a title, who and when, the chart, and a legend of its marks.
    struct Sheet {
        QRect title, subject, chart, legend;
    };
    static Sheet SheetLayout(const QRect& area, const QFontMetrics& fm);
    void RenderSheet(QPainter& p, const QRect& area, const QString& title,
                     const QString& subject) const;

  protected:
    void paintEvent(QPaintEvent*) override;
    bool event(QEvent* e) override;

  private:
    struct Marker {
        int event;
        QRectF box;
    };
    void layoutMarkers(const QRect& area);
    void renderLegend(QPainter& p, const QRect& area) const;
    std::vector<Marker> placeMarkers(const QRect& plot) const;
    double x(const QRect& plot, int32_t ms) const;

    std::vector<LogEvent> events_;
    DebriefFigures figures_;
    std::vector<Marker> markers_;
    int highlighted_ = -1;
};

// The debrief window: the chart, the figures beside their targets, the event list.
class DebriefWindow : public QDialog {
    Q_OBJECT
  public:
    DebriefWindow(Engine& engine, Actions& actions, Binder& binder, QWidget* parent);
    // Reads the log afresh (on showing).
    void Reload();
    DebriefChart* Chart() const { return chart_; }
    QTableWidget* Figures() const { return figures_; }
    QTableWidget* Events() const { return events_; }
    // Writes the chart with its title, the trainee, the date and a legend: PDF for a name ending
    // in .pdf, else PNG. False when the file could not be written.
    bool SaveChart(const QString& path) const;
    // The size of a saved PNG.
    static QSize SheetSize();

  protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void reject() override;

  private:
    void saveChart();
    // The figures get the width of their columns, the events the rest.
    void fitToFigures();
    void shareWidth();

    Engine& engine_;
    Actions& actions_;
    DebriefChart* chart_;
    QTableWidget* figures_;
    QTableWidget* events_;
    QSplitter* lower_ = nullptr;
    bool sized_ = false;  // widened to its content at the first showing
};

}  // namespace ardentix::ui
