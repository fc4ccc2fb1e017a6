// The ABCs: responsiveness, phoning for help, the airway, the breathing check and the rescue
// breaths with the one-breath machine shared with CPR; Auto ABCs runs them as a chain.
#include "core/course.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "core/sound.h"
#include "monitor/completion.h"
#include "monitor/monitor.h"
#include "rescuer/own.h"
#include "rescuer/phase.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

void check(Engine& e, El item) {
    e.screen.Edit(item).checked = true;
}

void fourChecks(Engine& e) {
    CheckAnalyzeAfterShock(e);
    CheckShockDelivered(e);
    CheckPulseAfterAnalysis(e);
    CheckAnalyzeAfterCPR(e);
}

void tutorialAdvice(Engine& e) {
    AdviseInTutorial(e);
}

bool bvm(const Engine& e) {
    return e.settings.On(Opt::OptBVM);
}

// Responsiveness: nine cycles of 100 ms shaking and 250 ms shouting.
void responsivenessTick(Engine& e) {
    Move(e, RescuerMove::Shake);
    ++OwnRescuer(e).ShakeCount;
    Redraw(e);
}

void shakeTick(Engine& e) {
    const ScenarioState& s = e.state;
    if (s.ShakeCount < 9) {
        Move(e, RescuerMove::Shout);
        Redraw(e);
        return;
    }
    Move(e, RescuerMove::EndShaking);
    e.screen.Edit(El::MSG0).text = "Patient is unresponsive.";
    e.screen.Edit(El::MSG1).text.clear();
    Redraw(e);
    tutorialAdvice(e);
    if (!s.AutoABCsRunning) return;
    // Today's guidelines call for help for every patient, whatever the option says.
    if ((e.settings.On(Opt::OPTCALL911) && s.PatientCategory != kPediatric) ||
        CurrentGuidelines(e)) {
        PhoneForHelp(e);
    } else {
        OpenAirway(e);
    }
}

void helpCalled(Engine& e) {
    e.timers.Stop(TimerId::CALL911TIMER);
    if (e.state.NextStep == kEndScenario) {
        e.screen.Edit(El::MSG0).text = "Help has been called.";
        e.screen.Edit(El::MSG1).text = "Scenario is over...select END SCENARIO.";
        e.timers.Start(TimerId::SCENOVERLabelFLASHTimer);
    } else {
        AddMessage(e, "Help has been called.", " Help called.", 25);
    }
    tutorialAdvice(e);
    if (!e.state.AutoABCsRunning) return;
    // During a pause the call ends as usual, but the ABCs wait for the pause to end.
    if (e.screen.Get(El::Pause).checked) {
        OwnRescuer(e).AutoABCsAfterPause = true;
    } else {
        ContinueAutoABCsAfterCall(e);
    }
}

void breathingChecked(Engine& e) {
    check(e, El::ABCsBreathingMenuItem);
    e.screen.Edit(El::MSG0).text =
        "Respiratory rate is " + std::to_string(e.state.BreathingRate) + ".";
    if (!e.screen.Get(El::SCENOVERLabel).visible) e.screen.Edit(El::MSG1).text.clear();
    CheckScenarioOver(e);
    Move(e, RescuerMove::EndBreathingCheck);
    Redraw(e);
    tutorialAdvice(e);
    if (!e.state.AutoABCsRunning) return;
    // Today's guidelines go from the breathing check to compressions, the trainee's own step.
    if (CurrentGuidelines(e)) {
        OwnRescuer(e).AutoABCsRunning = false;
        return;
    }
    RescueBreaths(e);
}

// One breath begins.
void breathIn(Engine& e) {
    RescuerState& rescuer = OwnRescuer(e);
    (bvm(e) ? rescuer.BagBreathing : rescuer.MaskBreathing) = true;
    Move(e, RescuerMove::BreathIn);
    rescuer.CompressionCount = 0;
    ++rescuer.BreathSeriesCount;
    rescuer.AirwayOpened = true;
    Redraw(e);
}

bool cprMatchesPicture(const Engine& e) {
    const bool childPicture = e.state.PictureSet == 3;
    return (e.state.ChildCPRRunning && childPicture) || (e.state.AdultCPRRunning && !childPicture);
}

