// CPR: the button's start and stop, and the compressions with their breaths.
#include "core/course.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "monitor/completion.h"
#include "monitor/conditions.h"
#include "monitor/deductions.h"
#include "monitor/monitor.h"
#include "rescuer/own.h"
#include "rescuer/phase.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

bool abcsDone(const Engine& e) {
    const ScenarioState& s = e.state;
    // Today's guidelines end the checks at the breathing: compressions come before any breath.
    if (CurrentGuidelines(e))
        return s.ResponsivenessChecked && s.AirwayOpened && s.BreathingChecked;
    return s.ResponsivenessChecked && s.AirwayOpened && s.BreathingChecked && s.TwoBreathsGiven &&
           s.PulseChecked;
}

// The CPR timer's ticks in one compression: two (down and up) at the classic 100 a minute, one at
// the 110 a minute of current guidelines, whose hands come up halfway to the next tick.
int ticksPerCompression(const Engine& e) {
    return CurrentGuidelines(e) ? 1 : 2;
}

// Each compression moves the hands; after the series' compressions the breaths take over.
void compress(Engine& e) {
    const ScenarioState& s = e.state;
    if (BreathUnderWay(e)) return;
    const bool child =
        (s.PatientCategory == kChild || s.PatientCategory == kPediatric) && s.PatientAge <= 8;
    (child ? OwnRescuer(e).ChildCPRRunning : OwnRescuer(e).AdultCPRRunning) = true;
    if (ticksPerCompression(e) == 1) {
        Move(e, RescuerMove::PressChest);  // and up again halfway to the next tick
    } else {
        OwnRescuer(e).CPRPhase = !OwnRescuer(e).CPRPhase;
    }
    ++OwnRescuer(e).CompressionCount;
    const bool breathsDue = s.CompressionCount >= CompressionsPerSeries(e) * ticksPerCompression(e);
    if (breathsDue) {
        Move(e, RescuerMove::BreathsOfCPR);
        OwnRescuer(e).BreathSeriesCount = 0;
    }
    // The bag-valve mask on the face holds the head tilted back. A second rescuer holds it there
    // from the first compression; a rescuer alone, whose hands are on the chest, tilts the head
    // and puts the bag on when the breaths are due.
    if (e.settings.On(Opt::OptBVM) && (!e.settings.On(Opt::OPTOneRescuer) || breathsDue)) {
        OwnRescuer(e).AirwayOpened = true;
    }
    Redraw(e);
}

}  // namespace

void Compress(Engine& e) {
    compress(e);
}

int CompressionsPerSeries(const Engine& e) {
    const bool smallChild = e.state.PatientAge <= 8;
    if (CurrentGuidelines(e)) return smallChild && !e.settings.On(Opt::OPTOneRescuer) ? 15 : 30;
    return smallChild || e.settings.On(Opt::Opt2CPR) ? 5 : 15;
}

int BreathsPerSeries(const Engine& e) {
    if (CurrentGuidelines(e)) return 2;
    return CompressionsPerSeries(e) == 15 ? 2 : 1;
}

bool CPRIsRunning(const Engine& e) {
    return RescuerPhaseOf(e).compressing;
}

bool CPRButtonWaits(const Engine& e) {
    return !CPRIsRunning(e) && BreathUnderWay(e);
}

void StopCPR(Engine& e) {
    const ScenarioState& s = e.state;
    // The countdown's own timer tells whether the AED counts: a script sets a countdown up by
    // starting it. Today's guidelines judge the stop by their own rule.
    if (!CheckCPRStopped(e) && e.timers.Running(TimerId::CPRCountdownTimer) &&
        s.CountdownSeconds > 10 && CPRIsRunning(e)) {
        Deduct(e, 35, "Stopped CPR too soon (-35).", "", "Stopped CPR too soon (-35).");
    }
    Move(e, RescuerMove::StopCompressions);
    StopBreaths(e);
    MarkHandsOff(e);
}

void StopBreaths(Engine& e) {
    Move(e, RescuerMove::StopBreaths);
}

void ShowAdvice(Engine& e) {
    PlaceAdvice(e);
    StopCPRForAdvice(e);
}

void StopCPRForAdvice(Engine& e) {
    if (!AdviceAsksForPad(e)) return;
    StopCPR(e);
    Redraw(e);
}

void AdviseInTutorial(Engine& e) {
    if (e.state.Mode == kTutorial) ShowAdvice(e);
}

