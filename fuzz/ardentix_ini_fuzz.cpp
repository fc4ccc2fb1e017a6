// libFuzzer target for the reader of ARDENTIX.INI, the "Name=Value" file of the newer options:
// the splitting of the file into lines and of each line at its "=", the assignment of the values
// to the option controls and the writing back. Besides crashes and sanitizer reports it stops
// when a line is split other than at its first "=", when a check box ends up other than "0" or
// "1", when an option comes out checked without a line that says "1" for it, when a text keeps
// blanks around it, or when what was written does not read back as the same options and the
// same lines.
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

// The options ARDENTIX.INI keeps: the check boxes (or radio buttons) and the text fields.
constexpr Opt kFlags[] = {Opt::OPTCompressByKey, Opt::OPTResultsCentre, Opt::OPTCaptions};
constexpr Opt kTexts[] = {Opt::OPTCentreURI};

bool keptInFile(Opt opt) {
    // The other button of the centre server's pair follows it.
    if (opt == Opt::OPTResultsLocal) return true;
    for (Opt flag : kFlags) {
        if (flag == opt) return true;
    }
    for (Opt text : kTexts) {
        if (text == opt) return true;
    }
    return false;
}

// Some line of the file names the option with the value "1" (blanks around it allowed).
bool saysOn(const std::vector<std::string>& lines, std::string_view name) {
    for (const std::string& line : lines) {
        const std::optional<NameValue> split = SplitNameValue(line);
        if (split && SameTextIgnoringCase(split->name, name) && TrimBlanks(split->value) == "1")
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
    for (Opt flag : kFlags) {
        const std::string& value = settings.Text(flag);
        require(value == "0" || value == "1");
    }
    require(!settings.On(Opt::OPTCompressByKey) || saysOn(lines, "CompressByKey"));
    require(!settings.On(Opt::OPTResultsCentre) || saysOn(lines, "CentreServer"));
    require(!settings.On(Opt::OPTCaptions) || saysOn(lines, "Captions"));
    require(settings.On(Opt::OPTResultsLocal) != settings.On(Opt::OPTResultsCentre));
    // A text value never keeps the blanks around it.
    for (Opt text : kTexts)
        require(settings.Text(text) == TrimBlanks(settings.Text(text)));
    // Nothing else is read from this file.
    const Settings firstStart;
    bool atFirstStart = true;
    for (int i = 0; i < kControlCount; ++i) {
        const auto opt = static_cast<Opt>(i);
        const bool same = settings.Text(opt) == firstStart.Text(opt);
        if (!keptInFile(opt)) require(same);
        atFirstStart = atFirstStart && same;
    }
    require(NamedSettingsAtFirstStart(settings) == atFirstStart);

    // What was written reads back as the same options and writes as the same lines, and the
    // file as the program writes it (each line ended by CR LF) splits into those lines.
    const std::vector<std::string> written = NamedSettingsLines(settings);
    for (const std::string& line : written)
        require(SplitNameValue(line).has_value() &&
                line.find_first_of("\r\n") == std::string::npos);
    Settings again;
    for (Opt flag : kFlags)
        again.SetOn(flag, !settings.On(flag));
    again.SetText(Opt::OPTCentreURI, "postgresql://other@elsewhere/results");
    ApplyNamedSettingsLines(again, written);
    for (int i = 0; i < kControlCount; ++i)
        require(again.Text(static_cast<Opt>(i)) == settings.Text(static_cast<Opt>(i)));
    require(NamedSettingsLines(again) == written);
    std::string file;
    for (const std::string& line : written)
        file += line + "\r\n";
    require(SplitLines(file) == written);
    return 0;
}
