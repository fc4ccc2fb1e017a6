#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "core/name_value.h"
#include "core/settings_files.h"

namespace ardentix {

namespace {

enum class Encoding {
    Flag,       // "T" or "F"
    Number,     // the field's text as it is
    Password,   // the text, lower case
    AgeWeight,  // "T" for Age, "F" for Weight
    Written,    // a flag written but never read back
    Dashes,     // always "--", never read
    Empty,      // always empty, never read
};

struct LineRule {
    Encoding encoding;
    Opt opt;
};

// One row per line of OPTION1.INI, in line order.
constexpr std::array<LineRule, 26> kOption1 = {{
    {Encoding::Number, Opt::OptTroubleOdds},
    {Encoding::Flag, Opt::OptMOTIONTrouble},
    {Encoding::Flag, Opt::OptElectrodeTrouble},
    {Encoding::Flag, Opt::OptBatteryTrouble},
    {Encoding::Flag, Opt::IDNumCheckBox},
    {Encoding::Flag, Opt::SOUNDCheckBox},
    {Encoding::Flag, Opt::OPTAUTOANALYZE},
    {Encoding::Password, Opt::PASSWORD},
    {Encoding::Flag, Opt::OptBVM},
    {Encoding::Flag, Opt::OptHypo},
    {Encoding::Flag, Opt::OPTOneShockScenario},
    {Encoding::Flag, Opt::OPTCPRTIME},
    {Encoding::Flag, Opt::OPTautoABCS},
    {Encoding::Number, Opt::OPTtestScenarios},
    {Encoding::Flag, Opt::OPTTWOBUTTONAED},
    {Encoding::Flag, Opt::OPTEmail},
    {Encoding::Flag, Opt::OPTFTP},
    {Encoding::Flag, Opt::OPTDetailedTestReport},
    {Encoding::Flag, Opt::OPTCOMPRVENT},
    {Encoding::Flag, Opt::OPTAUTOSend},
    {Encoding::Flag, Opt::Opt2CPR},
    {Encoding::Written, Opt::OPTEncrypt},
    {Encoding::Flag, Opt::OPTCALL911},
    {Encoding::Flag, Opt::OPTSCREENSIZE},
    {Encoding::Flag, Opt::OPTPEDScen},
    {Encoding::Flag, Opt::OPTOneRescuer},
}};

// One row per line of OPTION2.INI, in line order (the option of a fixed line is not used).
constexpr std::array<LineRule, 16> kOption2 = {{
    {Encoding::Number, Opt::OptHypoShocks},
    {Encoding::AgeWeight, Opt::Age},
    {Encoding::Number, Opt::OptMinimumAge},
    {Encoding::Number, Opt::OptCPR0Length},
    {Encoding::Number, Opt::OptCPR1Length},
    {Encoding::Number, Opt::OptCPR2Length},
    {Encoding::Dashes, Opt::Age},
    {Encoding::Flag, Opt::OptVoice},
    {Encoding::Flag, Opt::OptPulseAfter3rdShock},
    {Encoding::Flag, Opt::OPTBPCHECK},
    {Encoding::Flag, Opt::OPTPEDSMONITOR},
    {Encoding::Flag, Opt::OptPulseAfterCPR},
    {Encoding::Number, Opt::OPTCPRCOMP},
    {Encoding::Flag, Opt::OPTClearAnalyze},
    {Encoding::Flag, Opt::OPTCLEARShock},
    {Encoding::Empty, Opt::Age},
}};

// How ARDENTIX.INI writes a value: a check box (or one button of a radio pair) as "1" or "0",
// a text field as its text.
enum class NamedKind { Flag, Text };

struct NamedRule {
    std::string_view name;
    Opt opt;
    NamedKind kind;
    // A line written only while the option differs from its first-start value (a check box
    // while it is checked): a file written before the option existed stays as it was until the
    // option is set.
    bool onlyWhenSet = false;
};

// ARDENTIX.INI, by name, in the order the lines are written.
constexpr std::array<NamedRule, 10> kNamed = {{
    {"CompressByKey", Opt::OPTCompressByKey, NamedKind::Flag},
    {"CentreServer", Opt::OPTResultsCentre, NamedKind::Flag},
    {"CentreURI", Opt::OPTCentreURI, NamedKind::Text},
    {"Captions", Opt::OPTCaptions, NamedKind::Flag, true},
    {"LrsSend", Opt::OPTLrsSend, NamedKind::Flag, true},
    {"LrsHomePage", Opt::OPTLrsHomePage, NamedKind::Text, true},
    {"LrsActivityBase", Opt::OPTLrsBase, NamedKind::Text, true},
    {"LrsEndpoint", Opt::OPTLrsEndpoint, NamedKind::Text, true},
    {"LrsKey", Opt::OPTLrsKey, NamedKind::Text, true},
    {"LrsSecret", Opt::OPTLrsSecret, NamedKind::Text, true},
}};

// A line ends at CR or LF: a text value is written without them.
std::string oneLine(std::string_view text) {
    std::string line;
    for (char c : text) {
        if (c != '\r' && c != '\n') line += c;
    }
    return line;
}

// The value a rule's line gives, or nothing where the line does not count (a check box's
// value other than "0" and "1").
std::optional<std::string> namedValue(const NamedRule& rule, std::string_view value) {
    value = TrimBlanks(value);
    if (rule.kind == NamedKind::Text) return std::string(value);
    if (value == "1" || value == "0") return std::string(value);
    return std::nullopt;
}

std::span<const LineRule> layout(SettingsFile file) {
    if (file == SettingsFile::Option1) return kOption1;
    return kOption2;
}

std::string flag(bool on) {
    return on ? "T" : "F";
}

}  // namespace

std::vector<std::string> SettingsFileLines(const Settings& settings, SettingsFile file) {
    std::vector<std::string> lines;
    for (const LineRule& rule : layout(file)) {
        switch (rule.encoding) {
            case Encoding::Flag:
            case Encoding::Written:
            case Encoding::AgeWeight:
                lines.push_back(flag(settings.On(rule.opt)));
                break;
            case Encoding::Number:
            case Encoding::Password:
                lines.push_back(settings.Text(rule.opt));
                break;
            case Encoding::Dashes:
                lines.emplace_back("--");
                break;
            case Encoding::Empty:
                lines.emplace_back();
                break;
        }
    }
    // The current guidelines are one more line; with the classic ones the file stays as it was.
    if (file == SettingsFile::Option2 && settings.On(Opt::OPTGuideCurrent)) lines.emplace_back("1");
    return lines;
}

void ApplySettingsFileLines(Settings& settings, SettingsFile file,
                            const std::vector<std::string>& lines) {
    const std::span<const LineRule> rules = layout(file);
    const size_t count = std::min(rules.size(), lines.size());
    for (size_t i = 0; i < count; ++i) {
        const LineRule& rule = rules[i];
        const std::string& line = lines[i];
        switch (rule.encoding) {
            case Encoding::Flag:
                settings.SetOn(rule.opt, line == "T");
                break;
            case Encoding::AgeWeight:
                settings.SetOn(line == "T" ? Opt::Age : Opt::Weight, true);
                break;
            case Encoding::Number:
                settings.SetText(rule.opt, line);
                break;
            case Encoding::Password:
                settings.SetText(rule.opt, LowerCase(line));
                break;
            case Encoding::Written:
            case Encoding::Dashes:
            case Encoding::Empty:
                break;
        }
    }
    if (file == SettingsFile::Option2) {
        const bool current = lines.size() > rules.size() && lines[rules.size()] == "1";
        settings.SetOn(current ? Opt::OPTGuideCurrent : Opt::OPTGuideClassic, true);
    }
}

std::vector<std::string> NamedSettingsLines(const Settings& settings) {
    std::vector<std::string> lines;
    for (const NamedRule& rule : kNamed) {
        if (rule.onlyWhenSet && settings.Text(rule.opt) == FirstStartValue(rule.opt)) continue;
        const std::string value = rule.kind == NamedKind::Flag ? (settings.On(rule.opt) ? "1" : "0")
                                                               : oneLine(settings.Text(rule.opt));
        lines.push_back(std::string(rule.name) + "=" + value);
    }
    return lines;
}

void ApplyNamedSettingsLines(Settings& settings, const std::vector<std::string>& lines) {
    for (const NamedRule& rule : kNamed) {
        std::string value(FirstStartValue(rule.opt));
        for (const std::string& line : lines) {
            const std::optional<NameValue> split = SplitNameValue(line);
            if (!split || !SameTextIgnoringCase(split->name, rule.name)) continue;
            // A value that does not count still stands for its line: the first-start value.
            value = namedValue(rule, split->value).value_or(std::string(FirstStartValue(rule.opt)));
        }
        if (rule.kind == NamedKind::Flag) {
            settings.SetOn(rule.opt, value == "1");
        } else {
            settings.SetText(rule.opt, value);
        }
    }
}

bool NamedSettingsAtFirstStart(const Settings& settings) {
    return std::all_of(kNamed.begin(), kNamed.end(), [&settings](const NamedRule& rule) {
        return settings.Text(rule.opt) == FirstStartValue(rule.opt);
    });
}

}  // namespace ardentix
