// The rhythm analysis: the request with its guards, the prompt that asks for it, the display
// sequence with motion detection, and the result.
#include <array>

#include "aed/aed.h"
#include "aed/own.h"
#include "aed/phase.h"
#include "core/course.h"
#include "core/engine.h"
#include "core/sound.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

bool busyPrompt(const Engine& e) {
    const std::string& p = PromptLine(e);
    return p == prompt::kAnalyzing || p == prompt::kStandClear || p == prompt::kShockAdvised ||
           p == prompt::kPushToShock || p == prompt::kMotion || p == prompt::kStopMotion;
}

// Every running sequence of the device stops before a new request is judged.
void resetSequences(Engine& e) {
    Move(e, AedMove::StopSequences);
    e.screen.Edit(El::AEDDISPLAY0).text.clear();
    OwnAed(e).ShockRequested = false;
    ForgetRewardedPulseChecks(e);
    SetAnalysisFinished(e, false);
}

// The analysis that completes the AED part of the scenario.
bool completesAnalyses(const Engine& e) {
    const ScenarioState& s = e.state;
    const int hypoLimit = e.settings.Value(Opt::OptHypoShocks);
    const std::array<bool, 7> rules = {
        s.AnalysesSinceShock == 3,
        s.PulseState == kPulseRestored && s.AnalysisCount > s.ShocksNeeded &&
            s.ShockCount == s.ShocksNeeded,
        s.ShocksNeeded == 0 && s.AnalysisCount >= 3,
        s.PatientCategory != kRefractory && s.ShocksNeeded != 0 &&
            s.AnalysisCount > s.ShocksNeeded && s.ShockCount == s.ShocksNeeded,
        s.PatientCategory == kRefractory && s.ShockCount >= 3 && s.PulseState == kNothingToShock &&
            s.ShockCount + s.NoShockCount <= s.AnalysisCount,
        s.PulseState == kPulseRestored && s.ShockCount == s.ShocksNeeded && s.ShocksNeeded == 3,
        s.PatientCategory == kHypothermic && hypoLimit <= s.AnalysisCount,
    };
    for (bool rule : rules) {
        if (rule) return true;
    }
    return false;
}

// An analysis that cuts the two minutes of CPR short (today's guidelines) earns no step.
void startAnalysis(Engine& e, bool award = true) {
    const ScenarioState& s = e.state;
    AedState& aed = OwnAed(e);
    LogDevice(e, "Analysis started");
    NoteAction(e, "Analyze");
    ForgetCPRSinceAnalysis(e);
    const bool ready = s.AEDOn && BothPads(e);
    const std::string& p = s.PreviousAction;
    if (award && s.NextStep == kPressAnalyze) AwardStep(e);
    if (award && s.NextStep != kPressAnalyze && s.AnalysisCount == 0 && ready &&
        (p == "Clear" || p == "Power" || p == "Electrode1" || p == "Electrode2" || p == "Voice")) {
        AwardStep(e);
    }
    if (award && !e.settings.On(Opt::OPTTWOBUTTONAED) && !e.settings.On(Opt::OPTAUTOANALYZE) &&
        s.NextStep == kClearForAnalysis && ready) {
        AwardStep(e);
    }
    if (s.PulseReturnPending) {
        // Current guidelines: the pulse the last shock restored is found now.
        aed.PulseReturnPending = false;
        if (s.PulseState != kPulseRestored) LogEventOf(e, "patient", "Pulse returned");
        SetPulseState(e, kPulseRestored);
    }
    UpdateVitalSigns(e);
    ++aed.AnalysisCount;
    if (s.PulseState == kNothingToShock) ++aed.AnalysesSinceShock;
    if (completesAnalyses(e)) aed.AnalysesComplete = true;
    CheckShockDelivered(e);
    CheckPulseAfterAnalysis(e);
    CheckCPRAfterPulse(e);
    Move(e, AedMove::StartAnalysis);
    aed.ClearCredited = false;
    if (s.Mode == kTutorial && s.PatientCleared) e.screen.Edit(El::ADVICEPANEL).visible = false;
}

// The patient moves: the sequence waits for the motion to end.
void motionStop(Engine& e) {
    Move(e, AedMove::HoldForMotion);
}

