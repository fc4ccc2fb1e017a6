// What each per-set overlay shows, drawn where it belongs on the patient of the set.
#include <QTransform>
#include <cmath>

#include "art.h"

namespace media {

namespace {

constexpr double kHand = 1.1;  // the rescuer's hands: an adult's, whoever the patient is
constexpr double kSideAngle = -10;

double maskSize(const Person& m) {
    return m.headRx / 36.0 * (m.child ? 0.86 : 1.0);
}

QPointF maskCentre(const Person& m) {
    return {m.cx, m.headY + (m.child ? 0.4 : 0.44) * m.headRy};
}

// The closed airway: the same view with the chin down, cut out around the head.
void airway(QPainter& p, const Person& m) {
    const double top = m.headY - m.headRy - 10;
    const QPointF centre(m.cx, (top + m.shoulderY) / 2);
    p.save();
    QPainterPath patch;
    patch.addEllipse(centre, m.headRx + 20, (m.shoulderY - top) / 2 + 6);
    p.setClipPath(patch);
    p.drawImage(QPointF(-kMargin, -kMargin), Scene(m, false));
    p.restore();
}

// The face under the clear mask, then the mask.
void maskOnFace(QPainter& p, const Person& m, bool pocket) {
    p.save();
    p.setClipPath(MaskShape(maskCentre(m), maskSize(m), pocket));
    p.drawImage(QPointF(-kMargin, -kMargin), Scene(m, true));
    p.restore();
    DrawFaceMask(p, maskCentre(m), maskSize(m), pocket);
}

// Both hands hold the mask from the head's end: thumbs on the mask, fingers along the jaw.
void holdMask(QPainter& p, const Person& m, bool pocket) {
    const QPointF c = maskCentre(m);
    const double spread = 26 * maskSize(m) + (pocket ? 4 : 0);
    for (int s : {-1, 1}) {
        const QPointF wrist = c + QPointF(s * (spread + 16), -58);
        DrawArm(p, wrist + QPointF(s * 60, -150), wrist, 40);
        DrawHand(p, wrist, 90 - s * 22, kHand * 0.92, Grip::Flat, s > 0);
    }
}

void bag(QPainter& p, const Person& m, bool squeezing) {
    const QPointF c = maskCentre(m);
    DrawBag(p, c, 28, 1.0);
    if (!squeezing) return;
    // One hand seals the mask, the other squeezes the bag.
    const QPointF maskWrist = c + QPointF(-44, -56);
    DrawArm(p, maskWrist + QPointF(-70, -150), maskWrist, 40);
    DrawHand(p, maskWrist, 70, kHand * 0.92, Grip::Flat, false);
    const QTransform t = QTransform().translate(c.x(), c.y()).rotate(28);
    const QPointF bagMiddle = t.map(QPointF(0, -98));
    const QPointF wrist = bagMiddle + QPointF(34, 6);
    DrawArm(p, wrist + QPointF(50, -150), wrist, 40);
    DrawHand(p, wrist, 196, kHand, Grip::Curled, false);
}

void cpr(QPainter& p, const Person& m, bool oneHand) {
    const QPointF c = ChestCentre(m);
    // The rescuer kneels at the patient's right, his arms straight down onto the breastbone.
    const QPointF wrist = c + QPointF(-22 * kHand, 2);
    DrawArm(p, wrist + QPointF(-170, -90), wrist, 44);
    if (oneHand) {
        DrawHand(p, wrist, -4, kHand, Grip::Flat, false);
        return;
    }
    DrawArm(p, wrist + QPointF(-176, -40), wrist + QPointF(-2, -6), 44);
    DrawHand(p, wrist + QPointF(0, 4), -6, kHand, Grip::Flat, false);
    DrawHand(p, wrist + QPointF(-2, -6), 4, kHand, Grip::Curled, true);
}

void pulse(QPainter& p, const Person& m) {
    // Two fingertips in the groove at the side of the windpipe, the hand from the near side.
    const QPointF tips(m.cx - m.neckHalf * 0.35, NeckSide(m).y());
    const double angle = -12;
    const QPointF wrist =
        tips - QPointF(std::cos(angle * M_PI / 180), std::sin(angle * M_PI / 180)) * 74 * kHand;
    DrawArm(p, wrist + QPointF(-200, 30), wrist, 40);
    DrawHand(p, wrist, angle, kHand, Grip::TwoFingers, false);
}

QPointF cableJoint(const QRectF& box, double angle) {
    const QTransform t = QTransform().translate(box.center().x(), box.center().y()).rotate(angle);
    return t.map(QPointF(box.width() / 2 - 8, box.height() / 2 - 6));
}

void whitePad(QPainter& p, const Person& m, const QColor& colour) {
    const QRectF& box = m.whitePad;
    const QPointF joint = cableJoint(box, 0);
    const double low = std::max(m.sidePad.bottom() + 34, box.bottom() + 90);
    QPainterPath cable(joint);
    cable.cubicTo(joint + QPointF(10, 60), QPointF(m.cx + 20, low), QPointF(m.cx + 110, low + 10));
    cable.cubicTo(QPointF(m.cx + 200, low + 18), QPointF(kView - 20, low + 40),
                  QPointF(kView + 40, low + 44));
    DrawCable(p, cable);
    DrawPad(p, box, 0, colour, m.child);
}

void sidePad(QPainter& p, const Person& m) {
    const QRectF& box = m.sidePad;
    const QPointF joint = cableJoint(box, kSideAngle);
    QPainterPath cable(joint);
    cable.cubicTo(joint + QPointF(30, 30), QPointF(m.cx + m.shoulderHalf + 40, joint.y() + 40),
                  QPointF(kView + 40, joint.y() + 60));
    DrawCable(p, cable);
    DrawPad(p, box, kSideAngle, QColor(236, 238, 240), m.child);
}

}  // namespace

void DrawOverlay(QPainter& p, const Person& m, Overlay o) {
    switch (o) {
        case Overlay::Airway:
            airway(p, m);
            break;
        case Overlay::Breath:
            DrawRescuerHead(p, Mouth(m, true) + QPointF(-8, -22), 1.35);
            break;
        case Overlay::Bag:
            maskOnFace(p, m, false);
            bag(p, m, true);
            break;
        case Overlay::BagMask:
            maskOnFace(p, m, false);
            bag(p, m, false);
            holdMask(p, m, false);
            break;
        case Overlay::PocketMask:
            maskOnFace(p, m, true);
            holdMask(p, m, true);
            break;
        case Overlay::Cpr:
            cpr(p, m, false);
            break;
        case Overlay::CprChild:
            cpr(p, m, true);
            break;
        case Overlay::Pulse:
            pulse(p, m);
            break;
        case Overlay::Side:
            sidePad(p, m);
            break;
        case Overlay::Red:
            whitePad(p, m, QColor(214, 44, 48));
            break;
        case Overlay::White:
            whitePad(p, m, QColor(240, 241, 243));
            break;
    }
}

}  // namespace media
