#pragma once
#include <QDialog>
#include <map>
#include <string>

#include "core/element_names.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

namespace ardentix {
class Screen;
}

namespace ardentix::ui {

class Actions;
class Binder;

// The e-mail window TFRMSEND, for configuring the mail settings and for sending the test
// results; on top of the other windows. Sending, it holds the others until it closes (the main
// window sets that), but it is shown rather than run, so that a connect or send can be cancelled
// with "3. Close".
class MailWindow : public QDialog {
    Q_OBJECT
  public:
    MailWindow(Actions& actions, Binder& binder, QWidget* parent);
    // Brings the fields, the list, the memo, the buttons' weight and the status line up to the
    // engine's; busy shows the wait cursor while the client waits on the server.
    void Follow(const Screen& screen, bool busy);

  protected:
    // The close box closes the window as "3. Close" does.
    void reject() override;

  private:
    QLineEdit* field(El element, const QString& hint = {});
    QPushButton* button(El element, const QString& hint = {});
    QComboBox* choice(El element, const QStringList& items, bool editable,
                      const QString& hint = {});
    QCheckBox* check(El element, const QString& hint = {});

    Actions& actions_;
    Binder& binder_;
    std::map<El, QLineEdit*> fields_;
    std::map<El, QPushButton*> buttons_;
    QListWidget* files_ = nullptr;
    QPlainTextEdit* message_ = nullptr;
    QStatusBar* status_ = nullptr;
    bool following_ = false;
};

}  // namespace ardentix::ui
