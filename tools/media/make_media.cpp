// Writes placeholder pictures and sounds under every file name the program reads, until the
// real photographs and recorded prompts are delivered.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/patient_tables.h"
#include "core/picture_files.h"
#include "core/sound_files.h"

namespace {

// Each of the seven patients in his own colours; set 3 is the child.
const QColor kShirt[7] = {QColor(70, 90, 160),  QColor(150, 60, 60),  QColor(60, 130, 90),
                          QColor(200, 170, 60), QColor(110, 70, 140), QColor(60, 120, 140),
                          QColor(140, 110, 80)};

QImage photograph(int set) {
    QImage image(425, 425, QImage::Format_RGB32);
    image.fill(QColor(45, 50, 58));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double scale = set == 3 ? 0.75 : 1.0;
    p.translate(212, 40);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(224, 186, 150));
    p.drawEllipse(QPointF(0, 45), 42, 48);  // head, seen from above
    p.drawRoundedRect(QRectF(-150, 125, 40, 210), 18, 18);
    p.drawRoundedRect(QRectF(110, 125, 40, 210), 18, 18);
    p.setBrush(kShirt[set]);
    p.drawRoundedRect(QRectF(-110, 100, 220, 280), 30, 30);  // torso
    p.setBrush(QColor(50, 50, 70));
    p.drawRect(QRectF(-100, 370, 200, 60));
    p.resetTransform();
    // Faint marks where the pads belong, so that the placeholder can be used for practice.
    const ardentix::SetLayout& layout = ardentix::kSetLayouts[static_cast<size_t>(set)];
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2, Qt::DashLine));
    for (const ardentix::Rect& zone : {layout.whiteZone, layout.redZone}) {
        p.drawRoundedRect(
            QRectF(zone.left - layout.pictureOffset, zone.top, zone.width, zone.height), 10, 10);
    }
    return image;
}

// The word written into a placeholder overlay.
QString caption(const QString& n) {
    if (n.endsWith("aw.bmp")) return QStringLiteral("AIRWAY\nCLOSED");
    if (n.endsWith("br.bmp")) return QStringLiteral("LISTEN");
    if (n.endsWith("bvmd.bmp") || n.endsWith("fm.bmp")) return QStringLiteral("MASK");
    if (n.endsWith("bvm.bmp")) return QStringLiteral("BAG");
    if (n.contains("cpr")) return QStringLiteral("CPR");
    if (n.contains("pls")) return QStringLiteral("PULSE");
    if (n.startsWith("shake")) return QStringLiteral("SHAKE");
    if (n.startsWith("shout")) return QStringLiteral("ARE YOU OK?");
    return QString();
}

// Where a body part lies in the view of set k: the photograph's drawing above, shifted by the
// picture's offset (the child is drawn smaller).
QPointF bodyPoint(int set, QPointF part) {
    const double scale = set == 3 ? 0.75 : 1.0;
    const ardentix::SetLayout& l = ardentix::kSetLayouts[static_cast<size_t>(set)];
    return {212 + part.x() * scale + l.pictureOffset, 40 + part.y() * scale};
}

QPointF centre(const ardentix::Rect& r) {
    return {r.left + r.width / 2.0, r.top + r.height / 2.0};
}

struct Placement {
    QPointF at;      // where the overlay is drawn, in the view
    QPointF target;  // where its object belongs, in the view
    QColor colour;
    bool pad = false;
};

// What a per-set overlay shows and where: its object is drawn where it belongs on the patient.
Placement placement(const QString& n, int set, bool pediatricHands) {
    const ardentix::SetLayout& l = ardentix::kSetLayouts[static_cast<size_t>(set)];
    const auto pt = [](ardentix::Point p) { return QPointF(p.left, p.top); };
    const QColor skin(255, 140, 50);  // the rescuer: orange, to be seen on skin and shirt
    if (n.endsWith("aw.bmp")) return {pt(l.airway), bodyPoint(set, {0, 45}), skin};
    if (n.endsWith("br.bmp")) return {pt(l.breathcheck), bodyPoint(set, {0, 80}), skin};
    if (n.endsWith("bvmd.bmp"))
        return {pt(l.faceMaskBvm), bodyPoint(set, {0, 70}), QColor(120, 200, 230)};
    if (n.endsWith("fm.bmp"))
        return {pt(l.faceMask), bodyPoint(set, {0, 70}), QColor(120, 200, 230)};
    if (n.endsWith("bvm.bmp")) return {pt(l.bvm), bodyPoint(set, {0, 40}), QColor(90, 160, 220)};
    if (n.contains("cpr")) {
        return {pt(pediatricHands ? l.cprHandPediatric : l.cprHand), bodyPoint(set, {0, 200}),
                skin};
    }
    if (n.contains("pls")) return {pt(l.pulseHand), bodyPoint(set, {35, 105}), skin};
    if (n.contains("padc"))
        return {pt(l.padCurved), centre(l.redZone), QColor(225, 225, 230), true};
    if (n.contains("padr")) return {pt(l.padRed2), centre(l.whiteZone), QColor(210, 40, 40), true};
    return {pt(l.padWhite2), centre(l.whiteZone), QColor(235, 235, 235), true};
}

