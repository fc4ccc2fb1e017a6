#pragma once
#include <QMainWindow>

namespace ardentix {
class Engine;
}

namespace ardentix::ui {

class MenuPanel;
class TimerDriver;

// The main window "Ardentix": it renders the engine's screen model and turns the user's input
// into engine events.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(Engine& engine, QWidget* parent = nullptr);
    ~MainWindow() override;

    MenuPanel* Menu() const { return menu_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // After every engine event: the window follows the screen model and the timers are re-armed.
    void afterEvent();
    void notAvailableYet(const QString& what);

    Engine& engine_;
    MenuPanel* menu_ = nullptr;
    TimerDriver* driver_ = nullptr;
    bool shownOnce_ = false;
};

}  // namespace ardentix::ui
