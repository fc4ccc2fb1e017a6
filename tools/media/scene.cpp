// The floor, the soft shadow around the body, and the whole photograph of a patient.
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

#include "art.h"
#include "core/patient_tables.h"

namespace media {

namespace {

void linoleum(QPainter& p, const Person& m) {
    const QColor base = m.set % 2 ? QColor(126, 140, 150) : QColor(132, 144, 160);
    const int tile = 106;
    for (int ty = -1; ty * tile < kView + kMargin; ++ty) {
        for (int tx = -1; tx * tile < kView + kMargin; ++tx) {
            const double tone = 0.97 + (Hash(tx + 9, ty + 3) % 7) * 0.01;
            p.fillRect(QRectF(tx * tile, ty * tile, tile, tile), Shade(base, tone));
        }
    }
    for (int i = 0; i < 2600; ++i) {  // the speckled pattern of the sheet
        const quint32 h = Hash(static_cast<quint32>(i), static_cast<quint32>(m.set));
        const QPointF at(double(h % 600) - kMargin, double((h >> 10) % 600) - kMargin);
        p.setPen(Qt::NoPen);
        p.setBrush(h & 0x100000 ? QColor(255, 255, 255, 34) : QColor(20, 30, 40, 30));
        p.drawEllipse(at, 1.2, 1.2);
    }
    p.setPen(QPen(Shade(base, 0.84), 1));
    for (int k = -1; k * tile < kView + kMargin; ++k) {
        p.drawLine(QPointF(k * tile, -kMargin), QPointF(k * tile, kView + kMargin));
        p.drawLine(QPointF(-kMargin, k * tile), QPointF(kView + kMargin, k * tile));
    }
}

void wood(QPainter& p, const Person& m) {
    const QColor base(178, 132, 88);
    const int plank = 58;
    for (int k = -2; k * plank < kView + kMargin; ++k) {
        const quint32 h = Hash(static_cast<quint32>(k + 20), static_cast<quint32>(m.set + 40));
        const QColor tone = Shade(base, 0.88 + (h % 10) * 0.025);
        const QRectF r(k * plank, -kMargin, plank, kView + 2 * kMargin);
        p.fillRect(r, tone);
        p.setPen(QPen(Shade(tone, 0.9), 1));
        for (int g = 0; g < 6; ++g) {  // the grain
            QPainterPath grain(QPointF(r.left() + 6 + g * 9, r.top()));
            for (double y = r.top(); y < r.bottom(); y += 24)
                grain.lineTo(r.left() + 6 + g * 9 + 2.5 * std::sin(y / 37.0 + g + k), y);
            p.drawPath(grain);
        }
        p.setPen(QPen(Shade(tone, 0.62), 2));
        p.drawLine(r.topLeft(), r.bottomLeft());
        const double joint = double((h >> 8) % 400);
        p.drawLine(QPointF(r.left(), joint), QPointF(r.right(), joint));
    }
}

}  // namespace

void DrawFloor(QPainter& p, const Person& m) {
    if (m.floor == Floor::Wood) {
        wood(p, m);
    } else {
        linoleum(p, m);
    }
    // The light falls from above the patient's head.
    QRadialGradient light(QPointF(m.cx, 60), 520);
    light.setColorAt(0, QColor(255, 255, 255, 24));
    light.setColorAt(1, QColor(0, 0, 0, 60));
    p.fillRect(QRectF(-kMargin, -kMargin, kView + 2 * kMargin, kView + 2 * kMargin), light);
}

void DrawSoftShadow(QPainter& p, const QPainterPath& shape, QPointF offset, double blur,
                    int alpha) {
    const QSize full(p.device()->width(), p.device()->height());
    const QSize small(int(full.width() / blur), int(full.height() / blur));
    QImage mask(small, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter q(&mask);
        q.setRenderHint(QPainter::Antialiasing);
        q.scale(1 / blur, 1 / blur);
        q.setTransform(p.transform(), true);
        q.translate(offset.x(), offset.y());
        q.setPen(Qt::NoPen);
        q.setBrush(QColor(16, 12, 10, alpha));
        q.drawPath(shape);
    }
    const QImage soft = mask.scaled(small / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .scaled(full, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    p.save();
    p.resetTransform();
    p.drawImage(0, 0, soft);
    p.restore();
}

QImage Scene(const Person& m, bool tilted, int scale) {
    const int side = (kView + 2 * kMargin) * scale;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.translate(kMargin, kMargin);
    DrawFloor(p, m);
    DrawSoftShadow(p, Silhouette(m), QPointF(5, 7), 5.0 * scale, 150);
    DrawHairBehind(p, m, tilted);
    DrawBody(p, m);
    DrawNeck(p, m, tilted);
    DrawHead(p, m, tilted);
    return image;
}

void DrawScene(QPainter& p, const QImage& scene) {
    p.drawImage(QRectF(-kMargin, -kMargin, kView + 2 * kMargin, kView + 2 * kMargin), scene);
}

QImage Photograph(int set, int scale) {
    const int offset = ardentix::kSetLayouts[static_cast<size_t>(set)].pictureOffset;
    // The program draws the photograph at the offset: its pixel x shows at view x + offset.
    return Scene(PersonOf(set), true, scale)
        .copy((kMargin + offset) * scale, kMargin * scale, kView * scale, kView * scale)
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace media
