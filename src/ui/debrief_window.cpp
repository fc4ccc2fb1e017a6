#include "ui/debrief_window.h"

#include <algorithm>
#include <array>

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include "core/engine.h"
#include "ui/actions.h"
#include "ui/binder.h"

namespace ardentix::ui {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QColor verdictColour(const LogEvent& ev) {
    switch (ev.verdict) {
        case Verdict::Rewarded:
            return QColor(30, 150, 60);
        case Verdict::Deduction:
            return QColor(205, 35, 35);
        case Verdict::Neutral:
            break;
    }
    return QColor(130, 130, 130);
}

// Which lane a kind of event sits in: 0 the trainee, 1 the device, 2 CPR, 3 the pulse.
int laneOf(const LogEvent& ev) {
    if (ev.kind == "device") return 1;
    if (ev.kind == "cpr") return 2;
    if (ev.kind == "patient" || ev.kind == "scenario") return 3;
    return 0;
}

constexpr const char* kLanes[] = {"Trainee", "AED", "CPR", "Pulse"};

QString tip(const LogEvent& ev) {
    return text(ScenarioClock(ev.ms, true) + "  " + ev.text + "\n" + ev.VerdictText() +
                (ev.points != 0 ? " (" + std::to_string(ev.points) + ")" : ""));
}

}  // namespace

DebriefChart::DebriefChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DebriefChart"));
    setMinimumHeight(150);
    setMouseTracking(true);
}

void DebriefChart::SetLog(const std::vector<LogEvent>& events, const DebriefFigures& figures) {
    events_ = events;
    figures_ = figures;
    highlighted_ = -1;
    layoutMarkers(rect());
    update();
}

void DebriefChart::Highlight(int event) {
    highlighted_ = event;
    update();
}

double DebriefChart::x(const QRect& plot, int32_t ms) const {
    const double span = std::max<int32_t>(figures_.end, 1000);
    return plot.left() + plot.width() * (ms / span);
}

namespace {

QRect plotArea(const QRect& area, const QFontMetrics& fm) {
    const int labels = fm.horizontalAdvance(QStringLiteral("Trainee")) + 12;
    return area.adjusted(labels, 6, -10, -(fm.height() + 8));
}

double laneTop(const QRect& plot, int lane) {
    return plot.top() + plot.height() * lane / 4.0;
}

}  // namespace

void DebriefChart::layoutMarkers(const QRect& area) {
    markers_ = placeMarkers(plotArea(area, fontMetrics()));
}

// A marker for every event at its time in its lane; markers of one lane that would cover each
// other (events at the same moment or a moment apart) move apart until they overlap by a quarter at
// most, so every one of them stays visible and can be pointed at.
std::vector<DebriefChart::Marker> DebriefChart::placeMarkers(const QRect& plot) const {
    std::vector<Marker> markers;
    const double laneHeight = plot.height() / 4.0;
    const double size = std::clamp(laneHeight * 0.45, 6.0, 14.0);
    std::array<double, 4> lastX;
    lastX.fill(-1e9);
    for (size_t i = 0; i < events_.size(); ++i) {
        const LogEvent& ev = events_[i];
        const int lane = laneOf(ev);
        const double cx = std::max(x(plot, ev.ms), lastX[size_t(lane)] + size * 0.75);
        lastX[size_t(lane)] = cx;
        const double cy = laneTop(plot, lane) + laneHeight / 2;
        markers.push_back({static_cast<int>(i), QRectF(cx - size / 2, cy - size / 2, size, size)});
    }
    // Those pushed past the end of the axis (the end checks all come at the end) move back left.
    std::array<double, 4> nextX;
    nextX.fill(plot.right() + size * 0.75);
    for (auto m = markers.rbegin(); m != markers.rend(); ++m) {
        const size_t lane = size_t(laneOf(events_[size_t(m->event)]));
        const double cx = std::min(m->box.center().x(), nextX[lane] - size * 0.75);
        nextX[lane] = cx;
        m->box.moveCenter(QPointF(cx, m->box.center().y()));
    }
    return markers;
}

QRectF DebriefChart::MarkerBox(int event) const {
    for (const Marker& m : markers_) {
        if (m.event == event) return m.box;
    }
    return {};
}

