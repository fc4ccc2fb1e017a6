// The five checks for a skipped step. Each compares the action just performed with the step
// that was expected after the previous one, and makes at most one deduction. Today's guidelines
// keep only the shock's: they ask for no analysis straight after a shock, no pulse check and no
// chain of pulse checks and CPR (current_checks.cpp has their own).
#include "core/course.h"
#include "core/engine.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"
#include "monitor/own.h"

namespace ardentix {

void CheckAnalyzeAfterShock(Engine& e) {
    const ScenarioState& s = e.state;
    if (CurrentGuidelines(e)) return;
    if (s.AnalysisCount == 0 || s.PreviousAction != "Shock") return;
    if (s.NextStep != kClearForAnalysis && s.NextStep != kPressAnalyze) return;
    if (e.settings.On(Opt::OPTAUTOANALYZE)) {
        // The AED analyses on its own: only touching the patient meanwhile is a fault.
        if (AnalysisRunning(e)) {
            Deduct(e, 50, "Don't touch patient while AED is analyzing (-50).", "",
                   "Touched patient while AED was analyzing (-50).");
        }
    } else {
        Deduct(e, 100, "Forgot to analyze immediately after shock (-100).", "",
               "Did not analyze immediately after shock (-100).");
    }
}

void CheckShockDelivered(Engine& e) {
    if (e.state.NextStep != kClearForShock && e.state.NextStep != kPressShock) return;
    Deduct(e, 200, "Did not shock when Shock Advised (-200).", "",
           "Did not shock when Shock Advised (-200).");
    OwnMonitor(e).NextStep = kClearForShock;
}

void CheckPulseAfterAnalysis(Engine& e) {
    const ScenarioState& s = e.state;
    if (CurrentGuidelines(e)) return;
    const bool autoAnalyze = e.settings.On(Opt::OPTAUTOANALYZE);
    if (s.NextStep == kCheckPulse &&
        (s.PreviousAction == "Analyze" || (autoAnalyze && s.PreviousAction == "Clear")) &&
        !s.ShockAdvised) {
        Deduct(e, 50, "Forgot to check pulse after ", "No Shock Advised (-50).",
               "Did not check pulse after No Shock Advised (-50).");
    } else if (e.settings.On(Opt::OptPulseAfterCPR) && s.NextStep == kCheckPulse &&
               (s.PreviousAction == "CPR" || s.EarlierAction == "CPR")) {
        Deduct(e, 50, "Forgot to check pulse after CPR (-50).", "",
               "Did not check pulse after CPR (-50).");
    } else if (e.settings.On(Opt::OptPulseAfter3rdShock) && s.PreviousAction == "Shock" &&
               s.ShocksInSeries == 3) {
        // The report line of this fault carries no points figure.
        Deduct(e, 50, "Forgot to check pulse after 3 ", "stacked shocks (-50).",
               "Did not check pulse after 3 stacked shocks.");
    }
}

namespace {

// A skipped pulse check and CPR: the CPR was due when the patient has no pulse.
void cprDueWithoutPulse(Engine& e) {
    if (e.state.PulseRate == 0) e.log.NoteCPRRequired();
}

}  // namespace

void CheckCPRAfterPulse(Engine& e) {
    const ScenarioState& s = e.state;
    if (CurrentGuidelines(e)) return;
    const bool lastIsPulseOrCPR = s.LastAction == "Pulse" || s.LastAction == "CPR";
    if (s.NextStep == kStartCPR && s.PreviousAction == "Pulse" && s.PulseRate == 0 &&
        (s.AnalysisCount > 0 || s.PatientCategory == kPediatric) &&
        (s.LastAction == "Analyze" || s.LastAction == "Pulse")) {
        Deduct(e, 100, "Did not start CPR after", "pulse check (-100).",
               "Did not do CPR after pulse check (-100).");
        OwnMonitor(e).ShocksInSeries = 0;
    } else if (s.NextStep == kCheckPulse && s.PreviousAction == "Analyze" && !lastIsPulseOrCPR &&
               s.ShocksInSeries == 3) {
        Deduct(e, 100, "Forgot CPR sequence after 3 ", "stacked shocks (-100).",
               "Did not start CPR after 3 stacked shocks (-100).");
        cprDueWithoutPulse(e);
    } else if (s.NextStep == kCheckPulse &&
               (s.PreviousAction == "Analyze" ||
                (s.PreviousAction == "Clear" && e.settings.On(Opt::OPTAUTOANALYZE))) &&
               !lastIsPulseOrCPR && !s.ShockAdvised) {
        Deduct(e, 100, "Forgot pulse check/CPR sequence after ", "No Shock Advised (-100).",
               "Did not do pulse/CPR after No Shock Advised (-100).");
        cprDueWithoutPulse(e);
    }
}

void CheckAnalyzeAfterCPR(Engine& e) {
    const ScenarioState& s = e.state;
    if (CurrentGuidelines(e)) return;
    if (s.EarlierAction == "CPR" && s.PreviousAction == "Pulse" && s.LastAction != "Analyze") {
        Deduct(e, 100, "Did not analyze after", "CPR sequence (-100).",
               "Did not analyze after CPR sequence (-100).");
    }
}

}  // namespace ardentix
