#pragma once
#include <string>
#include <string_view>
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

// A picture may come with a copy of twice its width and height for high-density screens, named
// after it: "PT1.jpg" has "PT1@2x.jpg", "pt1aw.BMP" has "pt1aw@2x.png" (lossless, smaller than a
// bitmap). The copy is optional; a program without it draws the picture itself, enlarged.
inline constexpr int kHighDensityScale = 2;
std::string HighDensityName(std::string_view name);

}  // namespace ardentix
