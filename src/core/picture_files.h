#pragma once
#include <string>
#include <vector>

#include "core/ports.h"

namespace ardentix {

// The files of one picture set as the patient view loads them: which hands and which face mask
// depend on the patient and on the bag-valve-mask setting.
std::vector<PictureFile> SetPictureNames(int pictureSet, bool pediatric, bool bagValveMask);

// The pictures loaded once at start-up, each with its mask.
std::vector<PictureFile> CommonPictureNames();

// Every picture file the program reads, for the installer's media.
std::vector<std::string> AllPictureFileNames();

}  // namespace ardentix
