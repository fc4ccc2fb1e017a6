#pragma once
#include <QString>
#include <functional>

#include "core/element_names.h"

class QWidget;

namespace ardentix::ui {

// What the windows do with the user's input: they hand it to the engine by element.
class Actions {
  public:
    virtual ~Actions() = default;
    virtual void Click(El element) = 0;
    virtual void Menu(El element) = 0;
    virtual void Type(El element, const QString& text) = 0;
    // A tab of the option pages chosen by its caption.
    virtual void Tab(const QString& caption) = 0;
    // One press on the up or down half of a spin button.
    virtual void Spin(El element, bool up) = 0;
    // Any other engine event (a pad drag in its steps).
    virtual void Dispatch(const std::function<void()>& event) = 0;
};

// A control's hint, shown for 4 seconds while hints are switched on, and its help topic; it is
// also the description a screen reader gives of the control.
void SetHint(QWidget* widget, const QString& hint, int helpContext = 0);

}  // namespace ardentix::ui
