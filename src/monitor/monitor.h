#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace ardentix {

class Engine;

// Codes of the step the protocol expects next.
enum NextStepCode : uint8_t {
    kStartCPR = 0,
    kCheckPulse = 1,
    kCheckResponsiveness = 2,
    kOpenAirway = 3,
    kCheckBreathing = 4,
    kRecheckBreathing = 5,
    kGiveRescueBreaths = 6,
    kCheckCirculation = 7,
    kCheckBloodPressure = 8,
    kAttachWhitePad = 9,
    kAttachRedPad = 10,
    kReattachElectrode = 11,
    kReplaceBattery = 12,
    kStopMotion = 13,
    kGiveVoiceReport = 14,
    kClearForAnalysis = 15,
    kClearForShock = 16,
    kTurnAEDOn = 17,
    kPressAnalyze = 18,
    kPressShock = 19,
    kEndScenario = 20,
    kCallForHelp = 21,
    kWaitForAnalysis = 22,
    kTurnOnChildKey = 23,  // today's guidelines: a child below the pediatric minimum
};

// The score: a correct step earns the scenario's step points; a fault costs points, leaves its
// two lines on the screen and its report line in the error list.
// Adds points to the score (or takes them off), held within the score's 16-bit range.
void ChangeScore(Engine& e, int points);
// A change of the score that the event log keeps as an event of its own, not the action's.
void ChangeScoreApart(Engine& e, int points, const std::string& kind, const std::string& text);
void AwardStep(Engine& e);
void Deduct(Engine& e, int points, const std::string& line1, const std::string& line2,
            const std::string& report);
// Shows the running score.
void ShowScore(Engine& e);
// Writes the two message lines of the scenario screen.
void ShowMessage(Engine& e, const std::string& line0, const std::string& line1 = "");
// A report on the first message line when it is empty, else on the second.
void ShowOnFreeLine(Engine& e, const std::string& text);
// "Scenario is over...select END SCENARIO." on the message lines, and the sign starts blinking.
void ShowScenarioOver(Engine& e);

// The checks for a step the trainee skipped, run by the action handlers before EvaluateNextStep.
void CheckAnalyzeAfterShock(Engine& e);
void CheckShockDelivered(Engine& e);
void CheckPulseAfterAnalysis(Engine& e);
void CheckCPRAfterPulse(Engine& e);
void CheckAnalyzeAfterCPR(Engine& e);

// The checks of today's guidelines (CurrentGuidelines); under the classic protocol they do
// nothing. A shock, or a no-shock result on a patient without a pulse: the CPR button is due
// within 10 s (10,000 ms is in time), or "CPR not resumed within 10 seconds (-50)." follows;
// with compressions by key (CompressingByKey) the first press is due, the button is not enough.
void ExpectCPRAfterShock(Engine& e);
void ExpectCPRAfterNoShock(Engine& e);
// The CPR button starts CPR: the hands are back on the chest (CPRPressed until CPR stops; the
// compressions themselves begin when the press has been judged).
void NoteCPRPressed(Engine& e);
// A compression given by key: the compressions have started again.
void NoteCompressionGiven(Engine& e);
// Rescue breaths before the first compression: -25, once a scenario.
void CheckBreathsBeforeCompressions(Engine& e);
// A pulse check while the countdown runs: -25 each time.
void CheckPulseDuringCycle(Engine& e);
// CPR stops (CPRPressed ends): -50 when the countdown still has more than 10 s to run, unless the
// stop is for the rescuer's breaths. True when today's guidelines judged the stop (the classic
// charge is not made then).
bool CheckCPRStopped(Engine& e);
// The analyze key while the countdown still has more than 10 s to run cuts the two minutes of CPR
// short: under today's guidelines the analysis then earns nothing, and compressions it stops are
// charged as stopped before the AED asked (-50). Asked before the device ends the countdown.
bool AnalysisCutsCycle(const Engine& e);
void ChargeCycleCut(Engine& e);
// The child key was turned: under today's guidelines a step of the trainee's, the expected one
// when it turns the key on for a child below the pediatric minimum.
void ChildKeyTurned(Engine& e);
void RegisterMonitorTimers(Engine& e);

// Charges a pending advice request, computes the step expected next and moves the action
// history on.
void EvaluateNextStep(Engine& e);
// The step the rules give for the present state, without changing anything, and the rule that
// gives it ("A1" to "A18", "S", "B1" to "B42"; empty when none holds).
int ExpectedNextStep(const Engine& e);
std::string_view DecidingRule(const Engine& e);

// What the device's, the rescuer's and the flow's handlers tell the monitor's record.
// The trainee's last action; EvaluateNextStep moves the history on.
void NoteAction(Engine& e, const std::string& action);
// An action that moves the history on at once, before the next evaluation.
void NoteActionAtOnce(Engine& e, const std::string& action);
// The step expected next, where the handler knows it before the rules are asked.
void SetNextStep(Engine& e, int step);
// The trainee asked for advice: the next evaluation charges and shows it.
void NoteAdviceRequest(Engine& e);
// Shocks in a row without CPR between them: one more; the series ends.
void CountStackedShock(Engine& e);
void EndShockSeries(Engine& e);
// A pad lies on its zone: the zone's guide goes.
void HideWhiteGuide(Engine& e);
void HideRedGuide(Engine& e);
// The time of the first shock as the summary shows it.
void NoteFirstShockTime(Engine& e, const std::string& text);

// Stops every scenario timer; during a pause it first remembers which ones ran, and leaves the
// phone call alone.
void StopAllTimers(Engine& e);
// The end of a pause: the phases and the timers it stopped go on.
void RestartPausedTimers(Engine& e);
// The trainee's controls off (stopping every timer) and on again.
void DisableRescueControls(Engine& e);
void EnableRescueControls(Engine& e);

// Shows the advice for the expected step; advice to attach a missing pad marks the pad's zone on
// the chest. The rescuer's ShowAdvice shows it and stops CPR for the pad.
void PlaceAdvice(Engine& e);
// The advice for the expected step asks for a missing pad.
bool AdviceAsksForPad(const Engine& e);

}  // namespace ardentix