// One breath ends; what follows depends on why the breaths are given.
void breathOut(Engine& e) {
    const ScenarioState& s = e.state;
    const bool cpr = e.rescuer().Phase.compressing;
    if (s.BreathSeriesCount <= 1 && s.AnalysisCount == 0 && !s.TwoBreathsGiven && !cpr) {
        Move(e, RescuerMove::NextBreath);  // the second of the two initial breaths
    } else if (s.BreathSeriesCount < BreathsPerSeries(e)) {
        Move(e, RescuerMove::SecondBreathOfCPR);
    } else if (s.BreathSeriesCount < 12 && !cpr &&
               ((s.AnalysisCount >= s.ShockCount + 1 && s.AnalysesComplete &&
                 s.BreathingRate < 5) ||
                (s.AnalysisCount >= s.ShocksNeeded && s.ShocksNeeded == 3 &&
                 s.BreathingRate < 5))) {
        // Rescue breathing for a patient who has a pulse but does not breathe.
        Move(e, RescuerMove::RescueBreathing);
        OwnRescuer(e).RescueBreathingGiven = true;
        if (s.BreathSeriesCount < 3) {
            UpdateVitalSigns(e);
            EvaluateNextStep(e);
            CheckScenarioOver(e);
            tutorialAdvice(e);
        }
    }
    Move(e, RescuerMove::BreathOut);
    if (!bvm(e)) OwnRescuer(e).MaskBreathing = false;
    const bool goesOn =
        (cprMatchesPicture(e) || s.BreathSeriesCount < 2 || s.PulseState == kPulseRestored) &&
        (s.BreathSeriesCount < 12 || s.PulseState != kPulseRestored) &&
        (!s.TwoBreathsGiven || s.PulseState == kPulseRestored || cpr);
    // A series that would go on but has no next breath coming (an analysis began during the
    // first of the two initial breaths) ends here, or the mask would stay on for good.
    const bool nextBreath = cpr || e.rescuer().Phase.breath == Breath::Due;
    if (!goesOn || !nextBreath) {
        Move(e, RescuerMove::HoldMask);
        NoteAction(e, "Rescue breath");
    }
    Redraw(e);
}

// The breath series ends.
void hideMask(Engine& e) {
    const ScenarioState& s = e.state;
    RescuerState& rescuer = OwnRescuer(e);
    // The hold ends the series even when another action (a pulse check, CPR, Clear) took the bag
    // away meanwhile: the breaths were given all the same.
    rescuer.BagBreathing = false;
    if (!s.TwoBreathsGiven && s.PulseState != kPulseRestored && s.AnalysisCount == 0) {
        e.screen.Edit(El::MSG0).text = "Two rescue breaths successful.";
        e.screen.Edit(El::MSG1).text.clear();
        rescuer.TwoBreathsGiven = true;
        EvaluateNextStep(e);
    }
    tutorialAdvice(e);
    if (s.AutoABCsRunning) PulseCheck(e);
    Move(e, RescuerMove::EndMaskHold);
    Redraw(e);
}

}  // namespace

void AddMessage(Engine& e, const std::string& text, const std::string& shortForm, size_t limit) {
    Element& first = e.screen.Edit(El::MSG0);
    Element& second = e.screen.Edit(El::MSG1);
    if (first.text.empty()) {
        first.text = text;
        second.text.clear();
    } else if (second.text.empty()) {
        second.text = text;
    } else if (second.text.size() < limit) {
        second.text += shortForm;
    } else {
        first.text = text;
        second.text.clear();
    }
}

bool CheckUnderWay(const Engine& e) {
    return RescuerPhaseOf(e).CheckUnderWay();
}

bool BreathUnderWay(const Engine& e) {
    return RescuerPhaseOf(e).BreathUnderWay();
}

bool AbcsMenuAvailable(const Engine& e) {
    const RescuerPhase& p = RescuerPhaseOf(e);
    if (p.CheckUnderWay() || p.check == HandsCheck::Pulse) return false;
    // The mask or bag stays on for a moment after the last breath of a series.
    const bool breathing = p.BreathUnderWay() || p.maskHeld;
    return !breathing || e.state.AnalysesComplete;
}

void CheckResponsiveness(Engine& e) {
    const ScenarioState& s = e.state;
    RescuerState& rescuer = OwnRescuer(e);
    LogAction(e, "Response");
    NoteAction(e, "Response");
    rescuer.ResponsivenessChecked = true;
    StopCPR(e);
    if (s.BagBreathing || s.MaskBreathing) {
        rescuer.BagBreathing = rescuer.MaskBreathing = false;
        rescuer.AdultCPRRunning = rescuer.ChildCPRRunning = false;
        Move(e, RescuerMove::StopCompressions);
    }
    Move(e, RescuerMove::StartShaking);
    rescuer.ShakeCount = 0;
    if (s.NextStep == kCheckResponsiveness) AwardStep(e);
    fourChecks(e);
    UpdateVitalSigns(e);
    EvaluateNextStep(e);
    check(e, El::ABCsResponsivenessMenuItem);
}

