// Charging, the shock key, the rhythm after a shock and the disarm time-out.
#include "aed/aed.h"
#include "aed/own.h"
#include "aed/phase.h"
#include "core/course.h"
#include "core/engine.h"
#include "core/sound.h"
#include "monitor/deductions.h"
#include "monitor/finish.h"
#include "monitor/monitor.h"
#include "records/first_shock.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

bool audioOn(const Engine& e) {
    return e.settings.On(Opt::SOUNDCheckBox);
}

// The shock key waits while the device charges.
void charging(Engine& e) {
    Move(e, AedMove::Charge);
    PlaySound(e, "SWEEP.wav");
    if (!audioOn(e)) ShowMessage(e, "AED is charging...");
}

// "STAND CLEAR" and "PUSH TO SHOCK" alternate once the device is charged; the first of each is
// spoken.
void standClearForShock(Engine& e) {
    SetPrompt(e, prompt::kStandClear);
    if (DevicePhase(e).step == AedStep::Charging) PlaySound(e, "standcle.wav");
    Move(e, AedMove::ShowShockStandClear);
}

void pushToShock(Engine& e) {
    SetPrompt(e, prompt::kPushToShock);
    if (DevicePhase(e).step == AedStep::Charged) {
        PlaySound(e, "shkwarn.wav");
        if (!audioOn(e)) ShowMessage(e, "AED is ready to SHOCK...");
    }
    Move(e, AedMove::ShowPushToShock);
    AdviseInTutorial(e);
}

void scoreFirstShock(Engine& e) {
    const ScenarioState& s = e.state;
    const int t = ScoredFirstShock(s.ElapsedSeconds);
    const std::string text = FirstShockText(t);
    NoteFirstShockTime(e, text);
    // A refractory rhythm is not held to the time of its first shock once CPR has been started
    // after an analysis.
    const bool timed = !(s.PatientCategory == kRefractory && s.CPRCount > 0);
    e.log.NoteFirstShock(e.timers.Now(), t, timed);
    e.screen.Edit(El::SummarySHOCKTIMEEDIT).text = FirstShockShown(e.log.Notes().firstShock->ms, t);
    struct Bonus {
        int below;
        int points;
        const char* screen;
        const char* report;
    };
    static constexpr Bonus kBonuses[] = {
        {30, 100, "100 point bonus first shock under 30 sec (",
         "100 point bonus: fast first shock ("},
        {45, 50, "50 point bonus: first shock under 45 sec (",
         "50 point bonus: fast first shock ("},
        {60, 25, "25 point bonus: first shock under 60 sec (",
         "25 point bonus: fast first shock ("},
    };
    if (t >= 1 && t < 60) {
        for (const Bonus& b : kBonuses) {
            if (t >= b.below) continue;
            ShowMessage(e, b.screen + text + ").");
            Deductions(e).Add(b.report + text + ").");
            ChangeScore(e, b.points);
            ShowScore(e);
            return;
        }
    } else if (t >= 60 && t < kSlowFirstShockSeconds) {
        ShowMessage(e, "");
    } else if (SlowFirstShock(t) && timed) {
        ShowMessage(e, "Slow delivery of first shock [" + text + "] (-200).");
        Deductions(e).Add("Slow shock time > 2 min [" + text + "] (-200).");
        ChangeScore(e, -200);
        ShowScore(e);
    }
}

// The rhythm moves towards a restored pulse after the shocks the patient needs.
void rhythmAfterShock(Engine& e) {
    const ScenarioState& s = e.state;
    if (s.PatientCategory == kHypothermic) return;  // a cold heart stays shockable
    if ((s.AnalysisCount > 1 && s.ShockCount >= s.ShocksNeeded) ||
        (s.AnalysisCount > 0 && s.ShocksNeeded == 1)) {
        if (CurrentGuidelines(e)) {
            // Nothing shows it before the analysis that ends the two minutes of CPR.
            if (s.PulseState != kPulseRestored) OwnAed(e).PulseReturnPending = true;
            return;
        }
        if (s.PulseState != kPulseRestored) LogEventOf(e, "patient", "Pulse returned");
        SetPulseState(e, kPulseRestored);
    } else if (s.PatientCategory == kRefractory && s.PulseState == kShockable) {
        if (s.ShockCount == 1) {
            e.SeedFromClock();
            if (e.random(2) == 0) SetPulseState(e, kNothingToShock);
        } else if (s.ShockCount == 2) {
            SetPulseState(e, kNothingToShock);
        }
    }
}

