// After "NO SHOCK ADVISED" and after three stacked shocks: the pulse-check and CPR prompts and
// the CPR countdown on the upper display line. Under current guidelines "START CPR" comes at once
// after a shock or "NO SHOCK ADVISED", with two minutes of CPR, and the next analysis after them.
#include <algorithm>

#include "aed/aed.h"
#include "aed/own.h"
#include "aed/phase.h"
#include "core/engine.h"
#include "core/sound.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

void checkForPulse(Engine& e) {
    SetPrompt(e, prompt::kCheckPulse);
    PlaySound(e, "checkfor.wav");
    Move(e, AedMove::ShowCheckPulse);
}

// The round of the chain tells what follows; its first "IF NO PULSE" after a result (or a shock
// series) and after the countdown is spoken.
void ifNoPulse(Engine& e) {
    SetPrompt(e, prompt::kIfNoPulse);
    e.screen.Edit(El::AnalyzeLED).color = Color::White;
    e.screen.Edit(El::ShockLED).color = Color::White;
    const ChainRound round = DevicePhase(e).round;
    if (round == ChainRound::AfterResult) PlaySound(e, "ifnoplsS.wav");
    if (round == ChainRound::AfterCountdown) PlaySound(e, "ifnopls.wav");
    Move(e, AedMove::ShowIfNoPulse);
}

int cprPeriod(Engine& e) {
    const ScenarioState& s = e.state;
    const Settings& o = e.settings;
    if (o.Text(Opt::OptCPR2Length) == "0") return o.Value(Opt::OptCPR1Length);
    if (s.AnalysisCount == 1 || s.AnalysesSinceShock > 1) return o.Value(Opt::OptCPR2Length);
    if (TakeCPRAfterStackedShocks(e)) return o.Value(Opt::OptCPR2Length);
    return o.Value(Opt::OptCPR1Length);
}

void startCPR(Engine& e) {
    // Under current guidelines "START CPR" follows "NO SHOCK ADVISED" at once.
    if (DevicePhase(e).step == AedStep::CPRPromptDue) return PromptCPRCycle(e);
    AedState& aed = OwnAed(e);
    SetPrompt(e, prompt::kStartCPR);
    Move(e, AedMove::ShowStartCPR);
    if (!DevicePhase(e).countdown) {
        LogDevice(e, "Countdown started");
        Move(e, AedMove::StartCountdown);
        // The count is a byte: a period outside 0..255 seconds is held to it.
        const int period = std::clamp(cprPeriod(e), 0, 255);
        aed.CountdownSeconds = static_cast<uint8_t>(period);
        aed.CountdownLength = period;
    }
    AdviseInTutorial(e);
}

void countdownTick(Engine& e) {
    const ScenarioState& s = e.state;
    AedState& aed = OwnAed(e);
    if (e.screen.Get(El::QuizWindow).visible) return;  // the CPR quiz holds the count
    ++aed.CountdownTicks;
    if ((s.PreviousAction == "Pulse" || s.CPRSinceAnalysis) && s.CountdownTicks == 5 &&
        s.CountdownSeconds < s.CountdownLength - 15 && s.CountdownSeconds > 5 && s.PulseRate == 0 &&
        !CPRRunning(e)) {
        ShowOnFreeLine(e, "You should be doing CPR.");
    }
    if (aed.CountdownTicks == 5) aed.CountdownTicks = 0;
    // A period of 0 seconds ends at its first tick and never counts below zero.
    if (aed.CountdownSeconds > 0) --aed.CountdownSeconds;
    e.screen.Edit(El::AEDDISPLAY0).text = CountdownText(s.CountdownSeconds);
    if (s.CountdownSeconds != 0) return;
    LogDevice(e, "Countdown ended");
    const bool cprCycle = DevicePhase(e).step == AedStep::CPRCycle;
    Move(e, AedMove::EndCountdown);
    e.screen.Edit(El::AEDDISPLAY0).text.clear();
    if (e.settings.On(Opt::OPTTWOBUTTONAED) || e.settings.On(Opt::OPTAUTOANALYZE)) {
        DeviceAnalyzeRequest(e);
    } else if (cprCycle) {
        // The next analysis is the trainee's: no pulse check comes first.
        SetPrompt(e, prompt::kPushAnalyze);
        PlaySound(e, "pushanal.wav");
        Move(e, AedMove::PromptAnalyze);
    } else {
        Move(e, AedMove::CheckPulseAfterCountdown);
    }
    AdviseInTutorial(e);
    if (!e.settings.On(Opt::SOUNDCheckBox)) {
        e.screen.Edit(El::MSG0).text = "CPR period has ended.";
        e.screen.Edit(El::MSG1).text.clear();
    }
}

void pushAnalyzeAfterCPR(Engine& e) {
    SetPrompt(e, prompt::kPushAnalyze);
    // Spoken the first time only.
    if (DevicePhase(e).step == AedStep::AnalyzeAfterCPRDue) PlaySound(e, "pushanal.wav");
    Move(e, AedMove::ShowAnalyzeAfterCPR);
    AdviseInTutorial(e);
}

}  // namespace

void PromptCPRCycle(Engine& e) {
    AedState& aed = OwnAed(e);
    SetPrompt(e, prompt::kStartCPR);
    PlaySound(e, "strtcpr.wav");
    LogDevice(e, "Countdown started");
    Move(e, AedMove::StartCPRCycle);
    aed.CountdownSeconds = kCPRCycleSeconds;
    aed.CountdownLength = kCPRCycleSeconds;
    AdviseInTutorial(e);
}

std::string CountdownText(int seconds) {
    if (seconds < 10) return "0:0" + std::to_string(seconds);
    if (seconds < 60) return "0:" + std::to_string(seconds);
    const int rest = seconds % 60;
    return std::to_string(seconds / 60) + (rest < 10 ? ":0" : ":") + std::to_string(rest);
}

void RegisterPromptTimers(Engine& e) {
    e.SetTimerHandler(TimerId::CHECKFORPULSETimer, checkForPulse);
    e.SetTimerHandler(TimerId::IFNOPULSETimer, ifNoPulse);
    e.SetTimerHandler(TimerId::STARTCPRTimer, startCPR);
    e.SetTimerHandler(TimerId::CPRCountdownTimer, countdownTick);
    e.SetTimerHandler(TimerId::PUSHANALYZEafterCPRTIMER, pushAnalyzeAfterCPR);
}

void RegisterAedTimers(Engine& e) {
    RegisterPowerTimers(e);
    RegisterAnalysisTimers(e);
    RegisterShockTimers(e);
    RegisterPromptTimers(e);
    RegisterTroubleTimers(e);
}

}  // namespace ardentix
