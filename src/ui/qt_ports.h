#pragma once
#include <QFont>
#include <QImage>
#include <QMap>
#include <QSize>
#include <QString>
#include <memory>

#include "core/ports.h"

class QWidget;

namespace ardentix::ui {

class LazyPrinter;
class SoundPlayer;

// The system clock with the locale's short date and long time, the time zone left out.
class QtClock : public Clock {
  public:
    int64_t MillisSinceMidnight() override;
    Date Today() override;
    std::string ShortDate() override;
    std::string LongTime() override;
    int UtcOffsetMinutes() override;
};

// Plays WAV files of the program directory without blocking.
class QtSound : public Sound {
  public:
    explicit QtSound(std::string programDir);
    ~QtSound() override;
    bool Play(const std::string& name) override;
    void Stop() override;

  private:
    SoundPlayer* player();

    std::string programDir_;
    std::unique_ptr<SoundPlayer> player_;
};

// Modal message boxes and input boxes over the window they answer for.
class QtDialogs : public Dialogs {
  public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    // The printer the print dialog sets up.
    void SetPrinter(LazyPrinter* printer) { printer_ = printer; }
    BoxAnswer Message(BoxKind kind, BoxButtons buttons, const std::string& text) override;
    std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;
    std::optional<std::string> OpenFile(const std::string& filterName, const std::string& pattern,
                                        const std::string& defaultExtension) override;
    std::optional<Font> ChooseFont(const Font& initial) override;
    bool ChoosePrinter() override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filterName,
                                        const std::string& pattern,
                                        const std::string& defaultExtension, const std::string& dir,
                                        const std::string& proposedName) override;

  private:
    // A box belongs to the window it answers for: the window that waits for an answer, else
    // the active one, else the main window. The window system keeps it over that window, and
    // that window has the keys again when the box closes.
    QWidget* boxOwner() const;

    QWidget* parent_ = nullptr;
    LazyPrinter* printer_ = nullptr;
};

// Loads the patient pictures and keeps them for drawing, by element name. Beside each picture it
// takes the copy of twice its size for high-density screens when the program directory has one
// (HighDensityName), with its mask made the same way; without it the picture alone is kept.
class QtPictures : public Pictures {
  public:
    std::optional<std::string> Load(const std::vector<PictureFile>& files) override;
    QImage Picture(const QString& element) const { return pictures_.value(element); }
    // The picture to draw on a screen of this device pixel ratio: the larger copy (its device
    // pixel ratio set, so that it is drawn at the picture's size) when the screen is denser than
    // the picture and the copy was there, else the picture.
    QImage Picture(const QString& element, qreal devicePixelRatio) const;

  private:
    // Where an element's larger copy lies; it is read when first asked for, as most screens
    // never need it.
    struct DenseSource {
        // The pictures themselves: their copies are looked for only when a denser screen asks.
        std::string path;
        std::optional<MaskSeed> seed;
        bool maskFile = false;  // the picture comes with a mask file; its copy must too
        std::string maskPath;
        QSize size;  // the picture's own size
    };
    QImage loadDense(const DenseSource& source) const;

    QMap<QString, QImage> pictures_;
    QMap<QString, DenseSource> denseSources_;
    mutable QMap<QString, QImage> dense_;  // read copies, null where a copy is unusable
};

// The advice panel's type: Arial, bold, 13 pixels.
QFont AdviceFont();

// Measures the advice line in the panel's own type.
class QtTextMeasure : public TextMeasure {
  public:
    int AdviceTextWidth(const std::string& text) override;
};

}  // namespace ardentix::ui
