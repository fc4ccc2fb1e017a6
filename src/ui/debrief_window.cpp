#include "ui/debrief_window.h"

#include <algorithm>
#include <array>

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QIcon>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
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

// The colours of the chart, its legend and the tables.
const QColor kRewarded(30, 150, 60);
const QColor kDeduction(205, 35, 35);
const QColor kNeutral(130, 130, 130);
const QColor kShock(250, 160, 0);
const QColor kAnalysis(240, 190, 40, 110);
const QColor kCPR(60, 120, 210, 150);
const QColor kNoPulse(205, 35, 35, 60);
const QColor kHandsOff(255, 200, 120, 90);
// The pauses are hatched as well, so that they do not rest on a pale colour alone.
const QColor kHandsOffHatch(200, 120, 40, 110);

}  // namespace

QColor VerdictColour(const LogEvent& ev) {
    switch (ev.verdict) {
        case Verdict::Rewarded:
            return kRewarded;
        case Verdict::Deduction:
            return kDeduction;
        case Verdict::Neutral:
            break;
    }
    return kNeutral;
}

namespace {

// What a marker says besides its colour, for eyes that cannot tell green from red: a check mark
// for a rewarded step, a cross for a deduction, nothing for a neutral event.
enum class Glyph { None, Check, Cross };

Glyph glyphOf(const LogEvent& ev) {
    switch (ev.verdict) {
        case Verdict::Rewarded:
            return Glyph::Check;
        case Verdict::Deduction:
            return Glyph::Cross;
        case Verdict::Neutral:
            break;
    }
    return Glyph::None;
}

// A check mark or a cross in white over a marker (or in black over a light ground).
void drawGlyph(QPainter& p, const QRectF& box, Glyph glyph, const QColor& ink = Qt::white) {
    if (glyph == Glyph::None) return;
    p.save();
    const qreal w = box.width();
    p.setPen(QPen(ink, std::max(1.2, w / 6), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF o = box.topLeft();
    if (glyph == Glyph::Check) {
        p.drawPolyline(QPolygonF({o + QPointF(w * 0.22, w * 0.52), o + QPointF(w * 0.42, w * 0.72),
                                  o + QPointF(w * 0.78, w * 0.3)}));
    } else {
        p.drawLine(o + QPointF(w * 0.28, w * 0.28), o + QPointF(w * 0.72, w * 0.72));
        p.drawLine(o + QPointF(w * 0.72, w * 0.28), o + QPointF(w * 0.28, w * 0.72));
    }
    p.restore();
}

// A marker: a shock a bolt-like diamond, any other event a circle with its verdict's glyph.
void drawMarker(QPainter& p, const QRectF& box, bool shock, Glyph glyph = Glyph::None) {
    if (shock) {
        const QPointF c = box.center();
        const double r = box.width() * 0.7;
        p.drawPolygon(QPolygonF(
            {c + QPointF(0, -r), c + QPointF(r, 0), c + QPointF(0, r), c + QPointF(-r, 0)}));
    } else {
        p.drawEllipse(box);
        drawGlyph(p, box, glyph);
    }
}

}  // namespace

// The figures' mark of a target met or missed, beside the value: the same glyphs in the same
// colours, drawn for the screen's density.
QIcon VerdictIcon(bool met, qreal ratio) {
    const int size = 14;
    QPixmap pixmap(QSize(size, size) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(met ? kRewarded : kDeduction);
    const QRectF box(1, 1, size - 2, size - 2);
    p.drawEllipse(box);
    drawGlyph(p, box, met ? Glyph::Check : Glyph::Cross);
    p.end();
    return QIcon(pixmap);
}

namespace {

// A table whose rows are chosen whole: bringing a row into view scrolls up or down only, so a
// click on a long cell does not carry the Time column out of sight.
class RowTable : public QTableWidget {
  public:
    RowTable(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {}
    void scrollTo(const QModelIndex& index, ScrollHint hint) override {
        QScrollBar* bar = horizontalScrollBar();
        const int x = bar->value();
        QTableWidget::scrollTo(index, hint);
        bar->setValue(x);
    }
};

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
        const QRectF pause(x(plot, s.from), plot.top(), x(plot, s.to) - x(plot, s.from),
                           plot.height());
        p.fillRect(pause, kHandsOff);
        p.fillRect(pause, QBrush(kHandsOffHatch, Qt::BDiagPattern));
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
        band(2, s, kCPR);
    band(3, figures_.noPulse, kNoPulse);
    // The analysis windows: from its start to the device's advice.
    int32_t analysis = -1;
    for (const LogEvent& ev : events_) {
        if (ev.kind != "device") continue;
        if (ev.text == "Analysis started") analysis = ev.ms;
        if (analysis >= 0 && (ev.text == "SHOCK ADVISED" || ev.text == "NO SHOCK ADVISED")) {
            band(1, {analysis, ev.ms}, kAnalysis);
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
        p.setBrush(shock ? kShock : VerdictColour(ev));
        drawMarker(p, m.box, shock, glyphOf(ev));
    }
    p.restore();
}

DebriefChart::Sheet DebriefChart::SheetLayout(const QRect& area, const QFontMetrics& fm) {
    const int margin = 12;
    const QRect inner = area.adjusted(margin, margin / 2, -margin, -margin / 2);
    Sheet sheet;
    sheet.title = QRect(inner.left(), inner.top(), inner.width(), fm.height() * 2);
    sheet.subject = QRect(inner.left(), sheet.title.bottom() + 1, inner.width(), fm.height() + 6);
    const int legendHeight = fm.height() * 2 + 8;
    sheet.legend =
        QRect(inner.left(), inner.bottom() - legendHeight + 1, inner.width(), legendHeight);
    sheet.chart = QRect(QPoint(area.left(), sheet.subject.bottom() + 1),
                        QPoint(area.right(), sheet.legend.top() - 1));
    return sheet;
}

// Every kind of mark of the chart with its meaning, in rows that wrap at the area's width.
void DebriefChart::renderLegend(QPainter& p, const QRect& area) const {
    enum class Mark { Circle, Diamond, Band, Shade };
    struct Item {
        Mark mark;
        QColor colour;
        const char* text;
        Glyph glyph = Glyph::None;
    };
    const Item items[] = {
        {Mark::Circle, kRewarded, "rewarded step", Glyph::Check},
        {Mark::Circle, kNeutral, "neutral"},
        {Mark::Circle, kDeduction, "deduction", Glyph::Cross},
        {Mark::Diamond, kShock, "shock"},
        {Mark::Band, kAnalysis, "analysis"},
        {Mark::Band, kCPR, "CPR"},
        {Mark::Band, kNoPulse, "no pulse"},
        {Mark::Shade, kHandsOff, "pause in CPR over 10 s"},
    };
    const QFontMetrics fm(p.font());
    const int swatch = std::max(10, fm.height() * 3 / 4);
    const int rowHeight = fm.height() + 4;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(200, 200, 200));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area.adjusted(0, 0, -1, -1));
    const auto widthOf = [&](const Item& item) {
        return swatch + 6 + fm.horizontalAdvance(QString::fromUtf8(item.text)) + 18;
    };
    int rows = 1;
    for (int x = area.left() + 8; const Item& item : items) {
        if (x + widthOf(item) > area.right() && x > area.left() + 8) {
            ++rows;
            x = area.left() + 8;
        }
        x += widthOf(item);
    }
    int x = area.left() + 8;
    int y = area.top() + std::max(0, (area.height() - rowHeight * rows) / 2);
    for (const Item& item : items) {
        const QString label = QString::fromUtf8(item.text);
        const int width = widthOf(item);
        if (x + width > area.right() && x > area.left() + 8) {
            x = area.left() + 8;
            y += rowHeight;
        }
        const QRectF box(x, y + (rowHeight - swatch) / 2.0, swatch, swatch);
        switch (item.mark) {
            case Mark::Circle:
            case Mark::Diamond:
                p.setPen(QPen(Qt::white, 1));
                p.setBrush(item.colour);
                drawMarker(p, box, item.mark == Mark::Diamond, item.glyph);
                break;
            case Mark::Band:
                p.fillRect(box.adjusted(0, swatch * 0.2, 0, -swatch * 0.2), item.colour);
                break;
            case Mark::Shade:
                p.fillRect(box, item.colour);
                p.fillRect(box, QBrush(kHandsOffHatch, Qt::BDiagPattern));
                break;
        }
        p.setPen(QColor(60, 60, 60));
        p.drawText(QRectF(x + swatch + 6, y, width, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   label);
        x += width;
    }
    p.restore();
}

void DebriefChart::RenderSheet(QPainter& p, const QRect& area, const QString& title,
                               const QString& subject) const {
    p.save();
    p.fillRect(area, Qt::white);
    const QFont base = p.font();
    const Sheet sheet = SheetLayout(area, QFontMetrics(base));
    QFont heading = base;
    heading.setBold(true);
    if (heading.pointSizeF() > 0) {
        heading.setPointSizeF(heading.pointSizeF() * 1.4);
    } else {
        heading.setPixelSize(heading.pixelSize() * 7 / 5);
    }
    p.setFont(heading);
    p.setPen(Qt::black);
    p.drawText(sheet.title, Qt::AlignLeft | Qt::AlignVCenter, title);
    p.setFont(base);
    p.setPen(QColor(60, 60, 60));
    p.drawText(sheet.subject, Qt::AlignLeft | Qt::AlignVCenter, subject);
    Render(p, sheet.chart);
    renderLegend(p, sheet.legend);
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
    setObjectName(ObjectName(El::DebriefWindow));
    setProperty("helpContext", 250);
    setWindowTitle(QStringLiteral("Debrief"));
    binder.Bind(El::DebriefWindow, this, Binder::Visible);
    chart_ = new DebriefChart(this);
    figures_ = new RowTable(0, 3, this);
    figures_->setObjectName(QStringLiteral("Figures"));
    figures_->setAccessibleName(tr("Figures"));
    figures_->setHorizontalHeaderLabels({tr("Figure"), tr("Value"), tr("Target")});
    events_ = new RowTable(0, 4, this);
    events_->setObjectName(QStringLiteral("Events"));
    events_->setAccessibleName(tr("Events"));
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
    // The figures' columns always as wide as their texts: a target is never cut.
    figures_->horizontalHeader()->setStretchLastSection(false);
    figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(events_, &QTableWidget::currentCellChanged, this,
            [this](int row) { chart_->Highlight(row); });

    auto* save = new QPushButton(tr("Save Chart..."), this);
    save->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &DebriefWindow::saveChart);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("CloseBtn"));
    connect(close, &QPushButton::clicked, this, [this] { actions_.Click(El::DebriefCloseBtn); });

    auto* lower = new QSplitter(Qt::Horizontal, this);
    lower->addWidget(figures_);
    lower->addWidget(events_);
    auto* upper = new QSplitter(Qt::Vertical, this);
    upper->addWidget(chart_);
    upper->addWidget(lower);
    upper->setStretchFactor(0, 2);
    upper->setStretchFactor(1, 3);
    // A wider window widens the event list; the figures keep their width.
    lower->setStretchFactor(0, 0);
    lower->setStretchFactor(1, 1);
    lower->setChildrenCollapsible(false);
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
    const DebriefFigures f = ComputeFigures(engine_.log);
    chart_->SetLog(events, f);
    const std::vector<FigureRow> rows = FigureRows(f);
    figures_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const FigureRow& r = rows[size_t(i)];
        auto* value = new QTableWidgetItem(text(r.shown));
        if (r.met) {
            value->setForeground(*r.met ? kRewarded : kDeduction);
            value->setIcon(VerdictIcon(*r.met, devicePixelRatioF()));
            value->setData(Qt::AccessibleDescriptionRole,
                           *r.met ? tr("target met") : tr("target not met"));
        }
        auto* target = new QTableWidgetItem(text(r.target));
        // A figure the protocol did not ask for is shown, greyed, without a verdict.
        if (!r.required) target->setForeground(kNeutral);
        figures_->setItem(i, 0, new QTableWidgetItem(text(r.label)));
        figures_->setItem(i, 1, value);
        figures_->setItem(i, 2, target);
    }
    events_->setRowCount(static_cast<int>(events.size()));
    for (int i = 0; i < static_cast<int>(events.size()); ++i) {
        const LogEvent& ev = events[size_t(i)];
        auto* what = new QTableWidgetItem(text(ev.text));
        what->setToolTip(tip(ev));
        auto* verdict = new QTableWidgetItem(text(ev.VerdictText()));
        verdict->setForeground(VerdictColour(ev));
        events_->setItem(i, 0, new QTableWidgetItem(text(ScenarioClock(ev.ms, true))));
        events_->setItem(i, 1, what);
        events_->setItem(i, 2, verdict);
        events_->setItem(i, 3, new QTableWidgetItem(QString::number(ev.points)));
    }
    events_->resizeColumnsToContents();
    // A new scenario starts at its first row with nothing chosen: the last one's choice and
    // scrolling mean nothing here.
    for (QTableWidget* t : {figures_, events_}) {
        t->setCurrentItem(nullptr);
        t->clearSelection();
        t->scrollToTop();
        t->horizontalScrollBar()->setValue(0);
    }
    chart_->Highlight(-1);
    fitToFigures();
    shareWidth();
}

namespace {

// The least an event list is given beside the figures, while the window has room for it.
constexpr int kEventsWidth = 200;

// The width a table needs to show every column whole, with room for its scroll bar.
int fullWidth(const QTableWidget* t) {
    return t->horizontalHeader()->length() + t->frameWidth() * 2 +
           t->verticalScrollBar()->sizeHint().width();
}

}  // namespace

void DebriefWindow::fitToFigures() {
    // At its first showing the window grows to show the figures whole beside a useful event
    // list, as far as the screen allows; later it keeps the size the user gave it.
    if (sized_) return;
    sized_ = true;
    const QMargins margins = layout()->contentsMargins();
    int wanted = fullWidth(figures_) + lower_->handleWidth() + kEventsWidth * 2 + margins.left() +
                 margins.right();
    if (const QScreen* s = screen()) wanted = std::min(wanted, s->availableGeometry().width());
    if (width() < wanted) resize(wanted, height());
}

void DebriefWindow::shareWidth() {
    layout()->activate();
    const int room = lower_->width() - lower_->handleWidth();
    // When the window is too narrow for both, the events keep their part.
    const int figures = std::clamp(fullWidth(figures_), 0, std::max(room - kEventsWidth, room / 2));
    lower_->setSizes({figures, room - figures});
}

void DebriefWindow::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    shareWidth();
}

