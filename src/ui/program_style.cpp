#include "ui/program_style.h"

#include <QPainter>
#include <QPixmap>

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

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        return overflowArrow(icon == SP_ToolBarVerticalExtensionButton,
                             standardPalette().color(QPalette::ButtonText));
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

}  // namespace ardentix::ui
