#include <array>

#include "core/engine.h"
#include "core/layout.h"
#include "core/settings_files.h"
#include "mail/mail_window.h"
#include "options/options.h"
#include "records/records.h"

namespace ardentix {

namespace {

struct PageTab {
    std::string_view caption;
    El closeButton;
};

constexpr std::array<PageTab, 5> kTabs = {{
    {"Scenario", El::ProgramOK},
    {"Protocol", El::ProtocolOK},
    {"Test", El::TESTCLOSE},
    {"Report View", El::REPORTCLOSEBUTTON},
    // The trainees' results from the results database: the Qt program shows them.
    {"Progress", El::PROGRESSCLOSEBUTTON},
}};

El closeButtonOf(std::string_view caption) {
    for (const PageTab& tab : kTabs) {
        if (tab.caption == caption) return tab.closeButton;
    }
    return kTabs.front().closeButton;
}

// The e-mail configuration window belongs to the Test tab: it goes when the tab does.
void hidePages(Engine& e) {
    e.screen.Edit(El::PageControl1).visible = false;
    HideMailWindow(e);
}

}  // namespace

bool OptionPagesShown(const Engine& e) {
    return e.screen.Get(El::PageControl1).visible;
}

const std::string& ActiveOptionTab(const Engine& e) {
    return e.screen.Get(El::PageControl1).text;
}

bool IsOptionTab(std::string_view caption) {
    for (const PageTab& tab : kTabs) {
        if (tab.caption == caption) return true;
    }
    return false;
}

std::string_view TabCaption(Tab tab) {
    return kTabs[static_cast<size_t>(tab)].caption;
}

void OpenOptionPages(Engine& e) {
    if (!e.settings.Text(Opt::PASSWORD).empty()) {
        ShowPasswordDialog(e);
        return;
    }
    ShowOptionPages(e);
}

void ShowOptionPages(Engine& e) {
    e.screen.Edit(El::PageControl1).visible = true;
    e.screen.SetFocus(closeButtonOf(ActiveOptionTab(e)));
}

bool ChooseOptionTab(Engine& e, std::string_view caption) {
    for (const PageTab& tab : kTabs) {
        if (tab.caption != caption) continue;
        e.screen.Edit(El::PageControl1).text = std::string(caption);
        if (caption != "Test") HideMailWindow(e);
        return true;
    }
    return false;
}

bool SaveOptionChanges(Engine& e) {
    if (!CentreAddressAcceptable(e)) return false;
    LayoutActionBar(e);
    return SaveSettings(e);
}

void CloseOptionPages(Engine& e) {
    if (e.settings.Changed()) {
        if (e.Message(BoxKind::Confirmation, BoxButtons::YesNo, "Save changes to settings?") ==
            BoxAnswer::Yes) {
            if (!SaveOptionChanges(e)) return;
        } else if (!LoadSettings(e)) {
            return;
        }
    }
    if (!AskSaveMailSettings(e)) return;
    e.settings.SetChanged(false);
    e.mailSettingsChanged = false;
    CloseMailWindow(e);
    hidePages(e);
    e.screen.SetFocus(El::MenuStart);
}

void CancelOptionPages(Engine& e) {
    if (!LoadSettings(e)) return;
    hidePages(e);
    // The keyboard goes back to the main menu, as after Close.
    e.screen.SetFocus(El::MenuStart);
}

void OptionDefaults(Engine& e, Tab tab) {
    e.settings.ApplyDefaults(tab);
    // Pressed, the button counts as a change even where every value was its default already.
    e.settings.SetChanged(true);
}

void AskClearScoreboard(Engine& e) {
    if (e.Message(BoxKind::Confirmation, BoxButtons::YesNo, "Delete scores on the scoreboard?") ==
        BoxAnswer::Yes) {
        ClearScoreboard(e);
    }
}

void SaveOptionsOnClose(Engine& e) {
    if (!OptionPagesShown(e)) return;
    if (e.settings.Changed() &&
        e.Message(BoxKind::Confirmation, BoxButtons::YesNo, "Save changes to settings?") ==
            BoxAnswer::Yes &&
        SaveOptionChanges(e)) {
        e.settings.SetChanged(false);
    }
    // A No leaves the file as it is; there is nothing to reload into a window about to go.
    if (e.mailSettingsChanged &&
        e.Message(BoxKind::Confirmation, BoxButtons::YesNo, "Save changes to e-mail settings?") ==
            BoxAnswer::Yes &&
        SaveMailSettings(e)) {
        e.mailSettingsChanged = false;
    }
}

void KeyOnMainWindow(Engine& e) {
    if (OptionPagesShown(e)) {
        e.screen.SetFocus(closeButtonOf(ActiveOptionTab(e)));
    } else if (e.screen.Get(El::MENU).visible) {
        e.screen.SetFocus(El::MenuStart);
    }
}

}  // namespace ardentix
