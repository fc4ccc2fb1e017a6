// The patient's head and neck, face up: tilted back (airway open) or chin down (closed).
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "art.h"

namespace media {

namespace {

QPainterPath facePath(const Person& m, bool tilted) {
    const double c = m.cx, rx = m.headRx;
    const auto y = [&](double k) { return FaceY(m, k, tilted); };
    const double chin = ChinY(m, tilted);
    const double jaw = m.child ? 0.78 : 0.62;
    QPainterPath f(QPointF(c, y(-1)));
    f.cubicTo(QPointF(c + rx * 0.8, y(-1)), QPointF(c + rx, y(-0.5)), QPointF(c + rx, y(-0.02)));
    f.cubicTo(QPointF(c + rx, y(0.42)), QPointF(c + rx * jaw, chin - 2), QPointF(c, chin));
    f.cubicTo(QPointF(c - rx * jaw, chin - 2), QPointF(c - rx, y(0.42)), QPointF(c - rx, y(-0.02)));
    f.cubicTo(QPointF(c - rx, y(-0.5)), QPointF(c - rx * 0.8, y(-1)), QPointF(c, y(-1)));
    f.closeSubpath();
    return f;
}

// Where the hair ends on the forehead, at the middle.
double hairline(const Person& m, bool tilted) {
    double k = -0.52;
    if (m.hairStyle == Hair::Receding) k = -0.7;
    if (m.hairStyle == Hair::Child) k = -0.3;
    if (m.hairStyle == Hair::Curly) k = -0.58;
    return FaceY(m, k, tilted) + (tilted ? 0 : 0.08 * m.headRy);
}

void drawEyes(QPainter& p, const Person& m, double eyeY) {
    const double rx = m.headRx, ry = m.headRy;
    const QColor lash(44, 30, 26);
    const QColor brow = m.hair.lightness() > 170 ? Shade(m.hair, 0.7) : Shade(m.hair, 0.9);
    for (int s : {-1, 1}) {
        const double x = m.cx + s * 0.42 * rx, half = (m.child ? 0.2 : 0.18) * rx;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 30, 20, 36));
        p.drawEllipse(QPointF(x, eyeY - 2), half * 1.3, 0.09 * ry);
        p.setBrush(Shade(m.skin, 1.06));
        p.drawEllipse(QPointF(x, eyeY - 2.5), half * 0.9, 0.05 * ry);
        QPainterPath lid(QPointF(x - half, eyeY - 1));
        lid.quadTo(QPointF(x, eyeY + 0.07 * ry), QPointF(x + half, eyeY - 1));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(lash, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(lid);
        p.setPen(QPen(lash, 1, Qt::SolidLine, Qt::RoundCap));
        for (double t : {0.3, 0.5, 0.7}) {
            const QPointF a = lid.pointAtPercent(t);
            p.drawLine(a, a + QPointF(s * (t - 0.5) * 3, 2.6));
        }
        p.setPen(QPen(Shade(m.skin, 0.8), 1));
        QPainterPath crease(QPointF(x - half * 0.9, eyeY - 4));
        crease.quadTo(QPointF(x, eyeY - 0.1 * ry), QPointF(x + half * 0.9, eyeY - 4));
        p.drawPath(crease);
        QPainterPath b(QPointF(x - s * half * 1.1, eyeY - 0.17 * ry));
        b.quadTo(QPointF(x + s * 0.1 * rx, eyeY - 0.26 * ry),
                 QPointF(x + s * half * 1.4, eyeY - 0.16 * ry));
        p.setPen(QPen(brow, m.child ? 2.4 : 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(b);
    }
}

void drawNoseAndMouth(QPainter& p, const Person& m, bool tilted, double noseY) {
    const double c = m.cx, rx = m.headRx, ry = m.headRy;
    const double nw = (m.child ? 0.2 : 0.26) * rx;
    p.setPen(Qt::NoPen);
    QRadialGradient tip(QPointF(c, noseY - 3), nw * 1.4);
    tip.setColorAt(0, Shade(m.skin, 1.1));
    tip.setColorAt(1, QColor(m.skin.red(), m.skin.green(), m.skin.blue(), 0));
    p.setBrush(tip);
    p.drawEllipse(QPointF(c, noseY - 3), nw * 1.4, nw * 1.4);
    p.setPen(QPen(Shade(m.skin, 0.74), 1.3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int s : {-1, 1}) {
        QPainterPath wing(QPointF(c + s * nw * 0.7, noseY - 0.16 * ry));
        wing.quadTo(QPointF(c + s * nw * 1.3, noseY + 2), QPointF(c + s * nw * 0.4, noseY + 3));
        p.drawPath(wing);
        if (!m.child) {
            p.setPen(QPen(Shade(m.skin, 0.86), 1.1));
            p.drawLine(QPointF(c + s * 4, noseY - 0.36 * ry), QPointF(c + s * 5, noseY - 0.2 * ry));
            p.setPen(QPen(Shade(m.skin, 0.74), 1.3, Qt::SolidLine, Qt::RoundCap));
        }
    }
    if (tilted) {  // the chin up shows the nostrils
        p.setPen(Qt::NoPen);
        p.setBrush(Shade(m.skin, 0.42));
        for (int s : {-1, 1})
            p.drawEllipse(QPointF(c + s * nw * 0.42, noseY + 1.5), nw * 0.26, nw * 0.15);
    }
    const QPointF mouth = Mouth(m, tilted);
    const double mw = (m.child ? 0.34 : 0.44) * rx;
    if (m.moustache || m.beard) {
        p.setPen(Qt::NoPen);
        p.setBrush(Shade(m.hair, 0.95));
        QPainterPath must(QPointF(c - mw * 1.2, mouth.y() + 2));
        must.cubicTo(QPointF(c - mw, mouth.y() - 12), QPointF(c + mw, mouth.y() - 12),
                     QPointF(c + mw * 1.2, mouth.y() + 2));
        must.quadTo(QPointF(c, mouth.y() - 3), QPointF(c - mw * 1.2, mouth.y() + 2));
        p.drawPath(must);
    }
    QPainterPath lips(QPointF(c - mw, mouth.y()));
    lips.cubicTo(QPointF(c - mw * 0.5, mouth.y() - 5), QPointF(c - 3, mouth.y() - 6),
                 QPointF(c, mouth.y() - 3.5));
    lips.cubicTo(QPointF(c + 3, mouth.y() - 6), QPointF(c + mw * 0.5, mouth.y() - 5),
                 QPointF(c + mw, mouth.y()));
    lips.cubicTo(QPointF(c + mw * 0.5, mouth.y() + 8), QPointF(c - mw * 0.5, mouth.y() + 8),
                 QPointF(c - mw, mouth.y()));
    p.setPen(Qt::NoPen);
    p.setBrush(m.lips);
    p.drawPath(lips);
    p.setPen(QPen(Shade(m.lips, 0.55), 1.3, Qt::SolidLine, Qt::RoundCap));
    QPainterPath line(QPointF(c - mw, mouth.y()));
    line.quadTo(QPointF(c, mouth.y() + 1.5), QPointF(c + mw, mouth.y()));
    p.drawPath(line);
    if (m.wrinkles) {
        p.setPen(QPen(Shade(m.skin, 0.8), 1.1, Qt::SolidLine, Qt::RoundCap));
        for (int s : {-1, 1}) {
            QPainterPath fold(QPointF(c + s * nw * 1.3, noseY - 2));
            fold.quadTo(QPointF(c + s * mw * 1.5, mouth.y() - 4),
                        QPointF(c + s * mw * 1.25, mouth.y() + 8));
            p.drawPath(fold);
        }
        const double fy = hairline(m, tilted) + 0.12 * ry;
        for (int i = 0; i < 3; ++i) {
            QPainterPath l(QPointF(c - rx * 0.45, fy + i * 5));
            l.quadTo(QPointF(c, fy + i * 5 - 3), QPointF(c + rx * 0.45, fy + i * 5));
            p.drawPath(l);
        }
    }
}

void drawFringe(QPainter& p, const Person& m, bool tilted, const QPainterPath& face) {
    if (m.hairStyle == Hair::Bald) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 46));
        p.drawEllipse(QPointF(m.cx - 8, m.headY - 0.66 * m.headRy), 14, 8);
        return;
    }
    const double c = m.cx, rx = m.headRx, ry = m.headRy, h = hairline(m, tilted);
    const double temple = m.hairStyle == Hair::Receding ? h + 0.06 * ry : h + 0.26 * ry;
    QPainterPath hair(QPointF(c - rx * 1.2, FaceY(m, 0.1, tilted)));
    hair.lineTo(QPointF(c - rx * 0.96, temple + 0.1 * ry));
    if (m.hairStyle == Hair::Child) {  // a boy's fringe in points
        for (int i = -4; i <= 4; ++i) {
            hair.lineTo(QPointF(c + i * rx * 0.2 - rx * 0.08, h - 6 + (i % 2 == 0 ? 0 : -5)));
            hair.lineTo(QPointF(c + i * rx * 0.2 + rx * 0.04, h + 3 - std::abs(i) * 1.6));
        }
    } else {
        hair.quadTo(QPointF(c - rx * 0.7, temple - 0.16 * ry), QPointF(c - rx * 0.3, h));
        hair.quadTo(QPointF(c, h - 4), QPointF(c + rx * 0.3, h));
        hair.quadTo(QPointF(c + rx * 0.7, temple - 0.16 * ry),
                    QPointF(c + rx * 0.96, temple + 0.1 * ry));
    }
    hair.lineTo(QPointF(c + rx * 1.2, FaceY(m, 0.1, tilted)));
    hair.lineTo(QPointF(c + rx * 1.2, m.headY - ry * 1.4));
    hair.lineTo(QPointF(c - rx * 1.2, m.headY - ry * 1.4));
    hair.closeSubpath();
    p.save();
    p.setClipPath(face);
    QLinearGradient g(QPointF(0, m.headY - ry), QPointF(0, h));
    g.setColorAt(0, Shade(m.hair, 0.85));
    g.setColorAt(1, Shade(m.hair, 1.12));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(hair);
    p.setPen(QPen(Shade(m.hair, m.hair.lightness() > 150 ? 0.84 : 1.35), 1, Qt::SolidLine,
                  Qt::RoundCap));
    // Strands combed from the crown towards the face.
    p.setBrush(Qt::NoBrush);
    const QPointF crown(c + rx * 0.15, m.headY - ry * 1.1);
    for (int i = 0; i < 11; ++i) {
        const double x = c - rx * 0.85 + i * rx * 0.17;
        const QPointF end(x, h - 5 - std::abs(x - c) * 0.2);
        QPainterPath strand(crown + (end - crown) * 0.25);
        strand.quadTo(QPointF((crown.x() + end.x()) / 2 + 4, (crown.y() + end.y()) / 2), end);
        p.drawPath(strand);
    }
    p.restore();
}

}  // namespace

