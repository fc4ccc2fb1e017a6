// Writes placeholder pictures and sounds under every file name the program reads, until the
// real photographs and recorded prompts are delivered.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <string>

#include "aed/sound_files.h"
#include "core/patient_tables.h"
#include "core/picture_files.h"

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
    if (n.endsWith("aw.bmp")) return QStringLiteral("HEAD");
    if (n.endsWith("br.bmp")) return QStringLiteral("LISTEN");
    if (n.endsWith("bvmd.bmp") || n.endsWith("fm.bmp")) return QStringLiteral("MASK");
    if (n.endsWith("bvm.bmp")) return QStringLiteral("BAG");
    if (n.contains("cpr")) return QStringLiteral("CPR");
    if (n.contains("pls")) return QStringLiteral("PULSE");
    if (n.startsWith("shake")) return QStringLiteral("SHAKE");
    if (n.startsWith("shout")) return QStringLiteral("ARE YOU OK?");
    return QString();
}

// An overlay: its object drawn on black, which the patient view leaves out.
QImage overlay(const QString& name) {
    const QString n = name.toLower();
    QSize size(90, 70);
    QColor colour(230, 200, 170);
    if (n.contains("pad")) {
        size = QSize(120, 90);
        colour = n.contains("padr") ? QColor(210, 40, 40) : QColor(235, 235, 235);
        if (n.contains("padc")) colour = QColor(225, 225, 230);
    } else if (n.contains("bvm")) {
        size = QSize(120, 80);
        colour = QColor(90, 160, 220);
    } else if (n.contains("fm")) {
        colour = QColor(120, 200, 230);
    } else if (n.contains("pls")) {
        colour = QColor(240, 200, 160);
    } else if (n.startsWith("hilight")) {
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
    const bool mask = n.endsWith("m.bmp") && !n.endsWith("fm.bmp") && !n.contains("pt");
    p.setPen(QPen(mask ? Qt::white : colour, 6));
    p.setBrush(Qt::NoBrush);
    if (n.contains("pad")) {
        // A pad on the chest: filled, with its gel showing through.
        p.setBrush(colour);
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.drawRoundedRect(QRectF(20, 8, 60, 74), 12, 12);
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(34, 22, 32, 46), 8, 8);
        return image;
    }
    // A ring leaves the centre black, where the mask of a per-set picture is seeded; a word in it
    // tells the trainee what the picture stands for.
    p.drawEllipse(QRectF(QPointF(6, 6), QSizeF(size.width() - 12, size.height() - 12)));
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, caption(n));
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
        QImage image;
        if (name.endsWith(".jpg", Qt::CaseInsensitive)) {
            image = photograph(name.mid(2, 1).toInt() - 1);
        } else {
            image = overlay(name);
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
