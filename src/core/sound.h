#pragma once
#include <string>

namespace ardentix {

class Engine;

// Plays the file named by SoundFile when audio is on. A file that cannot be played switches audio
// off for the rest of the run, after telling the user.
void Play(Engine& e);
// Names the sound (SoundFile is set even when audio is off), captions it and plays it.
void PlaySound(Engine& e, const std::string& file);
// Stops the sound that plays (when audio is on) and ends its caption.
void StopSound(Engine& e);

}  // namespace ardentix
