#pragma once
#include <QTabWidget>

class QPushButton;

namespace ardentix {
class Screen;
}

namespace ardentix::ui {

class Actions;
class Binder;

// The option pages "PageControl1" over the whole client area of the main window, with the tabs
// Scenario, Protocol, Test and Report View. Every control shows the element of its name; a tab
// chosen here is handed to the engine, which decides the tab shown.
class OptionPages : public QTabWidget {
    Q_OBJECT
  public:
    OptionPages(Actions& actions, Binder& binder, QWidget* parent);
    // Turns to the tab the engine made active.
    void Follow(const Screen& screen);
    // The Test tab's button of the learning record store's settings (the program opens them).
    QPushButton* LrsButton() const { return lrsButton_; }

  private:
    QWidget* scenarioTab();
    QWidget* protocolTab();
    QWidget* testTab();
    QWidget* reportTab();
    QWidget* newPage(const char* name, int helpContext);

    Actions& actions_;
    Binder& binder_;
    bool following_ = false;
    QPushButton* lrsButton_ = nullptr;
};

}  // namespace ardentix::ui
