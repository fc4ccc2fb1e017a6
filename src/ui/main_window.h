#pragma once
#include <QMainWindow>

class QGridLayout;
class QMenu;
#include <deque>
#include <memory>
#include <set>
#include <string>

#include "core/ports.h"
#include "ui/actions.h"
#include "ui/binder.h"

namespace ardentix {
class Engine;
class Screen;
namespace centre {
class CentreLink;
}
}  // namespace ardentix

namespace ardentix::ui {

class AboutBox;
class BorderWindow;
class DriverClock;
class HelpViewer;
class LoginDialog;
class LrsLink;
class MailWindow;
class MenuPanel;
class OptionPages;
class PasswordDialog;
class QuizWindow;
class QtPictures;
class ScaledStage;
class ScenarioScreen;
class ScoreboardWindow;
class SteadyClock;
class SummaryDialog;
class DebriefWindow;
class TimerDriver;

// The main window "Ardentix": it renders the engine's screen model and hands the user's input to
// the engine by element name.
class MainWindow : public QMainWindow, public Actions {
    Q_OBJECT
  public:
    // The timers go by the machine's monotonic clock unless a clock is given (a test moves one
    // by hand); a given clock must outlive the window.
    MainWindow(Engine& engine, const QtPictures& pictures, DriverClock* clock = nullptr,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    MenuPanel* Menu() const { return menu_; }
    // The learning record store's settings, sender and dialog; built with the other windows.
    LrsLink* Lrs() const { return lrs_; }
    // Whether the windows beyond the main menu and the scenario screen are built yet: they are
    // built once the main menu has painted, so that nothing else delays it.
    bool WindowsBuilt() const { return windowsBuilt_; }
    // The centre server's link, shown on the Scenario tab once the option pages are built.
    void SetCentreLink(centre::CentreLink* link);

    void Click(El element) override;
    void Menu(El element) override;
    void Type(El element, const QString& text) override;
    void Tab(const QString& caption) override;
    void Spin(El element, bool up) override;
    void Dispatch(const std::function<void()>& event) override { dispatch(event); }
    // What became of a request to the mail server's connection. While the engine is busy with
    // another event (a modal box is open) it waits for that event's end.
    void MailAnswer(const LinkAnswer& answer);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A key for the main window itself, not one a control passed on.
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void buildMenus();
    // File > Full Screen (F11), before Quit.
    void addFullScreen(QMenu* menu);
    // Runs one engine event at the time it arrives: the expiries due by then fire first, in time
    // order; then the event; then the windows follow the screen model. An event that comes
    // while another one or an expiry is being handled (a modal box runs its own event loop)
    // happens at that one's time, and that one brings the windows up to date.
    void dispatch(const std::function<void()>& event);
    void sync();
    void buildWindows();
    // The main window itself follows the screen model: the border, what takes input, the focus.
    void followScreen(const Screen& screen, const ScreenChanges& changes);
    // The keyboard focus to a control the engine named, in whichever window it lies.
    void focusOn(QWidget* widget);
    void showHelp(int context);
    void deliverMailAnswers();

    Engine& engine_;
    const QtPictures& pictures_;
    Binder binder_;
    MenuPanel* menu_ = nullptr;
    ScaledStage* stage_ = nullptr;
    QAction* fullScreen_ = nullptr;
    bool placeRestored_ = false;
    ScenarioScreen* scenario_ = nullptr;
    OptionPages* pages_ = nullptr;
    centre::CentreLink* centreLink_ = nullptr;
    PasswordDialog* password_ = nullptr;
    LoginDialog* login_ = nullptr;
    SummaryDialog* summary_ = nullptr;
    DebriefWindow* debrief_ = nullptr;
    ScoreboardWindow* scoreboard_ = nullptr;
    AboutBox* about_ = nullptr;
    QuizWindow* quiz_ = nullptr;
    MailWindow* mail_ = nullptr;
    std::deque<LinkAnswer> mailAnswers_;
    bool deliveringMail_ = false;
    HelpViewer* help_ = nullptr;
    LrsLink* lrs_ = nullptr;
    std::unique_ptr<BorderWindow> border_;
    std::unique_ptr<SteadyClock> steadyClock_;
    // Goes before the clock it follows.
    std::unique_ptr<TimerDriver> driver_;
    bool shownOnce_ = false;
    bool windowsBuilt_ = false;
    QGridLayout* stack_ = nullptr;
};

}  // namespace ardentix::ui
