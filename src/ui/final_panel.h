#pragma once
#include <QFrame>

class QListWidget;
class QPushButton;

namespace ardentix {
class Screen;
}

namespace ardentix::ui {

class Actions;
class Binder;

// The final deductions of a scenario, on a panel over the scenario screen: their list, one line
// every 12 pixels, and the OK button that leads on to the summary. The engine sizes the panel to
// its lines and places the list and the button in it.
class FinalErrorPanel : public QFrame {
    Q_OBJECT
  public:
    FinalErrorPanel(const Screen& screen, Actions& actions, Binder& binder, QWidget* parent);
    // The panel, its list and its button take the places the engine gave them.
    void Refresh();

  private:
    const Screen& screen_;
    QListWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace ardentix::ui
