#include "ui/program_style.h"

#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

namespace ardentix::ui {

namespace {

// A small double chevron pointing right or down, in the style's text colour.
QIcon overflowArrow(bool down, const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 1.5));
    for (int step : {0, 5}) {
        const QPolygonF chevron =
            down ? QPolygonF({QPointF(4, 3 + step), QPointF(8, 7 + step), QPointF(12, 3 + step)})
                 : QPolygonF({QPointF(3 + step, 4), QPointF(7 + step, 8), QPointF(3 + step, 12)});
        p.drawPolyline(chevron);
    }
    return QIcon(pixmap);
}

}  // namespace

void DrawFocusRing(QPainter& p, const QRectF& box, qreal radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 10, 10), 4));
    p.drawRoundedRect(box.adjusted(2, 2, -2, -2), radius, radius);
    p.setPen(QPen(QColor(0, 200, 255), 2));
    p.drawRoundedRect(box.adjusted(2, 2, -2, -2), radius, radius);
    p.restore();
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    // The desktop's style marks a focused push button by its frame alone.
    if (element == CE_PushButton && (option->state & State_HasFocus))
        DrawFocusRing(*painter, QRectF(option->rect), 4);
}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        DrawFocusRing(*painter, QRectF(option->rect).adjusted(-2, -2, 2, 2), 3);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        return overflowArrow(icon == SP_ToolBarVerticalExtensionButton,
                             standardPalette().color(QPalette::ButtonText));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace ardentix::ui
