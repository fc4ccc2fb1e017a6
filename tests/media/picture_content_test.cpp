// What the pictures show, compared with the drawing they were cut from: the closed airway hides
// all of the open head it replaces, the bag left on the face has no hands on it while the hands
// of a breath hold the mask, and the hands land on the patient where they belong.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <string>
#include <vector>

#include "art.h"
#include "core/overlay_mask.h"
#include "core/patient_tables.h"
#include "core/picture_files.h"

namespace {

const QDir kMediaFolder(QStringLiteral(ARDENTIX_MEDIA_DIR));

// An overlay as the program loads it: its pixels and, from its seed, where it covers the
// photograph.
struct Overlay {
    QImage image;
    std::vector<uint8_t> mask;  // 0 where it covers
    bool covers(QPoint p) const {
        return image.rect().contains(p) &&
               mask[static_cast<size_t>(p.y()) * static_cast<size_t>(image.width()) +
                    static_cast<size_t>(p.x())] == 0;
    }
};

Overlay loadOverlay(int set, const char* element, bool pediatric, bool bvm, int scale) {
    for (const ardentix::PictureFile& f : ardentix::SetPictureNames(set, pediatric, bvm)) {
        if (f.element != element || !f.seed) continue;
        const std::string name = scale == 1 ? f.path : ardentix::HighDensityName(f.path);
        Overlay o{QImage(kMediaFolder.filePath(QString::fromStdString(name)))
                      .convertToFormat(QImage::Format_RGB32),
                  {}};
        std::vector<uint8_t> black;
        for (int y = 0; y < o.image.height(); ++y) {
            for (int x = 0; x < o.image.width(); ++x)
                black.push_back((o.image.pixel(x, y) & 0xFFFFFF) == 0);
        }
        o.mask = ardentix::OverlayMask(o.image.width(), o.image.height(), black,
                                       ardentix::ScaledSeed(*f.seed, scale));
        return o;
    }
    return {};
}

QPoint placeOf(ardentix::Point p) {
    return {p.left, p.top};
}

// The blue examination gloves of the rescuer, in every shade they are drawn (red a little over
// two fifths of blue); the blue parts of the bag and the mask have less red.
bool glove(QRgb c) {
    return qBlue(c) >= 150 && qBlue(c) - qGreen(c) >= 55 && qRed(c) * 100 >= qBlue(c) * 38 &&
           qRed(c) * 100 <= qBlue(c) * 46;
}

// Glove pixels of an overlay drawn at place, counted inside area (view coordinates).
int glovesIn(const Overlay& o, QPoint place, const QPainterPath& area) {
    int count = 0;
    for (int y = 0; y < o.image.height(); ++y) {
        for (int x = 0; x < o.image.width(); ++x) {
            if (o.covers({x, y}) && glove(o.image.pixel(x, y)) &&
                area.contains(QPointF(place.x() + x + 0.5, place.y() + y + 0.5))) {
                ++count;
            }
        }
    }
    return count;
}

QPainterPath wholeView() {
    QPainterPath all;
    all.addRect(0, 0, media::kView, media::kView);
    return all;
}

// The closed head is the closed scene itself, and it covers every pixel where the photograph's
// open head differs from it, at both sizes: nothing of the open head shows through.
TEST(PictureContent, TheClosedAirwayHidesAllOfTheOpenHead) {
    for (const int scale : {1, ardentix::kHighDensityScale}) {
        for (int set = 0; set < ardentix::kPictureSets; ++set) {
            const media::Person& m = media::PersonOf(set);
            const QImage open = media::Scene(m, true, scale);
            const QImage closed = media::Scene(m, false, scale);
            const Overlay airway = loadOverlay(set, "AIRWAY", false, false, scale);
            ASSERT_FALSE(airway.image.isNull()) << set;
            const QPoint place = placeOf(ardentix::kSetLayouts[static_cast<size_t>(set)].airway);
            const int margin = media::kMargin * scale, side = media::kView * scale;
            int changed = 0, showing = 0, wrong = 0;
            QRect shown;
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    const QRgb before = open.pixel(x + margin, y + margin);
                    const QRgb after = closed.pixel(x + margin, y + margin);
                    if ((before & 0xFFFFFF) == (after & 0xFFFFFF)) continue;
                    ++changed;
                    const QPoint at = QPoint(x, y) - place * scale;
                    if (!airway.covers(at)) {
                        ++showing;
                        shown = shown.united(QRect(x, y, 1, 1));
                        continue;
                    }
                    const QRgb drawn = airway.image.pixel(at);
                    wrong += std::abs(qRed(drawn) - qRed(after)) > 8 ||
                             std::abs(qGreen(drawn) - qGreen(after)) > 8 ||
                             std::abs(qBlue(drawn) - qBlue(after)) > 8;
                }
            }
            EXPECT_GT(changed, 1000 * scale * scale) << "set " << set << ": the head never moves";
            EXPECT_EQ(showing, 0) << "set " << set << " at scale " << scale
                                  << ": pixels of the open head show through, within " << shown.x()
                                  << "," << shown.y() << " " << shown.width() << "x"
                                  << shown.height();
            EXPECT_EQ(wrong, 0) << "set " << set << " at scale " << scale
                                << ": the overlay is not the closed head";
        }
    }
}

