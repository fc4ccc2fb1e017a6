#include "core/engine.h"
#include "rescuer/own.h"
#include "rescuer/rescuer.h"

namespace ardentix {

void SetPatientCleared(Engine& e, bool cleared) {
    OwnRescuer(e).PatientCleared = cleared;
}

void SetAnalysisFinished(Engine& e, bool finished) {
    OwnRescuer(e).AnalysisFinished = finished;
}

void ForgetRewardedPulseChecks(Engine& e) {
    OwnRescuer(e).RewardedPulseChecks = 0;
}

void ForgetCPRSinceAnalysis(Engine& e) {
    OwnRescuer(e).CPRSinceAnalysis = false;
}

void CloseABCsPhase(Engine& e) {
    OwnRescuer(e).ABCsPhaseClosed = true;
}

bool TakeCPRAfterStackedShocks(Engine& e) {
    RescuerState& r = OwnRescuer(e);
    const bool after = r.CPRAfterStackedShocks;
    r.CPRAfterStackedShocks = false;
    return after;
}

void MarkHandsOff(Engine& e) {
    RescuerState& r = OwnRescuer(e);
    r.ChildCPRRunning = r.AdultCPRRunning = r.BagBreathing = r.MaskBreathing = false;
}

void ResumeAutoABCsAfterPause(Engine& e) {
    RescuerState& r = OwnRescuer(e);
    if (!r.AutoABCsAfterPause) return;
    r.AutoABCsAfterPause = false;
    ContinueAutoABCsAfterCall(e);
}

}  // namespace ardentix
