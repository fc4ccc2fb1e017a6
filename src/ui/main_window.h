#pragma once
#include <QMainWindow>
#include <memory>

#include "ui/actions.h"
#include "ui/binder.h"

namespace ardentix {
class Engine;
}

namespace ardentix::ui {

class AboutBox;
class BorderWindow;
class HelpViewer;
class LoginDialog;
class MenuPanel;
class QtPictures;
class ScenarioScreen;
class SummaryDialog;
class TimerDriver;

// The main window "Ardentix": it renders the engine's screen model and hands the user's input to
// the engine by element name.
class MainWindow : public QMainWindow, public Actions {
    Q_OBJECT
  public:
    MainWindow(Engine& engine, const QtPictures& pictures, QWidget* parent = nullptr);
    ~MainWindow() override;

    MenuPanel* Menu() const { return menu_; }

    void Click(const char* element) override;
    void Menu(const char* element) override;
    void Type(const char* element, const QString& text) override;
    void Dispatch(const std::function<void()>& event) override { dispatch(event); }

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    // Runs one engine event; once the outermost one returns, the timers that fell due meanwhile
    // fire and the windows follow the screen model.
    void dispatch(const std::function<void()>& event);
    void sync();
    void showHelp(int context);

    Engine& engine_;
    Binder binder_;
    MenuPanel* menu_ = nullptr;
    ScenarioScreen* scenario_ = nullptr;
    LoginDialog* login_ = nullptr;
    SummaryDialog* summary_ = nullptr;
    AboutBox* about_ = nullptr;
    HelpViewer* help_ = nullptr;
    std::unique_ptr<BorderWindow> border_;
    TimerDriver* driver_ = nullptr;
    int depth_ = 0;
    bool shownOnce_ = false;
};

}  // namespace ardentix::ui
