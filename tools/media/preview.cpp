// Contact sheets: for each set, the view as the program composes it in each step of a scenario,
// from the files just written.
#include <QDir>
#include <QFont>
#include <cstdio>
#include <vector>

#include "art.h"
#include "core/element_names.h"
#include "core/patient_tables.h"
#include "core/picture_files.h"

namespace media {

namespace {

QImage load(const QDir& dir, const std::string& name) {
    return QImage(dir.filePath(QString::fromStdString(name))).convertToFormat(QImage::Format_RGB32);
}

// Where the program starts its fill of the black around a per-set picture.
QPoint seedOf(const std::string& name, QSize size) {
    const QString n = QString::fromStdString(name).toLower();
    if (n.endsWith("padw.bmp") || n.endsWith("padr.bmp")) return {60, 40};
    if (n.endsWith("padc.bmp")) return {30, 30};
    if (n.endsWith("br.bmp")) return {size.width() / 2 - 50, size.height() / 2 - 50};
    return {size.width() / 2, size.height() / 2};
}

class View {
  public:
    View(const QDir& dir, int set, bool bvm, bool pediatric)
        : dir_(dir), files_(ardentix::SetPictureNames(set, pediatric, bvm)) {}

    const std::string& file(ardentix::El element) const {
        for (const ardentix::PictureFile& f : files_) {
            if (f.element == ardentix::NameOf(element)) return f.path;
        }
        return files_.front().path;
    }
    // A per-set overlay: what the program's fill leaves covered.
    void overlay(QImage& view, ardentix::El element, QPoint at) const {
        const QImage flat = load(dir_, file(element));
        const QImage cover = CoverOf(flat, seedOf(file(element), flat.size()));
        for (int y = 0; y < flat.height(); ++y) {
            for (int x = 0; x < flat.width(); ++x) {
                if (view.rect().contains(at.x() + x, at.y() + y) && qGray(cover.pixel(x, y)))
                    view.setPixel(at.x() + x, at.y() + y, flat.pixel(x, y));
            }
        }
    }

  private:
    QDir dir_;
    std::vector<ardentix::PictureFile> files_;
};

// A common picture, through its mask: files named after its element.
void masked(const QDir& dir, QImage& view, ardentix::El element, QPoint at) {
    const std::string name(ardentix::NameOf(element));
    const QImage picture = load(dir, std::string(name) + ".BMP");
    const QImage mask = load(dir, std::string(name) + "m.BMP");
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (view.rect().contains(at.x() + x, at.y() + y) && qGray(mask.pixel(x, y)) < 128)
                view.setPixel(at.x() + x, at.y() + y, picture.pixel(x, y));
        }
    }
}

QPoint pt(ardentix::Point p) {
    return {p.left, p.top};
}

}  // namespace

int WritePreview(const QString& outDir) {
    const QDir out(outDir);
    if (WritePictures(out.filePath("media")) != 0) return 1;
    const QDir dir(out.filePath("media"));
    for (int set = 0; set < ardentix::kPictureSets; ++set) {
        const ardentix::SetLayout& l = ardentix::kSetLayouts[static_cast<size_t>(set)];
        const View bag(dir, set, true, false), pocket(dir, set, false, false);
        const View small(dir, set, false, set == ardentix::kChildSet);
        QImage base(kView, kView, QImage::Format_RGB32);
        base.fill(Qt::black);
        {
            QPainter p(&base);
            p.drawImage(l.pictureOffset, 0, load(dir, bag.file(ardentix::El::PATIENTGraphic)));
        }
        std::vector<std::pair<QString, QImage>> panels;
        const auto add = [&](const QString& title, const std::function<void(QImage&)>& f) {
            QImage v = base;
            f(v);
            panels.emplace_back(title, v);
        };
        add("plain", [](QImage&) {});
        add("airway closed",
            [&](QImage& v) { bag.overlay(v, ardentix::El::AIRWAY, pt(l.airway)); });
        add("shake + shout", [&](QImage& v) {
            bag.overlay(v, ardentix::El::AIRWAY, pt(l.airway));
            masked(dir, v, ardentix::El::SHAKE, pt(l.shake));
            masked(dir, v, ardentix::El::SHOUT, {0, 12});
        });
        add("breathing check",
            [&](QImage& v) { bag.overlay(v, ardentix::El::Breathcheck, pt(l.breathcheck)); });
        add("bag on the face", [&](QImage& v) { bag.overlay(v, ardentix::El::BVM, pt(l.bvm)); });
        add("bag breath",
            [&](QImage& v) { bag.overlay(v, ardentix::El::FACEMASK, pt(l.faceMaskBvm)); });
        add("pocket mask breath",
            [&](QImage& v) { pocket.overlay(v, ardentix::El::FACEMASK, pt(l.faceMask)); });
        add("CPR hands", [&](QImage& v) { bag.overlay(v, ardentix::El::CPRHAND2, pt(l.cprHand)); });
        add("CPR, bag on the face", [&](QImage& v) {
            bag.overlay(v, ardentix::El::BVM, pt(l.bvm));
            bag.overlay(v, ardentix::El::CPRHAND2, pt(l.cprHand));
        });
        add("CPR small child",
            [&](QImage& v) { small.overlay(v, ardentix::El::CPRHAND2, pt(l.cprHandPediatric)); });
        add("pulse check",
            [&](QImage& v) { bag.overlay(v, ardentix::El::PULSEHAND, pt(l.pulseHand)); });
        add("pads on", [&](QImage& v) {
            bag.overlay(v, ardentix::El::PADWHITE2, pt(l.padWhite2));
            bag.overlay(v, ardentix::El::PADCurved, pt(l.padCurved));
        });
        add("pads swapped", [&](QImage& v) {
            bag.overlay(v, ardentix::El::PADCurved, pt(l.padCurved));
            bag.overlay(v, ardentix::El::PADRED2, pt(l.padWhite2));
        });
        add("guide: white pad", [&](QImage& v) {
            masked(dir, v, ardentix::El::HILIGHT, {l.whiteZone.left + 18, l.whiteZone.top - 72});
        });
        add("guide: red pad", [&](QImage& v) {
            bag.overlay(v, ardentix::El::PADWHITE2, pt(l.padWhite2));
            masked(dir, v, ardentix::El::HILIGHT, {l.redZone.left + 12, l.redZone.top - 80});
        });
        const int columns = 4, label = 22, gap = 6;
        const int rows = (static_cast<int>(panels.size()) + columns - 1) / columns;
        QImage sheet(columns * (kView + gap), rows * (kView + label + gap), QImage::Format_RGB32);
        sheet.fill(QColor(40, 40, 40));
        QPainter p(&sheet);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(15);
        p.setFont(font);
        p.setPen(Qt::white);
        for (size_t i = 0; i < panels.size(); ++i) {
            const int x = static_cast<int>(i) % columns * (kView + gap);
            const int y = static_cast<int>(i) / columns * (kView + label + gap);
            p.drawText(x + 4, y + 16, QString("set %1: %2").arg(set).arg(panels[i].first));
            p.drawImage(x, y + label, panels[i].second);
        }
        p.end();
        if (!sheet.save(out.filePath(QString("set%1.png").arg(set)))) return 1;
    }
    return 0;
}

}  // namespace media
