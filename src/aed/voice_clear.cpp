// The rescuer's two actions on the AED: the voice report and clearing the patient.
#include "aed/aed.h"
#include "aed/own.h"
#include "aed/phase.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "monitor/completion.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

constexpr const char* kScenarioOver = "Scenario is over...select END SCENARIO.";

bool mayCredit(const Engine& e) {
    const ScenarioState& s = e.state;
    return !s.ClearCredited && s.AEDOn && s.PatientCategory != kPediatric &&
           s.PreviousAction != "Clear";
}

void clearDuringAnalysis(Engine& e) {
    const ScenarioState& s = e.state;
    AedState& aed = OwnAed(e);
    ShowMessage(e, "Stand Clear!");
    if (mayCredit(e) && e.settings.On(Opt::OPTClearAnalyze)) {
        AwardStep(e);
        ShowScore(e);
        aed.ClearCredited = true;
        if (s.ShocksNeeded == 0) SetNextStep(e, kCheckPulse);
        if (s.ShockAdvised) {
            SetNextStep(e, e.settings.On(Opt::OPTCLEARShock) ? kClearForShock : kPressShock);
            aed.ClearCredited = false;
        }
    }
    SetPatientCleared(e, true);
    Redraw(e);
    AdviseInTutorial(e);
}

}  // namespace

void VoiceReport(Engine& e) {
    const ScenarioState& s = e.state;
    AedState& aed = OwnAed(e);
    LogAction(e, "Voice");
    if (!e.settings.On(Opt::OptVoice)) return;
    if (!PowerLightLit(e)) {
        ShowMessage(e, "Power must be on to record voice data.");
        return;
    }
    NoteAction(e, "Voice");
    if (s.VoiceReportCount <= 3 && s.PreviousAction != "Voice") {
        AwardStep(e);
        if (s.PatientCategory == kPediatric && !e.settings.On(Opt::OPTPEDSMONITOR)) {
            ChangeScore(e, -s.StepPoints);
        }
    }
    if (s.VoiceReportCount < 2 && s.PreviousAction != "Voice" && s.AnalysesComplete) {
        aed.VoiceReportCount = 1;
    }
    ++aed.VoiceReportCount;
    UpdateVitalSigns(e);
    CheckScenarioOver(e);
    EvaluateNextStep(e);
    // A report given during an analysis leaves the analysis as the last action.
    const std::string& p = PromptLine(e);
    if (p == prompt::kAnalyzing || p == prompt::kStandClear) NoteAction(e, "Analyze");
    Element& first = e.screen.Edit(El::MSG0);
    Element& second = e.screen.Edit(El::MSG1);
    const auto restart = [&] {
        first.text = "Voice report recorded.";
        if (second.text != kScenarioOver) second.text.clear();
    };
    if (first.text.empty()) {
        restart();
    } else if (second.text.empty()) {
        second.text = "Voice report recorded.";
    } else if (second.text.size() < 25) {
        second.text += " Voice recorded.";
    } else {
        restart();
    }
    AdviseInTutorial(e);
}

void ClearPatient(Engine& e) {
    const ScenarioState& s = e.state;
    AedState& aed = OwnAed(e);
    LogAction(e, "Clear");
    if (s.AnalysesComplete && s.NextStep == kEndScenario) ShowScenarioOver(e);
    e.screen.Edit(El::ADVICEPANEL).visible = false;
    ForgetCPRSinceAnalysis(e);
    const std::string& p = PromptLine(e);
    if (p == prompt::kAnalyzing ||
        (!s.ShockAdvised && p == prompt::kStandClear && !s.AdultCPRRunning && !s.ChildCPRRunning)) {
        return clearDuringAnalysis(e);
    }
    if (mayCredit(e) && e.settings.On(Opt::OPTCLEARShock) && s.ShockAdvised &&
        (p == prompt::kStandClear || p == prompt::kPushToShock || p == prompt::kShockAdvised) &&
        DevicePhase(e).ShockPrepRunning()) {
        // Cleared for the shock: the history moves at once.
        NoteActionAtOnce(e, "Clear");
        AwardStep(e);
        ShowScore(e);
        SetNextStep(e, kPressShock);
        aed.ClearCredited = true;
    } else if (mayCredit(e) && e.settings.On(Opt::OPTClearAnalyze) &&
               ((s.NextStep == kClearForAnalysis && !e.settings.On(Opt::OPTAUTOANALYZE)) ||
                (!s.ClearCreditedAtPushAnalyze && p == prompt::kPushAnalyze))) {
        NoteAction(e, "Clear");
        AwardStep(e);
        ShowScore(e);
        UpdateVitalSigns(e);
        SetPatientCleared(e, true);
        EvaluateNextStep(e);
        aed.ClearCreditedAtPushAnalyze = true;
        aed.ClearCredited = true;
    }
    if (s.TroubleKind == kTroubleMotion) StopMotion(e);
    SetPatientCleared(e, true);
    ShowMessage(e, "Stand Clear!");
    if (CPRIsRunning(e)) StopCPR(e);
    StopBreaths(e);
    MarkHandsOff(e);
    Redraw(e);
    if (s.Mode == kTutorial) {
        e.screen.Edit(El::ADVICEPANEL).visible = false;
        if (!DevicePhase(e).ShockPrepRunning()) {
            EvaluateNextStep(e);
            ShowAdvice(e);
        }
    }
}

}  // namespace ardentix
