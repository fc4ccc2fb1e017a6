// The checkpoint of the walk: nobody acts for ten minutes, then for one more minute every timer
// expiry is watched. By then every sequence the trainee or the device started must have come to
// rest; what still runs must be something that rightly runs for as long as its state lasts.
#include <array>
#include <vector>

#include "aed/aed.h"
#include "monitor/conditions.h"
#include "random_walk.h"

namespace ardentix::walk {

namespace {

bool running(const Engine& e, TimerId id) {
    return e.timers.Running(id);
}

bool visible(const Engine& e, const char* name) {
    return e.screen.Get(ElementCalled(name)).visible;
}

// The phase a checkpoint judges by: the about box changes nothing for the timers behind it.
Phase judgedPhase(const Engine& e) {
    if (visible(e, "MENU") || visible(e, "TForm2")) return Phase::Outside;
    return e.screen.Get(El::Pause).checked ? Phase::Paused : Phase::Scenario;
}

// Something keeps the patient moving, and will until the trainee stops it.
bool motionGoesOn(const Engine& e) {
    const ScenarioState& s = e.state;
    const bool breathTimers = running(e, TimerId::VENTILATION1Timer) ||
                              running(e, TimerId::VENTILATION2Timer) ||
                              running(e, TimerId::HIDEBVMTimer);
    return s.TroubleKind == 2 || (CPRRunning(e) && running(e, TimerId::CPRTimer)) ||
           (s.BagBreathing && breathTimers) ||
           (visible(e, "PULSEHAND") && running(e, TimerId::PULSETIMER)) ||
           running(e, TimerId::Shaketimer) || running(e, TimerId::ResponsivenessTimer);
}

// The timers that may rightly run through ten idle minutes, each for as long as its state lasts.
bool mayRunOn(const Session& session, TimerId id, Phase phase) {
    const Engine& e = session.engine();
    const bool scenario = phase == Phase::Scenario;
    switch (id) {
        case TimerId::ELAPSEDSecTIMER:
            // The scenario clock runs until the scenario ends or is paused.
            return scenario;
        case TimerId::SCENOVERLabelFLASHTimer:
            // The "Scenario Over" sign flashes until the trainee ends the scenario, once the
            // protocol has come to its end.
            return phase != Phase::Outside && session.endReached();
        case TimerId::CPRTimer:
            // Compressions go on until the trainee stops them with the CPR button.
            return scenario && CPRRunning(e);
        case TimerId::FLASHLEDtimer:
            // The analyze key blinks as long as the device asks for it.
            return scenario && e.timers.Interval(id) == 500 &&
                   PromptLine(e) == prompt::kPushAnalyze;
        case TimerId::CPRCountdownTimer:
            // A CPR period runs its course, up to 255 counts; a device that analyses by itself
            // begins the next period after each analysis without a pulse to shock.
            return scenario && e.timers.Interval(id) > 0 && e.state.CountdownSeconds > 0;
        case TimerId::MOTIONDETECTEDTimer:
            // "MOTION DETECTED" and "STOP MOTION" alternate as long as the patient is moved.
            return scenario && motionGoesOn(e);
        case TimerId::LOWBATTERYINDICATORTIMER:
            // The battery symbol blinks until the trainee replaces the battery.
            return scenario && e.state.TroubleKind == kTroubleLowBattery;
        default:
            // Every other timer is one step of a sequence, or a one-shot: none is endless.
            return false;
    }
}

bool busyPrompt(const std::string& p) {
    return p == prompt::kAnalyzing || p == prompt::kStandClear || p == prompt::kShockAdvised ||
           p == prompt::kPushToShock || p == prompt::kMotion || p == prompt::kStopMotion;
}

bool countdownShown(const std::string& text) {
    const size_t colon = text.find(':');
    return colon != std::string::npos && colon > 0 && text.size() == colon + 3 &&
           text.find_first_not_of("0123456789:") == std::string::npos;
}

// A sequence the engine began and ends by a timer: its mark is left standing while none of its
// timers runs any more.
struct Sequence {
    const char* what;
    bool (*unfinished)(const Engine&);
    std::vector<TimerId> timers;  // the timers that carry it
    const char*
        name;  // a script name that shows the fault (or none), and its value when all is well
    const char* wellValue;
};

const Sequence kSequences[] = {
    {"the scenario clock stopped",
     [](const Engine&) { return true; },
     {TimerId::ELAPSEDSecTIMER},
     "ELAPSEDSecTIMER.running",
     "1"},
    {"power-up unfinished: the power light never came on",
     [](const Engine& e) { return e.state.AEDOn && !PowerLightLit(e); },
     {TimerId::POWERTIMER2, TimerId::POWERTimer},
     "PowerLight.color",
     "green"},
    {"self-test unfinished: BATTERY OK stays on the display",
     [](const Engine& e) { return e.screen.Get(El::AEDDISPLAY0).text == "BATTERY OK"; },
     {TimerId::POWERTimer},
     "AEDDISPLAY0",
     ""},
    {"pulse check unfinished: the hand stays on the neck",
     [](const Engine& e) { return visible(e, "PULSEHAND"); },
     {TimerId::PULSETIMER},
     "PULSEHAND.visible",
     "0"},
    {"responsiveness check unfinished: the shaking stopped part-way",
     [](const Engine& e) { return e.state.ResponsivenessChecked && e.state.ShakeCount < 9; },
     {TimerId::ResponsivenessTimer, TimerId::Shaketimer},
     "ShakeCount",
     "9"},
    {"breathing check unfinished: the rate is never reported",
     [](const Engine& e) {
         return e.state.BreathingChecked && !e.screen.Get(El::ABCsBreathingMenuItem).checked;
     },
     {TimerId::BREATHINGTimer},
     "ABCsBreathingMenuItem.checked",
     "1"},
    {"bag breath unfinished: the bag stays on the face",
     [](const Engine& e) { return e.state.BagBreathing; },
     {TimerId::VENTILATION1Timer, TimerId::VENTILATION2Timer, TimerId::HIDEBVMTimer,
      TimerId::CPRTimer},
     "BagBreathing",
     "0"},
    {"mask breath unfinished: the mask stays on the face",
     [](const Engine& e) { return e.state.MaskBreathing; },
     {TimerId::VENTILATION1Timer, TimerId::VENTILATION2Timer, TimerId::HIDEBVMTimer,
      TimerId::CPRTimer},
     "MaskBreathing",
     "0"},
    {"the device stays on a busy prompt, which refuses the analyze key",
     [](const Engine& e) { return busyPrompt(PromptLine(e)); },
     {TimerId::STANDCLEARAnalyzeTIMER, TimerId::ANALYZINGNOWTimer, TimerId::STANDCLEARTIMER,
      TimerId::ENDAnalyzeTimer, TimerId::MOTIONDETECTEDTimer, TimerId::CHARGETimer,
      TimerId::STANDCLEARShockTimer, TimerId::PUSHTOSHOCKTimer, TimerId::DISARMTimer,
      TimerId::SHOCKTimer, TimerId::AutoAnalyzeDelay},
     "",
     ""},
    {"the CPR countdown stalled on the display",
     [](const Engine& e) { return countdownShown(e.screen.Get(El::AEDDISPLAY0).text); },
     {TimerId::CPRCountdownTimer},
     "AEDDISPLAY0",
     ""},
};

// What a timer expiry can change: the state, the screen, the timers, the sounds asked for. The
// traces of the scenario clock and of the flashing sign are left out, so that an expiry that
// falls together with theirs is still seen to change nothing. The screen is compared element by
// element where the engine wrote since the last look.
class ChangeSeen {
  public:
    explicit ChangeSeen(Session& s) : s_(s), screen_(s.engine().screen) {
        s_.engine().screen.TakeChanges();
        remember();
    }

