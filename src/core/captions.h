#pragma once
#include <string>

namespace ardentix {

class Engine;

// A sound's caption under the AED while captions are on (OPTCaptions), with the sound switched
// on or off: shown when the sound starts, for as long as its file plays (at least
// kShortestCaptionMs, so that a click's caption can be read), ended by CAPTIONTimer. A new sound
// replaces the caption, a stopped one ends it.
inline constexpr int kShortestCaptionMs = 1500;
// A file whose length cannot be read (missing, or not a WAV file) is captioned this long.
inline constexpr int kUnreadCaptionMs = 3000;

void ShowCaption(Engine& e, const std::string& file);
void EndCaption(Engine& e);
void RegisterCaptionTimer(Engine& e);

}  // namespace ardentix
