#include "core/sound.h"

#include "core/captions.h"
#include "core/course.h"

namespace ardentix {

void Play(Engine& e) {
    if (!e.settings.On(Opt::SOUNDCheckBox)) return;
    if (e.ports.sound->Play(e.state.SoundFile)) return;
    e.Message(BoxKind::Warning, BoxButtons::Ok,
              "Cannot locate audio file. Be sure .WAV audio files are in the same folder as the "
              "Ardentix program file. Click OK to disable audio (see Scenario Options).");
    // Switching audio off this way is not a change of the settings the instructor made.
    const bool changed = e.settings.Changed();
    e.settings.SetOn(Opt::SOUNDCheckBox, false);
    e.settings.SetChanged(changed);
}

void PlaySound(Engine& e, const std::string& file) {
    OwnFlow(e).SoundFile = file;
    ShowCaption(e, file);
    Play(e);
}

void StopSound(Engine& e) {
    if (e.settings.On(Opt::SOUNDCheckBox)) e.ports.sound->Stop();
    EndCaption(e);
}

}  // namespace ardentix
