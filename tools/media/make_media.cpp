// Writes the patient pictures under every file name the program reads, drawn by our own
// generator (see art.h), and placeholder sounds. With --preview it also composes contact sheets
// of every set as the program shows them.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "art.h"
#include "core/sound_files.h"

namespace {

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
    if (argc == 3 && std::string(argv[1]) == "--preview")
        return media::WritePreview(QString::fromLocal8Bit(argv[2]));
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-media DIR | make-media --preview OUTDIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(".")) return 1;
    const int failures = media::WritePictures(dir.path());
    double frequency = 440;
    for (const std::string& file : ardentix::AllSoundFileNames()) {
        writeTone(dir.filePath(QString::fromStdString(file)), frequency);
        frequency *= 1.06;
    }
    return failures == 0 ? 0 : 1;
}
