#include "core/engine.h"
#include "core/files.h"
#include "core/layout.h"
#include "core/picture_files.h"
#include "core/scenario.h"
#include "core/settings_files.h"

namespace ardentix {

void CreateMainWindow(Engine& e) {
    e.screen.Edit(El::PageControl1).visible = false;
    e.screen.Edit(El::MENU).visible = true;
    for (El item : {El::Pause, El::Advice, El::PatientHistory}) {
        e.screen.Edit(item).enabled = false;
    }
    // Without the motion prompt the sounds are taken to be missing: audio starts switched off.
    if (!ProgramFileExists(e.programDir, "MOTION.WAV")) e.settings.SetOn(Opt::SOUNDCheckBox, false);
    // Without the highlight, shake and shout pictures the patient view cannot be drawn, so a
    // missing one ends the program as a missing patient picture does.
    LoadPictureFiles(e, CommonPictureNames());
}

void ShowMainWindow(Engine& e) {
    LoadSettings(e);
    // The settings files may switch audio on, but without the motion prompt the sounds are still
    // missing: it stays off, and that is no change of the instructor's settings.
    if (!ProgramFileExists(e.programDir, "MOTION.WAV")) {
        const bool changed = e.settings.Changed();
        e.settings.SetOn(Opt::SOUNDCheckBox, false);
        e.settings.SetChanged(changed);
    }
    Element& window = e.screen.Edit(El::MainWindow);
    window.width = 640;
    window.height = 480;
    e.SeedFromClock();
    LayoutActionBar(e);
    FollowBorderOption(e);
    e.screen.SetFocus(El::MenuStart);
}

void FollowBorderOption(Engine& e) {
    const bool border = e.settings.On(Opt::OPTSCREENSIZE);
    e.screen.Edit(El::ArdentixBorder).visible = border;
    e.screen.Edit(El::SHOWBORDERMenuItem).text = border ? "Hide Border" : "Show Border";
}

}  // namespace ardentix
