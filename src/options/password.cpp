#include "core/engine.h"
#include "options/options.h"

namespace ardentix {

// The password is kept in plain text and compared character for character; both fields turn
// letters into lower case as they are typed.
void TypePassword(Engine& e, const std::string& text) {
    e.settings.SetText(Opt::PASSWORD, LowerCase(text));
}

void TogglePasswordMask(Engine& e) {
    if (e.settings.Text(Opt::PASSWORD).empty()) {
        e.Message(BoxKind::Information, BoxButtons::Ok,
                  "The password field must contain a password for this function to operate.");
    }
    Element& field = e.screen.Edit(El::PASSWORD);
    field.masked = !field.masked;
}

void ShowPasswordDialog(Engine& e) {
    e.screen.Edit(El::PasswordDlgWindow).visible = true;
    e.screen.SetFocus(El::PasswordDlgPasswordEnter);
}

void PasswordOk(Engine& e) {
    Element& entry = e.screen.Edit(El::PasswordDlgPasswordEnter);
    if (entry.text != e.settings.Text(Opt::PASSWORD)) {
        // No count of attempts, no delay: the dialog stays with what was typed.
        e.Message(BoxKind::Error, BoxButtons::Ok, "That is not the correct password.");
        // The next try is typed into the dialog again, not into whatever had the focus last.
        e.screen.SetFocus(El::PasswordDlgPasswordEnter);
        return;
    }
    e.screen.Edit(El::PasswordDlgWindow).visible = false;
    entry.text.clear();
    ShowOptionPages(e);
}

void PasswordCancel(Engine& e) {
    e.screen.Edit(El::PasswordDlgWindow).visible = false;
    e.screen.Edit(El::PasswordDlgPasswordEnter).text.clear();
}

}  // namespace ardentix
