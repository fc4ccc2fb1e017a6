#include "core/course.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "monitor/completion.h"
#include "monitor/monitor.h"
#include "rescuer/own.h"
#include "rescuer/phase.h"
#include "rescuer/rescuer.h"

namespace ardentix {

void UpdateVitalSigns(Engine& e) {
    const ScenarioState& s = e.state;
    RescuerState& rescuer = OwnRescuer(e);
    if (s.PulseState == kShockable || s.PulseState == kNothingToShock) {
        rescuer.PulseRate = 0;
        rescuer.BreathingRate = 0;
        rescuer.BloodPressure = "0";
        return;
    }
    if (s.PulseState != kPulseRestored || s.VitalsDrawn) return;
    rescuer.PulseRate = static_cast<uint8_t>(56 + e.random(20));
    // Two patients in five have a pulse but do not breathe and need rescue breathing. Current
    // guidelines recognise a returned circulation by the signs of life: the patient breathes.
    const int r = e.random(5);
    if (r == 0) {
        rescuer.BreathingRate = static_cast<uint8_t>(12 + e.random(4));
    } else if (r <= 2 || CurrentGuidelines(e)) {
        rescuer.BreathingRate = static_cast<uint8_t>(12 + e.random(3));
    } else {
        rescuer.BreathingRate = 0;
    }
    rescuer.VitalsDrawn = true;
    static constexpr const char* kPressures[] = {"90/66", "106/72", "110/78", "114/80"};
    rescuer.BloodPressure = kPressures[e.random(4)];
}

}  // namespace ardentix

namespace ardentix {

namespace {

void pulseReported(Engine& e) {
    const std::string report = "Pulse rate is " + std::to_string(e.state.PulseRate) + ".";
    ShowOnFreeLine(e, report);
    OwnRescuer(e).AutoABCsRunning = false;
    Move(e, RescuerMove::EndPulseCheck);
    Redraw(e);
    AdviseInTutorial(e);
}

void pressureReported(Engine& e) {
    e.timers.Stop(TimerId::BPTIMER);
    ShowMessage(e, "Blood pressure is " + e.state.BloodPressure + ".");
    CheckScenarioOver(e);
    AdviseInTutorial(e);
}

}  // namespace

void PulseCheck(Engine& e) {
    const ScenarioState& s = e.state;
    RescuerState& rescuer = OwnRescuer(e);
    LogAction(e, "Pulse");
    if (s.NextStep == kEndScenario && s.ShocksNeeded != 0 && s.AnalysesComplete) {
        ShowScenarioOver(e);
    }
    if (PulseCheckWaits(e)) return;
    if (CPRIsRunning(e) || BreathUnderWay(e)) StopCPR(e);
    NoteAction(e, "Pulse");
    CheckPulseDuringCycle(e);
    rescuer.PulseChecked = true;
    // The first two expected pulse checks earn points; later ones do not, and on a patient with
    // nothing to shock after more than three analyses a check costs the points.
    if (s.NextStep == kCheckPulse || s.NextStep == kCheckCirculation) {
        AwardStep(e);
        if (s.ShocksNeeded == 0 && s.AnalysesComplete && s.AnalysisCount > 3) {
            ChangeScore(e, -s.StepPoints);
        }
        ++rescuer.RewardedPulseChecks;
        if (s.RewardedPulseChecks >= 3) ChangeScore(e, -s.StepPoints);
    }
    if (s.AnalysisCount > 0) {
        CheckAnalyzeAfterShock(e);
        CheckShockDelivered(e);
        CheckCPRAfterPulse(e);
    }
    UpdateVitalSigns(e);
    if (s.PreviousAction == "CPR" || (s.PreviousAction == "Rescue breath" && !s.AutoABCsRunning)) {
        e.screen.Edit(El::MSG0).text.clear();
        e.screen.Edit(El::MSG1).text.clear();
    }
    EvaluateNextStep(e);
    if (s.PulseState == kPulseRestored) rescuer.PulseCheckedAfterReturn = true;
    Move(e, RescuerMove::StopCompressions);
    MarkHandsOff(e);
    Move(e, RescuerMove::StartPulseCheck);
    e.screen.Edit(El::ABCsCirculationMenuItem).checked = true;
    e.timers.SetInterval(TimerId::STANDCLEARTIMER, 1500);
    rescuer.AnalysisFinished = false;
    // The hand on the neck shows while the pulse is felt; it also counts as touching the patient.
    e.screen.Edit(El::PULSEHAND).visible = true;
    Redraw(e);
}

bool PulseCheckWaits(const Engine& e) {
    return CheckUnderWay(e);
}

void BloodPressureCheck(Engine& e) {
    const ScenarioState& s = e.state;
    LogAction(e, "BP check");
    if (s.AnalysesComplete && s.NextStep == kEndScenario) ShowScenarioOver(e);
    NoteAction(e, "BP check");
    if (s.ShockCount >= s.ShocksNeeded && s.PulseRate > 0 && !s.BPCheckedAfterPulse &&
        e.settings.On(Opt::OPTBPCHECK)) {
        OwnRescuer(e).BPCheckedAfterPulse = true;
        AwardStep(e);
    }
    AddMessage(e, "Checking blood pressure...", "  Checking BP...", 25);
    CheckAnalyzeAfterShock(e);
    CheckShockDelivered(e);
    CheckPulseAfterAnalysis(e);
    UpdateVitalSigns(e);
    EvaluateNextStep(e);
    e.timers.Start(TimerId::BPTIMER);
    Redraw(e);
}

void RegisterVitalsTimers(Engine& e) {
    e.SetTimerHandler(TimerId::PULSETIMER, [](Engine& engine) {
        engine.screen.Edit(El::PULSEHAND).visible = false;
        pulseReported(engine);
    });
    e.SetTimerHandler(TimerId::BPTIMER, pressureReported);
}

}  // namespace ardentix
