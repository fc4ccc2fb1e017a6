// libFuzzer target for the reader of ARDENTIX.INI, the "Name=Value" file of the newer options:
// the splitting of the file into lines and of each line at its "=", the assignment of the values
// to the option controls and the writing back. Besides crashes and sanitizer reports it stops
// when a line is split other than at its first "=", when a check box ends up other than "0" or
// "1", when an option comes out checked without a line that says "1" for it, or when what was
// written does not read back as the same options and the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "core/name_value.h"
#include "core/settings_files.h"
#include "settings/settings.h"

namespace {

using namespace ardentix;

void require(bool rule) {
    if (!rule) std::abort();
}

// Some line of the file names CompressByKey with the value "1" (blanks around it allowed).
bool saysOn(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::optional<NameValue> split = SplitNameValue(line);
        if (split && SameTextIgnoringCase(split->name, "CompressByKey") &&
            TrimBlanks(split->value) == "1")
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const std::vector<std::string> lines = SplitLines(text);
    for (const std::string& line : lines) {
        const std::optional<NameValue> split = SplitNameValue(line);
        const size_t equals = line.find('=');
        require(split.has_value() == (equals != std::string::npos));
        if (!split) continue;
        require(split->value == std::string_view(line).substr(equals + 1));
        require(split->name.find('=') == std::string_view::npos);
        require(split->name == TrimBlanks(split->name));
    }

    Settings settings;
    ApplyNamedSettingsLines(settings, lines);
    const std::string& value = settings.Text(Opt::OPTCompressByKey);
    require(value == "0" || value == "1");
    require(!settings.On(Opt::OPTCompressByKey) || saysOn(lines));
    // Nothing else is read from this file.
    const Settings firstStart;
    for (int i = 0; i < kControlCount; ++i) {
        const auto opt = static_cast<Opt>(i);
        if (opt != Opt::OPTCompressByKey) require(settings.Text(opt) == firstStart.Text(opt));
    }
    require(NamedSettingsAtFirstStart(settings) == !settings.On(Opt::OPTCompressByKey));

    // What was written reads back as the same options and writes as the same lines, and the
    // file as the program writes it (each line ended by CR LF) splits into those lines.
    const std::vector<std::string> written = NamedSettingsLines(settings);
    for (const std::string& line : written)
        require(SplitNameValue(line).has_value() &&
                line.find_first_of("\r\n") == std::string::npos);
    Settings again;
    again.SetOn(Opt::OPTCompressByKey, !settings.On(Opt::OPTCompressByKey));
    ApplyNamedSettingsLines(again, written);
    require(again.Text(Opt::OPTCompressByKey) == value);
    require(NamedSettingsLines(again) == written);
    std::string file;
    for (const std::string& line : written)
        file += line + "\r\n";
    require(SplitLines(file) == written);
    return 0;
}
