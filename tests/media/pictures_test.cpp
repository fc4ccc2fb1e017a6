// The build's pictures: every file the program reads is there and decodes, with its copy for
// high-density screens at twice the size; every per-set overlay covers only its object inside the
// view when the program fills the black around its seed point, in both sizes; and the generator
// writes the same bytes on every run.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <vector>

#include "core/elements.h"
#include "core/patient_tables.h"
#include "core/picture_files.h"

namespace {

const QDir kMedia(QStringLiteral(ARDENTIX_MEDIA_DIR));

QImage load(const std::string& name) {
    return QImage(kMedia.filePath(QString::fromStdString(name)));
}

bool black(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFF) == 0;
}

// The pixels a per-set picture covers: every non-black one and the black area around the seed.
std::vector<QPoint> covered(const QImage& image, QPoint seed) {
    std::vector<char> cover(static_cast<size_t>(image.width() * image.height()), 0);
    const auto at = [&](QPoint p) -> char& {
        return cover[static_cast<size_t>(p.y() * image.width() + p.x())];
    };
    std::vector<QPoint> todo;
    if (image.rect().contains(seed) && black(image, seed.x(), seed.y())) todo.push_back(seed);
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        if (!image.rect().contains(p) || at(p) || !black(image, p.x(), p.y())) continue;
        at(p) = 1;
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            todo.push_back(p + d);
    }
    std::vector<QPoint> result;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (cover[static_cast<size_t>(y * image.width() + x)] || !black(image, x, y))
                result.emplace_back(x, y);
        }
    }
    return result;
}

struct Placed {
    std::string file;
    QPoint at;
    QPoint seed;  // -1 for the middle of the picture; (-2, -2) the breathing check's
};

// Every per-set overlay at every place the patient view draws it.
std::vector<Placed> placedOverlays() {
    std::vector<Placed> all;
    for (int set = 0; set < ardentix::kPictureSets; ++set) {
        const ardentix::SetLayout& l = ardentix::kSetLayouts[static_cast<size_t>(set)];
        const auto pt = [](ardentix::Point p) { return QPoint(p.left, p.top); };
        for (const bool pediatric : {false, true}) {
            for (const bool bvm : {false, true}) {
                for (const auto& f : ardentix::SetPictureNames(set, pediatric, bvm)) {
                    const std::string& e = f.element;
                    const QPoint middle(-1, -1);
                    if (e == "AIRWAY") all.push_back({f.path, pt(l.airway), middle});
                    if (e == "Breathcheck") all.push_back({f.path, pt(l.breathcheck), {-2, -2}});
                    if (e == "BVM") all.push_back({f.path, pt(l.bvm), middle});
                    if (e == "CPRHAND2") {
                        const bool small = pediatric && set == ardentix::kChildSet;
                        all.push_back({f.path, pt(small ? l.cprHandPediatric : l.cprHand), middle});
                    }
                    if (e == "FACEMASK")
                        all.push_back({f.path, pt(bvm ? l.faceMaskBvm : l.faceMask), middle});
                    if (e == "PULSEHAND") all.push_back({f.path, pt(l.pulseHand), middle});
                    if (e == "PADCurved") all.push_back({f.path, pt(l.padCurved), {30, 30}});
                    if (e == "PADWHITE2") all.push_back({f.path, pt(l.padWhite2), {60, 40}});
                    if (e == "PADRED2") {  // its own place, and the white pad's when swapped
                        all.push_back({f.path, pt(l.padRed2), {60, 40}});
                        all.push_back({f.path, pt(l.padWhite2), {60, 40}});
                    }
                }
            }
        }
    }
    return all;
}

TEST(Pictures, EveryFileIsThereAndDecodes) {
    constexpr int dense = ardentix::kHighDensityScale;
    for (const std::string& name : ardentix::AllPictureFileNames()) {
        const QImage image = load(name);
        ASSERT_FALSE(image.isNull()) << name;
        if (QString::fromStdString(name).endsWith(".jpg", Qt::CaseInsensitive)) {
            EXPECT_EQ(image.size(), QSize(ardentix::kPatientViewSize, ardentix::kPatientViewSize))
                << name;
        }
        const std::string denseName = ardentix::HighDensityName(name);
        const QImage copy = load(denseName);
        ASSERT_FALSE(copy.isNull()) << denseName;
        EXPECT_EQ(copy.size(), image.size() * dense) << denseName;
    }
}

