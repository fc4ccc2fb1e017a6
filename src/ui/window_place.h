#pragma once

class QWidget;

namespace ardentix::ui {

// The main window's size and place, and whether it was maximised or full screen, kept between
// runs in the user's own configuration (QSettings), apart from the option files of the program
// directory, which instructors copy from machine to machine.
// Gives the window its last size and place; false when there is none to give (the first run).
bool RestoreWindowPlace(QWidget* window);
void SaveWindowPlace(const QWidget* window);

}  // namespace ardentix::ui
