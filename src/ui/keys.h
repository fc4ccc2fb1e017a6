#pragma once
#include <QKeySequence>
#include <QString>
#include <vector>

#include "core/element_names.h"

namespace ardentix::ui {

// The keyboard of the scenario screen: every control of it has a key of its own, pressed alone
// while the scenario screen shows and takes input, which does what a click on the control does.
// The letter keys are the underlined letters of the captions; the AED's keys are numbered as on
// the device (1 power, 2 analyze, 3 shock); the pads are picked up by W and R. Kept clear of
// Space (compressions by key), F1 (help) and F11 (full screen).
struct ControlKey {
    El element;
    Qt::Key key;
    // Where a key has two controls (the power key on either face of the device), the one shown.
    El alternative = El::MainWindow;
};
const std::vector<ControlKey>& ScenarioKeys();

// The letter of a menu item within its menu (the ABCs and Trouble menus show it as the item's
// key, the menu bar's underline it), and of an action bar button (underlined); 0 for none.
QChar MenuLetter(El element);
// The key of a control or menu item as the help and the hints write it ("C", "1", "Ctrl+P"),
// empty for one without a key.
QString KeyName(El element);
// The caption with its key letter marked for underlining ("&CPR", "Pho&ne"); a literal "&" is
// kept as one.
QString WithMnemonic(El element, const QString& caption);
// A control's hint with its key: "Starts or stops CPR (C)".
QString WithKey(El element, const QString& hint);

// The menu bar's shortcuts: Pause Ctrl+P, Quit Ctrl+Q, Advice Ctrl+D, Patient History Ctrl+H
// (F1, the help on the control with the focus, is the main window's own).
QKeySequence MenuShortcut(El element);

}  // namespace ardentix::ui
