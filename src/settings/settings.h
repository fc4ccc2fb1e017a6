#pragma once
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ardentix {

enum class Tab { Scenario, Protocol, Test };
enum class ControlKind { CheckBox, Radio, Number, Text };

// The first-start identities of the trainees and of the activities in the xAPI statements sent to
// a learning record store: addresses that can never exist (.invalid) until the instructor sets
// the organisation's own.
inline constexpr const char* kLrsHomePage = "http://ardentix.invalid/trainees";
inline constexpr const char* kLrsBase = "http://ardentix.invalid/xapi";

// X(name, kind, tab, first-start value, DEFAULT button value)
// Check boxes and radio buttons hold "1" or "0"; numeric fields hold their decimal text.
#define ARDENTIX_CONTROLS(X)                                  \
    X(OPTautoABCS, CheckBox, Scenario, "0", "0")              \
    X(OptBVM, CheckBox, Scenario, "0", "0")                   \
    X(OPTOneRescuer, CheckBox, Scenario, "1", "1")            \
    X(OPTCALL911, CheckBox, Scenario, "0", "0")               \
    X(Opt2CPR, CheckBox, Scenario, "0", "0")                  \
    X(OPTCOMPRVENT, CheckBox, Scenario, "0", "0")             \
    X(OPTCPRTIME, CheckBox, Scenario, "0", "0")               \
    X(SOUNDCheckBox, CheckBox, Scenario, "1", "1")            \
    X(IDNumCheckBox, CheckBox, Scenario, "0", "0")            \
    X(OPTSCREENSIZE, CheckBox, Scenario, "1", "1")            \
    X(OPTOneShockScenario, CheckBox, Scenario, "0", "0")      \
    X(OPTPEDScen, CheckBox, Scenario, "0", "0")               \
    X(OptHypo, CheckBox, Scenario, "0", "0")                  \
    X(OPTTWOBUTTONAED, CheckBox, Scenario, "1", "1")          \
    X(OPTAUTOANALYZE, CheckBox, Scenario, "1", "1")           \
    X(OptBatteryTrouble, CheckBox, Scenario, "1", "1")        \
    X(OptElectrodeTrouble, CheckBox, Scenario, "1", "1")      \
    X(OptMOTIONTrouble, CheckBox, Scenario, "1", "1")         \
    X(OptTroubleOdds, Number, Scenario, "20", "20")           \
    X(PASSWORD, Text, Scenario, "", "")                       \
    X(OPTResultsLocal, Radio, Scenario, "1", "1")             \
    X(OPTResultsCentre, Radio, Scenario, "0", "0")            \
    X(OPTCentreURI, Text, Scenario, "", "")                   \
    X(OPTCaptions, CheckBox, Scenario, "0", "0")              \
    X(OptHypoShocks, Number, Protocol, "3", "3")              \
    X(Age, Radio, Protocol, "1", "1")                         \
    X(Weight, Radio, Protocol, "0", "0")                      \
    X(OptMinimumAge, Number, Protocol, "8", "8")              \
    X(OptCPR0Length, Number, Protocol, "0", "0")              \
    X(OptCPR1Length, Number, Protocol, "60", "60")            \
    X(OptCPR2Length, Number, Protocol, "0", "0")              \
    X(OPTCPRCOMP, Number, Protocol, "75", "75")               \
    X(OPTPEDSMONITOR, CheckBox, Protocol, "0", "0")           \
    X(OPTBPCHECK, CheckBox, Protocol, "0", "0")               \
    X(OptVoice, CheckBox, Protocol, "0", "0")                 \
    X(OptPulseAfterCPR, CheckBox, Protocol, "0", "0")         \
    X(OptPulseAfter3rdShock, CheckBox, Protocol, "1", "1")    \
    X(OPTCLEARShock, CheckBox, Protocol, "1", "1")            \
    X(OPTClearAnalyze, CheckBox, Protocol, "1", "1")          \
    X(OPTGuideClassic, Radio, Protocol, "1", "1")             \
    X(OPTGuideCurrent, Radio, Protocol, "0", "0")             \
    X(OPTCompressByKey, CheckBox, Protocol, "0", "0")         \
    X(OPTtestScenarios, Number, Test, "3", "3")               \
    X(OPTEmail, CheckBox, Test, "0", "0")                     \
    X(OPTAUTOSend, CheckBox, Test, "0", "0")                  \
    X(OPTDetailedTestReport, CheckBox, Test, "0", "1")        \
    X(OPTFTP, CheckBox, Test, "0", "0")                       \
    X(OPTEncrypt, CheckBox, Test, "0", "0")                   \
    X(OPTLrsSend, CheckBox, Test, "0", "0")                   \
    X(OPTLrsHomePage, Text, Test, kLrsHomePage, kLrsHomePage) \
    X(OPTLrsBase, Text, Test, kLrsBase, kLrsBase)             \
    X(OPTLrsEndpoint, Text, Test, "", "")                     \
    X(OPTLrsKey, Text, Test, "", "")                          \
    X(OPTLrsSecret, Text, Test, "", "")

enum class Opt {
#define ARDENTIX_CONTROL_ENUM(name, kind, tab, first, dflt) name,
    ARDENTIX_CONTROLS(ARDENTIX_CONTROL_ENUM)
#undef ARDENTIX_CONTROL_ENUM
};

inline constexpr int kControlCount = 0
#define ARDENTIX_CONTROL_COUNT(name, kind, tab, first, dflt) +1
    ARDENTIX_CONTROLS(ARDENTIX_CONTROL_COUNT)
#undef ARDENTIX_CONTROL_COUNT
    ;

// A text that is a whole number and nothing else (no blanks, no sign but a leading minus).
std::optional<int> WholeNumber(std::string_view text);

// The password fields turn typed letters into lower case.
std::string LowerCase(std::string text);

std::string_view ControlName(Opt opt);
std::optional<Opt> ControlByName(std::string_view name);
ControlKind KindOf(Opt opt);
Tab TabOf(Opt opt);
// The value a control has when no settings file gives it one.
std::string_view FirstStartValue(Opt opt);

// The instructor's option controls. Every reader asks at the moment of use; nothing caches a
// setting. A change made by code runs the control's change reaction exactly as a user's change
// does, and only when the state really changes: the consistency rules between controls and the
// settings-changed flag rest on that.
class Settings {
  public:
    Settings();

    // Check boxes and radio buttons.
    bool On(Opt opt) const;
    void SetOn(Opt opt, bool on);

    // Numeric and text fields.
    const std::string& Text(Opt opt) const;
    void SetText(Opt opt, std::string text);
    // A numeric field read as a whole number; a text that is not one reads as the field's
    // first-start value.
    int Value(Opt opt) const;

    // The DEFAULT button of a tab: that tab's controls take their default values, with their
    // reactions. (It does not itself set the changed flag: the button does.)
    void ApplyDefaults(Tab tab);

    // An option changed since the settings were last loaded or saved.
    bool Changed() const { return changed_; }
    void SetChanged(bool changed) { changed_ = changed; }

    // Called after the reaction of each real change (the engine lets the border window follow
    // OPTSCREENSIZE at once).
    void SetObserver(std::function<void(Opt)> observer) { observer_ = std::move(observer); }

  private:
    void store(Opt opt, std::string value);
    void react(Opt opt);

    std::array<std::string, kControlCount> values_;
    bool changed_ = false;
    std::function<void(Opt)> observer_;
};

}  // namespace ardentix
