#include <filesystem>
#include <string>
#include <vector>

#include "core/engine.h"
#include "core/files.h"
#include "core/settings_files.h"

namespace ardentix {

namespace {

// Both files pass through the hidden line buffer, which afterwards holds the last file handled.
std::vector<std::string>& lineBuffer(Engine& e) {
    return e.screen.Edit(El::OPTIONSHOLD).lines;
}

bool programDirUsable(const Engine& e) {
    std::error_code ec;
    return std::filesystem::is_directory(e.programDir, ec);
}

// False when the file exists but could not be read (the reason has been shown).
bool loadFile(Engine& e, SettingsFile file, const char* name, Tab defaultsTab) {
    if (!ProgramFileExists(e.programDir, name)) {
        e.settings.ApplyDefaults(defaultsTab);
        return true;
    }
    std::vector<std::string>& buffer = lineBuffer(e);
    buffer.clear();
    if (FileFailure failure = ReadTextLines(e.FilePath(name), buffer)) {
        e.FileFailed("read", name, *failure);
        return false;
    }
    ApplySettingsFileLines(e.settings, file, buffer);
    return true;
}

bool saveFile(Engine& e, SettingsFile file, const char* name) {
    std::vector<std::string>& buffer = lineBuffer(e);
    buffer = SettingsFileLines(e.settings, file);
    if (FileFailure failure = ReplaceTextLines(e.FilePath(name), buffer)) {
        e.FileFailed("write", name, *failure);
        return false;
    }
    return true;
}

// ARDENTIX.INI does not pass through the line buffer: that keeps the last of the two older files.
bool loadNamedFile(Engine& e) {
    std::vector<std::string> lines;
    if (ProgramFileExists(e.programDir, kArdentixFile)) {
        if (FileFailure failure = ReadTextLines(e.FilePath(kArdentixFile), lines)) {
            e.FileFailed("read", kArdentixFile, *failure);
            return false;
        }
    }
    ApplyNamedSettingsLines(e.settings, lines);
    return true;
}

// A program that never had an option of the file differ from its first-start value leaves it
// unwritten; once written, the file is kept up to date.
bool saveNamedFile(Engine& e) {
    if (NamedSettingsAtFirstStart(e.settings) && !ProgramFileExists(e.programDir, kArdentixFile))
        return true;
    if (FileFailure failure =
            ReplaceTextLines(e.FilePath(kArdentixFile), NamedSettingsLines(e.settings))) {
        e.FileFailed("write", kArdentixFile, *failure);
        return false;
    }
    return true;
}

}  // namespace

bool LoadSettings(Engine& e) {
    // Without the program directory both files read as missing: the defaults apply.
    if (!programDirUsable(e)) {
        e.Message(BoxKind::Warning, BoxButtons::Ok, "Error loading program settings.");
    }
    // Without OPTION1.INI the Test tab keeps what it has: only the Scenario tab has defaults here.
    if (!loadFile(e, SettingsFile::Option1, kOption1File, Tab::Scenario)) return false;
    if (!loadFile(e, SettingsFile::Option2, kOption2File, Tab::Protocol)) return false;
    if (!loadNamedFile(e)) return false;
    e.settings.SetChanged(false);
    return true;
}

bool SaveSettings(Engine& e) {
    if (!programDirUsable(e)) {
        e.Message(BoxKind::Warning, BoxButtons::Ok, "Error saving program settings.");
    }
    return saveFile(e, SettingsFile::Option1, kOption1File) &&
           saveFile(e, SettingsFile::Option2, kOption2File) && saveNamedFile(e);
}

}  // namespace ardentix
