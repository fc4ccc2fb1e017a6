// What each per-set overlay shows, drawn where it belongs on the patient of the set.
#include <QTransform>
#include <cmath>

#include "art.h"

namespace media {

double MaskSize(const Person& m) {
    return m.headRx / 36.0 * (m.child ? 0.86 : 1.0);
}

QPointF MaskCentre(const Person& m) {
    return {m.cx, m.headY + (m.child ? 0.4 : 0.44) * m.headRy};
}

namespace {

constexpr double kHand = 1.1;  // the rescuer's hands: an adult's, whoever the patient is
constexpr double kSideAngle = -10;

// The closed airway: the same view with the chin down, cut out around the head. The cut reaches
// over all of the face, ears and neck of the photograph, which it replaces.
void airway(QPainter& p, const Person& m, int scale) {
    const double top = m.headY - m.headRy - 10;
    const QPointF centre(m.cx, (top + m.shoulderY) / 2);
    p.save();
    QPainterPath patch;
    patch.addEllipse(centre, m.headRx + 20, (m.shoulderY - top) / 2 + 6);
    p.setClipPath(patch);
    DrawScene(p, Scene(m, false, scale));
    p.restore();
}

// The face under the clear mask, then the mask.
void maskOnFace(QPainter& p, const Person& m, bool pocket, int scale) {
    p.save();
    p.setClipPath(MaskShape(MaskCentre(m), MaskSize(m), pocket));
    DrawScene(p, Scene(m, true, scale));
    p.restore();
    DrawFaceMask(p, MaskCentre(m), MaskSize(m), pocket);
}

// One hand seals the mask from the head's end, on side s (-1 the viewer's left): the palm at
// the side of the mask, the thumb over its rim, the fingers curled under the jaw.
void sealMask(QPainter& p, const Person& m, int s, bool pocket) {
    const QPointF c = MaskCentre(m);
    const double half = (pocket ? 30 : 25) * MaskSize(m), top = (pocket ? 33 : 28) * MaskSize(m);
    const QPointF wrist = c + QPointF(s * (half + 10), -0.75 * top);
    DrawArm(p, wrist + QPointF(s * 34, -150), wrist, 38);
    DrawHand(p, wrist, 90 + s * 6, kHand * 0.9, Grip::Curled, s > 0);
}

// The bag: lying on the mask, or squeezed by one hand while the other seals the mask.
void bag(QPainter& p, const Person& m, bool squeezing) {
    const QPointF c = MaskCentre(m);
    DrawBag(p, c, 28, 1.0, squeezing);
    if (!squeezing) return;
    sealMask(p, m, -1, false);
    const QPointF wrist = BagMiddle(c, 28, 1.0) + QPointF(34, 6);
    DrawArm(p, wrist + QPointF(50, -150), wrist, 40);
    DrawHand(p, wrist, 196, kHand, Grip::Curled, false);
}

void cpr(QPainter& p, const Person& m, bool oneHand) {
    const QPointF c = CompressionPoint(m);
    // The rescuer kneels at the patient's right, his arms straight down onto the breastbone; at
    // a child's small chest the heel of the hand is on the breastbone and the arm comes from the
    // side, not over the upper chest.
    const QPointF wrist = c + (m.child ? QPointF(-8 * kHand, 0) : QPointF(-22 * kHand, 2));
    const QPointF shoulder = wrist + (m.child ? QPointF(-176, -40) : QPointF(-170, -90));
    DrawArm(p, shoulder, wrist, 44);
    if (oneHand) {
        DrawHand(p, wrist, -4, kHand, Grip::Flat, false);
        return;
    }
    DrawArm(p, shoulder + QPointF(-6, 50), wrist + QPointF(-2, -6), 44);
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

void DrawOverlay(QPainter& p, const Person& m, Overlay o, int scale) {
    switch (o) {
        case Overlay::Airway:
            airway(p, m, scale);
            break;
        case Overlay::Breath:
            DrawRescuerHead(p, Mouth(m, true) + QPointF(-8, -22), 1.35);
            break;
        case Overlay::Bag:  // the bag left on the face between breaths and during compressions
            maskOnFace(p, m, false, scale);
            bag(p, m, false);
            break;
        case Overlay::BagMask:  // a breath: the bag squeezed
            maskOnFace(p, m, false, scale);
            bag(p, m, true);
            break;
        case Overlay::PocketMask:
            maskOnFace(p, m, true, scale);
            for (int s : {-1, 1})
                sealMask(p, m, s, true);
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
