#pragma once
#include <QDialog>

class QLineEdit;

namespace ardentix {
class Screen;
}

namespace ardentix::ui {

class Actions;
class Binder;

// The CPR quiz "Quiz": a question, one or two answer fields with spin buttons, and OK, its only
// way out. Always on top, without a close box; the main window waits while it is up. Enter is
// OK; Up and Down spin the field that has the focus.
class QuizWindow : public QDialog {
    Q_OBJECT
  public:
    QuizWindow(Actions& actions, Binder& binder, QWidget* parent);
    // Comes up or goes away as the engine says, fitted to its question; true when it has just
    // come up.
    bool Follow(const Screen& screen);

  protected:
    void reject() override {}  // Escape and the window system cannot close it
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Actions& actions_;
    QLineEdit* compressions_ = nullptr;
    QLineEdit* breaths_ = nullptr;
};

}  // namespace ardentix::ui
