#pragma once
#include <string>
#include <string_view>

#include "core/element_names.h"
#include "settings/settings.h"

namespace ardentix {

class Engine;

// The option pages: a page control over the main window's client area with the tabs
// "Scenario", "Protocol", "Test", "Report View" and "Progress" (the trainees' stored results, which
// only the Qt program shows). The caption of the active tab is the text of the element
// PageControl1.

bool OptionPagesShown(const Engine& e);
const std::string& ActiveOptionTab(const Engine& e);
// The tab that holds an option control.
std::string_view TabCaption(Tab tab);

// The main menu's Options: the password dialog when a password is set, else the pages.
void OpenOptionPages(Engine& e);
// The pages on the tab that was active last, the focus on its Close button.
void ShowOptionPages(Engine& e);
bool IsOptionTab(std::string_view caption);
// False for a caption no tab has.
bool ChooseOptionTab(Engine& e, std::string_view caption);
// Close: asks to save a change, then hides the pages. A settings file that cannot be read or
// written keeps the pages shown.
void CloseOptionPages(Engine& e);
// Cancel: the settings as the files have them, without asking.
void CancelOptionPages(Engine& e);
// A tab's DEFAULT button.
void OptionDefaults(Engine& e, Tab tab);
// "Clear Scorebrd": empties the scoreboard after asking.
void AskClearScoreboard(Engine& e);
// The main window closes while the pages are shown: a change is saved only if the user says so.
void SaveOptionsOnClose(Engine& e);
// A key pressed while the main window itself has the focus.
void KeyOnMainWindow(Engine& e);

// Relays the action bar for the settings and writes both settings files. False when the centre
// server's address is refused or a file could not be written (the user has been told).
bool SaveOptionChanges(Engine& e);

// A click on a check box turns it over; a click on a radio button checks it.
void ClickOption(Engine& e, Opt opt);
// One press on a half of a numeric field's spin button. False for a name no spin button has.
bool StepOption(Engine& e, El spinButton, bool up);
// Copies a setting into the element of the same name, which the option pages show. The
// guidelines also enable or disable the controls the current ones fix.
void ShowOption(Engine& e, Opt opt);

// The centre server's address, as typed on the Scenario tab.
void TypeCentreURI(Engine& e, const std::string& text);
// The address is one the stations can use, or empty while this computer keeps the results.
// Otherwise a box says what is wrong (a password in it, a missing part), the Scenario tab
// comes up, and the result is false: nothing is saved.
bool CentreAddressAcceptable(Engine& e);

// The options password.
void TypePassword(Engine& e, const std::string& text);
void TogglePasswordMask(Engine& e);
void ShowPasswordDialog(Engine& e);
void PasswordOk(Engine& e);
void PasswordCancel(Engine& e);

}  // namespace ardentix
