// Writes the patient pictures under every file name the program reads, drawn by our own
// generator (see art.h); the sounds are made beside them by make_sounds.sh. With --preview it
// also composes contact sheets of every set as the program shows them.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "art.h"

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
    return media::WritePictures(dir.path()) == 0 ? 0 : 1;
}
