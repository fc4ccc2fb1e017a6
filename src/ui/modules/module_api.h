#pragma once
// What the program's modules offer. Sound, printing and the mail server's connection need Qt's
// Multimedia, PrintSupport and Network libraries, which are large and pull in the sound system,
// the print system and the network's own libraries; the program loads each module when it is
// first needed, so that none of them delays the main menu.
#include <QString>
#include <functional>

#include "core/ports.h"

class QWidget;

namespace ardentix::xapi {
class LrsQueue;
struct LrsRound;
struct LrsSettings;
}  // namespace ardentix::xapi

namespace ardentix::ui {

// Plays one WAV file at a time without blocking.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    virtual void Play(const QString& path) = 0;
    virtual void Stop() = 0;
};

// A text print job's printer, with its print dialog.
class PrintDevice : public Printer {
  public:
    // The print dialog over the parent: false when cancelled.
    virtual bool Choose(QWidget* parent) = 0;
};

}  // namespace ardentix::ui

// Each module's one entry point; the caller owns what it returns.
extern "C" {
ardentix::ui::SoundPlayer* ArdentixNewSoundPlayer();
ardentix::ui::PrintDevice* ArdentixNewPrintDevice();
ardentix::MailLink* ArdentixNewMailLink(std::function<void(const ardentix::LinkAnswer&)> answer);
// The sender of the results database's outbox to the learning record store; the database is the
// Qt Sql connection of that name.
ardentix::xapi::LrsQueue* ArdentixNewLrsQueue(
    const QString& connection, std::function<ardentix::xapi::LrsSettings()> settings,
    std::function<void(const ardentix::xapi::LrsRound&)> done);
}
