#pragma once
#include <QWidget>

namespace ardentix {
class Screen;
}

namespace ardentix::ui {

class Actions;
class Binder;

// The AED: the closed device with its power key, and the close-up with the display, the clock,
// the shock counter, the three lamps and the keys; over both, the child key and its light. It
// draws what the screen model holds.
class AedPanel : public QWidget {
    Q_OBJECT
  public:
    AedPanel(const Screen& screen, Actions& actions, Binder& binder, QWidget* parent);
    // The display and lamps are drawn again.
    void Refresh();

  private:
    const Screen& screen_;
    QWidget* closed_ = nullptr;
    QWidget* closeup_ = nullptr;
    QWidget* childKey_ = nullptr;
};

}  // namespace ardentix::ui
