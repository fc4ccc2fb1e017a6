#pragma once
#include <cstddef>
#include <string>

namespace ardentix {

class Engine;

// The patient's vital signs: zero without a pulse; drawn once when the pulse has returned and
// kept for the rest of the scenario.
void UpdateVitalSigns(Engine& e);

// The rescuer's timed steps, as their handlers wait for them. The responsiveness check (the
// shaking and shouting) or the breathing check is under way: the hands are on the patient.
bool CheckUnderWay(const Engine& e);
// A breath is being given: the compressions of CPR stop for it, and the CPR button does not
// start CPR over a breath given apart from it.
bool BreathUnderWay(const Engine& e);

// Whether a control's handler would ignore a click now, because a timed step is under way. The
// ABCs menu opens only while no check or breath animation is under way.
bool AbcsMenuAvailable(const Engine& e);
// The pulse check waits for the responsiveness or breathing check to end.
bool PulseCheckWaits(const Engine& e);
// The CPR button starts nothing during a breath given apart from CPR (it still stops CPR).
bool CPRButtonWaits(const Engine& e);
void CheckResponsiveness(Engine& e);
void PhoneForHelp(Engine& e);
void OpenAirway(Engine& e);
void CheckBreathing(Engine& e);
void RescueBreaths(Engine& e);
void AutoABCs(Engine& e);
// Auto ABCs goes on from the end of the phone call to the airway.
void ContinueAutoABCsAfterCall(Engine& e);

// The compressions of one series of CPR before its breaths. Classic: 15 (15:2), or 5 (5:1) for
// a child of 8 or less and with the 5:1 option. Current guidelines: 30 (30:2) for every patient,
// 15 (15:2) for a child of 8 or less with two rescuers.
int CompressionsPerSeries(const Engine& e);
// The breaths of a series after the compressions: Classic gives one after 5:1, two after 15:2;
// Current always two.
int BreathsPerSeries(const Engine& e);

// One compression of CPR, the hands moving; the series' last brings its breaths. The CPR timer
// gives them, or with compressions by key the trainee's presses.
void Compress(Engine& e);

// Compressions by key (CompressingByKey): the rate over the last presses shows beside the
// message lines (CPRRate), green within 100-120 a minute.
// A press of the compression key: a compression while CPR runs and no breath is under way; else
// nothing.
void PressCompressionKey(Engine& e);
// CPR starts or stops: the rate is shown, emptied, while it runs with compressions by key.
void FollowCompressionRate(Engine& e);

// The CPR button starts CPR, or stops it when it runs.
void CPRButton(Engine& e);
// Stops CPR; stopping while the AED still counts more than 10 seconds of the period costs points.
void StopCPR(Engine& e);
bool CPRIsRunning(const Engine& e);
// Stops the breath under way or due, and the series with it.
void StopBreaths(Engine& e);

// Shows the advice for the expected step (the monitor's); advice to attach a missing pad stops CPR,
// for the pad goes on the chest.
void ShowAdvice(Engine& e);
// Stops CPR when the advice just shown asks for a missing pad.
void StopCPRForAdvice(Engine& e);
// In Tutorial mode the advice follows every step of the trainee and the device.
void AdviseInTutorial(Engine& e);

// The CPR quiz. The CPR button asks its question first when the quiz is on and a question is
// due: the quiz shows and the button's handler ends. OK judges the answer, closes the quiz and
// goes on with the same start of CPR.
bool AskQuizQuestion(Engine& e);
bool QuizOpen(const Engine& e);
enum class QuizSpinner { Compressions, Breaths };  // SpinButton1 (also the seconds), SpinButton2
void QuizSpin(Engine& e, QuizSpinner spinner, bool up);
void QuizOk(Engine& e);
// The CPR button's handler once more after a verdict: the checks of this press have been made
// already, so an omission is not charged a second time.
void ResumeCPRAfterQuiz(Engine& e);

void PulseCheck(Engine& e);
void BloodPressureCheck(Engine& e);

// Adds a report to the two message lines: the first empty line takes it; a second line shorter
// than the limit gets the short form appended; otherwise the report starts the lines afresh.
void AddMessage(Engine& e, const std::string& text, const std::string& shortForm, size_t limit);

// What the device's and the flow's handlers tell the rescuer's record.
// Nobody touches the patient (true), or someone does again.
void SetPatientCleared(Engine& e, bool cleared);
// An analysis has given its result (true), or a shock or a new request has made it old.
void SetAnalysisFinished(Engine& e, bool finished);
// A new analysis request: the pulse checks rewarded since the last one start again from none.
void ForgetRewardedPulseChecks(Engine& e);
// An analysis or a Clear: no CPR since.
void ForgetCPRSinceAnalysis(Engine& e);
// The pads go on: the ABCs are over, done or not.
void CloseABCsPhase(Engine& e);
// Whether CPR followed three stacked shocks, asked once: the answer is forgotten.
bool TakeCPRAfterStackedShocks(Engine& e);
// The hands leave the patient: no breaths, no compressions.
void MarkHandsOff(Engine& e);
// The end of a pause: Auto ABCs goes on when the phone call ended during the pause.
void ResumeAutoABCsAfterPause(Engine& e);

void RegisterRescuerTimers(Engine& e);
void RegisterCPRTimers(Engine& e);
void RegisterVitalsTimers(Engine& e);

}  // namespace ardentix