namespace {

// The hair around the back of the head, lying on the floor.
void hairAround(QPainter& p, const Person& m, QPointF at, double rx, double ry) {
    const QColor colour = m.hairStyle == Hair::Bald ? Shade(m.skin, 0.92) : m.hair;
    p.setPen(QPen(Shade(colour, 0.7), 1.2));
    p.setBrush(colour);
    if (m.hairStyle == Hair::Curly) {
        for (int i = 0; i < 28; ++i) {
            const double a = i * 2 * M_PI / 28;
            p.drawEllipse(at + QPointF(std::cos(a) * rx, std::sin(a) * ry * 0.96), 9, 9);
        }
        p.setPen(Qt::NoPen);
    }
    p.drawEllipse(at, rx, ry);
}

}  // namespace

void DrawHairBehind(QPainter& p, const Person& m, bool tilted) {
    const double grow = m.hairStyle == Hair::Bald ? 2 : 6;
    const double rx = m.headRx + grow, ry = m.headRy + grow;
    // The back of the head lies on the floor where it lies, whichever way the chin points: only
    // the face moves.
    hairAround(p, m, QPointF(m.cx, m.headY - 0.1 * m.headRy), rx, ry);
    if (m.hairStyle == Hair::Bald) {  // short grey hair left at the sides, above the ears
        p.setPen(Qt::NoPen);
        p.setBrush(m.hair);
        for (int s : {-1, 1})
            p.drawEllipse(QPointF(m.cx + s * (m.headRx + 1), FaceY(m, -0.02, tilted)), 6, 22);
    }
}

