// Turning an object drawn on a transparent canvas into an overlay picture on pure black: the hard
// edge, the size that puts the seed point on the object, and the area the program covers.
#include <algorithm>
#include <vector>

#include "art.h"

namespace media {

namespace {

bool solid(const QImage& canvas, int x, int y) {
    return x >= 0 && y >= 0 && x < canvas.width() && y < canvas.height() &&
           qAlpha(canvas.pixel(x, y)) >= 128;
}

// The seed must lie well inside the object, not on a thin edge.
bool deepInside(const QImage& canvas, int x, int y) {
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            if (!solid(canvas, x + dx, y + dy)) return false;
        }
    }
    return true;
}

}  // namespace

QImage ObjectCanvas(const std::function<void(QPainter&)>& draw, int scale) {
    const int side = (kView + 2 * kMargin) * scale;
    QImage canvas(side, side, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.translate(kMargin, kMargin);
    draw(p);
    return canvas;
}

QImage Flatten(const QImage& argb) {
    const QImage straight = argb.convertToFormat(QImage::Format_ARGB32);
    QImage flat(straight.size(), QImage::Format_RGB888);
    for (int y = 0; y < straight.height(); ++y) {
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb c = straight.pixel(x, y);
            QColor out(Qt::black);
            if (qAlpha(c) >= 128) {
                // No part of an object is pure black, or the program would see through it.
                out = qRed(c) < 8 && qGreen(c) < 8 && qBlue(c) < 8 ? QColor(8, 8, 8) : QColor(c);
            }
            flat.setPixelColor(x, y, out);
        }
    }
    return flat;
}

QImage MaskOf(const QImage& argb) {
    QImage mask(argb.size(), QImage::Format_RGB888);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x)
            mask.setPixelColor(x, y, qAlpha(argb.pixel(x, y)) >= 128 ? Qt::black : Qt::white);
    }
    return mask;
}

QImage CoverOf(const QImage& flat, QPoint seed) {
    QImage cover(flat.size(), QImage::Format_Grayscale8);
    cover.fill(0);
    const auto black = [&](int x, int y) { return (flat.pixel(x, y) & 0xFFFFFF) == 0; };
    for (int y = 0; y < flat.height(); ++y) {
        for (int x = 0; x < flat.width(); ++x) {
            if (!black(x, y)) cover.setPixel(x, y, 255);
        }
    }
    if (!flat.rect().contains(seed) || !black(seed.x(), seed.y())) return cover;
    std::vector<QPoint> todo{seed};
    cover.setPixel(seed, 255);
    while (!todo.empty()) {
        const QPoint q = todo.back();
        todo.pop_back();
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint n = q + d;
            if (flat.rect().contains(n) && black(n.x(), n.y()) && qGray(cover.pixel(n)) == 0) {
                cover.setPixel(n, 255);
                todo.push_back(n);
            }
        }
    }
    return cover;
}

QImage CutScaled(const QImage& drawn, QRect part, int scale) {
    // As at the view's own size, nothing past the view's edges is kept.
    QImage canvas(drawn.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        const QRect view(kMargin * scale, kMargin * scale, kView * scale, kView * scale);
        p.drawImage(view.topLeft(), drawn, view);
    }
    const QRect cut((part.left() + kMargin) * scale, (part.top() + kMargin) * scale,
                    part.width() * scale, part.height() * scale);
    return Flatten(canvas.copy(cut));
}

Cut CutOverlay(const QImage& drawn, QPoint at, SeedRule rule, QPoint fixedSeed, QString* error) {
    // What reaches past the view's edges is never seen: the picture leaves it black.
    QImage canvas(drawn.size(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        const QRect view(kMargin, kMargin, kView, kView);
        p.drawImage(view.topLeft(), drawn, view);
    }
    // The object's extent, in view coordinates.
    int right = at.x(), bottom = at.y();
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (!solid(canvas, x, y)) continue;
            right = std::max(right, x - kMargin + 1);
            bottom = std::max(bottom, y - kMargin + 1);
        }
    }
    // The picture reaches over the whole object, but not past the view's edges.
    const int maxW = kView - at.x(), maxH = kView - at.y();
    const int minW = std::min(right - at.x(), maxW), minH = std::min(bottom - at.y(), maxH);
    const auto seedOf = [&](int w, int h) {
        if (rule == SeedRule::Fixed) return fixedSeed;
        if (rule == SeedRule::BreathCheck) return QPoint(w / 2 - 50, h / 2 - 50);
        return QPoint(w / 2, h / 2);
    };
    for (int sum = minW + minH; sum <= maxW + maxH; ++sum) {
        for (int w = std::max(minW, sum - maxH); w <= std::min(maxW, sum - minH); ++w) {
            const int h = sum - w;
            const QPoint seed = seedOf(w, h);
            if (!deepInside(canvas, at.x() + seed.x() + kMargin, at.y() + seed.y() + kMargin))
                continue;
            const QImage part = canvas.copy(at.x() + kMargin, at.y() + kMargin, w, h);
            return {Flatten(part), seed};
        }
        if (rule == SeedRule::Fixed) break;  // the size does not move a fixed seed
    }
    if (error) {
        *error = QStringLiteral("no size from %1 x %2 to %3 x %4 puts the seed on the object")
                     .arg(minW)
                     .arg(minH)
                     .arg(maxW)
                     .arg(maxH);
    }
    return {};
}

}  // namespace media
