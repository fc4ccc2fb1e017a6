// The troubleshooting faults: one fault at most per scenario, drawn when an analysis is requested
// (a loose electrode, a low battery, patient motion), and the three commands of the Trouble menu
// that repair them.
#include <algorithm>
#include <array>

#include "aed/aed.h"
#include "aed/own.h"
#include "aed/phase.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "core/sound.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

// The loose pad is drawn off its zone by this much, right and down.
constexpr int kLooseShift = 21;
// A repaired fault is worth this much on top of the step points.
constexpr int kRepairBonus = 50;

void shiftRedZone(Engine& e, int by) {
    Element& zone = e.screen.Edit(El::PADRedZONE);
    zone.left += by;
    zone.top += by;
}

// The pad lying on the red pad's zone: the red one, or the white one when the pads were swapped.
bool& padOnRedZone(AedState& s) {
    return s.PadsSwapped ? s.WhitePadAttached : s.RedPadAttached;
}

void looseElectrode(Engine& e) {
    LogDevice(e, "Fault: electrode loose");
    bool& pad = padOnRedZone(OwnAed(e));
    // Only a pad that is on can come off; the zone moves with it once.
    if (pad) {
        pad = false;
        shiftRedZone(e, kLooseShift);
    }
    OwnAed(e).TroubleOccurred = true;
    SetPrompt(e, prompt::kConnect);
    PlaySound(e, "connecte.wav");
    Redraw(e);
}

void lowBattery(Engine& e) {
    LogDevice(e, "Fault: low battery");
    OwnAed(e).TroubleOccurred = true;
    e.screen.Edit(El::LOWBATTERYINDICATOR).visible = true;
    PlaySound(e, "battrepl.wav");
    Move(e, AedMove::ShowLowBattery);
    SetPrompt(e, prompt::kReplaceBattery);
    e.screen.Edit(El::AnalyzeLED).color = Color::White;
    e.screen.Edit(El::ShockLED).color = Color::White;
    e.screen.Edit(El::AnalyzeButton).visible = false;
    e.screen.Edit(El::ShockButton).visible = false;
    SetNextStep(e, kReplaceBattery);
}

void blinkBattery(Engine& e) {
    Element& symbol = e.screen.Edit(El::LOWBATTERYINDICATOR);
    symbol.visible = !symbol.visible;
}

}  // namespace

int TroubleRollRange(int odds) {
    if (odds <= 0) return 0;
    // Odds above 100 would leave nothing to draw from: they mean every request.
    return std::max(1, 100 / odds);
}

int DrawTroubleKind(Engine& e) {
    const ScenarioState& s = e.state;
    const Settings& o = e.settings;
    const int range = TroubleRollRange(o.Value(Opt::OptTroubleOdds));
    int roll = 1;
    if (range > 0) {
        e.SeedFromClock();
        roll = e.random(range);
    }
    // In the order of the draw: 0 loose electrode, 1 low battery, 2 motion.
    const std::array<bool, 3> enabled = {o.On(Opt::OptElectrodeTrouble),
                                         o.On(Opt::OptBatteryTrouble), o.On(Opt::OptMOTIONTrouble)};
    const bool anyEnabled = enabled[0] || enabled[1] || enabled[2];
    if (roll != 0 || s.TroubleOccurred || s.PatientCategory == kHypothermic ||
        s.Mode == kTutorial || !BothPads(e) || s.AnalysisCount > 1 || !anyEnabled) {
        return 0;
    }
    int k = e.random(3);
    while (!enabled[static_cast<size_t>(k)])
        k = e.random(3);
    constexpr std::array<int, 3> kKinds = {kTroubleLooseElectrode, kTroubleLowBattery,
                                           kTroubleMotion};
    return kKinds[static_cast<size_t>(k)];
}

bool RaiseTrouble(Engine& e) {
    const ScenarioState& s = e.state;
    AedState& aed = OwnAed(e);
    if (const int kind = DrawTroubleKind(e); kind != 0) {
        aed.TroubleKind = static_cast<uint8_t>(kind);
        if (kind == kTroubleMotion) aed.TroubleOccurred = true;
    }
    switch (s.TroubleKind) {
        case kTroubleLooseElectrode:
            looseElectrode(e);
            return true;
        case kTroubleLowBattery:
            lowBattery(e);
            return true;
        default:
            // Motion shows during the analysis, which goes on.
            return false;
    }
}