void DebriefChart::Render(QPainter& p, const QRect& area) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const QFontMetrics fm(p.font());
    const QRect plot = plotArea(area, fm);
    const double laneHeight = plot.height() / 4.0;
    const auto band = [&](int lane, const Span& s, const QColor& c) {
        p.fillRect(QRectF(x(plot, s.from), laneTop(plot, lane) + laneHeight * 0.2,
                          x(plot, s.to) - x(plot, s.from), laneHeight * 0.6),
                   c);
    };
    // The pauses in CPR over 10 s, shaded across every lane.
    for (const Span& s : figures_.handsOff) {
        p.fillRect(
            QRectF(x(plot, s.from), plot.top(), x(plot, s.to) - x(plot, s.from), plot.height()),
            QColor(255, 200, 120, 90));
    }
    for (int lane = 0; lane < 4; ++lane) {
        p.setPen(QColor(90, 90, 90));
        p.drawText(
            QRectF(area.left() + 2, laneTop(plot, lane), plot.left() - area.left() - 6, laneHeight),
            Qt::AlignVCenter | Qt::AlignRight, QString::fromLatin1(kLanes[lane]));
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(plot.left(), laneTop(plot, lane + 1)),
                   QPointF(plot.right(), laneTop(plot, lane + 1)));
    }
    for (const Span& s : figures_.cpr)
        band(2, s, QColor(60, 120, 210, 150));
    band(3, figures_.noPulse, QColor(205, 35, 35, 60));
    // The analysis windows: from its start to the device's advice.
    int32_t analysis = -1;
    for (const LogEvent& ev : events_) {
        if (ev.kind != "device") continue;
        if (ev.text == "Analysis started") analysis = ev.ms;
        if (analysis >= 0 && (ev.text == "SHOCK ADVISED" || ev.text == "NO SHOCK ADVISED")) {
            band(1, {analysis, ev.ms}, QColor(240, 190, 40, 110));
            analysis = -1;
        }
    }
    // The time axis in m:ss, a tick at a round step.
    p.setPen(QColor(90, 90, 90));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    const int32_t end = std::max<int32_t>(figures_.end, 1000);
    int32_t step = 10000;
    for (int32_t s : {10000, 15000, 30000, 60000, 120000, 300000}) {
        step = s;
        if (plot.width() * double(s) / end >= fm.horizontalAdvance(QStringLiteral("00:00")) * 2)
            break;
    }
    for (int32_t t = 0; t <= end; t += step) {
        const double tx = x(plot, t);
        p.drawLine(QPointF(tx, plot.bottom()), QPointF(tx, plot.bottom() + 4));
        p.drawText(QRectF(tx - 30, plot.bottom() + 4, 60, fm.height()), Qt::AlignHCenter,
                   text(ScenarioClock(t)));
    }
    // The markers: a shock a bolt-like diamond, others circles.
    std::vector<Marker> markers = placeMarkers(plot);
    // The highlighted marker goes last: no neighbour at the same moment hides it.
    std::stable_partition(markers.begin(), markers.end(),
                          [this](const Marker& m) { return m.event != highlighted_; });
    for (const Marker& m : markers) {
        const LogEvent& ev = events_[static_cast<size_t>(m.event)];
        const bool shock = ev.text == "Shock delivered";
        p.setPen(QPen(m.event == highlighted_ ? Qt::black : Qt::white,
                      m.event == highlighted_ ? 2.5 : 1));
        p.setBrush(shock ? QColor(250, 160, 0) : verdictColour(ev));
        if (shock) {
            const QPointF c = m.box.center();
            const double r = m.box.width() * 0.7;
            p.drawPolygon(QPolygonF(
                {c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)}));
        } else {
            p.drawEllipse(m.box);
        }
    }
    p.restore();
}

void DebriefChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    layoutMarkers(rect());
    Render(p, rect());
}

bool DebriefChart::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        for (auto it = markers_.rbegin(); it != markers_.rend(); ++it) {
            if (it->box.adjusted(-2, -2, 2, 2).contains(help->pos())) {
                QToolTip::showText(help->globalPos(), tip(events_[size_t(it->event)]), this);
                return true;
            }
        }
        QToolTip::hideText();
        e->ignore();
        return true;
    }
    return QWidget::event(e);
}

