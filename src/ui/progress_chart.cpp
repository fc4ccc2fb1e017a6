#include "ui/progress_chart.h"

#include "ui/progress_text.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <functional>

namespace ardentix::ui {

namespace {

const QColor kScore(60, 120, 210);
const QColor kShock(230, 140, 0);
const QColor kFraction(30, 150, 60);
const QColor kGrid(225, 225, 225);
const QColor kText(70, 70, 70);

struct Band {
    QString title;
    QColor colour;
    // The value of an attempt, if it has one, and as the scale's labels show it.
    std::function<std::optional<double>(const store::Attempt&)> value;
    std::function<QString(double)> label;
};

// A scale from low to high with round steps: the lowest value rounded down and the highest up.
std::pair<double, double> scaleOf(const std::vector<double>& values, double step) {
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    double low = std::floor(*lo / step) * step;
    double high = std::ceil(*hi / step) * step;
    if (high <= low) high = low + step;
    return {low, high};
}

}  // namespace

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ProgressChart"));
    setMinimumHeight(220);
}

void ProgressChart::SetAttempts(const std::vector<store::Attempt>& attempts) {
    attempts_ = attempts;
    update();
}

void ProgressChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Render(p, rect());
}

void ProgressChart::Render(QPainter& p, const QRect& area) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const QFontMetrics fm(p.font());
    if (attempts_.empty()) {
        p.setPen(kText);
        p.drawText(area, Qt::AlignCenter, tr("No attempts in the chosen days and mode"));
        p.restore();
        return;
    }
    const Band bands[] = {
        {tr("Score"), kScore,
         [](const store::Attempt& a) { return std::optional<double>(a.score); },
         [](double v) { return QString::number(v, 'f', 0); }},
        {tr("First shock"), kShock,
         [](const store::Attempt& a) {
             return a.firstShockMs ? std::optional<double>(*a.firstShockMs / 1000.0) : std::nullopt;
         },
         [](double v) { return QStringLiteral("%1 s").arg(v, 0, 'f', 0); }},
        {tr("CPR fraction"), kFraction, [](const store::Attempt& a) { return a.cprFraction; },
         [](double v) { return QStringLiteral("%1 %").arg(v, 0, 'f', 0); }},
    };
    const double steps[] = {100, 30, 10};
    const int labels = fm.horizontalAdvance(QStringLiteral("0000 s")) + 10;
    const QRect plots = area.adjusted(labels, fm.height() / 2, -fm.height(), -(fm.height() + 10));
    const int bandHeight = plots.height() / 3;
    const int count = static_cast<int>(attempts_.size());
    const auto xOf = [&](int i) {
        return count == 1 ? plots.center().x()
                          : plots.left() + plots.width() * double(i) / double(count - 1);
    };
    for (int b = 0; b < 3; ++b) {
        const Band& band = bands[b];
        const QRect plot(plots.left(), plots.top() + b * bandHeight, plots.width(),
                         bandHeight - fm.height() / 2);
        std::vector<double> values;
        for (const store::Attempt& a : attempts_) {
            if (const auto v = band.value(a)) values.push_back(*v);
        }
        p.setPen(band.colour.darker(130));
        p.drawText(QRect(plot.left() + 4, plot.top(), plot.width(), fm.height()),
                   Qt::AlignLeft | Qt::AlignTop, band.title);
        p.setPen(kGrid);
        p.setBrush(Qt::NoBrush);
        p.drawRect(plot);
        if (values.empty()) {
            p.setPen(kText);
            p.drawText(plot, Qt::AlignCenter, tr("none"));
            continue;
        }
        const auto [low, high] = scaleOf(values, steps[b]);
        const auto yOf = [&, low = low, high = high](double v) {
            const QRect inner = plot.adjusted(0, fm.height() + 2, 0, -4);
            return inner.bottom() - inner.height() * (v - low) / (high - low);
        };
        // The scale's ends and middle, on grid lines.
        for (const double v : {low, (low + high) / 2, high}) {
            const double y = yOf(v);
            p.setPen(kGrid);
            p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
            p.setPen(kText);
            p.drawText(QRectF(area.left(), y - fm.height() / 2.0, labels - 6, fm.height()),
                       Qt::AlignRight | Qt::AlignVCenter, band.label(v));
        }
        QPainterPath line;
        bool started = false;
        for (int i = 0; i < count; ++i) {
            const auto v = band.value(attempts_[size_t(i)]);
            if (!v) continue;
            const QPointF at(xOf(i), yOf(*v));
            if (started) {
                line.lineTo(at);
            } else {
                line.moveTo(at);
                started = true;
            }
        }
        p.setPen(QPen(band.colour, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(line);
        // A point for each attempt while they stand apart; many attempts are the line alone.
        const double r = std::clamp(fm.height() / 4.0, 2.5, 4.5);
        if (count > 1 && plots.width() / double(count - 1) < r * 3) continue;
        for (int i = 0; i < count; ++i) {
            const store::Attempt& a = attempts_[size_t(i)];
            const auto v = band.value(a);
            if (!v) continue;
            p.setPen(QPen(band.colour, 1.5));
            p.setBrush(a.mode == QLatin1String("Test") ? QBrush(band.colour) : QBrush(Qt::white));
            p.drawEllipse(QPointF(xOf(i), yOf(*v)), r, r);
        }
    }
    // The dates of the first and the last attempt under the bands.
    p.setPen(kText);
    const QRect dates(plots.left(), plots.bottom() + 4, plots.width(), fm.height());
    p.drawText(dates, Qt::AlignLeft, attempts_.front().startedAt.left(10));
    if (count > 1) p.drawText(dates, Qt::AlignRight, attempts_.back().startedAt.left(10));
    const bool points = count == 1 || plots.width() / double(count - 1) >=
                                          std::clamp(fm.height() / 4.0, 2.5, 4.5) * 3;
    p.drawText(dates, Qt::AlignHCenter,
               CountText(count, tr("attempt"), tr("attempts")) +
                   (points ? tr("; filled: Test, hollow: Practice") : QString()));
    p.restore();
}

}  // namespace ardentix::ui
