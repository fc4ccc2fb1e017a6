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

// The full layout of a file (26 and 16 lines) filled from the option controls.
std::vector<std::string> SettingsFileLines(const Settings& settings, SettingsFile file);

// Assigns the lines of a file to their controls in line order, each as a user's change would be
// made, so the rules between controls run as the values arrive. Check boxes take exactly "T" as
// checked. Lines the layout ignores, and lines past its end, are skipped; a file shorter than its
// layout leaves the controls of its missing lines as they were.
void ApplySettingsFileLines(Settings& settings, SettingsFile file,
                            const std::vector<std::string>& lines);

// Fills the controls from the files, or from a tab's defaults where its file is missing, then
// clears the changed flag. A file that cannot be read stops the load with the system's reason,
// and the result is false.
bool LoadSettings(Engine& e);

// Writes both files anew. False when a write failed (shown with the system's reason); the
// failed file keeps its old text, and OPTION2.INI is not written after OPTION1.INI failed. The
// changed flag is left to the caller.
bool SaveSettings(Engine& e);

}  // namespace ardentix
