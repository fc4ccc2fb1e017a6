#include "core/engine.h"
#include "core/flow.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"

namespace ardentix {

namespace {

// Nothing of the scenario can be used during a pause: not a pad lying misplaced on the chest,
// nor the flashing "Scenario Over" sign that ends the scenario.
constexpr const char* kRescueControls[] = {
    "PADWHITE",          "PADRED",          "CPRBUTTON",      "PulseButton",        "ABCsButton",
    "BPBUTTON",          "VOICEBUTTON",     "CALLHELPButton", "TROUBLEShootBUTTON", "CLEARBUTTON",
    "ENDBUTTON",         "PowerButton",     "POWERBUTTON2",   "AnalyzeButton",      "ShockButton",
    "PADWHITEzoneTorso", "PADREDzoneTorso", "SCENOVERLabel",
};

}  // namespace

void DisableRescueControls(Engine& e) {
    StopAllTimers(e);
    for (const char* name : kRescueControls)
        e.screen.Edit(name).enabled = false;
}

void EnableRescueControls(Engine& e) {
    if (CPRRunning(e)) e.timers.Start(TimerId::CPRTimer);
    e.screen.Edit("PatientHistory").enabled = true;
    for (const char* name : kRescueControls) {
        const std::string_view n = name;
        bool enabled = true;
        if (n == "PADWHITE") enabled = !e.state.WhitePadAttached;
        if (n == "PADRED") enabled = !e.state.RedPadAttached;
        if (n == "VOICEBUTTON") enabled = e.settings.On(Opt::OptVoice);
        if (n == "POWERBUTTON2") enabled = e.screen.Get("CloseupPanel").visible;
        e.screen.Edit(name).enabled = enabled;
    }
}

void ShowAdvice(Engine& e) {
    // The advice panel and its texts arrive with the tutorial; the request is answered here.
    e.state.AdviceRequested = false;
}

}  // namespace ardentix
