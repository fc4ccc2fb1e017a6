#include "ui/qt_ports.h"

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QTime>

#include "core/dates.h"
#include "core/files.h"
#include "core/overlay_mask.h"
#include "core/picture_files.h"
#include "ui/lazy_printer.h"
#include "ui/module_loader.h"
#include "ui/modules/module_api.h"

namespace ardentix::ui {

int64_t QtClock::MillisSinceMidnight() {
    return QTime::currentTime().msecsSinceStartOfDay();
}

Date QtClock::Today() {
    const QDate d = QDate::currentDate();
    return {d.year(), d.month(), d.day()};
}

std::string QtClock::ShortDate() {
    // Numeric whatever the locale spells, so that the date holds its 8 columns: "d MMM yyyy"
    // would give "7 Dec 2026".
    return NumericShortDate(QLocale().dateFormat(QLocale::ShortFormat).toStdString(), Today());
}

std::string QtClock::LongTime() {
    // The long format carries a time zone ("7:34:52 AM UTC") that nobody expects on a clock.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return QLocale().toString(QTime::currentTime(), format.trimmed()).toStdString();
}

int QtClock::UtcOffsetMinutes() {
    return QDateTime::currentDateTime().offsetFromUtc() / 60;
}

QtSound::QtSound(std::string programDir) : programDir_(std::move(programDir)) {}

QtSound::~QtSound() = default;

bool QtSound::Play(const std::string& name) {
    if (!ProgramFileExists(programDir_, name)) return false;
    const QString path = QString::fromStdString(ProgramFile(programDir_, name));
    if (!QFileInfo(path).isReadable()) return false;
    if (SoundPlayer* p = player()) p->Play(path);
    return true;
}

void QtSound::Stop() {
    if (player_) player_->Stop();
}

SoundPlayer* QtSound::player() {
    // The sound system starts up at the first sound, not before the main menu. Without the
    // sound module the program is silent, as on a machine without an audio device.
    if (!player_) {
        if (auto make = ModuleFunction<decltype(&ArdentixNewSoundPlayer)>(
                "ardentix_sound", "ArdentixNewSoundPlayer", nullptr))
            player_.reset(make());
    }
    return player_.get();
}

QWidget* QtDialogs::boxOwner() const {
    if (QWidget* waiting = QApplication::activeModalWidget()) return waiting;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_;
}

namespace {

// The window a box belongs to: it gets the keyboard back when the box closes, whether a window
// manager would give it back or not.
class BoxOwner {
  public:
    explicit BoxOwner(QWidget* window) : window_(window) {}
    ~BoxOwner() {
        if (window_ && window_->isVisible()) window_->activateWindow();
    }
    BoxOwner(const BoxOwner&) = delete;
    BoxOwner& operator=(const BoxOwner&) = delete;
    QWidget* get() const { return window_; }

