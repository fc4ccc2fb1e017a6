#include "ui/lrs_link.h"

#include <QWidget>

#include "ui/lrs_dialog.h"

namespace ardentix::ui {

LrsLink::LrsLink(QString connection, QWidget* window)
    : QObject(window),
      window_(window),
      connection_(connection),
      queue_(
          std::move(connection), [this] { return settings_; },
          [this](const xapi::LrsRound& round) {
              if (dialog_) dialog_->ShowRound(round);
          }) {}

LrsLink::~LrsLink() = default;

LrsDialog* LrsLink::ShowDialog() {
    if (!dialog_) dialog_ = new LrsDialog(settings_, connection_, queue_, window_);
    dialog_->Load();
    dialog_->open();
    return dialog_;
}

}  // namespace ardentix::ui
