#pragma once

class QWidget;

namespace ardentix::ui {

class Actions;

// A spin button beside a numeric field: an up and a down half ("Up", "Down"), each press handed to
// the engine as one step of the spin button of that element name. The widget is named after the
// last part of the name (SpinButton1 for TCPRFORM.SpinButton1); the element name must outlive it.
QWidget* SpinArrows(Actions& actions, const char* spin, QWidget* parent);

}  // namespace ardentix::ui
