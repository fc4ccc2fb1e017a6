#include "core/captions.h"
#include "core/engine.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"
#include "monitor/own.h"

namespace ardentix {

namespace {

// Nothing of the scenario can be used during a pause: not a pad lying misplaced on the chest,
// nor the flashing "Scenario Over" sign that ends the scenario.
constexpr El kRescueControls[] = {
    El::PADWHITE,           El::PADRED,        El::CPRBUTTON,   El::PulseButton,
    El::ABCsButton,         El::BPBUTTON,      El::VOICEBUTTON, El::CALLHELPButton,
    El::TROUBLEShootBUTTON, El::CLEARBUTTON,   El::ENDBUTTON,   El::PowerButton,
    El::POWERBUTTON2,       El::AnalyzeButton, El::ShockButton, El::PADWHITEzoneTorso,
    El::PADREDzoneTorso,    El::SCENOVERLabel, El::CHILDKEY,
};

}  // namespace

// A pause freezes the scenario: every timer that runs is stopped and, once the pause ends, started
// again, so that no sequence (the power-up, a pulse check, a breath, the bag hold) is left half
// done. The phone call goes on through a pause but ends with the scenario, so that it never
// answers in the summary or in the next scenario; so does a sound's caption, since the sound
// plays on to its end through a pause. The pause stops and starts the scenario clock itself.
void StopAllTimers(Engine& e) {
    const bool pausing = e.screen.Get(El::Pause).checked;
    // The phases stand still with the timers.
    e.ParkPhases(pausing);
    for (int i = 0; i < kTimerCount; ++i) {
        const auto id = static_cast<TimerId>(i);
        if (pausing) {
            if (id == TimerId::CALL911TIMER || id == TimerId::CAPTIONTimer) continue;
            if (id != TimerId::ELAPSEDSecTIMER)
                OwnMonitor(e).PauseMemory[static_cast<size_t>(i)] = e.timers.Running(id);
        }
        e.timers.Stop(id);
    }
    if (!pausing) EndCaption(e);
}

void RestartPausedTimers(Engine& e) {
    e.ResumePhases();
    for (int i = 0; i < kTimerCount; ++i) {
        bool& remembered = OwnMonitor(e).PauseMemory[static_cast<size_t>(i)];
        if (remembered) e.timers.Start(static_cast<TimerId>(i));
        remembered = false;
    }
}

void DisableRescueControls(Engine& e) {
    StopAllTimers(e);
    for (El name : kRescueControls)
        e.screen.Edit(name).enabled = false;
}

void EnableRescueControls(Engine& e) {
    if (CPRRunning(e)) e.timers.Start(TimerId::CPRTimer);
    e.screen.Edit(El::PatientHistory).enabled = true;
    for (El name : kRescueControls) {
        bool enabled = true;
        if (name == El::PADWHITE) enabled = !e.state.WhitePadAttached;
        if (name == El::PADRED) enabled = !e.state.RedPadAttached;
        if (name == El::VOICEBUTTON) enabled = e.settings.On(Opt::OptVoice);
        if (name == El::POWERBUTTON2) enabled = e.screen.Get(El::CloseupPanel).visible;
        e.screen.Edit(name).enabled = enabled;
    }
}

}  // namespace ardentix
