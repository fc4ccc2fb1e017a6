#pragma once
#include <QDialog>
#include <QString>
#include <QStringList>

#include "xapi/lrs_queue.h"
#include "xapi/statement.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace ardentix::ui {

// "Learning Record Store" on the Test tab (behind the options password with the rest of the
// pages): the trainees' home page and the base of the activity IRIs in the xAPI statements, the
// store's endpoint, key and secret, and whether each result is sent to it. OK keeps the fields
// in the settings; Send Now sends what waits; Export writes the statements of every attempt to
// a file.
class LrsDialog : public QDialog {
    Q_OBJECT
  public:
    // The settings are the program's, changed at OK; the results database is the Qt Sql
    // connection of that name (none open: nothing to export or send).
    LrsDialog(xapi::LrsSettings& settings, QString connection, xapi::LrsQueue& queue,
              QWidget* parent);

    // The fields from the settings, as the dialog comes up.
    void Load();
    // The fields as the dialog shows them.
    xapi::LrsSettings Shown() const;
    // Writes the statements of these attempts (every attempt when empty) to the file; the status
    // line says how it went. False when nothing was written.
    bool ExportTo(const QString& path, const QStringList& uuids = {});
    // The status line: how the last round of sending went.
    void ShowRound(const xapi::LrsRound& round);
    QString Status() const;

    void accept() override;

  private:
    void exportChosen();
    void sendNow();

    xapi::LrsSettings& settings_;
    QString connection_;
    xapi::LrsQueue& queue_;
    QLineEdit* homePage_;
    QLineEdit* base_;
    QLineEdit* endpoint_;
    QLineEdit* key_;
    QLineEdit* secret_;
    QCheckBox* send_;
    QLabel* status_;
};

}  // namespace ardentix::ui
