#include "core/engine.h"
#include "core/files.h"
#include "core/layout.h"
#include "core/picture_files.h"
#include "core/scenario.h"

namespace ardentix {

void CreateMainWindow(Engine& e) {
    e.screen.Edit("PageControl1").visible = false;
    e.screen.Edit("MENU").visible = true;
    for (const char* item : {"Pause", "Advice", "PatientHistory"}) {
        e.screen.Edit(item).enabled = false;
    }
    // Without the motion prompt the sounds are taken to be missing: audio starts switched off.
    if (!ProgramFileExists(e.programDir, "MOTION.WAV")) e.settings.SetOn(Opt::SOUNDCheckBox, false);
    // Without the highlight, shake and shout pictures the patient view cannot be drawn, so a
    // missing one ends the program as a missing patient picture does.
    LoadPictureFiles(e, CommonPictureNames());
}

void ShowMainWindow(Engine& e) {
    // The settings are loaded here, which leaves no change pending (not even the audio switched
    // off at creation for want of the motion prompt).
    e.settings.SetChanged(false);
    Element& window = e.screen.Edit("TForm1");
    window.width = 640;
    window.height = 480;
    e.SeedFromClock();
    LayoutActionBar(e);
    FollowBorderOption(e);
    e.screen.SetFocus("MenuStart");
}

void FollowBorderOption(Engine& e) {
    const bool border = e.settings.On(Opt::OPTSCREENSIZE);
    e.screen.Edit("ArdentixBorder").visible = border;
    e.screen.Edit("SHOWBORDERMenuItem").text = border ? "Hide Border" : "Show Border";
}

}  // namespace ardentix
