#pragma once

class QWidget;

#include "core/element_names.h"

namespace ardentix::ui {

class Actions;

// A spin button beside a numeric field: an up and a down half ("Up", "Down"), each press handed to
// the engine as one step of the spin button of that element name. The widget is named after the
// last part of the name (SpinButton1 for TCPRFORM.SpinButton1).
QWidget* SpinArrows(Actions& actions, El spin, QWidget* parent);

}  // namespace ardentix::ui