TEST(Pictures, HighDensityNamesKeepTheStemAndMarkTheScale) {
    EXPECT_EQ(ardentix::HighDensityName("PT1.jpg"), "PT1@2x.jpg");
    EXPECT_EQ(ardentix::HighDensityName("PT2.JPG"), "PT2@2x.JPG");
    EXPECT_EQ(ardentix::HighDensityName("pt1aw.BMP"), "pt1aw@2x.png");
    EXPECT_EQ(ardentix::HighDensityName("SHAKEm.BMP"), "SHAKEm@2x.png");
    EXPECT_EQ(ardentix::HighDensityName("noext"), "noext@2x.png");
}

// At both sizes: the seed lies on the object and nothing outside the view is covered.
TEST(Pictures, OverlaysCoverTheirObjectInsideTheView) {
    const std::vector<Placed> all = placedOverlays();
    ASSERT_GE(all.size(), 7u * 11u);
    for (const int scale : {1, ardentix::kHighDensityScale}) {
        for (const Placed& o : all) {
            const std::string file = scale == 1 ? o.file : ardentix::HighDensityName(o.file);
            const QImage image = load(file);
            ASSERT_FALSE(image.isNull()) << file;
            const QPoint middle(image.width() / 2, image.height() / 2);
            QPoint seed = o.seed * scale;
            if (o.seed == QPoint(-1, -1)) seed = middle;
            if (o.seed == QPoint(-2, -2)) seed = middle - QPoint(50, 50) * scale;
            ASSERT_TRUE(image.rect().contains(seed)) << file;
            EXPECT_FALSE(black(image, seed.x(), seed.y())) << file << " seed on the background";
            const int side = ardentix::kPatientViewSize * scale;
            const QRect view(0, 0, side, side);
            for (const QPoint& p : covered(image, seed))
                ASSERT_TRUE(view.contains(o.at * scale + p)) << file << " covers outside the view";
        }
    }
}

// The larger copy covers the same part of the view as the picture: each pixel of the picture
// matches the four of the copy that lie on it, but at the edges of the object.
TEST(Pictures, HighDensityCopiesCoverWhatTheirPictureCovers) {
    constexpr int dense = ardentix::kHighDensityScale;
    for (const Placed& o : placedOverlays()) {
        const QImage image = load(o.file);
        const QImage copy = load(ardentix::HighDensityName(o.file));
        ASSERT_EQ(copy.size(), image.size() * dense) << o.file;
        int differ = 0, shown = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                int inCopy = 0;
                for (int k = 0; k < dense * dense; ++k)
                    inCopy += !black(copy, x * dense + k % dense, y * dense + k / dense);
                const bool here = !black(image, x, y);
                shown += here;
                differ += here != (2 * inCopy >= dense * dense);
            }
        }
        ASSERT_GT(shown, 0) << o.file;
        EXPECT_LT(differ * 20, shown) << o.file << ": " << differ << " of " << shown;
    }
}

TEST(Pictures, MasksMatchTheirPictures) {
    for (const char* name : {"HILIGHT", "SHAKE", "SHOUT"}) {
        const QImage picture = load(std::string(name) + ".BMP");
        const QImage mask = load(std::string(name) + "m.BMP");
        ASSERT_EQ(picture.size(), mask.size()) << name;
        int shown = 0;
        for (int y = 0; y < mask.height(); ++y) {
            for (int x = 0; x < mask.width(); ++x) {
                const QRgb m = mask.pixel(x, y) & 0xFFFFFF;
                ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << name;
                // Where the mask shows the picture, the picture has its object.
                if (m == 0) {
                    EXPECT_FALSE(black(picture, x, y)) << name << " " << x << "," << y;
                }
                shown += m == 0;
            }
        }
        EXPECT_GT(shown, 0) << name;
        EXPECT_LT(shown, mask.width() * mask.height()) << name;
    }
}

TEST(Pictures, TheGeneratorWritesTheSameBytesAgain) {
    QTemporaryDir again;
    ASSERT_TRUE(again.isValid());
    QProcess run;
    run.start(QStringLiteral(MAKE_MEDIA), {again.path()});
    ASSERT_TRUE(run.waitForFinished(300000));  // both sizes of every picture
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    for (const std::string& picture : ardentix::AllPictureFileNames()) {
        for (const std::string& name : {picture, ardentix::HighDensityName(picture)}) {
            QFile first(kMedia.filePath(QString::fromStdString(name)));
            QFile second(QDir(again.path()).filePath(QString::fromStdString(name)));
            ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly))
                << name;
            EXPECT_TRUE(first.readAll() == second.readAll()) << name;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
