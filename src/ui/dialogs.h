#pragma once
#include <QDialog>

namespace ardentix::ui {

class Actions;
class Binder;

// The log-in window: name, ID number and the choice of mode; always on top.
class LoginDialog : public QDialog {
    Q_OBJECT
  public:
    LoginDialog(Actions& actions, Binder& binder, QWidget* parent);
    // The engine placed the mode panel and sized the window.
    void FollowLayout(int panelTop, int height);

  protected:
    void reject() override;

  private:
    Actions& actions_;
    QWidget* modePanel_ = nullptr;
};

// The summary of a finished scenario; the main window waits while it is up.
class SummaryDialog : public QDialog {
    Q_OBJECT
  public:
    SummaryDialog(Actions& actions, Binder& binder, QWidget* parent);

  protected:
    void reject() override {}  // only its buttons close it
};

// About Ardentix.
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    AboutBox(Actions& actions, Binder& binder, QWidget* parent);

  protected:
    void reject() override;

  private:
    Actions& actions_;
};

// The program's picture: a heart with an ECG trace.
QIcon ProgramIcon();

}  // namespace ardentix::ui
