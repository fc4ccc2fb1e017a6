// The floor, the soft shadow and the patient's body: arms, torso in opened clothing, trousers.
#include <QLinearGradient>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <array>
#include <cmath>

#include "art.h"
#include "core/patient_tables.h"

namespace media {

namespace {

QPainterPath thick(const QPainterPath& line, double width) {
    QPainterPathStroker s;
    s.setWidth(width);
    s.setCapStyle(Qt::RoundCap);
    s.setJoinStyle(Qt::RoundJoin);
    return s.createStroke(line);
}

// One arm lying along the body: shoulder, elbow, wrist, for side s (-1 viewer's left, 1 right).
QPainterPath armLine(const Person& m, int s, bool toHand) {
    const double w = m.shoulderHalf, y = m.shoulderY;
    QPainterPath a(QPointF(m.cx + s * (w - 16), y + 18));
    a.quadTo(QPointF(m.cx + s * (w + 6), y + (m.child ? 70 : 100)),
             QPointF(m.cx + s * (w + 4), y + (m.child ? 112 : 158)));
    a.lineTo(QPointF(m.cx + s * (w - 2), y + (m.child ? 172 : 262)));
    if (toHand) a.lineTo(QPointF(m.cx + s * (w - 6), y + (m.child ? 196 : 300)));
    return a;
}

std::array<QRectF, 2> legs(const Person& m) {
    return {QRectF(m.cx - 57, m.belt + 20, 54, 200), QRectF(m.cx + 3, m.belt + 20, 54, 200)};
}

QPainterPath torso(const Person& m) {
    const double c = m.cx, y = m.shoulderY, w = m.shoulderHalf, n = m.neckHalf;
    const double chest = w - 18, waist = m.waistHalf, hip = m.waistHalf + (m.child ? 8 : 14);
    const double down = m.child ? 0.7 : 1.0;
    const double bottom = m.child ? m.belt + 50 : kView + 40;
    QPainterPath t(QPointF(c - n - 4, y - 10));
    t.cubicTo(QPointF(c - n - 30, y - 8), QPointF(c - w + 10, y - 6), QPointF(c - w, y + 16));
    t.cubicTo(QPointF(c - w - 4, y + 40), QPointF(c - chest, y + 60 * down),
              QPointF(c - chest, y + 90 * down));
    t.cubicTo(QPointF(c - chest, y + 150 * down), QPointF(c - waist, y + 180 * down),
              QPointF(c - waist, y + 220 * down));
    t.lineTo(QPointF(c - hip, bottom));
    t.lineTo(QPointF(c + hip, bottom));
    t.lineTo(QPointF(c + waist, y + 220 * down));
    t.cubicTo(QPointF(c + waist, y + 180 * down), QPointF(c + chest, y + 150 * down),
              QPointF(c + chest, y + 90 * down));
    t.cubicTo(QPointF(c + chest, y + 60 * down), QPointF(c + w + 4, y + 40),
              QPointF(c + w, y + 16));
    t.cubicTo(QPointF(c + w - 10, y - 6), QPointF(c + n + 30, y - 8), QPointF(c + n + 4, y - 10));
    t.closeSubpath();
    return t;
}

// The clothing is opened from the collar to the belt, wide enough for both pads.
QPainterPath opening(const Person& m) {
    const double c = m.cx, y = m.shoulderY, w = m.shoulderHalf, n = m.neckHalf;
    const double low = m.belt + 4;
    QPainterPath o(QPointF(c - n - 2, y - 12));
    o.cubicTo(QPointF(c - w + 30, y - 2), QPointF(c - w + 16, y + 40),
              QPointF(c - w + 22, y + 110 * (m.child ? 0.7 : 1)));
    o.cubicTo(QPointF(c - w + 30, low - 60), QPointF(c - 56, low - 10), QPointF(c - 44, low));
    o.lineTo(QPointF(c + 44, low));
    o.cubicTo(QPointF(c + 56, low - 10), QPointF(c + w - 24, low - 60),
              QPointF(c + w - 14, y + 110 * (m.child ? 0.7 : 1)));
    o.cubicTo(QPointF(c + w - 10, y + 40), QPointF(c + w - 30, y - 2), QPointF(c + n + 2, y - 12));
    o.closeSubpath();
    return o;
}

void drawChest(QPainter& p, const Person& m) {
    const double c = m.cx, y = m.shoulderY, w = m.shoulderHalf;
    QLinearGradient g(QPointF(c - w, 0), QPointF(c + w, 0));
    g.setColorAt(0, Shade(m.skin, 0.8));
    g.setColorAt(0.5, Shade(m.skin, 1.04));
    g.setColorAt(1, Shade(m.skin, 0.8));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(opening(m));
    const QColor line = Shade(m.skin, 0.78);
    p.setBrush(Qt::NoBrush);
    const double k = m.child ? 0.65 : 1;
    // Collarbones, the lower edges of the chest muscles, the ribs' arch and the navel.
    p.setPen(QPen(line, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int s : {-1, 1}) {
        QPainterPath bone(QPointF(c + s * 8, y + 4));
        bone.cubicTo(QPointF(c + s * 30, y + 10), QPointF(c + s * (w - 40), y),
                     QPointF(c + s * (w - 22), y + 4));
        p.drawPath(bone);
        if (!m.child) {
            QPainterPath pec(QPointF(c + s * 6, y + 98 * k));
            pec.cubicTo(QPointF(c + s * 30, y + 112 * k), QPointF(c + s * (w - 34), y + 108 * k),
                        QPointF(c + s * (w - 24), y + 70 * k));
            p.drawPath(pec);
        }
    }
    p.setPen(QPen(Shade(m.skin, 0.86), 1.4, Qt::SolidLine, Qt::RoundCap));
    QPainterPath arch(QPointF(c - w * 0.55, y + 165 * k));
    arch.quadTo(QPointF(c, y + 112 * k), QPointF(c + w * 0.55, y + 165 * k));
    p.drawPath(arch);
    p.drawLine(QPointF(c, y + 24 * k), QPointF(c, y + 104 * k));
    p.setPen(Qt::NoPen);
    p.setBrush(Shade(m.skin, 0.72));
    for (int s : {-1, 1})
        p.drawEllipse(QPointF(c + s * w * 0.44, y + 82 * k), 4.2 * (m.child ? 0.7 : 1), 3.6);
    p.setBrush(Shade(m.skin, 0.62));
    p.drawEllipse(QPointF(c, m.belt - 34 * k), 3.2, 4.2);
}

void drawArms(QPainter& p, const Person& m) {
    for (int s : {-1, 1}) {
        const QPainterPath whole = thick(armLine(m, s, false), m.armWidth);
        const QPainterPath hand = thick(armLine(m, s, true), m.armWidth * 0.72);
        p.setPen(QPen(Shade(m.skin, 0.7), 1.2));
        p.setBrush(m.skin);
        p.drawPath(hand);
        QPainterPath upper;
        upper.addRect(QRectF(0, 0, kView, m.shoulderY + (m.child ? 58 : 86)));
        const QPainterPath sleeveArea = m.longSleeves ? whole : whole.intersected(upper);
        QLinearGradient g(QPointF(m.cx + s * (m.shoulderHalf - 20), 0),
                          QPointF(m.cx + s * (m.shoulderHalf + 24), 0));
        g.setColorAt(0, Shade(m.shirt, 1.0));
        g.setColorAt(1, Shade(m.shirt, 0.72));
        p.setPen(QPen(Shade(m.shirt, 0.6), 1.2));
        p.setBrush(g);
        p.drawPath(sleeveArea);
        // Folds of the sleeve.
        p.setPen(QPen(Shade(m.shirt, 0.78), 1.4, Qt::SolidLine, Qt::RoundCap));
        const double top = m.shoulderY;
        for (double f : {0.32, 0.5, 0.8}) {
            const double fy = top + f * (m.longSleeves ? 240 : 80) * (m.child ? 0.7 : 1);
            const double fx = m.cx + s * (m.shoulderHalf + 2);
            p.drawLine(QPointF(fx - 8, fy), QPointF(fx + 6, fy + 5));
        }
    }
}

void drawShirt(QPainter& p, const Person& m) {
    const QPainterPath body = torso(m);
    const QPainterPath open = opening(m).intersected(body);
    QLinearGradient g(QPointF(m.cx - m.shoulderHalf, 0), QPointF(m.cx + m.shoulderHalf, 0));
    g.setColorAt(0, Shade(m.shirt, 0.74));
    g.setColorAt(0.5, Shade(m.shirt, 1.05));
    g.setColorAt(1, Shade(m.shirt, 0.74));
    p.setPen(QPen(Shade(m.shirt, 0.58), 1.4));
    p.setBrush(g);
    p.drawPath(body);
    // The turned-back edges of the opened clothing, then the bare chest inside them.
    p.setPen(QPen(Shade(m.shirt, m.shirt.lightness() > 170 ? 0.86 : 1.18), 12));
    p.setBrush(Qt::NoBrush);
    p.save();
    p.setClipPath(body);
    p.drawPath(open);
    p.setPen(QPen(Shade(m.shirt, 0.6), 2));
    p.drawPath(opening(m).translated(0, 0));
    p.restore();
    p.save();
    p.setClipPath(open);
    drawChest(p, m);
    // The shadow the cloth casts onto the skin.
    p.setPen(QPen(QColor(40, 20, 10, 46), 7));
    p.setBrush(Qt::NoBrush);
    p.drawPath(open);
    p.restore();
    if (m.collar) {
        p.setPen(QPen(QColor(250, 250, 250), 1));
        p.setBrush(QColor(245, 245, 240));
        const double x = m.cx - m.shoulderHalf + 24;
        for (double by = m.shoulderY + 40; by < m.belt - 20; by += 42)
            p.drawEllipse(QPointF(x - 6, by), 3, 3);
    }
    // Trousers and belt.
    p.save();
    p.setClipPath(body);
    QLinearGradient t(QPointF(m.cx - m.shoulderHalf, 0), QPointF(m.cx + m.shoulderHalf, 0));
    t.setColorAt(0, Shade(m.trousers, 0.7));
    t.setColorAt(0.5, Shade(m.trousers, 1.1));
    t.setColorAt(1, Shade(m.trousers, 0.7));
    p.setPen(Qt::NoPen);
    p.setBrush(t);
    p.drawRect(QRectF(0, m.belt, kView, kView));
    if (!m.child) {
        p.setBrush(QColor(60, 40, 30));
        p.drawRect(QRectF(0, m.belt + 2, kView, 10));
        p.setBrush(QColor(190, 180, 150));
        p.drawRoundedRect(QRectF(m.cx - 10, m.belt, 20, 14), 3, 3);
        p.setBrush(QColor(60, 40, 30));
        p.drawRect(QRectF(m.cx - 6, m.belt + 4, 12, 6));
    } else {
        p.setPen(QPen(QColor(230, 200, 120), 1.2, Qt::DashLine));
        p.drawLine(QPointF(0, m.belt + 6), QPointF(kView, m.belt + 6));
        p.drawLine(QPointF(m.cx + 4, m.belt + 8), QPointF(m.cx + 4, kView));
    }
    p.restore();
}

}  // namespace

QPainterPath Silhouette(const Person& m) {
    QPainterPath s = torso(m);
    for (int side : {-1, 1})
        s = s.united(thick(armLine(m, side, true), m.armWidth));
    s.addEllipse(QPointF(m.cx, m.headY - 4), m.headRx + 8, m.headRy + 8);
    if (m.child) {
        for (const QRectF& leg : legs(m))
            s.addRoundedRect(leg, 24, 24);
    }
    s.addRect(QRectF(m.cx - m.neckHalf, m.headY, 2 * m.neckHalf, m.shoulderY - m.headY));
    return s.simplified();
}

void DrawBody(QPainter& p, const Person& m) {
    if (m.child) {  // the legs below the shorts
        p.setPen(QPen(Shade(m.skin, 0.72), 1.2));
        p.setBrush(m.skin);
        for (const QRectF& leg : legs(m))
            p.drawRoundedRect(leg, 24, 24);
    }
    drawArms(p, m);
    drawShirt(p, m);
}

}  // namespace media
