#include "core/engine.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"

namespace ardentix {

bool CPRIsRunning(const Engine& e) {
    return e.timers.Running(TimerId::CPRTimer);
}

void StopCPR(Engine& e) {
    ScenarioState& s = e.state;
    if (e.timers.Running(TimerId::CPRCountdownTimer) && s.CountdownSeconds > 10 &&
        e.timers.Running(TimerId::CPRTimer)) {
        Deduct(e, 35, "Stopped CPR too soon (-35).", "", "Stopped CPR too soon (-35).");
    }
    for (TimerId id : {TimerId::CPRTimer, TimerId::VENTILATION1Timer, TimerId::VENTILATION2Timer}) {
        e.timers.Stop(id);
    }
    s.ChildCPRRunning = s.AdultCPRRunning = s.BagBreathing = s.MaskBreathing = false;
}

}  // namespace ardentix
