#pragma once
#include <QWidget>

namespace ardentix::ui {

class Actions;
class Binder;

// The scenario screen: the patient picture with the message lines over its foot, the score and
// mode on the right, the flashing "Scenario Over" sign and the row of action buttons.
class ScenarioScreen : public QWidget {
    Q_OBJECT
  public:
    ScenarioScreen(Actions& actions, Binder& binder, QWidget* parent);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QWidget* patient_ = nullptr;
    QWidget* actionBar_ = nullptr;
};

}  // namespace ardentix::ui
