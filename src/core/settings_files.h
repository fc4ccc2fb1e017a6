#pragma once
#include <string>
#include <vector>

#include "settings/settings.h"

namespace ardentix {

class Engine;

// The two settings files of the program directory. Neither has sections or keys: each line holds
// one value and its place says which option it is.
enum class SettingsFile { Option1, Option2 };

inline constexpr const char* kOption1File = "OPTION1.INI";
inline constexpr const char* kOption2File = "OPTION2.INI";

// The options added since those two files were laid out live in ARDENTIX.INI, one "Name=Value"
// line each ("CompressByKey=1"), so that a line can be added without moving the others.
inline constexpr const char* kArdentixFile = "ARDENTIX.INI";

// The full layout of a file (26 and 16 lines) filled from the option controls.
std::vector<std::string> SettingsFileLines(const Settings& settings, SettingsFile file);

// Assigns the lines of a file to their controls in line order, each as a user's change would be
// made, so the rules between controls run as the values arrive. Check boxes take exactly "T" as
// checked. Lines the layout ignores, and lines past its end, are skipped; a file shorter than its
// layout leaves the controls of its missing lines as they were.
void ApplySettingsFileLines(Settings& settings, SettingsFile file,
                            const std::vector<std::string>& lines);

// ARDENTIX.INI's lines, one for each option it keeps, in a fixed order.
std::vector<std::string> NamedSettingsLines(const Settings& settings);
// Sets every option ARDENTIX.INI keeps from its lines, as a user's change would be made: names
// compare without regard to case and the last line of a name counts; a check box takes "1" as
// checked and "0" as clear (blanks around them allowed). A missing line, or a value that is
// neither, leaves the option at its first-start value; unknown lines are skipped.
void ApplyNamedSettingsLines(Settings& settings, const std::vector<std::string>& lines);
// Every option ARDENTIX.INI keeps has its first-start value: the file need not be written.
bool NamedSettingsAtFirstStart(const Settings& settings);

// Fills the controls from the files, or from a tab's defaults where its file is missing, then
// clears the changed flag. A file that cannot be read stops the load with the system's reason,
// and the result is false.
bool LoadSettings(Engine& e);

// Writes both files anew, and ARDENTIX.INI where it exists or its options differ from their
// first-start values. False when a write failed (shown with the system's reason); the failed
// file keeps its old text, and no file is written after one failed. The changed flag is left to
// the caller.
bool SaveSettings(Engine& e);

}  // namespace ardentix
