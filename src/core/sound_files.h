#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace ardentix {

// What a sound of the program says and sounds like: the one place of its words, from which the
// sound generator speaks them (list-sounds writes them) and the captions are made.
struct SoundText {
    std::string_view file;    // as the program spells it
    std::string_view tone;    // the device's tone before the words, or empty
    std::string_view spoken;  // the words, or empty for a tone alone
};

const std::vector<SoundText>& SoundTexts();

// Every voice prompt and device sound the program plays, one name per file (names are looked
// up without regard to case, so "connectE.wav" is "connecte.wav").
std::vector<std::string> AllSoundFileNames();

// The caption of a sound as the trainee reads it while it plays: "[voice] Stand clear.",
// "[tone] Charging", "[tone] Beep [voice] Stand clear."; empty for a file of no sound's name.
std::string SoundCaption(std::string_view file);

}  // namespace ardentix
