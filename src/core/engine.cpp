#include "core/engine.h"

#include "core/files.h"

namespace ardentix {

Engine::Engine(Ports ports_, std::string programDir_)
    : ports(ports_), programDir(std::move(programDir_)) {
    timers.SetHandler([this](TimerId id) {
        {
            const LogTurn turn(*this);
            if (const TimerHandler& handler = timerHandlers_[static_cast<size_t>(id)])
                handler(*this);
        }
        if (afterEvent) afterEvent(*this);
    });
    // The compressions run while the CPR timer does, whatever started or stopped it; a pause
    // stops the scenario's time and the timers with it, and changes nothing in the log.
    timers.SetWatch([this](TimerId id, bool running) {
        if (id != TimerId::CPRTimer || log.Paused() || log.Ended()) return;
        log.Add(timers.Now(), "cpr", running ? "CPR running" : "CPR stopped");
    });
}

void Engine::ParkPhases(bool pausing) {
    AedState& aed = state_;
    RescuerState& rescuer = state_;
    if (pausing) {
        aed.PausePhase = aed.Phase;
        rescuer.PausePhase = rescuer.Phase;
    }
    const Phases parked = Phases{aed.Phase, rescuer.Phase}.Parked();
    aed.Phase = parked.aed;
    rescuer.Phase = parked.rescuer;
}

void Engine::ResumePhases() {
    AedState& aed = state_;
    RescuerState& rescuer = state_;
    const Phases now =
        Phases::Resumed({aed.PausePhase, rescuer.PausePhase}, {aed.Phase, rescuer.Phase});
    aed.Phase = now.aed;
    rescuer.Phase = now.rescuer;
    aed.PausePhase = {};
    rescuer.PausePhase = {};
}

void Engine::SetTimerHandler(TimerId id, TimerHandler handler) {
    timerHandlers_[static_cast<size_t>(id)] = std::move(handler);
}

std::string Engine::FilePath(std::string_view name) const {
    return ProgramFile(programDir, name);
}

void Engine::SeedFromClock() {
    random.Seed(static_cast<uint32_t>(ports.clock->MillisSinceMidnight()));
}

void Engine::FileFailed(std::string_view doing, std::string_view name, const std::string& reason) {
    Message(BoxKind::Error, BoxButtons::Ok,
            "Cannot " + std::string(doing) + " " + std::string(name) + ": " + reason);
}

BoxAnswer Engine::Message(BoxKind kind, BoxButtons buttons, const std::string& text) {
    return ports.dialogs->Message(kind, buttons, text);
}

}  // namespace ardentix
