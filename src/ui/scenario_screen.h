#pragma once
#include <QWidget>

class QMenu;

namespace ardentix {
class Engine;
class Screen;
}  // namespace ardentix

namespace ardentix::ui {

class Actions;
class AedPanel;
class Binder;
class DeductionList;
class FinalErrorPanel;
class PatientArea;
class PausedOverlay;
class QtPictures;

// The scenario screen: the patient picture with the message lines over its foot, the score, the
// mode and the running list of deductions on the right, the flashing "Scenario Over" sign, the row
// of action buttons, the advice and, at the end, the panel of final deductions over them all; a
// pause lays "PAUSED" over the whole screen.
class ScenarioScreen : public QWidget {
    Q_OBJECT
  public:
    ScenarioScreen(Engine& engine, Actions& actions, Binder& binder, const QtPictures& pictures,
                   QWidget* parent);
    // The patient, the device and the final deductions are drawn again from the engine.
    void Refresh();

  private:
    void addCaptionLine(const Screen& screen, Binder& binder);
    QMenu* buildAbcsMenu(Actions& actions, Binder& binder);
    void popUpAbcs(const Engine& engine, Actions& actions, QWidget* button);
    QMenu* buildTroubleMenu(Actions& actions, Binder& binder);
    // Every control's key (ui/keys.h), and the order Tab takes through the controls.
    void bindKeys(Binder& binder);

    QMenu* abcsMenu_ = nullptr;
    QMenu* troubleMenu_ = nullptr;
    PatientArea* patient_ = nullptr;
    AedPanel* aed_ = nullptr;
    QWidget* actionBar_ = nullptr;
    DeductionList* deductions_ = nullptr;
    FinalErrorPanel* finalPanel_ = nullptr;
    QWidget* advice_ = nullptr;
    PausedOverlay* paused_ = nullptr;
};

}  // namespace ardentix::ui
