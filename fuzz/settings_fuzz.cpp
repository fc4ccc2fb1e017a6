// libFuzzer target for the reader of the two settings files: the splitting of a file into lines,
// the assignment of the lines to the option controls with the rules between them, every reader
// of a numeric field and the writing back. Besides crashes and sanitizer reports it stops on a
// broken rule of the controls or a file that does not read back as itself.
//
// Input: the text of OPTION1.INI followed by that of OPTION2.INI; the first 26 lines are
// OPTION1.INI, the rest OPTION2.INI. Both are loaded into one fresh set of controls, as the
// program does at its start.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "core/settings_files.h"
#include "settings/settings.h"

namespace {

using namespace ardentix;

constexpr size_t kOption1Lines = 26;
constexpr size_t kOption2Lines = 16;

void require(bool rule) {
    if (!rule) std::abort();
}

Opt optAt(int i) {
    return static_cast<Opt>(i);
}

void load(Settings& settings, const std::vector<std::string>& one,
          const std::vector<std::string>& two) {
    ApplySettingsFileLines(settings, SettingsFile::Option1, one);
    ApplySettingsFileLines(settings, SettingsFile::Option2, two);
}

// The rules between the controls hold whatever the files said.
void checkControls(const Settings& settings) {
    const Settings firstStart;
    for (int i = 0; i < kControlCount; ++i) {
        const Opt opt = optAt(i);
        const std::string& text = settings.Text(opt);
        switch (KindOf(opt)) {
            case ControlKind::CheckBox:
            case ControlKind::Radio:
                require(text == "0" || text == "1");
                break;
            case ControlKind::Number:
                // A whole number reads as itself, anything else as the first-start value.
                require(settings.Value(opt) == WholeNumber(text).value_or(firstStart.Value(opt)));
                break;
            case ControlKind::Text:
                require(std::none_of(text.begin(), text.end(),
                                     [](char c) { return c >= 'A' && c <= 'Z'; }));
                break;
        }
        require(text.find_first_of("\r\n") == std::string::npos);
    }
    require(settings.On(Opt::Age) != settings.On(Opt::Weight));
    require(settings.On(Opt::OPTGuideClassic) != settings.On(Opt::OPTGuideCurrent));
    require(!settings.On(Opt::OPTTWOBUTTONAED) || settings.On(Opt::OPTAUTOANALYZE));
    require(!(settings.On(Opt::OPTEmail) && settings.On(Opt::OPTAUTOSend)));
}

void checkWritten(const Settings& settings, const std::vector<std::string>& one,
                  const std::vector<std::string>& two) {
    // The current guidelines add one line "1" to OPTION2.INI; the classic ones leave it as it was.
    const bool current = settings.On(Opt::OPTGuideCurrent);
    require(one.size() == kOption1Lines && two.size() == kOption2Lines + (current ? 1 : 0));
    require(!current || two.back() == "1");
    for (const std::vector<std::string>* file : {&one, &two}) {
        for (const std::string& line : *file)
            require(line.find_first_of("\r\n") == std::string::npos);
    }
    // The numeric fields are written as their text, whatever it is.
    require(one[0] == settings.Text(Opt::OptTroubleOdds));
    require(one[13] == settings.Text(Opt::OPTtestScenarios));
    require(two[0] == settings.Text(Opt::OptHypoShocks));
    require(two[1] == (settings.On(Opt::Age) ? "T" : "F"));
    require(two[5] == settings.Text(Opt::OptCPR2Length));
    require(two[6] == "--" && two[15].empty());
    require(two[12] == settings.Text(Opt::OPTCPRCOMP));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const std::vector<std::string> lines = SplitLines(text);
    for (const std::string& line : lines)
        require(line.find_first_of("\r\n") == std::string::npos);
    const size_t split = std::min(lines.size(), kOption1Lines);
    const std::vector<std::string> one(lines.begin(), lines.begin() + static_cast<long>(split));
    const std::vector<std::string> two(lines.begin() + static_cast<long>(split), lines.end());

    Settings settings;
    load(settings, one, two);
    checkControls(settings);
    const std::vector<std::string> written1 = SettingsFileLines(settings, SettingsFile::Option1);
    const std::vector<std::string> written2 = SettingsFileLines(settings, SettingsFile::Option2);
    checkWritten(settings, written1, written2);

    // What was written loads as the same controls and writes as the same lines.
    Settings again;
    load(again, written1, written2);
    for (int i = 0; i < kControlCount; ++i)
        require(again.Text(optAt(i)) == settings.Text(optAt(i)));
    require(SettingsFileLines(again, SettingsFile::Option1) == written1);
    require(SettingsFileLines(again, SettingsFile::Option2) == written2);

    // The files as the program writes them (each line ended by CR LF) split into the same lines.
    std::string file2;
    for (const std::string& line : written2)
        file2 += line + "\r\n";
    require(SplitLines(file2) == written2);
    return 0;
}