DebriefWindow::DebriefWindow(Engine& engine, Actions& actions, Binder& binder, QWidget* parent)
    : QDialog(parent, Qt::Window), engine_(engine), actions_(actions) {
    setObjectName(QStringLiteral("TDebrief"));
    setWindowTitle(QStringLiteral("Debrief"));
    binder.Bind("TDebrief", this, Binder::Visible);
    chart_ = new DebriefChart(this);
    figures_ = new QTableWidget(0, 3, this);
    figures_->setObjectName(QStringLiteral("Figures"));
    figures_->setHorizontalHeaderLabels({tr("Figure"), tr("Value"), tr("Target")});
    events_ = new QTableWidget(0, 4, this);
    events_->setObjectName(QStringLiteral("Events"));
    events_->setHorizontalHeaderLabels({tr("Time"), tr("Event"), tr("Verdict"), tr("Points")});
    for (QTableWidget* t : {figures_, events_}) {
        t->verticalHeader()->hide();
        t->setEditTriggers(QAbstractItemView::NoEditTriggers);
        t->setSelectionBehavior(QAbstractItemView::SelectRows);
        t->horizontalHeader()->setStretchLastSection(true);
        // One line a row: a wrapped target or event is cut in two at 640 x 480.
        t->setWordWrap(false);
        t->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    }
    connect(events_, &QTableWidget::currentCellChanged, this,
            [this](int row) { chart_->Highlight(row); });

    auto* save = new QPushButton(tr("Save Chart..."), this);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &DebriefWindow::saveChart);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    connect(close, &QPushButton::clicked, this, [this] { actions_.Click("TDebrief.CloseBtn"); });

    auto* lower = new QSplitter(Qt::Horizontal, this);
    lower->addWidget(figures_);
    lower->addWidget(events_);
    auto* upper = new QSplitter(Qt::Vertical, this);
    upper->addWidget(chart_);
    upper->addWidget(lower);
    upper->setStretchFactor(0, 2);
    upper->setStretchFactor(1, 3);
    lower_ = lower;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(upper);
    layout->addLayout(buttons);
    resize(620, 440);
}

void DebriefWindow::Reload() {
    const std::vector<LogEvent>& events = engine_.log.Events();
    const DebriefFigures f = ComputeFigures(events);
    chart_->SetLog(events, f);
    const std::vector<FigureRow> rows = FigureRows(f);
    figures_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const FigureRow& r = rows[size_t(i)];
        auto* value = new QTableWidgetItem(text(r.shown));
        if (r.met) value->setForeground(*r.met ? QColor(30, 150, 60) : QColor(205, 35, 35));
        figures_->setItem(i, 0, new QTableWidgetItem(text(r.label)));
        figures_->setItem(i, 1, value);
        figures_->setItem(i, 2, new QTableWidgetItem(text(r.target)));
    }
    figures_->resizeColumnsToContents();
    // The figures keep the width of their three columns while the window has room for it
    const int figuresWidth = figures_->horizontalHeader()->length() + figures_->frameWidth() * 2 +
                             figures_->verticalScrollBar()->sizeHint().width();
    // (the splitter shares out what the window has in the same proportion).
    const int total = std::max(width() - 24, figuresWidth + 200);
    lower_->setSizes({figuresWidth, total - figuresWidth});
    events_->setRowCount(static_cast<int>(events.size()));
    for (int i = 0; i < static_cast<int>(events.size()); ++i) {
        const LogEvent& ev = events[size_t(i)];
        auto* what = new QTableWidgetItem(text(ev.text));
        what->setToolTip(tip(ev));
        auto* verdict = new QTableWidgetItem(text(ev.VerdictText()));
        verdict->setForeground(verdictColour(ev));
        events_->setItem(i, 0, new QTableWidgetItem(text(ScenarioClock(ev.ms, true))));
        events_->setItem(i, 1, what);
        events_->setItem(i, 2, verdict);
        events_->setItem(i, 3, new QTableWidgetItem(QString::number(ev.points)));
    }
    events_->resizeColumnsToContents();
}

void DebriefWindow::showEvent(QShowEvent* e) {
    Reload();
    QDialog::showEvent(e);
}

void DebriefWindow::reject() {
    actions_.Click("TDebrief.CloseBtn");
}

void DebriefWindow::saveChart() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save Chart"), QStringLiteral("debrief.png"),
                                     tr("PNG image (*.png);;PDF (*.pdf)"));
    if (path.isEmpty()) return;
    const QRect area(0, 0, 1200, 400);
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QPdfWriter pdf(path);
        pdf.setPageOrientation(QPageLayout::Landscape);
        QPainter p(&pdf);
        p.setWindow(area);
        chart_->Render(p, area);
        return;
    }
    QImage image(area.size(), QImage::Format_ARGB32);
    QPainter p(&image);
    chart_->Render(p, area);
    p.end();
    image.save(path);
}

}  // namespace ardentix::ui
