#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace ardentix::ui {

class Actions;
class Binder;

// The password dialog "TPasswordDlg", asked for before the option pages open while a password is
// set. It holds every other window until it is answered, with the focus in its entry. Its hints
// show as "Show Hints" was when it came up.
class PasswordDialog : public QDialog {
    Q_OBJECT
  public:
    PasswordDialog(Actions& actions, Binder& binder, QWidget* parent);
    // It has just come up: the hints as the menu had them then, the focus in the field.
    void Shown(bool hints);
    bool HintsShown() const { return hints_; }

  protected:
    void reject() override;  // the close box and Escape do what Cancel does
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Actions& actions_;
    QLineEdit* entry_ = nullptr;
    QPushButton* ok_ = nullptr;
    bool hints_ = false;
};

}  // namespace ardentix::ui
