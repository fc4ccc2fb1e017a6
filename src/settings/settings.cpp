#include "settings/settings.h"

#include <cctype>
#include <charconv>

namespace ardentix {

namespace {

struct ControlInfo {
    std::string_view name;
    ControlKind kind;
    Tab tab;
    std::string_view firstStart;
    std::string_view byDefault;
};

constexpr std::array<ControlInfo, kControlCount> kControls = {{
#define ARDENTIX_CONTROL_INFO(name, kind, tab, first, dflt) \
    {#name, ControlKind::kind, Tab::tab, first, dflt},
    ARDENTIX_CONTROLS(ARDENTIX_CONTROL_INFO)
#undef ARDENTIX_CONTROL_INFO
}};

const ControlInfo& info(Opt opt) {
    return kControls[static_cast<size_t>(opt)];
}

// The other button of a radio pair: the unit of the pediatric minimum, the guidelines scored,
// where the results are kept.
Opt radioPartner(Opt opt) {
    switch (opt) {
        case Opt::Age:
            return Opt::Weight;
        case Opt::Weight:
            return Opt::Age;
        case Opt::OPTGuideClassic:
            return Opt::OPTGuideCurrent;
        case Opt::OPTResultsLocal:
            return Opt::OPTResultsCentre;
        case Opt::OPTResultsCentre:
            return Opt::OPTResultsLocal;
        default:
            return Opt::OPTGuideClassic;
    }
}

}  // namespace

std::string_view ControlName(Opt opt) {
    return info(opt).name;
}

std::optional<Opt> ControlByName(std::string_view name) {
    for (size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].name == name) return static_cast<Opt>(i);
    }
    return std::nullopt;
}

ControlKind KindOf(Opt opt) {
    return info(opt).kind;
}
Tab TabOf(Opt opt) {
    return info(opt).tab;
}
std::string_view FirstStartValue(Opt opt) {
    return info(opt).firstStart;
}

Settings::Settings() {
    for (size_t i = 0; i < kControls.size(); ++i)
        values_[i] = kControls[i].firstStart;
}

bool Settings::On(Opt opt) const {
    return values_[static_cast<size_t>(opt)] == "1";
}

void Settings::SetOn(Opt opt, bool on) {
    // A radio pair keeps exactly one of its buttons checked: clearing one checks the other.
    if (KindOf(opt) == ControlKind::Radio && !on) {
        SetOn(radioPartner(opt), true);
        return;
    }
    store(opt, on ? "1" : "0");
}

const std::string& Settings::Text(Opt opt) const {
    return values_[static_cast<size_t>(opt)];
}

void Settings::SetText(Opt opt, std::string text) {
    store(opt, std::move(text));
}

int Settings::Value(Opt opt) const {
    if (auto value = WholeNumber(Text(opt))) return *value;
    return WholeNumber(info(opt).firstStart).value_or(0);
}

void Settings::store(Opt opt, std::string value) {
    std::string& current = values_[static_cast<size_t>(opt)];
    if (current == value) return;
    current = std::move(value);
    changed_ = true;
    react(opt);
    if (observer_) observer_(opt);
}

// The consistency rules between controls, run on each real change in the order the changes
// happen, so the last change wins.
void Settings::react(Opt opt) {
    const bool on = On(opt);
    switch (opt) {
        case Opt::OPTTWOBUTTONAED:
            if (on) {
                SetOn(Opt::OPTAUTOANALYZE, true);
                SetOn(Opt::OptPulseAfterCPR, false);
            }
            break;
        case Opt::OPTAUTOANALYZE:
            if (on) {
                SetOn(Opt::OptPulseAfterCPR, false);
            } else {
                SetOn(Opt::OPTTWOBUTTONAED, false);
            }
            break;
        case Opt::OPTEmail:
            if (on) SetOn(Opt::OPTAUTOSend, false);
            break;
        case Opt::OPTAUTOSend:
            if (on) SetOn(Opt::OPTEmail, false);
            break;
        case Opt::Age:
            if (on) {
                store(Opt::Weight, "0");
                if (Value(Opt::OptMinimumAge) > 18) SetText(Opt::OptMinimumAge, "8");
            }
            break;
        case Opt::Weight:
            if (on) store(Opt::Age, "0");
            break;
        case Opt::OPTGuideClassic:
        case Opt::OPTGuideCurrent:
        case Opt::OPTResultsLocal:
        case Opt::OPTResultsCentre:
            if (on) store(radioPartner(opt), "0");
            break;
        default:
            break;
    }
}

void Settings::ApplyDefaults(Tab tab) {
    for (size_t i = 0; i < kControls.size(); ++i) {
        if (kControls[i].tab == tab)
            store(static_cast<Opt>(i), std::string(kControls[i].byDefault));
    }
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last) return std::nullopt;
    return value;
}

}  // namespace ardentix