void pushAnalyzePrompt(Engine& e) {
    if (e.settings.On(Opt::OPTTWOBUTTONAED)) {
        // Repeated at the timer's interval until a request passes its guard.
        DeviceAnalyzeRequest(e);
    } else {
        SetPrompt(e, prompt::kPushAnalyze);
        const bool afresh = e.state.LastAction == "Power" || DevicePhase(e).analyzeAfresh;
        PlaySound(e, afresh ? "pushanaB.wav" : "pushanal.wav");
        Move(e, AedMove::PromptAnalyze);
    }
    AdviseInTutorial(e);
}

void flashLed(Engine& e) {
    switch (DevicePhase(e).blinking) {
        case Blinking::AnalyzeLight: {
            Element& led = e.screen.Edit(El::AnalyzeLED);
            led.color = led.color == Color::Yellow ? Color::White : Color::Yellow;
            break;
        }
        case Blinking::ShockLight: {
            Element& led = e.screen.Edit(El::ShockLED);
            led.color = led.color == Color::Red ? Color::White : Color::Red;
            break;
        }
        case Blinking::None:
            break;
    }
}

void standClearBeforeAnalysis(Engine& e) {
    SetPrompt(e, prompt::kStandClear);
    PlaySound(e, "bepclear.wav");
    Move(e, AedMove::ShowStandClear);
    if (e.state.Mode == kTutorial && e.state.PatientCleared) {
        e.screen.Edit(El::ADVICEPANEL).visible = false;
    }
}

void analyzingNow(Engine& e) {
    if (PatientMoving(e)) return motionStop(e);
    SetPrompt(e, prompt::kAnalyzing);
    // Not when it only alternates with "STAND CLEAR".
    const AedStep step = DevicePhase(e).step;
    if (step == AedStep::StandClear || step == AedStep::MotionEnded) PlaySound(e, "analyzeN.wav");
    e.screen.Edit(El::AnalyzeLED).color = Color::Yellow;
    Move(e, AedMove::ShowAnalyzing);
    AdviseInTutorial(e);
}

void alternate(Engine& e) {
    if (PatientMoving(e)) return motionStop(e);
    Move(e, AedMove::AlternateStandClear);
    SetPrompt(e, prompt::kStandClear);
}

void motionDetected(Engine& e) {
    if (!PatientMoving(e)) {
        Move(e, AedMove::EndMotion);
    } else if (DevicePhase(e).step == AedStep::MotionHold) {
        PlaySound(e, "motion.wav");
        Move(e, AedMove::WarnOfMotion);
        SetPrompt(e, prompt::kMotion);
    } else {
        SetPrompt(e, PromptLine(e) == prompt::kMotion ? prompt::kStopMotion : prompt::kMotion);
        AdviseInTutorial(e);
    }
}

void result(Engine& e) {
    AedState& aed = OwnAed(e);
    if (PatientMoving(e)) return motionStop(e);
    const ScenarioState& s = e.state;
    if (!s.PatientCleared && s.NextStep != kEndScenario && !s.PulseCheckedAfterReturn &&
        e.settings.On(Opt::OPTClearAnalyze)) {
        Deduct(e, 25, "Forgot to clear during analysis (-25).", "",
               "Did not clear during analysis (-25).");
    }
    SetPatientCleared(e, false);
    if (s.PulseState != kShockable) {
        e.screen.Edit(El::AEDDISPLAY0).text.clear();
        SetPrompt(e, prompt::kNoShock);
        PlaySound(e, "noshockA.wav");
        e.screen.Edit(El::AnalyzeLED).color = Color::White;
        Move(e, CurrentGuidelines(e) ? AedMove::AdviseNoShockThenCPR : AedMove::AdviseNoShock);
        aed.LastNoShockTime = static_cast<int32_t>(e.timers.Now());
        aed.ShockAdvised = false;
        ++aed.NoShockCount;
        EndShockSeries(e);
        ExpectCPRAfterNoShock(e);
    } else {
        SetPrompt(e, prompt::kShockAdvised);
        PlaySound(e, "shockadv.wav");
        e.screen.Edit(El::AnalyzeLED).color = Color::White;
        Move(e, AedMove::AdviseShock);
        aed.ShockAdvised = true;
        aed.ClearCredited = false;
    }
    SetAnalysisFinished(e, true);
    EvaluateNextStep(e);
    // A refractory rhythm may turn shockable again: by chance after one no-shock analysis,
    // surely after two.
    if (s.PatientCategory == kRefractory && s.PulseState == kNothingToShock) {
        if (s.AnalysesSinceShock == 1) {
            if (e.random(2) == 0) SetPulseState(e, kShockable);
        } else if (s.AnalysesSinceShock > 1) {
            SetPulseState(e, kShockable);
        }
    }
    if (e.screen.Get(El::MSG0).text != "Forgot to clear during analysis (-25).") ShowMessage(e, "");
    // Current guidelines: the device says "START CPR" all the same, but the patient shows the
    // signs of life.
    if (CurrentGuidelines(e) && s.PulseState == kPulseRestored) {
        ShowOnFreeLine(e, "Patient is moving and breathing.");
    }
    AdviseInTutorial(e);
}

}  // namespace