void afterShock(Engine& e) {
    const ScenarioState& s = e.state;
    SetPrompt(e, "");
    e.screen.Edit(El::NumShockLabel).text = "#" + std::to_string(s.ShockCount);
    Move(e, AedMove::EndShock);
    rhythmAfterShock(e);
    if (CurrentGuidelines(e)) {
        // One shock, then two minutes of CPR at once: no stacked shocks, no pulse check.
        PromptCPRCycle(e);
        return;
    }
    if (s.ShocksInSeries == 3) {
        Move(e, AedMove::CheckPulseAfterShocks);
    } else if (e.settings.On(Opt::OPTAUTOANALYZE)) {
        DeviceAnalyzeRequest(e);
    } else {
        Move(e, AedMove::PromptAnalyzeAgain);
    }
    if (s.PulseState == kPulseRestored && s.ShockCount == s.ShocksNeeded && s.ShocksInSeries == 3) {
        OwnAed(e).AnalysesComplete = true;
    }
}

void disarm(Engine& e) {
    AedState& aed = OwnAed(e);
    const std::string& p = PromptLine(e);
    if (p == prompt::kPushToShock || p == prompt::kStandClear) {
        SetPrompt(e, prompt::kChargeRemoved);
        Move(e, AedMove::Disarm);
        e.screen.Edit(El::ShockLED).color = Color::White;
        aed.ShockAdvised = false;
        Deduct(e, 200, "Did not shock after Shock Advised (-200).", "",
               "Did not shock after Shock Advised (-200).");
        SetNextStep(e, e.settings.On(Opt::OPTClearAnalyze) ? kClearForAnalysis : kPressAnalyze);
        aed.ShockRequested = true;
        aed.ClearCredited = false;
        Move(e, e.settings.On(Opt::OPTAUTOANALYZE) ? AedMove::AwaitAutoAnalysis
                                                   : AedMove::PromptAnalyzeAgain);
    }
    AdviseInTutorial(e);
}

void delayedAnalysis(Engine& e) {
    Move(e, AedMove::EndAutoAnalysisWait);
    DeviceAnalyzeRequest(e);
}

}  // namespace

void ShockKey(Engine& e) {
    const ScenarioState& s = e.state;
    AedState& aed = OwnAed(e);
    LogAction(e, "Shock");
    if (!PowerLightLit(e) || !s.ShockAdvised) return;
    if (PromptLine(e) == prompt::kShockAdvised || DevicePhase(e).step == AedStep::Charging) return;
    PlaySound(e, "click.wav");
    SetAnalysisFinished(e, false);
    ShowMessage(e, audioOn(e) ? "" : "Shock delivered.");
    Move(e, AedMove::PressShock);
    NoteAction(e, "Shock");
    e.screen.Edit(El::ShockLED).color = Color::White;
    if (!s.WhitePadAttached) {
        e.screen.Edit(El::AEDDISPLAY0).text = "  ";
        SetPrompt(e, prompt::kConnect);
        PlaySound(e, "connectE.wav");
        return;
    }
    if (s.NextStep == kPressShock) AwardStep(e);
    if (!s.PatientCleared && e.settings.On(Opt::OPTCLEARShock)) {
        Deductions(e).Add("FATAL ERROR: Forgot to clear before shocking -(250).");
        ChangeScore(e, -250);
        Move(e, AedMove::AbandonShock);
        e.Message(BoxKind::Error, BoxButtons::Ok,
                  "You forgot to clear before shocking. Select OK and try again.");
        NoteAction(e, "MISSEDCLEAR");
        FinishScenario(e);
        return;
    }
    if (s.ShockCount == 0) scoreFirstShock(e);
    ++aed.ShockCount;
    aed.LastShockTime = static_cast<int32_t>(e.timers.Now());
    LogDevice(e, "Shock delivered");
    ExpectCPRAfterShock(e);
    JudgeChildKeyAtShock(e);
    CountStackedShock(e);
    UpdateVitalSigns(e);
    Move(e, AedMove::DeliverShock);
    EvaluateNextStep(e);
    aed.ShockAdvised = false;
    aed.AnalysesSinceShock = 0;
    SetPatientCleared(e, false);
    aed.ClearCredited = false;
}

void RegisterShockTimers(Engine& e) {
    e.SetTimerHandler(TimerId::CHARGETimer, charging);
    e.SetTimerHandler(TimerId::STANDCLEARShockTimer, standClearForShock);
    e.SetTimerHandler(TimerId::PUSHTOSHOCKTimer, pushToShock);
    e.SetTimerHandler(TimerId::SHOCKTimer, afterShock);
    e.SetTimerHandler(TimerId::DISARMTimer, disarm);
    e.SetTimerHandler(TimerId::AutoAnalyzeDelay, delayedAnalysis);
}

}  // namespace ardentix