int StepAfterTrouble(const Engine& e) {
    return e.state.PatientCleared || !e.settings.On(Opt::OPTClearAnalyze) ? kPressAnalyze
                                                                          : kClearForAnalysis;
}

void TroubleButton(Engine& e) {
    e.screen.Edit(El::ADVICEPANEL).visible = false;
}

void ReattachElectrode(Engine& e) {
    const ScenarioState& s = e.state;
    LogAction(e, "Reattach electrode");
    if (s.TroubleKind != kTroubleLooseElectrode) {
        ShowMessage(e, BothPads(e) ? "Both electrodes are attached. No action taken."
                                   : "Attach electrodes.");
        return;
    }
    shiftRedZone(e, -kLooseShift);
    padOnRedZone(OwnAed(e)) = true;
    Redraw(e);
    ShowMessage(e, "Electrode is re-attached.");
    Move(e, AedMove::PromptAnalyzeAgain);
    ChangeScore(e, kRepairBonus);
    OwnAed(e).TroubleKind = 0;
    AwardStep(e);
    ShowScore(e);
}

void PressRedPadZone(Engine& e) {
    if (e.state.TroubleKind == kTroubleLooseElectrode) ReattachElectrode(e);
}

void ReplaceBattery(Engine& e) {
    const ScenarioState& s = e.state;
    AedState& aed = OwnAed(e);
    LogAction(e, "Replace battery");
    if (s.TroubleKind != kTroubleLowBattery) {
        ShowMessage(e, "Battery is fully charged. No action taken.");
        return;
    }
    aed.TroubleKind = 0;
    ShowMessage(e, "The battery has been replaced. Press ON.");
    SetNextStep(e, kTurnAEDOn);
    aed.ShockAdvised = false;
    SetPatientCleared(e, false);
    AwardStep(e);
    ShowScore(e);
    // The device is off until the trainee presses ON on the close-up.
    aed.AEDOn = false;
    SetPrompt(e, "");
    e.screen.Edit(El::AEDDISPLAY0).text.clear();
    e.screen.Edit(El::NumShockLabel).visible = false;
    e.screen.Edit(El::TIMELabel).visible = false;
    Move(e, AedMove::ReplaceBattery);
    e.screen.Edit(El::LOWBATTERYINDICATOR).visible = false;
    e.screen.Edit(El::PowerLight).color = Color::White;
    Element& on = e.screen.Edit(El::POWERBUTTON2);
    on.enabled = true;
    on.visible = true;
    // A two-button device has no analyze key to show again.
    if (!e.settings.On(Opt::OPTTWOBUTTONAED)) e.screen.Edit(El::AnalyzeButton).visible = true;
}

void StopMotion(Engine& e) {
    const ScenarioState& s = e.state;
    LogAction(e, "Stop motion");
    MarkHandsOff(e);
    e.screen.Edit(El::PULSEHAND).visible = false;
    StopCPR(e);
    ShowMessage(e, "All patient motion has stopped.");
    const std::string& p = PromptLine(e);
    if (s.TroubleKind != kTroubleMotion && p != prompt::kMotion && p != prompt::kStopMotion) {
        return;
    }
    SetPrompt(e, "");
    StopSound(e);
    Move(e, AedMove::StopMotion);
    // The score display follows with the next step that shows it.
    ChangeScore(e, kRepairBonus);
    if (s.LastAction == "Analyze") SetNextStep(e, kPressAnalyze);
    if (s.TroubleKind == kTroubleMotion) {
        AwardStep(e);
        ShowScore(e);
    }
    OwnAed(e).TroubleKind = 0;
    SetPatientCleared(e, true);
}

void RegisterTroubleTimers(Engine& e) {
    e.SetTimerHandler(TimerId::LOWBATTERYINDICATORTIMER, blinkBattery);
}

}  // namespace ardentix
