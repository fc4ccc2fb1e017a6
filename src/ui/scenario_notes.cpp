#include "ui/scenario_notes.h"

#include <QPainter>
#include <vector>

#include "core/screen.h"
#include "ui/binder.h"
#include "ui/screen_scale.h"

namespace ardentix::ui {

namespace {

constexpr int kLinePitch = 14;
constexpr int kPointsWidth = 32;

QFont pixelFont(int pixels, bool bold) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// A reason in at most two rows of the given width, broken between words; what does not fit the
// second row is cut short with "...".
QStringList twoRows(const QString& reason, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(reason) <= width) return {reason};
    const QStringList words = reason.split(QLatin1Char(' '));
    QString first;
    qsizetype used = 0;
    for (; used < words.size(); ++used) {
        const QString longer =
            first.isEmpty() ? words[used] : first + QLatin1Char(' ') + words[used];
        if (metrics.horizontalAdvance(longer) > width) break;
        first = longer;
    }
    if (first.isEmpty()) return {metrics.elidedText(reason, Qt::ElideRight, width)};
    return {first,
            metrics.elidedText(words.mid(used).join(QLatin1Char(' ')), Qt::ElideRight, width)};
}

}  // namespace

DeductionList::DeductionList(const Screen& screen, QWidget* parent)
    : QWidget(parent), screen_(screen) {
    setObjectName(ObjectName(El::DEDUCTIONSList));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DeductionList::Refresh() {
    const Element& list = screen_.Get(El::DEDUCTIONSList);
    PlaceLogical(this, QRect(list.left, list.top, list.width, list.height));
    setVisible(list.visible);
    update();
}

void DeductionList::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = LogicalPainting(p, this);
    const QColor yellow(255, 220, 0);
    p.setFont(pixelFont(11, true));
    p.setPen(yellow);
    p.drawText(QRect(4, 0, area.width() - 8, kLinePitch), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Deductions"));
    p.setPen(QColor(255, 220, 0, 120));
    p.drawLine(4, kLinePitch, area.width() - 4, kLinePitch);

    // The newest entries that fit the rows, each in one or two of them, the newest at the bottom.
    const QFont font = pixelFont(11, false);
    const QFontMetrics metrics(font);
    const int textWidth = area.width() - 8 - kPointsWidth - 6;
    struct Entry {
        QString points;
        QStringList rows;
    };
    std::vector<Entry> shown;
    int rowsLeft = (area.height() - kLinePitch - 2) / kLinePitch;
    const std::vector<std::string>& lines = screen_.Get(El::DEDUCTIONSList).lines;
    for (auto it = lines.rbegin(); it != lines.rend() && rowsLeft > 0; ++it) {
        const QString text = QString::fromStdString(*it);
        const qsizetype space = text.indexOf(QLatin1Char(' '));
        const QString reason = space < 0 ? QString() : text.mid(space + 1);
        QStringList rows = twoRows(reason, metrics, textWidth);
        if (rows.size() > rowsLeft) rows = {metrics.elidedText(reason, Qt::ElideRight, textWidth)};
        rowsLeft -= static_cast<int>(rows.size());
        shown.push_back({space < 0 ? text : text.left(space), rows});
    }
    int top = kLinePitch + 2;
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        p.setFont(pixelFont(11, true));
        p.setPen(QColor(255, 90, 90));
        p.drawText(QRect(4, top, kPointsWidth, kLinePitch), Qt::AlignRight | Qt::AlignVCenter,
                   it->points);
        p.setFont(font);
        p.setPen(QColor(235, 235, 235));
        for (const QString& row : it->rows) {
            p.drawText(QRect(4 + kPointsWidth + 6, top, textWidth, kLinePitch),
                       Qt::AlignLeft | Qt::AlignVCenter, row);
            top += kLinePitch;
        }
    }
}

PausedOverlay::PausedOverlay(const Screen& screen, QWidget* parent)
    : QWidget(parent), screen_(screen) {
    setObjectName(ObjectName(El::PAUSEDLabel));
    setProperty("helpContext", 121);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void PausedOverlay::Refresh() {
    const bool paused = screen_.Get(El::PAUSEDLabel).visible;
    if (paused) {
        PlaceLogical(this, LogicalRect(parentWidget()));
        raise();
    }
    setVisible(paused);
}

void PausedOverlay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = LogicalPainting(p, this);
    // The screen stays readable under it: the message line says how the pause ends.
    p.fillRect(area, QColor(0, 0, 0, 90));
    const QString text = QString::fromStdString(screen_.Get(El::PAUSEDLabel).text);
    p.setFont(pixelFont(64, true));
    QRect band(QPoint(0, 0), p.fontMetrics().boundingRect(text).size() + QSize(56, 20));
    band.moveCenter(area.center());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 20, 220));
    p.drawRoundedRect(band, 10, 10);
    p.setPen(QColor(255, 220, 0));
    p.drawText(band, Qt::AlignCenter, text);
}

}  // namespace ardentix::ui
