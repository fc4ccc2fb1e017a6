// Power-on and self-test of the AED.
#include <array>

#include "aed/aed.h"
#include "aed/own.h"
#include "aed/phase.h"
#include "core/course.h"
#include "core/engine.h"
#include "core/sound.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"

namespace ardentix {

const std::string& PromptLine(const Engine& e) {
    return e.screen.Get(El::AEDDISPLAY1).text;
}

namespace {

// The prompts that tell of a device event. A prompt that comes back while it waits (the charged
// device alternates "PUSH TO SHOCK" with "STAND CLEAR", the motion warning with "STOP MOTION")
// tells of it once, until the device event that begins a new one.
struct PromptEvent {
    std::string_view prompt;
    const char* event;
    const char* onceSince;
};

constexpr std::array<PromptEvent, 5> kPromptEvents = {{
    {prompt::kShockAdvised, "SHOCK ADVISED", nullptr},
    {prompt::kNoShock, "NO SHOCK ADVISED", nullptr},
    {prompt::kPushToShock, "Charge done", "SHOCK ADVISED"},
    {prompt::kChargeRemoved, "Charge removed", nullptr},
    {prompt::kMotion, "Fault: motion detected", "Analysis started"},
}};

// Whether the device told of this event since it last told of the other.
bool toldSince(const Engine& e, std::string_view event, std::string_view since) {
    const std::vector<LogEvent>& events = e.log.Events();
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
        if (it->kind != "device") continue;
        if (it->text == event) return true;
        if (it->text == since) return false;
    }
    return false;
}

}  // namespace

void SetPrompt(Engine& e, std::string_view text) {
    std::string& line = e.screen.Edit(El::AEDDISPLAY1).text;
    for (const PromptEvent& p : kPromptEvents) {
        if (text == p.prompt && line != text &&
            !(p.onceSince && toldSince(e, p.event, p.onceSince))) {
            LogDevice(e, p.event);
        }
    }
    line = text;
}

bool PowerLightLit(const Engine& e) {
    return e.screen.Get(El::PowerLight).color != Color::White;
}

void PowerOn(Engine& e) {
    const ScenarioState& s = e.state;
    LogAction(e, "Power");
    if (s.AEDOn) return;
    e.screen.Edit(El::CloseupPanel).visible = true;
    e.screen.Edit(El::AEDPANEL).visible = false;
    for (El name : {El::PowerLight, El::ShockLED, El::ShockButton}) {
        e.screen.Edit(name).visible = true;
    }
    e.screen.Edit(El::POWERBUTTON2).visible = false;
    e.screen.Edit(El::PowerButton).visible = false;
    NoteAction(e, "Power");
    // Switching on earns the step points whatever was expected, except on a patient below the
    // pediatric minimum when monitoring is not allowed (today's guidelines use the AED on such a
    // child, with the child key).
    if (s.PatientCategory != kPediatric || e.settings.On(Opt::OPTPEDSMONITOR) ||
        CurrentGuidelines(e)) {
        AwardStep(e);
    }
    OwnAed(e).AEDOn = true;
    CheckAnalyzeAfterShock(e);
    CheckShockDelivered(e);
    UpdateVitalSigns(e);
    EvaluateNextStep(e);
    Move(e, AedMove::SwitchOn);
}

void PowerButton2(Engine& e) {
    if (!e.state.AEDOn && e.state.TroubleOccurred) PowerOn(e);
}

namespace {

void selfTest(Engine& e) {
    e.screen.Edit(El::PowerLight).color = Color::Green;
    Element& upper = e.screen.Edit(El::AEDDISPLAY0);
    upper.text = "BATTERY OK";
    upper.visible = true;
    Element& lower = e.screen.Edit(El::AEDDISPLAY1);
    lower.text = prompt::kSelfTest;
    lower.visible = true;
    Element& counter = e.screen.Edit(El::NumShockLabel);
    counter.text.clear();
    counter.visible = true;
    Element& clock = e.screen.Edit(El::TIMELabel);
    clock.text = ClockText(e.ports.clock->LongTime());
    clock.visible = true;
    Move(e, AedMove::LightOn);
}

void ready(Engine& e) {
    const ScenarioState& s = e.state;
    LogDevice(e, "Self-test done");
    e.screen.Edit(El::AEDDISPLAY0).text.clear();
    const bool bothPads = s.WhitePadAttached && s.RedPadAttached;
    if (bothPads) {
        // "SELF-TEST" stays until the first analysis is prompted.
        Move(e, AedMove::PromptAnalyzeSoon);
        if (s.TroubleOccurred) {
            SetNextStep(e, StepAfterTrouble(e));
        }
    }
    Move(e, AedMove::SelfTestDone);
    if (!bothPads) {
        e.screen.Edit(El::AEDDISPLAY0).text.clear();
        SetPrompt(e, prompt::kConnect);
        PlaySound(e, "connecte.wav");
    }
    AdviseInTutorial(e);
}

}  // namespace

void RegisterPowerTimers(Engine& e) {
    e.SetTimerHandler(TimerId::POWERTIMER2, selfTest);
    e.SetTimerHandler(TimerId::POWERTimer, ready);
}

}  // namespace ardentix