    // Whether anything changed since the last call.
    bool operator()() {
        const Engine& e = s_.engine();
        bool changed = !sameState(state_, e.state) || sounds_ != s_.sound().log.size();
        for (int i = 0; i < kTimerCount && !changed; ++i) {
            const auto id = static_cast<TimerId>(i);
            changed = timers_[static_cast<size_t>(i)] !=
                      std::make_pair(e.timers.Running(id), e.timers.Interval(id));
        }
        for (El el : s_.engine().screen.TakeChanges().elements) {
            Element& seen = screen_.Edit(el);
            if (!sameElement(std::string(NameOf(el)), seen, e.screen.Get(el))) changed = true;
            seen = e.screen.Get(el);
        }
        remember();
        return changed;
    }

  private:
    void remember() {
        const Engine& e = s_.engine();
        state_ = e.state;
        sounds_ = s_.sound().log.size();
        for (int i = 0; i < kTimerCount; ++i) {
            const auto id = static_cast<TimerId>(i);
            timers_[static_cast<size_t>(i)] = {e.timers.Running(id), e.timers.Interval(id)};
        }
    }

    static bool sameState(const ScenarioState& a, const ScenarioState& b) {
#define ARDENTIX_WALK_SAME(type, name, start) \
    if (std::string_view(#name) != "ElapsedSeconds" && !(a.name == b.name)) return false;
        ARDENTIX_ALL_FIELDS(ARDENTIX_WALK_SAME)
#undef ARDENTIX_WALK_SAME
        return a.TestPlan == b.TestPlan && a.PauseMemory == b.PauseMemory;
    }

    static bool sameElement(const std::string& name, const Element& a, const Element& b) {
        const bool textSame = a.text == b.text || name == "TIMELabel";
        const bool visibleSame = a.visible == b.visible || name == "SCENOVERLabel";
        return textSame && visibleSame && a.enabled == b.enabled && a.checked == b.checked &&
               a.bold == b.bold && a.color == b.color && a.left == b.left && a.top == b.top &&
               a.width == b.width && a.height == b.height && a.maxLength == b.maxLength &&
               a.lines == b.lines;
    }

    Session& s_;
    Screen screen_;
    ScenarioState state_;
    std::array<std::pair<bool, int>, kTimerCount> timers_{};
    size_t sounds_ = 0;
};

// The timers that fire at time t, in their order, found on a copy of the timer table whose
// handler only takes note.
std::vector<TimerId> firingAt(const Scheduler& timers, Millis t) {
    Scheduler probe = timers;
    std::vector<TimerId> fired;
    probe.SetHandler([&fired](TimerId id) { fired.push_back(id); });
    probe.AdvanceTo(t);
    return fired;
}

struct TimerWatch {
    bool throughout = false;  // running at every moment of the watch
    int aloneFires = 0;       // expiries with no other timer's at the same moment
    int aloneChanges = 0;     // of those, the ones that changed something
};

}  // namespace

std::vector<Finding> Checkpoint(Session& s) {
    std::vector<Finding> findings;
    Engine& e = s.engine();
    const Millis watchStart = e.timers.Now() + kIdleMs;
    s.RunTo(watchStart, findings);
    if (s.ended()) return findings;

    std::array<TimerWatch, kTimerCount> watch{};
    for (int i = 0; i < kTimerCount; ++i)
        watch[static_cast<size_t>(i)].throughout = running(e, static_cast<TimerId>(i));
    const Millis end = watchStart + kWatchMs;
    ChangeSeen changed(s);
    while (!s.ended()) {
        const auto next = e.timers.NextDue();
        if (!next || *next > end) break;
        std::vector<TimerId> fired = firingAt(e.timers, *next);
        std::erase_if(fired, [](TimerId id) {
            return id == TimerId::ELAPSEDSecTIMER || id == TimerId::SCENOVERLabelFLASHTimer;
        });
        s.RunTo(*next, findings);
        const bool effect = changed();
        if (fired.size() == 1) {
            TimerWatch& w = watch[static_cast<size_t>(fired[0])];
            ++w.aloneFires;
            if (effect) ++w.aloneChanges;
        }
        for (int i = 0; i < kTimerCount; ++i) {
            if (!running(e, static_cast<TimerId>(i)))
                watch[static_cast<size_t>(i)].throughout = false;
        }
    }
    if (s.ended()) return findings;
    s.RunTo(end, findings);

    const Phase phase = judgedPhase(e);
    // The score may still move with nobody acting: a device left alone on a shockable patient
    // advises, disarms and analyses again round after round, and each round charges what the
    // trainee leaves undone (not clearing, not shocking). Only its 16-bit range is checked, at
    // every expiry.
    if (phase == Phase::Scenario) {
        for (const Sequence& q : kSequences) {
            bool carried = false;
            for (TimerId id : q.timers)
                carried = carried || running(e, id);
            if (carried || !q.unfinished(e)) continue;
            Finding f{"unfinished sequence: " + std::string(q.what),
                      "after ten idle minutes: " + Describe(e),
                      {}};
            if (*q.name) f.expect.push_back({q.name, q.wellValue});
            findings.push_back(f);
        }
    }
    for (int i = 0; i < kTimerCount; ++i) {
        const auto id = static_cast<TimerId>(i);
        const TimerWatch& w = watch[static_cast<size_t>(i)];
        if (!running(e, id)) continue;
        const bool endless = w.throughout && !mayRunOn(s, id, phase);
        const bool idle = w.aloneFires >= 2 && w.aloneChanges == 0;
        if (!endless && !idle) continue;
        const std::string name(TimerName(id));
        std::string how = idle ? "fires to no effect" : "runs on";
        how += " (interval " + std::to_string(e.timers.Interval(id)) + " ms, " +
               std::to_string(w.aloneFires) + " lone expiries in the watched minute, " +
               std::to_string(w.aloneChanges) + " with an effect)";
        findings.push_back({"stranded " + name + " (" + PhaseName(phase) + ")",
                            name + " " + how + " after ten idle minutes: " + Describe(e),
                            {{name + ".running", "0"}}});
    }
    return findings;
}

}  // namespace ardentix::walk
