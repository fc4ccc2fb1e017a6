// Every picture file the program reads, by its name: the photographs, the per-set overlays cut to
// the size that puts their seed point on the object, and the common pictures with their masks.
#include <QDir>
#include <cstdio>

#include "art.h"
#include "core/patient_tables.h"
#include "core/picture_files.h"

namespace media {

namespace {

struct Kind {
    Overlay overlay;
    ardentix::Point at;
    SeedRule rule;
    QPoint seed;
};

Kind kindOf(const QString& lower, int set) {
    const ardentix::SetLayout& l = ardentix::kSetLayouts[static_cast<size_t>(set)];
    const QPoint none;
    if (lower.endsWith("aw.bmp")) return {Overlay::Airway, l.airway, SeedRule::Centre, none};
    if (lower.endsWith("br.bmp"))
        return {Overlay::Breath, l.breathcheck, SeedRule::BreathCheck, none};
    if (lower.endsWith("bvmd.bmp"))
        return {Overlay::BagMask, l.faceMaskBvm, SeedRule::Centre, none};
    if (lower.endsWith("fm.bmp")) return {Overlay::PocketMask, l.faceMask, SeedRule::Centre, none};
    if (lower.endsWith("bvm.bmp")) return {Overlay::Bag, l.bvm, SeedRule::Centre, none};
    if (lower.endsWith("cpr1.bmp"))
        return {Overlay::CprChild, l.cprHandPediatric, SeedRule::Centre, none};
    if (lower.endsWith("cpr.bmp")) return {Overlay::Cpr, l.cprHand, SeedRule::Centre, none};
    if (lower.endsWith("pls.bmp")) return {Overlay::Pulse, l.pulseHand, SeedRule::Centre, none};
    if (lower.endsWith("padc.bmp")) return {Overlay::Side, l.padCurved, SeedRule::Fixed, {30, 30}};
    if (lower.endsWith("padr.bmp")) return {Overlay::Red, l.padRed2, SeedRule::Fixed, {60, 40}};
    return {Overlay::White, l.padWhite2, SeedRule::Fixed, {60, 40}};
}

QImage commonPicture(const QString& lower, int scale) {
    QImage image;
    if (lower.startsWith("hilight")) image = Highlight(scale);
    if (lower.startsWith("shake")) image = ShakeHands(scale);
    if (lower.startsWith("shout")) image = ShoutBubble(scale);
    return lower.endsWith("m.bmp") ? MaskOf(image) : Flatten(image);
}

bool save(const QImage& image, const QString& path, bool jpeg) {
    const char* format = jpeg ? "JPG" : path.endsWith(".png", Qt::CaseInsensitive) ? "PNG" : "BMP";
    return !image.isNull() && image.save(path, format, jpeg ? 90 : -1);
}

}  // namespace

QImage PictureFor(const QString& lower, QString* error, int scale) {
    const int set = lower.startsWith("pt") ? lower.mid(2, 1).toInt() - 1 : -1;
    if (set < 0) return commonPicture(lower, scale);
    if (lower.endsWith(".jpg")) return Photograph(set, scale);
    const Person& m = PersonOf(set);
    const Kind k = kindOf(lower, set);
    const auto draw = [&](int at) {
        return ObjectCanvas([&](QPainter& p) { DrawOverlay(p, m, k.overlay, at); }, at);
    };
    // The size is found at the view's own scale; a larger copy shows the same part of the view.
    const QPoint at(k.at.left, k.at.top);
    const QImage cut = CutOverlay(draw(1), at, k.rule, k.seed, error).image;
    if (scale == 1 || cut.isNull()) return cut;
    return CutScaled(draw(scale), QRect(at, cut.size()), scale);
}

int WritePictures(const QString& dirName) {
    const QDir dir(dirName);
    if (!dir.mkpath(".")) return 1;
    int failures = 0;
    for (const std::string& file : ardentix::AllPictureFileNames()) {
        const QString name = QString::fromStdString(file);
        const QString dense = QString::fromStdString(ardentix::HighDensityName(file));
        const bool jpeg = name.endsWith(".jpg", Qt::CaseInsensitive);
        QString error;
        if (!save(PictureFor(name.toLower(), &error), dir.filePath(name), jpeg) ||
            !save(PictureFor(name.toLower(), &error, ardentix::kHighDensityScale),
                  dir.filePath(dense), jpeg)) {
            std::fprintf(stderr, "make-media: cannot write %s %s\n", file.c_str(),
                         qPrintable(error));
            ++failures;
        }
    }
    return failures;
}

}  // namespace media
