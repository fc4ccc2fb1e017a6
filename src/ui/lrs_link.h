#pragma once
#include <QObject>
#include <QString>
#include <memory>

#include "ui/lazy_lrs_queue.h"
#include "xapi/statement.h"

class QWidget;

namespace ardentix {
class Engine;
namespace store {
class ResultsDb;
}
}  // namespace ardentix

namespace ardentix::ui {

class Actions;
class LrsDialog;

// The program's side of the learning record store: the instructor's settings (the engine's
// options, kept in ARDENTIX.INI), the sender (loaded only while sending is on) over a connection
// of its own to ARDENTIX.DB, and the dialog that sets them. The program asks it to send at its
// start, after each scenario that was recorded, and the dialog on demand.
class LrsLink : public QObject {
    Q_OBJECT
  public:
    LrsLink(const Engine& engine, Actions& actions, const QString& programDir, QWidget* window);
    ~LrsLink() override;

    // Whether results go to the store: sending is on and an endpoint is set.
    bool Wanted() const;
    // Sends what waits in the outbox for the store (nothing unless wanted).
    void SendQueued();
    // The settings as the engine holds them.
    xapi::LrsSettings Current() const;
    const xapi::LrsSettings& Settings() const { return settings_; }
    // The dialog over the window, built at its first showing.
    LrsDialog* ShowDialog();
    LrsDialog* Dialog() const { return dialog_; }

  private:
    // Opens ARDENTIX.DB when there is one; false when there is none (yet) or it cannot be used.
    bool openDatabase();
    // The dialog's OK: the fields become the engine's options, as typed on the Test tab.
    void keep();

    const Engine& engine_;
    Actions& actions_;
    QWidget* window_;
    std::unique_ptr<store::ResultsDb> db_;
    // What the dialog shows and the sender uses: the engine's settings, or the dialog's fields
    // while it sends from them.
    xapi::LrsSettings settings_;
    LazyLrsQueue queue_;
    LrsDialog* dialog_ = nullptr;
};

}  // namespace ardentix::ui