void PhoneForHelp(Engine& e) {
    const ScenarioState& s = e.state;
    LogAction(e, "Call911");
    PlaySound(e, "ring.wav");
    if (e.screen.Get(El::ABCsCALL911MenuItem).visible) check(e, El::ABCsCALL911MenuItem);
    e.timers.SetInterval(TimerId::CALL911TIMER, e.settings.On(Opt::OPTautoABCS) ? 2000 : 500);
    e.timers.Start(TimerId::CALL911TIMER);
    if (!s.HelpCalled) {
        NoteAction(e, "Call911");
        if (s.NextStep == kCallForHelp) AwardStep(e);
    }
    fourChecks(e);
    OwnRescuer(e).HelpCalled = true;
    UpdateVitalSigns(e);
    EvaluateNextStep(e);
    Redraw(e);
}

void OpenAirway(Engine& e) {
    const ScenarioState& s = e.state;
    LogAction(e, "Airway");
    NoteAction(e, "Airway");
    OwnRescuer(e).AirwayOpened = true;
    check(e, El::ABCsAirwayMenuItem);
    if (s.NextStep == kOpenAirway) AwardStep(e);
    fourChecks(e);
    UpdateVitalSigns(e);
    EvaluateNextStep(e);
    AddMessage(e, "Airway is open.", "  Airway is open.", 35);
    Redraw(e);
    tutorialAdvice(e);
    if (s.AutoABCsRunning) CheckBreathing(e);
}

void CheckBreathing(Engine& e) {
    const ScenarioState& s = e.state;
    RescuerState& rescuer = OwnRescuer(e);
    LogAction(e, "Breath");
    NoteAction(e, "Breath");
    rescuer.BreathingChecked = true;
    if (s.ShockCount >= s.ShocksNeeded && s.PulseRate > 0)
        rescuer.BreathingCheckedAfterPulse = true;
    if (s.NextStep == kCheckBreathing || s.NextStep == kRecheckBreathing) AwardStep(e);
    fourChecks(e);
    UpdateVitalSigns(e);
    EvaluateNextStep(e);
    StopCPR(e);
    Move(e, RescuerMove::StartBreathingCheck);
    rescuer.AirwayOpened = true;  // the head stays tilted
    Redraw(e);
}

void RescueBreaths(Engine& e) {
    const ScenarioState& s = e.state;
    RescuerState& rescuer = OwnRescuer(e);
    LogAction(e, "Rescue breath");
    if (s.BreathingRate >= 10) {
        Deduct(e, 100, "Don't give rescue breaths to breathing ", "patient (-100).",
               "Gave rescue breaths to breathing patient (-100).");
        return;
    }
    NoteAction(e, "Rescue breath");
    if (!e.settings.On(Opt::OPTCOMPRVENT) && !s.AutoABCsRunning) {
        e.screen.Edit(El::MSG0).text.clear();
        e.screen.Edit(El::MSG1).text.clear();
    }
    CheckBreathsBeforeCompressions(e);
    if (s.NextStep == kGiveRescueBreaths) AwardStep(e);
    fourChecks(e);
    EvaluateNextStep(e);
    StopCPR(e);
    Move(e, RescuerMove::StartRescueBreaths);
    check(e, El::ABCsVentilationMenuItem);
    rescuer.BreathSeriesCount = 0;
    rescuer.AirwayOpened = true;
    Redraw(e);
}

void ContinueAutoABCsAfterCall(Engine& e) {
    if (e.state.AutoABCsRunning && (e.state.PatientCategory != kPediatric || CurrentGuidelines(e)))
        OpenAirway(e);
}

void AutoABCs(Engine& e) {
    LogAction(e, "All ABCs");
    OwnRescuer(e).AutoABCsRunning = true;
    StopCPR(e);
    CheckResponsiveness(e);
}

void RegisterRescuerTimers(Engine& e) {
    e.SetTimerHandler(TimerId::ResponsivenessTimer, responsivenessTick);
    e.SetTimerHandler(TimerId::Shaketimer, shakeTick);
    e.SetTimerHandler(TimerId::CALL911TIMER, helpCalled);
    e.SetTimerHandler(TimerId::BREATHINGTimer, breathingChecked);
    e.SetTimerHandler(TimerId::VENTILATION1Timer, breathIn);
    e.SetTimerHandler(TimerId::VENTILATION2Timer, breathOut);
    e.SetTimerHandler(TimerId::HIDEBVMTimer, hideMask);
    RegisterCPRTimers(e);
    RegisterVitalsTimers(e);
}

}  // namespace ardentix
