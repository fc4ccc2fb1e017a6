// The charges of today's guidelines (CurrentGuidelines): compressions that start late after a
// shock or a no-shock result, stop while the countdown still has more than 10 s to run, or give
// way to a pulse check during the cycle, and rescue breaths given before the first compression.
// Under the classic protocol none of them is made.
#include "core/course.h"
#include "core/engine.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"
#include "monitor/own.h"

namespace ardentix {

namespace {

bool compressing(const Engine& e) {
    return e.rescuer().Phase.compressing;
}

// The hands are back on the chest in time, or the watch never began: it ends here.
void endWatch(Engine& e) {
    e.timers.Stop(TimerId::RESUMECPRTimer);
}

// A new watch of 10 s, also when one runs: each shock and each result has its own.
void startWatch(Engine& e) {
    e.timers.Stop(TimerId::RESUMECPRTimer);
    e.timers.Start(TimerId::RESUMECPRTimer);
}

// 10 s have passed since the shock or the result without a press of the CPR button, or with
// compressions by key without a compression: CPR started and never given is not CPR.
void cprNotResumed(Engine& e) {
    endWatch(e);
    if (compressing(e) && !CompressingByKey(e)) return;
    e.log.NoteCPRRequired();
    Deduct(e, 50, "CPR not resumed within 10 seconds (-50).", "",
           "CPR not resumed within 10 seconds (-50).");
}

}  // namespace

void ExpectCPRAfterShock(Engine& e) {
    if (CurrentGuidelines(e)) startWatch(e);
}

void ExpectCPRAfterNoShock(Engine& e) {
    // A patient whose pulse has returned is looked after, not compressed.
    if (CurrentGuidelines(e) && e.state.PulseState != kPulseRestored) startWatch(e);
}

void NoteCPRPressed(Engine& e) {
    // With compressions by key the button only lets the presses count.
    if (!CompressingByKey(e)) endWatch(e);
    OwnMonitor(e).CPRPressed = true;
}

void NoteCompressionGiven(Engine& e) {
    endWatch(e);
}

void CheckBreathsBeforeCompressions(Engine& e) {
    const ScenarioState& s = e.state;
    if (!CurrentGuidelines(e) || s.CPRStarted || s.EarlyBreathsCharged) return;
    OwnMonitor(e).EarlyBreathsCharged = true;
    Deduct(e, 25, "Gave rescue breaths before compressions (-25).", "",
           "Gave rescue breaths before compressions (-25).");
}

void CheckPulseDuringCycle(Engine& e) {
    if (!CurrentGuidelines(e) || !CountdownRunning(e)) return;
    Deduct(e, 25, "Checked pulse during CPR cycle (-25).", "",
           "Checked pulse during CPR cycle (-25).");
}

bool CheckCPRStopped(Engine& e) {
    OwnMonitor(e).CPRPressed = false;
    if (!CurrentGuidelines(e)) return false;
    // The compressions pause for the breaths the rescuer gives: that is no stop.
    if (compressing(e) && CountdownRunning(e) && !CountdownInLastSeconds(e) &&
        e.state.LastAction != "Rescue breath") {
        Deduct(e, 50, "Stopped CPR before the AED asked (-50).", "",
               "Stopped CPR before the AED asked (-50).");
    }
    return true;
}

bool AnalysisCutsCycle(const Engine& e) {
    return CurrentGuidelines(e) && CountdownRunning(e) && !CountdownInLastSeconds(e);
}

void ChargeCycleCut(Engine& e) {
    // Without compressions under way the stop was charged already, or the watch for resuming
    // CPR charges their absence.
    if (!compressing(e)) return;
    Deduct(e, 50, "Stopped CPR before the AED asked (-50).", "",
           "Stopped CPR before the AED asked (-50).");
}

namespace {

// How often the key has been turned on in this scenario, this time included.
int timesKeyTurnedOn(const Engine& e) {
    int n = 0;
    for (const LogEvent& event : e.log.Events()) {
        if (event.kind == "action" && event.text == "Child key on") ++n;
    }
    return n;
}

}  // namespace

void ChildKeyTurned(Engine& e) {
    // Not an action of the history the rules read: the key between the pads and the analysis
    // leaves the analysis what it follows.
    if (!CurrentGuidelines(e)) return;
    // The step earns its points once: turning the key off and on again earns nothing more.
    if (e.state.NextStep == kTurnOnChildKey && ChildKeySwitchedOn(e) && timesKeyTurnedOn(e) == 1)
        AwardStep(e);
    EvaluateNextStep(e);
}

void RegisterMonitorTimers(Engine& e) {
    e.SetTimerHandler(TimerId::RESUMECPRTimer, cprNotResumed);
}

}  // namespace ardentix