namespace {

// One press of the CPR button. The quiz ends a press and comes back to it after its verdict;
// the checks for skipped steps belong to the press, so they run on its first pass only.
void pressCPR(Engine& e, bool checksMade) {
    const ScenarioState& s = e.state;
    RescuerState& rescuer = OwnRescuer(e);
    LogAction(e, CPRIsRunning(e) ? "CPR stop" : "CPR");
    if (CPRIsRunning(e)) {
        StopCPR(e);
        Redraw(e);
        return;
    }
    if (CPRButtonWaits(e)) return;
    if (s.AnalysesComplete && s.NextStep == kEndScenario) {
        ShowScenarioOver(e);
    } else if (!s.TimeVerdictGiven && !s.RatioAnswered) {
        ShowMessage(e, "", "");
    }
    e.screen.Edit(El::ADVICEPANEL).visible = false;
    NoteAction(e, "CPR");
    rescuer.CPRPhase = false;
    if (!checksMade && !s.CPRStarted && !e.settings.On(Opt::OPTOneRescuer) &&
        s.AnalysisCount == 0 && !abcsDone(e)) {
        Deduct(e, 100, "Forgot to check all of the ABCs (-100).", "",
               "Did not check all the ABCs in order (-100).");
    }
    // During the cycle after a shock a returned pulse has not shown yet: CPR is what is asked.
    if (s.PulseRate > 30 && !s.AdultCPRRunning && !s.ChildCPRRunning && !InCycleAfterShock(e)) {
        Deduct(e, 200, "Don't start CPR on patient with a pulse (-200).", "",
               "Started CPR on patient with pulse (-200).");
        return;
    }
    const bool autoAnalyze = e.settings.On(Opt::OPTAUTOANALYZE);
    if (!checksMade && s.ShocksNeeded == 0 && s.AnalysisCount > 2 && s.NextStep == kCheckPulse &&
        !s.ShockAdvised &&
        (s.PreviousAction == "Analyze" || (s.PreviousAction == "Clear" && autoAnalyze))) {
        ShowMessage(e, "Forgot to check pulse after ", "No Shock Advised (-50).");
        Deductions(e).Add("Did not check pulse after No Shock Advised (-50).");
        ChangeScore(e, -50);
    }
    NoteCPRPressed(e);
    if (!checksMade && s.AnalysisCount > 0) {
        CheckAnalyzeAfterShock(e);
        CheckShockDelivered(e);
        CheckPulseAfterAnalysis(e);
    }
    if (AskQuizQuestion(e)) return;
    rescuer.TimeVerdictGiven = false;
    if (s.ShocksInSeries == 3) rescuer.CPRAfterStackedShocks = true;
    EndShockSeries(e);
    if (s.NextStep == kStartCPR) {
        AwardStep(e);
        if (s.RewardedPulseChecks >= 3) ChangeScore(e, -s.StepPoints);
    }
    rescuer.AnalysisFinished = false;
    rescuer.CompressionCount = 0;
    rescuer.CPRSinceAnalysis = true;
    rescuer.CPRStarted = true;
    if (s.AnalysesComplete && s.PulseRate == 0 && s.ShockCount == s.ShocksNeeded) {
        rescuer.CPRAfterLastShock = true;
    }
    UpdateVitalSigns(e);
    CheckScenarioOver(e);
    EvaluateNextStep(e);
    Move(e, RescuerMove::StartCompressions);
    if (s.AnalysisCount > 0) ++rescuer.CPRCount;
    rescuer.ABCsPhaseClosed = true;
    rescuer.PatientCleared = false;
    e.timers.SetInterval(TimerId::STANDCLEARTIMER, 1500);
    if (e.settings.On(Opt::OptVoice) && s.VoiceReportCount == 0 && s.AnalysesComplete &&
        s.AnalysisCount >= 3) {
        ShowOnFreeLine(e, "Don't forget to give a verbal (voice) report.");
    }
    if (s.Mode == kTutorial && s.AnalysisCount == 0) ShowAdvice(e);
}

}  // namespace

void CPRButton(Engine& e) {
    pressCPR(e, false);
}

void ResumeCPRAfterQuiz(Engine& e) {
    pressCPR(e, true);
}

void RegisterCPRTimers(Engine& e) {
    // Compressions given by key are the trainee's own: the timer gives none then.
    e.SetTimerHandler(TimerId::CPRTimer, [](Engine& e) {
        if (!CompressingByKey(e)) compress(e);
    });
    e.SetTimerHandler(TimerId::CPRReleaseTimer, [](Engine& e) {
        Move(e, RescuerMove::ReleaseChest);
        Redraw(e);
    });
}

}  // namespace ardentix
