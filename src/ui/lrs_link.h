#pragma once
#include <QObject>
#include <QString>
#include <memory>

#include "ui/lazy_lrs_queue.h"
#include "xapi/statement.h"

class QWidget;

namespace ardentix::ui {

class LrsDialog;

// The program's side of the learning record store: the instructor's settings, the sender
// (loaded only while sending is on) and the dialog that sets them. The program asks it to send
// at its start, after each scenario that was recorded, and the dialog on demand.
class LrsLink : public QObject {
    Q_OBJECT
  public:
    // connection: the results database's Qt Sql connection.
    LrsLink(QString connection, QWidget* window);
    ~LrsLink() override;

    void SendQueued() { queue_.SendQueued(); }
    const xapi::LrsSettings& Settings() const { return settings_; }
    // The dialog over the window, built at its first showing.
    LrsDialog* ShowDialog();
    LrsDialog* Dialog() const { return dialog_; }

  private:
    QWidget* window_;
    QString connection_;
    xapi::LrsSettings settings_;
    LazyLrsQueue queue_;
    LrsDialog* dialog_ = nullptr;
};

}  // namespace ardentix::ui
