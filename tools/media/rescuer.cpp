// The rescuer: forearms in a dark green uniform, hands in blue examination gloves, and his head
// bent down to listen for breathing.
#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>

#include "art.h"

namespace media {

namespace {

const QColor kGlove(92, 132, 222);
const QColor kSleeve(44, 86, 66);
const QColor kSkin(226, 182, 148);
const QColor kHair(84, 58, 40);

QPainterPath capsule(QPointF a, QPointF b, double width) {
    QPainterPath line(a);
    line.lineTo(b);
    QPainterPathStroker s;
    s.setWidth(width);
    s.setCapStyle(Qt::RoundCap);
    return s.createStroke(line).simplified();
}

void fill(QPainter& p, const QPainterPath& shape, const QColor& colour) {
    p.setPen(QPen(Shade(colour, 0.55), 1.2));
    p.setBrush(colour);
    p.drawPath(shape);
}

}  // namespace

void DrawArm(QPainter& p, QPointF shoulder, QPointF wrist, double width) {
    const QPointF along = wrist - shoulder;
    const double length = std::hypot(along.x(), along.y());
    const QPointF unit = along / length;
    const QPointF cuff = wrist - unit * 16;
    fill(p, capsule(shoulder, cuff, width), kSleeve);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 26));
    p.drawPath(capsule(shoulder + QPointF(-unit.y(), unit.x()) * width * 0.18,
                       cuff - QPointF(-unit.y(), unit.x()) * width * -0.18, width * 0.3));
    // The reflective band of the uniform's sleeve.
    const QPointF band = cuff - unit * 26;
    p.setPen(QPen(QColor(210, 214, 200), 6, Qt::SolidLine, Qt::FlatCap));
    const QPointF across(-unit.y() * width * 0.44, unit.x() * width * 0.44);
    p.drawLine(band - across, band + across);
    fill(p, capsule(cuff - unit * 4, wrist + unit * 4, width * 0.78), Shade(kGlove, 0.92));
}

void DrawHand(QPainter& p, QPointF wrist, double angle, double size, Grip grip, bool left) {
    p.save();
    p.translate(wrist);
    p.rotate(angle);
    p.scale(size, size);
    const double t = left ? 1 : -1;  // the thumb's side
    const double lengths[4] = {34, 38, 35, 28};
    const double across[4] = {13.5, 4.5, -4.5, -13};
    for (int i = 3; i >= 0; --i) {
        double len = lengths[i];
        if (grip == Grip::Curled || (grip == Grip::TwoFingers && i >= 2)) len = 12;
        fill(p, capsule(QPointF(36, t * across[i]), QPointF(36 + len, t * across[i] * 1.05), 9.6),
             Shade(kGlove, 0.96 + 0.02 * i));
    }
    fill(p, capsule(QPointF(10, t * 15), QPointF(28, t * 29), 11.5), Shade(kGlove, 0.9));
    QPainterPath palm;
    palm.addRoundedRect(QRectF(-2, -19, 44, 38), 13, 13);
    QRadialGradient g(QPointF(20, -t * 4), 30);
    g.setColorAt(0, Shade(kGlove, 1.18));
    g.setColorAt(1, Shade(kGlove, 0.88));
    p.setPen(QPen(Shade(kGlove, 0.55), 1.2));
    p.setBrush(g);
    p.drawPath(palm);
    p.setPen(QPen(Shade(kGlove, 0.7), 1.1, Qt::SolidLine, Qt::RoundCap));  // the knuckles
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(33, t * across[i] - 2.5), QPointF(33, t * across[i] + 2.5));
    p.restore();
}

void DrawRescuerHead(QPainter& p, QPointF cheek, double size) {
    p.save();
    p.translate(cheek);
    p.scale(size, size);
    // His shoulders and back come from his side of the patient (the left), his neck to the head.
    QPainterPath back;
    back.addEllipse(QPointF(-112, 0), 70, 50);
    QLinearGradient g(QPointF(-112, -50), QPointF(-112, 50));
    g.setColorAt(0, Shade(kSleeve, 0.8));
    g.setColorAt(0.5, Shade(kSleeve, 1.15));
    g.setColorAt(1, Shade(kSleeve, 0.8));
    p.setPen(QPen(Shade(kSleeve, 0.55), 1.2));
    p.setBrush(g);
    p.drawPath(back);
    p.setPen(QPen(QColor(210, 214, 200), 5));
    p.drawLine(QPointF(-140, -46), QPointF(-140, 46));
    fill(p, capsule(QPointF(-62, 4), QPointF(-22, 2), 36), Shade(kSkin, 0.9));
    // The head lies on its side: the crown to the right, the face looking down at the chest.
    QPainterPath head;
    head.addEllipse(QPointF(0, 0), 38, 31);
    fill(p, head, kSkin);
    QPainterPath face;
    face.moveTo(-10, 34);
    face.cubicTo(QPointF(-14, 12), QPointF(10, 6), QPointF(42, 14));
    face.lineTo(60, 60);
    face.lineTo(-10, 60);
    face.closeSubpath();
    p.setPen(QPen(Shade(kHair, 0.6), 1));
    QRadialGradient hg(QPointF(8, -10), 40);
    hg.setColorAt(0, Shade(kHair, 1.3));
    hg.setColorAt(1, kHair);
    p.setBrush(hg);
    p.drawPath(head.subtracted(face));
    p.setPen(QPen(Shade(kHair, 1.35), 1.1, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 7; ++i)
        p.drawLine(QPointF(-24 + i * 8, -22 + std::abs(i - 3) * 2), QPointF(-18 + i * 8, -4));
    // His nose and eye, seen from the side, and the ear on top.
    QPainterPath nose(QPointF(20, 26));
    nose.quadTo(QPointF(26, 40), QPointF(16, 36));
    nose.lineTo(QPointF(12, 28));
    fill(p, nose, kSkin);
    p.setPen(QPen(QColor(50, 34, 28), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 22), QPointF(12, 25));
    p.setPen(QPen(Shade(kHair, 0.9), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2, 17), QPointF(14, 19));
    p.setPen(QPen(Shade(kSkin, 0.6), 1.2));
    p.setBrush(Shade(kSkin, 0.94));
    p.drawEllipse(QPointF(-6, 8), 8, 11);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-10, 2, 8, 12), 90 * 16, 180 * 16);
    p.restore();
}

}  // namespace media
