#pragma once
#include <QDialog>

class QPushButton;

namespace ardentix {
class Screen;
}

namespace ardentix::ui {

class Actions;
class Binder;

// Where a window's frame of this size lies in the middle of a screen's available area: never
// past its edges, at its top-left corner when the frame is larger than the area.
QPoint CentredPosition(const QRect& area, const QSize& frame);

// Puts a window in the middle of the screen's available area, all of it on the screen.
void CentreOnScreen(QWidget* window);

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

// The summary of a finished scenario; the main window waits while it is up, and the summary
// itself while the scoreboard opened from it is up.
class SummaryDialog : public QDialog {
    Q_OBJECT
  public:
    SummaryDialog(Actions& actions, Binder& binder, QWidget* parent);

  protected:
    // Only its buttons close it: the engine has nothing to do for the window system's close, and
    // a summary gone that way would leave the main window waiting for good.
    void reject() override {}
};

// The ten best practice scores, in columns: a fixed-pitch list and an OK button. Opened from the
// summary it stays on top. Its parent must not be the summary, which is disabled meanwhile.
class ScoreboardWindow : public QDialog {
    Q_OBJECT
  public:
    ScoreboardWindow(Actions& actions, Binder& binder, QWidget* parent);
    // Comes up or goes away as the engine says; true when it has just come up.
    bool Follow(const Screen& screen);

  protected:
    void reject() override;  // the close box does what OK does

  private:
    Actions& actions_;
    QPushButton* ok_ = nullptr;
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
