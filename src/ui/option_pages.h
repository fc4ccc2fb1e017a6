#pragma once
#include <QTabWidget>
#include <functional>

#include "core/centre_uri.h"

class QLabel;
class QLayout;
class QPushButton;

namespace ardentix {
class Screen;
}

namespace ardentix::ui {

class Actions;
class Binder;
class OptionControls;

// The option pages "PageControl1" over the whole client area of the main window, with the tabs
// Scenario, Protocol, Test, Report View and Progress. Every control shows the element of its
// name; a tab chosen here is handed to the engine, which decides the tab shown. The Progress tab
// shows the results database of the program directory.
class OptionPages : public QTabWidget {
    Q_OBJECT
  public:
    // The Progress tab reads the results of the program directory, or of the centre server
    // whose address `centre` gives while it is chosen.
    OptionPages(Actions& actions, Binder& binder, const QString& programDir,
                std::function<CentreUri()> centre, QWidget* parent);
    // Turns to the tab the engine made active.
    void Follow(const Screen& screen);
    // The Test tab's button of the learning record store's settings (the program opens them).
    QPushButton* LrsButton() const { return lrsButton_; }

    // Beside the results database's group on the Scenario tab: the line that tells how the
    // sending to the centre server goes, and the button that sends what waits. The program's
    // centre link fills and answers them; the engine knows neither.
    QLabel* CentreStatus() const { return centreStatus_; }
    QPushButton* CentreSendButton() const { return centreSend_; }

  private:
    QWidget* scenarioTab();
    QWidget* protocolTab();
    QWidget* testTab();
    QWidget* reportTab();
    QWidget* progressTab(const QString& programDir, std::function<CentreUri()> centre);
    QWidget* newPage(const char* name, int helpContext);
    QLayout* resultsDatabase(OptionControls& c, QWidget* page);

    Actions& actions_;
    Binder& binder_;
    bool following_ = false;
    QLabel* centreStatus_ = nullptr;
    QPushButton* centreSend_ = nullptr;
    QPushButton* lrsButton_ = nullptr;
};

}  // namespace ardentix::ui