// Between breaths and during compressions the bag lies on the face untouched: one rescuer's
// hands are on the chest. During a breath one hand seals the mask and the other squeezes the bag;
// the pocket mask is held with both hands. The hands are on the mask, not beside it.
TEST(PictureContent, HandsAreOnTheMaskOnlyDuringABreath) {
    for (int set = 0; set < ardentix::kPictureSets; ++set) {
        const ardentix::SetLayout& l = ardentix::kSetLayouts[static_cast<size_t>(set)];
        const media::Person& m = media::PersonOf(set);
        const Overlay resting = loadOverlay(set, "BVM", false, true, 1);
        // (A few pixels at the edges of the bag's blue parts look like a glove.)
        EXPECT_LT(glovesIn(resting, placeOf(l.bvm), wholeView()), 60) << "set " << set;
        for (const bool pocket : {true, false}) {
            const Overlay held = loadOverlay(set, "FACEMASK", false, !pocket, 1);
            const QPoint place = placeOf(pocket ? l.faceMask : l.faceMaskBvm);
            const QPainterPath mask =
                media::MaskShape(media::MaskCentre(m), media::MaskSize(m), pocket);
            EXPECT_GT(glovesIn(held, place, wholeView()), pocket ? 3000 : 2500) << "set " << set;
            // The thumbs lie over the rim of the mask, on both sides with the pocket mask.
            QPainterPath left, right;
            left.addRect(0, 0, media::MaskCentre(m).x(), media::kView);
            right.addRect(media::MaskCentre(m).x(), 0, media::kView, media::kView);
            EXPECT_GT(glovesIn(held, place, mask.intersected(left)), 60) << "set " << set;
            if (pocket) {
                EXPECT_GT(glovesIn(held, place, mask.intersected(right)), 60) << "set " << set;
            }
        }
    }
}

// The compressing hands lie on the lower half of the breastbone: the middle of the gloves lies
// between the nipples and the lower end of the breastbone (on the child, whose chest is smaller,
// at or below the nipples), on the middle line, with either technique on the child.
TEST(PictureContent, CompressionsAreOnTheLowerHalfOfTheBreastbone) {
    for (int set = 0; set < ardentix::kPictureSets; ++set) {
        const ardentix::SetLayout& l = ardentix::kSetLayouts[static_cast<size_t>(set)];
        const media::Person& m = media::PersonOf(set);
        // As the body is drawn: nipples 82 pixels below the shoulders, the breastbone's lower end
        // at 104; 0.65 of that on the child.
        const double k = m.child ? 0.65 : 1;
        const double nipples = m.shoulderY + 82 * k, lowerEnd = m.shoulderY + 104 * k;
        for (const bool pediatric : {false, true}) {
            if (pediatric && set != ardentix::kChildSet) continue;
            const Overlay hands = loadOverlay(set, "CPRHAND2", pediatric, false, 1);
            const QPoint place = placeOf(pediatric ? l.cprHandPediatric : l.cprHand);
            QPointF sum;
            int count = 0;
            for (int y = 0; y < hands.image.height(); ++y) {
                for (int x = 0; x < hands.image.width(); ++x) {
                    if (!hands.covers({x, y}) || !glove(hands.image.pixel(x, y))) continue;
                    sum += QPointF(place.x() + x, place.y() + y);
                    ++count;
                }
            }
            ASSERT_GT(count, 1000) << "set " << set;
            const QPointF middle = sum / count;
            const std::string what = "set " + std::to_string(set) + (pediatric ? " small" : "");
            EXPECT_GE(middle.y(), nipples - (m.child ? 0 : 8)) << what << ": too high";
            EXPECT_LE(middle.y(), lowerEnd) << what << ": below the breastbone";
            EXPECT_LT(std::abs(middle.x() - m.cx), m.shoulderHalf * 0.3) << what;
        }
    }
}

// The shaking hands, one picture for every patient, lie on the shoulders: both palms touch the
// body, and so does the far side of the far palm, which does not reach past the shoulder.
TEST(PictureContent, TheShakingHandsLieOnTheShoulders) {
    const auto touches = [](const QPainterPath& body, QPointF p) {
        return body.intersects(QRectF(p - QPointF(6, 6), QSizeF(12, 12)));
    };
    for (int set = 0; set < ardentix::kPictureSets; ++set) {
        const media::Person& m = media::PersonOf(set);
        const QPainterPath body = media::Silhouette(m);
        const QPointF place(ardentix::kSetLayouts[static_cast<size_t>(set)].shake.left,
                            ardentix::kSetLayouts[static_cast<size_t>(set)].shake.top);
        EXPECT_TRUE(touches(body, place + media::ShakeNearPalm())) << "set " << set;
        EXPECT_TRUE(touches(body, place + media::ShakeFarPalm())) << "set " << set;
        EXPECT_TRUE(touches(body, place + media::ShakeFarPalm() + QPointF(12, 0)))
            << "set " << set << ": the far hand reaches past the shoulder";
    }
}

}  // namespace