  private:
    QPointer<QWidget> window_;
};

}  // namespace

BoxAnswer QtDialogs::Message(BoxKind kind, BoxButtons buttons, const std::string& text) {
    const BoxOwner owner(boxOwner());
    QMessageBox box(owner.get());
    box.setWindowTitle(QStringLiteral("Ardentix"));
    box.setText(QString::fromStdString(text));
    switch (kind) {
        case BoxKind::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case BoxKind::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case BoxKind::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case BoxKind::Confirmation:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (buttons) {
        case BoxButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case BoxButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case BoxButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Cancel:
            return BoxAnswer::Cancel;
        case QMessageBox::Yes:
            return BoxAnswer::Yes;
        case QMessageBox::No:
            return BoxAnswer::No;
        default:
            return BoxAnswer::Ok;
    }
}

std::optional<std::string> QtDialogs::Input(const std::string& caption, const std::string& prompt,
                                            const std::string& initial) {
    bool ok = false;
    const BoxOwner owner(boxOwner());
    const QString text = QInputDialog::getText(owner.get(), QString::fromStdString(caption),
                                               QString::fromStdString(prompt), QLineEdit::Normal,
                                               QString::fromStdString(initial), &ok);
    if (!ok) return std::nullopt;
    return text.toStdString();
}

std::optional<std::string> QtDialogs::OpenFile(const std::string& filterName,
                                               const std::string& pattern, const std::string&) {
    // The pattern is matched in both cases, as the report files are named either way.
    const QString glob = QString::fromStdString(pattern);
    const QString filter =
        QStringLiteral("%1 (%2 %3)").arg(QString::fromStdString(filterName), glob, glob.toLower());
    const BoxOwner owner(boxOwner());
    const QString file = QFileDialog::getOpenFileName(owner.get(), QStringLiteral("Open"),
                                                      QDir::currentPath(), filter);
    if (file.isEmpty()) return std::nullopt;
    return file.toStdString();
}

std::optional<Font> QtDialogs::ChooseFont(const Font& initial) {
    bool ok = false;
    QFont start(QString::fromStdString(initial.family));
    start.setPointSize(initial.pointSize);
    const BoxOwner owner(boxOwner());
    const QFont chosen = QFontDialog::getFont(&ok, start, owner.get());
    if (!ok) return std::nullopt;
    return Font{chosen.family().toStdString(), chosen.pointSize()};
}

std::optional<std::string> QtDialogs::SaveFile(
    const std::string& title, const std::string& filterName, const std::string& pattern,
    const std::string& defaultExtension, const std::string& dir, const std::string& proposedName) {
    const BoxOwner owner(boxOwner());
    QFileDialog dialog(owner.get(), QString::fromStdString(title), QString::fromStdString(dir));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("%1 (%2)").arg(QString::fromStdString(filterName),
                                                         QString::fromStdString(pattern)),
                           QStringLiteral("All files (*.*)")});
    QString suffix = QString::fromStdString(defaultExtension);
    if (suffix.startsWith(QLatin1Char('.'))) suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(QString::fromStdString(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

bool QtDialogs::ChoosePrinter() {
    const BoxOwner owner(boxOwner());
    return printer_ && printer_->Choose(owner.get());
}

namespace {

// The picture, transparent where its mask picture is white: only where the mask is black does
// it cover the photograph.
QImage masked(const QImage& picture, const QImage& mask) {
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    // Read line by line, not pixel by pixel: the masks are made while the program starts.
    const QImage rgb = mask.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* maskLine =
            y < rgb.height() ? reinterpret_cast<const QRgb*>(rgb.constScanLine(y)) : nullptr;
        for (int x = 0; x < image.width(); ++x) {
            const bool covers = maskLine && x < rgb.width() && qGray(maskLine[x]) < 128;
            if (!covers) line[x] = 0;
        }
    }
    return image;
}

// The mask an overlay's own picture gives from its seed.
QImage seededMask(const QImage& picture, const MaskSeed& seed) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    std::vector<uint8_t> black(static_cast<size_t>(rgb.width()) *
                               static_cast<size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            black[static_cast<size_t>(y) * static_cast<size_t>(rgb.width()) +
                  static_cast<size_t>(x)] = (line[x] & 0x00ffffff) == 0;
    }
    const std::vector<uint8_t> mask = OverlayMask(rgb.width(), rgb.height(), black, seed);
    QImage image(rgb.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x)
            line[x] = mask[static_cast<size_t>(y) * static_cast<size_t>(image.width()) +
                           static_cast<size_t>(x)]
                          ? 255
                          : 0;
    }
    return image;
}

// A picture file read by the reader its name calls for: guessing the format from the contents
// would first load every image plugin Qt has, before the main menu is up. A file whose name does
// not tell its format is still read by its contents.
QImage readPicture(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const char* format = suffix == QLatin1String("bmp") ? "bmp"
                         : suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")
                             ? "jpeg"
                             : nullptr;
    if (format) {
        QImageReader reader(path, format);
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull()) return image;
    }
    return QImage(path);
}

// The larger copy of a picture file, looked up beside it without regard to case; empty when there
// is none.
QString densePath(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    const std::string dir = file.path().toStdString();
    const std::string name = HighDensityName(file.fileName().toStdString());
    return ProgramFileExists(dir, name) ? QString::fromStdString(ProgramFile(dir, name))
                                        : QString();
}

}  // namespace

std::optional<std::string> QtPictures::Load(const std::vector<PictureFile>& files) {
    for (const PictureFile& f : files) {
        const QImage image = readPicture(QString::fromStdString(f.path));
        if (image.isNull()) return f.path;
        QString element = QString::fromStdString(f.element);
        if (element.endsWith(QLatin1String(".mask"))) {
            // A mask file of its own, for the picture loaded before it.
            element.chop(5);
            pictures_.insert(element, masked(pictures_.value(element), image));
            DenseSource& source = denseSources_[element];
            source.maskFile = true;
            source.maskPath = f.path;
        } else {
            pictures_.insert(element, f.seed ? masked(image, seededMask(image, *f.seed)) : image);
            denseSources_.insert(element, {f.path, f.seed, false, {}, image.size()});
        }
        dense_.remove(element);
    }
    return std::nullopt;
}

QImage QtPictures::loadDense(const DenseSource& source) const {
    const QString path = densePath(source.path);
    const QString maskPath = source.maskFile ? densePath(source.maskPath) : QString();
    if (path.isEmpty() || (source.maskFile && maskPath.isEmpty())) return {};
    QImage copy(path);
    if (copy.size() != source.size * kHighDensityScale) return {};  // not a copy of this picture
    if (source.maskFile) {
        const QImage mask(maskPath);
        if (mask.size() != copy.size()) return {};
        copy = masked(copy, mask);
    } else if (source.seed) {
        copy = masked(copy, seededMask(copy, ScaledSeed(*source.seed, kHighDensityScale)));
    }
    copy.setDevicePixelRatio(kHighDensityScale);
    return copy;
}

QImage QtPictures::Picture(const QString& element, qreal devicePixelRatio) const {
    if (devicePixelRatio > 1 && denseSources_.contains(element)) {
        if (!dense_.contains(element))
            dense_.insert(element, loadDense(denseSources_.value(element)));
        const QImage dense = dense_.value(element);
        if (!dense.isNull()) return dense;
    }
    return pictures_.value(element);
}

QFont AdviceFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

int QtTextMeasure::AdviceTextWidth(const std::string& text) {
    return QFontMetrics(AdviceFont()).horizontalAdvance(QString::fromStdString(text));
}

}  // namespace ardentix::ui
