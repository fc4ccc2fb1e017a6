#include "core/captions.h"

#include <algorithm>

#include "core/engine.h"
#include "core/sound_files.h"
#include "core/wav_length.h"

namespace ardentix {

void ShowCaption(Engine& e, const std::string& file) {
    if (!e.settings.On(Opt::OPTCaptions)) return;
    const std::string caption = SoundCaption(file);
    if (caption.empty()) {
        EndCaption(e);
        return;
    }
    Element& line = e.screen.Edit(El::CAPTIONLine);
    line.text = caption;
    line.visible = true;
    const int ms =
        std::max(WavFileMillis(e.FilePath(file)).value_or(kUnreadCaptionMs), kShortestCaptionMs);
    // A new sound begins its caption's time afresh, even at the same length.
    e.timers.Stop(TimerId::CAPTIONTimer);
    e.timers.SetInterval(TimerId::CAPTIONTimer, ms);
    e.timers.Start(TimerId::CAPTIONTimer);
}

void EndCaption(Engine& e) {
    e.timers.Stop(TimerId::CAPTIONTimer);
    const Element& shown = e.screen.Get(El::CAPTIONLine);
    if (!shown.visible && shown.text.empty()) return;
    Element& line = e.screen.Edit(El::CAPTIONLine);
    line.visible = false;
    line.text.clear();
}

void RegisterCaptionTimer(Engine& e) {
    e.SetTimerHandler(TimerId::CAPTIONTimer, EndCaption);
}

}  // namespace ardentix
