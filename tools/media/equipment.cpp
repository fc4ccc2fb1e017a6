// The rescuer's equipment: the face masks, the bag of the bag-valve mask, the pads and their
// cables.
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "art.h"

namespace media {

QPainterPath MaskShape(QPointF centre, double size, bool pocket) {
    // A rounded triangle: the point over the bridge of the nose, the base below the lower lip.
    const double h = (pocket ? 33 : 28) * size, w = (pocket ? 30 : 25) * size;
    const double x = centre.x(), y = centre.y();
    QPainterPath m(QPointF(x, y - h));
    m.cubicTo(QPointF(x + w * 0.45, y - h), QPointF(x + w, y + h * 0.2),
              QPointF(x + w, y + h * 0.55));
    m.cubicTo(QPointF(x + w, y + h * 0.95), QPointF(x + w * 0.5, y + h * 0.92),
              QPointF(x, y + h * 0.92));
    m.cubicTo(QPointF(x - w * 0.5, y + h * 0.92), QPointF(x - w, y + h * 0.95),
              QPointF(x - w, y + h * 0.55));
    m.cubicTo(QPointF(x - w, y + h * 0.2), QPointF(x - w * 0.45, y - h), QPointF(x, y - h));
    m.closeSubpath();
    return m;
}

void DrawFaceMask(QPainter& p, QPointF centre, double size, bool pocket) {
    const QPainterPath shape = MaskShape(centre, size, pocket);
    // The clear shell lets the face show through, tinted.
    QRadialGradient shell(centre + QPointF(-6, -8) * size, 34 * size);
    shell.setColorAt(0, QColor(255, 255, 255, 120));
    shell.setColorAt(1, QColor(170, 200, 220, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(shell);
    p.drawPath(shape);
    // The soft cushion around the rim.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pocket ? QColor(120, 160, 190) : QColor(70, 84, 100), 6 * size));
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.5 * size));
    p.drawPath(MaskShape(centre + QPointF(0, 1), size * 0.9, pocket));
    // The port: the valve of the pocket mask, or the bag's elbow.
    const double r = (pocket ? 11 : 10) * size;
    p.setPen(QPen(QColor(90, 100, 110), 1.2));
    p.setBrush(QColor(236, 238, 240));
    p.drawEllipse(centre, r, r);
    p.setBrush(pocket ? QColor(60, 170, 110) : QColor(70, 120, 200));
    p.drawEllipse(centre, r * 0.6, r * 0.6);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(centre + QPointF(-r * 0.25, -r * 0.25), r * 0.2, r * 0.2);
}

QPointF BagMiddle(QPointF connector, double angle, double size) {
    return QTransform()
        .translate(connector.x(), connector.y())
        .rotate(angle)
        .scale(size, size)
        .map(QPointF(0, -98));
}

void DrawBag(QPainter& p, QPointF connector, double angle, double size, bool squeezed) {
    p.save();
    p.translate(connector);
    p.rotate(angle);
    p.scale(size, size);
    // The valve, the bag and its inlet, lying along -y from the mask.
    p.setPen(QPen(QColor(90, 100, 110), 1.2));
    QLinearGradient valve(QPointF(-9, 0), QPointF(9, 0));
    valve.setColorAt(0, QColor(200, 206, 212));
    valve.setColorAt(0.4, QColor(250, 250, 252));
    valve.setColorAt(1, QColor(170, 178, 186));
    p.setBrush(valve);
    p.drawRoundedRect(QRectF(-9, -34, 18, 34), 4, 4);
    p.setBrush(QColor(70, 120, 200));
    p.drawRect(QRectF(-11, -22, 22, 6));
    // Squeezed, the bag's middle is pressed to half its width and bulges at both ends.
    const double half = squeezed ? 33 : 30, waist = squeezed ? 15 : 30;
    const auto width = [&](double y) {
        const double along = (y + 98) / 66.0;  // -1 at the inlet, 1 at the valve
        const double round = std::sqrt(std::max(0.0, 1 - along * along));
        return round * (half - (half - waist) * std::exp(-along * along * 6));
    };
    QPainterPath shape(QPointF(0, -164));
    for (double y = -164; y <= -32; y += 2)
        shape.lineTo(width(y), y);
    for (double y = -32; y >= -164; y -= 2)
        shape.lineTo(-width(y), y);
    shape.closeSubpath();
    QLinearGradient bag(QPointF(-half, 0), QPointF(half, 0));
    bag.setColorAt(0, QColor(70, 150, 110));
    bag.setColorAt(0.35, QColor(150, 220, 180));
    bag.setColorAt(1, QColor(60, 130, 96));
    p.setPen(QPen(QColor(40, 96, 70), 1.4));
    p.setBrush(bag);
    p.drawPath(shape);
    p.setPen(QPen(QColor(50, 110, 80, 140), 1.2));
    for (int i = 1; i < 6; ++i) {
        const double y = -98 - 66 + i * 22;
        p.drawLine(QPointF(-width(y) + 3, y), QPointF(width(y) - 3, y));
    }
    p.setPen(QPen(QColor(90, 100, 110), 1.2));
    p.setBrush(QColor(230, 232, 236));
    p.drawRoundedRect(QRectF(-10, -174, 20, 14), 3, 3);
    p.restore();
}

void DrawPad(QPainter& p, const QRectF& box, double angle, const QColor& colour, bool child) {
    p.save();
    p.translate(box.center());
    p.rotate(angle);
    const QRectF r(-box.width() / 2, -box.height() / 2, box.width(), box.height());
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, Shade(colour, 1.06));
    g.setColorAt(1, Shade(colour, 0.86));
    p.setPen(QPen(Shade(colour, 0.55), 1.4));
    p.setBrush(g);
    p.drawRoundedRect(r, 9, 9);
    // The printed picture of where the pad goes: a small torso with a pad on it.
    const QColor ink = colour.lightness() > 160 ? QColor(150, 156, 166) : Shade(colour, 1.5);
    p.setPen(QPen(ink, 1.4));
    p.setBrush(Qt::NoBrush);
    const QRectF inner = r.adjusted(6, 6, -6, -6);
    p.drawRoundedRect(inner, 6, 6);
    const double s = child ? 0.8 : 1;
    p.drawEllipse(QPointF(0, -12 * s), 5 * s, 5 * s);
    p.drawRoundedRect(QRectF(-10 * s, -5 * s, 20 * s, 22 * s), 5, 5);
    p.setBrush(ink);
    p.drawRect(QRectF(-8 * s, -2 * s, 6 * s, 7 * s));
    // Where the cable joins.
    p.setPen(QPen(QColor(40, 42, 46), 1));
    p.setBrush(QColor(70, 72, 78));
    p.drawRoundedRect(QRectF(r.right() - 14, r.bottom() - 10, 12, 8), 2, 2);
    p.restore();
}

void DrawCable(QPainter& p, const QPainterPath& path) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(34, 36, 40), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(110, 114, 122), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(-0.8, -0.8));
}

}  // namespace media