bool PatientMoving(const Engine& e) {
    const ScenarioState& s = e.state;
    return s.TroubleKind == 2 || s.BagBreathing || CPRRunning(e) ||
           e.screen.Get(El::PULSEHAND).visible || e.rescuer().Phase.check == HandsCheck::Shaking;
}

namespace {

// The analyze key and the device's own analyses take the same steps, but only a trainee who
// pressed the key is charged for an analysis the protocol forbids; the device itself simply does
// not start one (below the pediatric minimum, at the hypothermic shock limit) and waits.
void request(Engine& e, bool byDevice) {
    const ScenarioState& s = e.state;
    const bool over = s.AnalysesComplete && s.NextStep == kEndScenario;
    if (over) {
        ShowScenarioOver(e);
    } else if (busyPrompt(e) || s.TroubleKind != 0 || DevicePhase(e).PoweringUp()) {
        return;
    }
    const bool cutsCycle = !byDevice && AnalysisCutsCycle(e);
    resetSequences(e);
    if (s.PatientCategory == kPediatric && BothPads(e) && !CurrentGuidelines(e)) {
        // Analysing is not allowed below the pediatric minimum, even where monitoring is; current
        // guidelines treat such a child with the child key.
        if (!byDevice) ChargePediatricLimit(e, "analyze", false);
        return;
    }
    if (!PowerLightLit(e)) return;
    if (s.PatientCategory == kHypothermic && e.settings.Value(Opt::OptHypoShocks) == s.ShockCount) {
        if (byDevice) return;
        const std::string limit = e.settings.Text(Opt::OptHypoShocks);
        return Deduct(
            e, 300, "Attempted too many shocks for hypothermic", "patient (-300).",
            "Attempted to give more than " + limit + " shocks to hypothermic patient. (-300)");
    }
    if (!byDevice && s.PulseState == kPulseRestored &&
        (s.PulseCheckedAfterReturn || s.BPCheckedAfterPulse) && s.ShockCount == s.ShocksNeeded &&
        !e.settings.On(Opt::OPTAUTOANALYZE)) {
        Deduct(e, 100, "Attempted to analyze after pulse", "established (-100).",
               "Attempted to analyze after pulse established (-100).");
    }
    if (RaiseTrouble(e)) return;
    if (!e.settings.On(Opt::OPTAUTOANALYZE)) ShowMessage(e, "");
    if (!BothPads(e)) {
        SetPrompt(e, prompt::kConnect);
        PlaySound(e, "connecte.wav");
        return;
    }
    if (cutsCycle) ChargeCycleCut(e);
    startAnalysis(e, !cutsCycle);
}

}  // namespace

void AnalyzeRequest(Engine& e) {
    LogAction(e, "Analyze");
    request(e, false);
}

void DeviceAnalyzeRequest(Engine& e) {
    request(e, true);
}

void RegisterAnalysisTimers(Engine& e) {
    e.SetTimerHandler(TimerId::PUSHANALYZETimer, pushAnalyzePrompt);
    e.SetTimerHandler(TimerId::FLASHLEDtimer, flashLed);
    e.SetTimerHandler(TimerId::STANDCLEARAnalyzeTIMER, standClearBeforeAnalysis);
    e.SetTimerHandler(TimerId::ANALYZINGNOWTimer, analyzingNow);
    e.SetTimerHandler(TimerId::STANDCLEARTIMER, alternate);
    e.SetTimerHandler(TimerId::MOTIONDETECTEDTimer, motionDetected);
    e.SetTimerHandler(TimerId::ENDAnalyzeTimer, result);
}

}  // namespace ardentix