QImage setOverlay(const QString& n, int set) {
    const Placement place = placement(n, set, n.endsWith("cpr1.bmp"));
    const QSizeF object = place.pad ? QSizeF(60, 76) : QSizeF(84, 64);
    // The object's top-left within the picture; an overlay cannot reach left of or above itself.
    const QPointF corner(std::max(0.0, place.target.x() - place.at.x() - object.width() / 2),
                         std::max(0.0, place.target.y() - place.at.y() - object.height() / 2));
    QImage image(int(corner.x() + object.width()) + 2, int(corner.y() + object.height()) + 2,
                 QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(corner, object);
    if (place.pad) {
        p.setBrush(place.colour);
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.drawRoundedRect(box, 12, 12);
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(box.adjusted(14, 14, -14, -14), 8, 8);
        return image;
    }
    p.setPen(QPen(place.colour, 5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(box);
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(box, Qt::AlignCenter, caption(n));
    return image;
}

// The pictures common to every set: the highlight, the shake and the shout, each with its mask.
QImage commonOverlay(const QString& n) {
    const bool mask = n.endsWith("m.bmp");
    QSize size(90, 70);
    QColor colour(230, 200, 170);
    if (n.startsWith("hilight")) {
        size = QSize(80, 80);
        colour = QColor(255, 255, 0);
    } else if (n.startsWith("shout")) {
        size = QSize(120, 50);
        colour = QColor(255, 255, 255);
    }
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(mask ? Qt::white : colour, 5));
    p.drawEllipse(QRectF(QPointF(6, 6), QSizeF(size.width() - 12, size.height() - 12)));
    if (!mask) {
        QFont f = p.font();
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, caption(n));
    }
    return image;
}

void writeTone(const QString& path, double frequency) {
    const int rate = 22050;
    const int samples = rate * 3 / 10;
    QByteArray data;
    data.resize(samples * 2);
    for (int i = 0; i < samples; ++i) {
        const double envelope = std::min(1.0, std::min(i, samples - i) / 400.0);
        const auto value =
            static_cast<qint16>(8000 * envelope * std::sin(2 * M_PI * frequency * i / rate));
        qToLittleEndian(value, data.data() + 2 * i);
    }
    QByteArray header(44, 0);
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, header.data() + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, header.data() + at); };
    header.replace(0, 4, "RIFF");
    put32(4, 36 + data.size());
    header.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, 1);  // PCM
    put16(22, 1);  // mono
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    header.replace(36, 4, "data");
    put32(40, data.size());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(header + data);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-media DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(".")) return 1;
    int failures = 0;
    for (const std::string& file : ardentix::AllPictureFileNames()) {
        const QString name = QString::fromStdString(file);
        const QString lower = name.toLower();
        const int set = lower.startsWith("pt") ? lower.mid(2, 1).toInt() - 1 : -1;
        QImage image;
        if (lower.endsWith(".jpg")) {
            image = photograph(set);
        } else if (set >= 0) {
            image = setOverlay(lower, set);
        } else {
            image = commonOverlay(lower);
        }
        if (!image.save(dir.filePath(name),
                        name.endsWith(".jpg", Qt::CaseInsensitive) ? "JPG" : "BMP")) {
            std::fprintf(stderr, "make-media: cannot write %s\n", file.c_str());
            ++failures;
        }
    }
    double frequency = 440;
    for (const std::string& file : ardentix::AllSoundFileNames()) {
        writeTone(dir.filePath(QString::fromStdString(file)), frequency);
        frequency *= 1.06;
    }
    return failures == 0 ? 0 : 1;
}
