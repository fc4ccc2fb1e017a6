// The pictures common to every set: the tutorial's highlight, the hands that shake the patient
// and the rescuer's shout. Each is drawn on a transparent canvas of its own size; its mask follows
// from the canvas.
#include <QFont>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QTransform>

#include "art.h"

namespace media {

namespace {

QImage canvas(int width, int height, int scale) {
    QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The hands of the SHAKE picture: wrist, angle and grip.
constexpr QPointF kFarWrist(222, 44), kNearWrist(72, 38);
constexpr double kFarAngle = -4, kNearAngle = 4, kShakeHand = 1.1;

QPointF palmOf(QPointF wrist, double angle) {
    // The middle of the palm lies 20 hand units from the wrist, along the hand.
    return QTransform()
        .translate(wrist.x(), wrist.y())
        .rotate(angle)
        .scale(kShakeHand, kShakeHand)
        .map(QPointF(20, 0));
}

}  // namespace

QPointF ShakeNearPalm() {
    return palmOf(kNearWrist, kNearAngle);
}

QPointF ShakeFarPalm() {
    return palmOf(kFarWrist, kFarAngle);
}

// Drawn 18 right of and 72 above the white pad's drop zone (12 right of and 80 above the red
// one's): the ring sits on the zone, the arrow above points at it.
QImage Highlight(int scale) {
    QImage image = canvas(60, 152, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const QPointF ring(30, 116);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 160, 20), 11));
    p.drawEllipse(ring, 24, 29);
    p.setPen(QPen(QColor(255, 214, 40), 7));
    p.drawEllipse(ring, 24, 29);
    p.setPen(QPen(QColor(255, 250, 170), 2.5));
    p.drawEllipse(ring, 24, 29);
    QPainterPath arrow(QPointF(24, 4));
    arrow.lineTo(36, 4);
    arrow.lineTo(36, 54);
    arrow.lineTo(46, 54);
    arrow.lineTo(30, 76);
    arrow.lineTo(14, 54);
    arrow.lineTo(24, 54);
    arrow.closeSubpath();
    QLinearGradient g(QPointF(0, 0), QPointF(0, 76));
    g.setColorAt(0, QColor(255, 236, 90));
    g.setColorAt(1, QColor(255, 170, 20));
    p.setPen(QPen(QColor(200, 120, 10), 1.5));
    p.setBrush(g);
    p.drawPath(arrow);
    return image;
}

// Drawn at the set's shake place: the near hand on the near shoulder, the far arm reaching
// across to the far shoulder.
QImage ShakeHands(int scale) {
    QImage image = canvas(460, 112, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    DrawArm(p, QPointF(-60, 96), kFarWrist, 40);
    DrawHand(p, kFarWrist, kFarAngle, kShakeHand, Grip::Curled, false);
    DrawArm(p, QPointF(-60, 28), kNearWrist, 40);
    DrawHand(p, kNearWrist, kNearAngle, kShakeHand, Grip::Curled, true);
    return image;
}

// Drawn at the view's top-left corner; the tail points down to the rescuer at the patient's side.
QImage ShoutBubble(int scale) {
    QImage image = canvas(150, 66, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(3, 3, 142, 42), 20, 20);
    QPainterPath tail(QPointF(22, 38));
    tail.lineTo(8, 62);
    tail.lineTo(42, 42);
    bubble = bubble.united(tail);
    QLinearGradient g(QPointF(0, 0), QPointF(0, 46));
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(226, 232, 240));
    p.setPen(QPen(QColor(60, 66, 80), 2.5));
    p.setBrush(g);
    p.drawPath(bubble);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(17);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(30, 40, 60));
    p.drawText(QRectF(3, 3, 142, 42), Qt::AlignCenter, QStringLiteral("Are you OK?"));
    return image;
}

}  // namespace media
