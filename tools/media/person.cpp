// The seven patients: how each looks, and where his body lies so that the overlays of his set,
// drawn at their places, land on him.
#include <algorithm>
#include <array>
#include <cmath>

#include "art.h"
#include "core/patient_tables.h"

namespace media {

namespace {

struct Look {
    bool child;
    double shoulders, waist, head;  // half widths; the head's scale
    QColor skin, hair, lips, shirt, trousers;
    Hair hairStyle;
    Floor floor;
    bool longSleeves, collar, beard, moustache, wrinkles;
};

// 0: a man in his fifties in a light blue shirt; 1: a man in his forties in a wine-red sweater;
// 2: a heavy man with a grey beard; 3: a boy of about seven; 4: a thin man in his late
// seventies in a cardigan; 5: a man in his sixties in a navy sweater; 6: a stocky man with a
// moustache in a white shirt.
const std::array<Look, 7> kLooks = {{
    {false, 98, 80, 1.0, QColor(234, 192, 160), QColor(120, 100, 86), QColor(196, 128, 116),
     QColor(150, 186, 222), QColor(52, 60, 84), Hair::Receding, Floor::Linoleum, true, true, false,
     false, false},
    {false, 94, 74, 0.97, QColor(176, 118, 82), QColor(30, 24, 22), QColor(150, 84, 74),
     QColor(140, 40, 58), QColor(40, 40, 48), Hair::Short, Floor::Wood, true, false, false, false,
     false},
    {false, 110, 102, 1.04, QColor(112, 72, 50), QColor(190, 186, 180), QColor(110, 62, 52),
     QColor(62, 128, 88), QColor(176, 156, 116), Hair::Bald, Floor::Linoleum, false, true, true,
     false, false},
    {true, 78, 62, 1.0, QColor(246, 210, 182), QColor(176, 128, 70), QColor(214, 132, 120),
     QColor(250, 186, 50), QColor(70, 104, 156), Hair::Child, Floor::Wood, false, false, false,
     false, false},
    {false, 90, 66, 0.97, QColor(238, 210, 194), QColor(232, 232, 228), QColor(190, 130, 126),
     QColor(140, 104, 70), QColor(110, 110, 116), Hair::Receding, Floor::Wood, true, true, false,
     false, true},
    {false, 94, 76, 0.98, QColor(224, 182, 138), QColor(150, 150, 148), QColor(180, 112, 96),
     QColor(40, 52, 92), QColor(30, 30, 36), Hair::Short, Floor::Linoleum, true, false, false,
     false, true},
    {false, 104, 92, 1.02, QColor(198, 146, 104), QColor(34, 28, 26), QColor(150, 90, 76),
     QColor(236, 236, 232), QColor(70, 72, 78), Hair::Curly, Floor::Linoleum, true, true, false,
     true, false},
}};

QRectF padAround(QPointF centre, QSizeF size, QPointF seed, double margin) {
    QRectF r(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(),
             size.height());
    // The pad must cover the point the program starts its fill from.
    if (seed.x() < r.left() + margin) r.moveLeft(seed.x() - margin);
    if (seed.x() > r.right() - margin) r.moveRight(seed.x() + margin);
    if (seed.y() < r.top() + margin) r.moveTop(seed.y() - margin);
    if (seed.y() > r.bottom() - margin) r.moveBottom(seed.y() + margin);
    return r;
}

QPointF centreOf(const ardentix::Rect& r) {
    return {r.left + r.width / 2.0, r.top + r.height / 2.0};
}

Person make(int set) {
    const Look& k = kLooks[static_cast<size_t>(set)];
    const ardentix::SetLayout& l = ardentix::kSetLayouts[static_cast<size_t>(set)];
    Person m;
    m.set = set;
    m.child = k.child;
    m.skin = k.skin;
    m.hair = k.hair;
    m.lips = k.lips;
    m.shirt = k.shirt;
    m.trousers = k.trousers;
    m.hairStyle = k.hairStyle;
    m.floor = k.floor;
    m.longSleeves = k.longSleeves;
    m.collar = k.collar;
    m.beard = k.beard;
    m.moustache = k.moustache;
    m.wrinkles = k.wrinkles;

    const QSizeF padSize = k.child ? QSizeF(44, 56) : QSizeF(50, 62);
    m.whitePad = padAround(centreOf(l.whiteZone), padSize,
                           QPointF(l.padWhite2.left + 60, l.padWhite2.top + 40), 8);
    m.sidePad = padAround(centreOf(l.redZone), padSize,
                          QPointF(l.padCurved.left + 30, l.padCurved.top + 30), 12);

    // The white pad lies below the right collarbone, the side pad around the left side of the
    // chest: that sets the chest's middle line and its width.
    const double chest = (m.sidePad.center().x() - m.whitePad.center().x()) / 1.27;
    m.cx = std::round(m.whitePad.center().x() + 0.45 * chest);
    // The shoulders lie above the white pad, under the shaking hands.
    const double shoulders = (l.shake.top + 32 + l.whiteZone.top - 10) / 2.0;
    m.shoulderY = std::min(shoulders, m.whitePad.top() - 12);
    m.shoulderHalf = chest + 18 + (k.shoulders - 94) * 0.3;
    m.waistHalf = std::min(k.waist, m.shoulderHalf - 8);
    m.headRx = (k.child ? 48 : 40) * k.head;
    m.headRy = (k.child ? 56 : 52) * k.head;
    m.neckHalf = k.child ? 22 : 23 * k.head + (set == 2 ? 4 : 0);
    m.headY = m.shoulderY - (k.child ? 18 : 26) - m.headRy;
    m.belt = m.shoulderY + (k.child ? 165 : 232);
    m.armWidth = k.child ? 30 : 36 + (k.shoulders - 90) * 0.25;
    if (k.child) {
        // The child lies nearer the camera: his shoulders lie under the palms of the shaking
        // hands, which are the same picture for every patient.
        const double near = l.shake.left + ShakeNearPalm().x();
        const double far = l.shake.left + ShakeFarPalm().x();
        m.cx = std::round((near + far) / 2);
        m.shoulderHalf = std::round((far - near) / 2 + 12);
        m.waistHalf = std::min(k.waist, m.shoulderHalf - 8);
    }
    return m;
}

}  // namespace

const Person& PersonOf(int set) {
    static const std::array<Person, 7> people = {make(0), make(1), make(2), make(3),
                                                 make(4), make(5), make(6)};
    return people.at(static_cast<size_t>(set));
}

double ChinY(const Person& m, bool tilted) {
    return tilted ? m.headY + m.headRy : m.shoulderY - 8;
}

double FaceY(const Person& m, double k, bool tilted) {
    const double y = m.headY + k * m.headRy;
    if (tilted) return y;
    // Chin down: the crown comes a little into sight, the chin sinks onto the chest.
    const double top = 0.1 * m.headRy, chin = ChinY(m, false) - ChinY(m, true);
    return y + top + (chin - top) * (k + 1) / 2;
}

QPointF Mouth(const Person& m, bool tilted) {
    return {m.cx, FaceY(m, m.child ? 0.55 : 0.6, tilted)};
}

QPointF NeckSide(const Person& m) {
    return {m.cx - m.neckHalf + 3, (ChinY(m, true) + m.shoulderY) / 2 + 2};
}

QPointF ChestCentre(const Person& m) {
    return {m.cx, m.shoulderY + (m.child ? 52 : 82)};
}

QPointF CompressionPoint(const Person& m) {
    // An adult's breastbone runs from 24 to 104 below the shoulders, with the nipples at 82; a
    // child's is shorter (16 to 68, nipples at 53), and the hand goes just below the nipples.
    return m.child ? QPointF(m.cx, m.shoulderY + 60) : ChestCentre(m);
}

QColor Shade(const QColor& c, double factor) {
    const auto f = [&](int v) { return std::clamp(static_cast<int>(v * factor), 8, 255); };
    return QColor(f(c.red()), f(c.green()), f(c.blue()), c.alpha());
}

quint32 Hash(quint32 a, quint32 b) {
    quint32 h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

}  // namespace media
