#pragma once
#include <cstdint>
#include <string>

#include "core/engine.h"

// The course of the scenario (FlowState) is the core's: it prepares each scenario and keeps the
// trainee, the mode, the test series, the patient, the clock and the last sound. The folders
// above tell it what happened through the functions below; only the core's own files open the
// record with OwnFlow.
namespace ardentix {

struct FlowOwner {
    static FlowState& Of(Engine& e) { return e.flow({}); }
};

inline FlowState& OwnFlow(Engine& e) {
    return FlowOwner::Of(e);
}

// The trainee who logged in: the name, the ID number (empty when none is asked) and today's date.
void LogIn(Engine& e, const std::string& name, const std::string& id);
// The trainee keeps the scoreboard's form of the name for the rest of the log-in.
void SetUserName(Engine& e, const std::string& name);
void SetMode(Engine& e, Mode mode);
// A test series begins: the mode is Test and no test scenario is finished yet.
void BeginTestSeries(Engine& e);
// A finished test scenario counts; the count of the series so far.
int CountTestScenario(Engine& e);
// The results of the series are handed over (sent or saved): the next test begins afresh.
void EndTestSeries(Engine& e);
// The scenario's date and its line for the scoreboard, when it ends or is closed.
void DateScenario(Engine& e);
void SetScoreboardLine(Engine& e, const std::string& line);
// The scenario is scored by today's guidelines (compressions first, one shock then two minutes of
// CPR), not by the classic protocol.
inline constexpr uint8_t kCurrentGuidelines = 1;
inline bool CurrentGuidelines(const Engine& e) {
    return e.state.GuidelineProfile == kCurrentGuidelines;
}
// The guidelines chosen on the option pages become the scenario's when it is prepared and when it
// starts; a change on the pages waits for the next scenario.
void FixGuidelines(Engine& e);
// Compressions by key: under the current guidelines with "Compress by key" each press of the
// Space bar (or a click on the chest) while CPR runs is one compression, and what counts as CPR
// (the 10 s to resume it, the debrief's CPR fraction and pauses) is the presses, not the CPR
// button.
inline bool CompressingByKey(const Engine& e) {
    return CurrentGuidelines(e) && e.settings.On(Opt::OPTCompressByKey);
}

// One second of the scenario has passed.
void TickScenarioClock(Engine& e);
// The patient's heart after an analysis or a shock.
void SetPulseState(Engine& e, PulseStateValue value);

}  // namespace ardentix