void DrawNeck(QPainter& p, const Person& m, bool tilted) {
    const double c = m.cx, n = m.neckHalf, chin = ChinY(m, tilted);
    if (tilted) {  // chin down, the neck is hidden under the chin: there is only one jaw line
        QPainterPath neck(QPointF(c - n, chin - 0.3 * m.headRy));
        neck.lineTo(QPointF(c - n - 2, m.shoulderY - 8));
        neck.quadTo(QPointF(c, m.shoulderY + 4), QPointF(c + n + 2, m.shoulderY - 8));
        neck.lineTo(QPointF(c + n, chin - 0.3 * m.headRy));
        neck.closeSubpath();
        QLinearGradient g(QPointF(c - n, 0), QPointF(c + n, 0));
        g.setColorAt(0, Shade(m.skin, 0.72));
        g.setColorAt(0.5, Shade(m.skin, 0.98));
        g.setColorAt(1, Shade(m.skin, 0.72));
        p.setPen(QPen(Shade(m.skin, 0.66), 1.2));
        p.setBrush(g);
        p.drawPath(neck);
    }
    p.setPen(Qt::NoPen);
    if (tilted && !m.child) {  // the throat, stretched
        p.setBrush(Shade(m.skin, 1.03));
        p.drawEllipse(QPointF(c, chin + (m.shoulderY - chin) * 0.45), 4, 5);
    }
    // The shadow under the jaw fades out, so that it draws no second jaw line.
    QRadialGradient shade(QPointF(c, chin + 1), m.headRx * 0.7);
    shade.setColorAt(0, QColor(50, 24, 12, tilted ? 40 : 60));
    shade.setColorAt(1, QColor(50, 24, 12, 0));
    p.setBrush(shade);
    p.save();
    p.translate(c, chin + 1);
    p.scale(1, (tilted ? 6.0 : 10.0) / (m.headRx * 0.7));
    p.translate(-c, -(chin + 1));
    p.drawEllipse(QPointF(c, chin + 1), m.headRx * 0.7, m.headRx * 0.7);
    p.restore();
    if (m.collar) {
        p.setPen(QPen(Shade(m.shirt, 0.6), 1.2));
        p.setBrush(Shade(m.shirt, 1.08));
        for (int s : {-1, 1}) {
            QPainterPath flap(QPointF(c + s * (n - 2), m.shoulderY - 16));
            flap.lineTo(QPointF(c + s * (n + 26), m.shoulderY - 8));
            flap.lineTo(QPointF(c + s * (n + 14), m.shoulderY + 14));
            flap.lineTo(QPointF(c + s * (n + 2), m.shoulderY - 4));
            flap.closeSubpath();
            p.drawPath(flap);
        }
    } else {  // the ribbed neckband of a sweater or t-shirt
        p.setPen(QPen(Shade(m.shirt, 0.85), 7, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath band(QPointF(c - n - 16, m.shoulderY - 6));
        band.quadTo(QPointF(c - n - 4, m.shoulderY - 14), QPointF(c - n, m.shoulderY - 18));
        p.drawPath(band);
        p.drawPath(band * QTransform(-1, 0, 0, 1, 2 * c, 0));
    }
}

void DrawHead(QPainter& p, const Person& m, bool tilted) {
    const double c = m.cx, rx = m.headRx, ry = m.headRy;
    const auto y = [&](double k) { return FaceY(m, k, tilted); };
    p.setPen(QPen(Shade(m.skin, 0.68), 1.2));
    p.setBrush(Shade(m.skin, 0.92));
    for (int s : {-1, 1})
        p.drawEllipse(QPointF(c + s * (rx + 1), y(0)), m.child ? 7 : 6, m.child ? 12 : 13);
    const QPainterPath face = facePath(m, tilted);
    QRadialGradient g(QPointF(c, y(-0.1)), rx * 1.25);
    g.setColorAt(0, Shade(m.skin, 1.06));
    g.setColorAt(0.7, m.skin);
    g.setColorAt(1, Shade(m.skin, 0.8));
    p.setPen(QPen(Shade(m.skin, 0.66), 1.2));
    p.setBrush(g);
    p.drawPath(face);
    if (m.child) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 110, 110, 46));
        for (int s : {-1, 1})
            p.drawEllipse(QPointF(c + s * rx * 0.55, y(0.32)), rx * 0.2, ry * 0.12);
    }
    if (m.beard) {
        QPainterPath beard(QPointF(c - rx * 1.01, y(0)));
        beard.cubicTo(QPointF(c - rx * 0.8, y(0.5)), QPointF(c - rx * 0.6, y(0.4)),
                      QPointF(c, y(0.74)));
        beard.cubicTo(QPointF(c + rx * 0.6, y(0.4)), QPointF(c + rx * 0.8, y(0.5)),
                      QPointF(c + rx * 1.01, y(0)));
        beard.lineTo(QPointF(c + rx * 1.2, y(1.4)));
        beard.lineTo(QPointF(c - rx * 1.2, y(1.4)));
        beard.closeSubpath();
        p.save();
        p.setClipPath(face);
        p.setPen(Qt::NoPen);
        p.setBrush(m.hair);
        p.drawPath(beard);
        p.restore();
    }
    drawFringe(p, m, tilted, face);
    drawEyes(p, m, y(m.child ? 0.08 : -0.04));
    drawNoseAndMouth(p, m, tilted, y(m.child ? 0.3 : 0.33));
}

}  // namespace media
