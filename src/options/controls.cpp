#include <algorithm>
#include <array>

#include "core/elements.h"
#include "core/engine.h"
#include "options/options.h"

namespace ardentix {

namespace {

// How a spin button steps its field: the down arrow acts from downFrom up, the up arrow up to
// upTo, by step. A value written into the settings file by hand may lie off the grid (3, 98) or
// outside the range (40 with an age): a step never takes it past the field's range.
struct Stepping {
    El spin;
    Opt field;
    int step;
    int downFrom;
    int upTo;
    int low;
    int high;
};

constexpr std::array<Stepping, 8> kSteppings = {{
    {El::SpinButton11, Opt::OptTroubleOdds, 5, 1, 99, 0, 100},
    {El::SpinButtonTESTSCEN, Opt::OPTtestScenarios, 1, 2, 99, 1, 100},
    {El::SpinButton0, Opt::OptCPR0Length, 5, 1, 179, 0, 180},
    {El::SpinButton1, Opt::OptCPR1Length, 5, 1, 179, 0, 180},
    {El::SpinButton2, Opt::OptCPR2Length, 5, 1, 179, 0, 180},
    {El::SpinButton5, Opt::OptHypoShocks, 1, 1, 9, 0, 10},
    // The minimum age, as an age in years; in pounds it goes up to 121.
    {El::SpinButton6, Opt::OptMinimumAge, 1, 2, 17, 1, 18},
    {El::SpinButton7, Opt::OPTCPRCOMP, 5, 15, 95, 10, 100},
}};

// The controls the current guidelines fix (the ratio, the CPR periods, the pulse checks they
// no longer ask for): disabled while those guidelines are chosen, their values kept for the
// classic ones.
constexpr std::array<Opt, 6> kFixedByCurrent = {
    Opt::Opt2CPR,       Opt::OptCPR0Length,         Opt::OptCPR1Length,
    Opt::OptCPR2Length, Opt::OptPulseAfter3rdShock, Opt::OptPulseAfterCPR,
};

void setEnabled(Engine& e, El el, bool enabled) {
    // Written only on a change, so that the front ends redraw only what changed.
    if (e.screen.Get(el).enabled != enabled) e.screen.Edit(el).enabled = enabled;
}

// Enables or disables a control together with the spin button that steps it.
void setOptionEnabled(Engine& e, Opt opt, bool enabled) {
    setEnabled(e, OptionElement(opt), enabled);
    for (const Stepping& s : kSteppings) {
        if (s.field == opt) setEnabled(e, s.spin, enabled);
    }
}

void followGuidelines(Engine& e) {
    const bool current = e.settings.On(Opt::OPTGuideCurrent);
    for (Opt opt : kFixedByCurrent)
        setOptionEnabled(e, opt, !current);
    // Compressions by key are a way of practising the current guidelines only.
    setOptionEnabled(e, Opt::OPTCompressByKey, current);
}

}  // namespace

void ClickOption(Engine& e, Opt opt) {
    const bool radio = KindOf(opt) == ControlKind::Radio;
    e.settings.SetOn(opt, radio || !e.settings.On(opt));
}

bool StepOption(Engine& e, El spinButton, bool up) {
    const auto it = std::find_if(kSteppings.begin(), kSteppings.end(),
                                 [spinButton](const Stepping& s) { return s.spin == spinButton; });
    if (it == kSteppings.end()) return false;
    Stepping s = *it;
    if (s.field == Opt::OptMinimumAge && e.settings.On(Opt::Weight)) {
        s.upTo = 120;
        s.high = 121;
    }
    const int value = e.settings.Value(s.field);
    int next = value;
    if (up && value <= s.upTo) next = value + s.step;
    if (!up && value >= s.downFrom) next = value - s.step;
    if (next != value) e.settings.SetText(s.field, std::to_string(std::clamp(next, s.low, s.high)));
    return true;
}

void ShowOption(Engine& e, Opt opt) {
    Element& control = e.screen.Edit(OptionElement(opt));
    switch (KindOf(opt)) {
        case ControlKind::CheckBox:
        case ControlKind::Radio:
            control.checked = e.settings.On(opt);
            break;
        case ControlKind::Number:
        case ControlKind::Text:
            control.text = e.settings.Text(opt);
            break;
    }
    if (opt == Opt::OPTGuideClassic || opt == Opt::OPTGuideCurrent) followGuidelines(e);
    if (opt == Opt::OPTResultsLocal || opt == Opt::OPTResultsCentre)
        setEnabled(e, El::OPTCentreURI, e.settings.On(Opt::OPTResultsCentre));
}

}  // namespace ardentix