void DebriefWindow::showEvent(QShowEvent* e) {
    Reload();
    QDialog::showEvent(e);
}

void DebriefWindow::reject() {
    actions_.Click(El::DebriefCloseBtn);
}

QSize DebriefWindow::SheetSize() {
    return {1200, 520};
}

bool DebriefWindow::SaveChart(const QString& path) const {
    const QString title =
        QStringLiteral("Scenario debrief — ") + text(engine_.screen.Get(El::SummaryMODELABEL).text);
    const QString subject = text(DebriefSubject(engine_));
    const QRect area(QPoint(0, 0), SheetSize());
    if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        QPdfWriter pdf(path);
        pdf.setPageOrientation(QPageLayout::Landscape);
        // Fonts at screen resolution, so that the chart's text keeps its proportions.
        pdf.setResolution(96);
        QPainter p;
        if (!p.begin(&pdf)) return false;
        const QRect page = pdf.pageLayout().paintRectPixels(pdf.resolution());
        p.setViewport(0, 0, page.width(), page.width() * area.height() / area.width());
        p.setWindow(area);
        chart_->RenderSheet(p, area, title, subject);
        return p.end();
    }
    QImage image(area.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    chart_->RenderSheet(p, area, title, subject);
    p.end();
    return image.save(path, "PNG");
}

void DebriefWindow::saveChart() {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save Chart"), QStringLiteral("debrief.png"),
                                     tr("PNG image (*.png);;PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (!SaveChart(path)) {
        QMessageBox::warning(this, tr("Save Chart"),
                             tr("The chart could not be saved as %1.").arg(path));
    }
}

}  // namespace ardentix::ui
