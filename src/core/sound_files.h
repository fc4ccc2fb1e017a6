#pragma once
#include <string>
#include <vector>

namespace ardentix {

// Every voice prompt and device sound the program plays, one name per file (names are looked
// up without regard to case, so "connectE.wav" is "connecte.wav").
std::vector<std::string> AllSoundFileNames();

}  // namespace ardentix
