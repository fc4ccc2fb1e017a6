#pragma once
#include <QTabWidget>

namespace ardentix {
class Screen;
}

namespace ardentix::ui {

class Actions;
class Binder;

// The option pages "PageControl1" over the whole client area of the main window, with the tabs
// Scenario, Protocol, Test, Report View and Progress. Every control shows the element of its
// name; a tab chosen here is handed to the engine, which decides the tab shown. The Progress tab
// shows the results database of the program directory.
class OptionPages : public QTabWidget {
    Q_OBJECT
  public:
    OptionPages(Actions& actions, Binder& binder, const QString& programDir, QWidget* parent);
    // Turns to the tab the engine made active.
    void Follow(const Screen& screen);

  private:
    QWidget* scenarioTab();
    QWidget* protocolTab();
    QWidget* testTab();
    QWidget* reportTab();
    QWidget* progressTab(const QString& programDir);
    QWidget* newPage(const char* name, int helpContext);

    Actions& actions_;
    Binder& binder_;
    bool following_ = false;
};

}  // namespace ardentix::ui
