#pragma once
#include <QString>
#include <initializer_list>

#include "core/element_names.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ardentix::ui {

class Actions;
class Binder;

// Makes the controls of one tab of the option pages. Each control is named after its element,
// shows it through the binder and hands its input to the engine: a check box or a radio button
// does not turn itself over, the engine does and the binder shows the result. Element names must
// outlive the controls.
class OptionControls {
  public:
    OptionControls(Actions& actions, Binder& binder, QWidget* page)
        : actions_(actions), binder_(binder), page_(page) {}

    QCheckBox* CheckBox(El element, const QString& hint);
    QRadioButton* Radio(El element, const QString& hint);
    QPushButton* Button(El element, const QString& hint);
    // A one-line text field; each edit goes to the engine as typed text.
    QLineEdit* Text(El element, const QString& hint);
    // A read-only numeric field with its spin button beside it, on a widget of their own; Up and
    // Down in the field press the spin button too. The field goes to *field when asked for.
    QWidget* Number(El element, El spin, const QString& hint, QLineEdit** field = nullptr);
    // A box with a caption, its controls one under the other.
    QGroupBox* Group(const QString& title, std::initializer_list<QWidget*> controls);

  private:
    Actions& actions_;
    Binder& binder_;
    QWidget* page_;
};

}  // namespace ardentix::ui
