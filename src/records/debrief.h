#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/event_log.h"

namespace ardentix {

class Engine;

// A stretch of scenario time, in ms.
struct Span {
    int32_t from = 0;
    int32_t to = 0;
    int32_t Length() const { return to - from; }
};

// The quality figures of a scenario, computed from its event log.
struct DebriefFigures {
    std::optional<int32_t> timeToResponse, timeToHelp, timeToCompression, timeToAEDOn, timeToPads,
        timeToFirstShock;
    int32_t end = 0;             // the scenario's end (the last event while it runs)
    Span noPulse;                // from the first check until the pulse returns or the end
    std::vector<Span> cpr;       // every stretch of compressions
    std::vector<Span> handsOff;  // stretches without CPR and without a pulse longer than 10 s
    std::optional<int32_t> longestHandsOff;
    std::optional<double> cprFraction;  // percent
    std::vector<int32_t> shocks;
    std::vector<std::optional<int32_t>> preShockPause, postShockPause;
    int deductions = 0, adviceUsed = 0, pauses = 0;
    // As the protocol saw the scenario: the first shock's scored time and whether the rule for a
    // slow first shock applied to it; whether CPR was asked for (without it the figures of CPR
    // are shown but not judged).
    std::optional<int> firstShockScored;
    bool firstShockTimed = false;
    bool cprRequired = false;
    // Compressions given by key, for each stretch of CPR that had some, in order: the rate shown
    // at each compression but the first of a series, their median (a half rounded up) and the
    // share of them within 100-120 a minute, in percent.
    struct CompressionCycle {
        std::vector<int> rates;
        std::optional<int> medianRate;
        std::optional<double> shareInTarget;
    };
    std::vector<CompressionCycle> compressionCycles;
    // Scored by today's guidelines: the targets are theirs.
    bool currentGuidelines = false;
};

inline constexpr int32_t kHandsOffLimitMs = 10000;
// With compressions by key, CPR is the presses: two presses at most this far apart are one
// stretch of compressions, a longer gap is hands-off from the earlier press on...
inline constexpr int32_t kPressGapMs = 2000;
// ...except the pause for the breaths of CPR, from the press that brought them to the next
// press, which is CPR while it keeps within the limit of a pause.
inline constexpr int32_t kBreathsGapMs = kHandsOffLimitMs;

// The stretches of compressions given by key: from a press to the next while the gap between
// them keeps within the limits above; a press alone is a stretch of no length (it ends one pause
// and begins the next). `series` are the presses in order, `breaths` the presses that brought
// the breaths of CPR.
std::vector<Span> PressStretches(const std::vector<std::vector<int32_t>>& series,
                                 const std::vector<int32_t>& breaths);

DebriefFigures ComputeFigures(const EventLog& log);
// The figures the events alone give, for a scenario kept in the results database: CPR is the
// stretches between "CPR running" and "CPR stopped" (the presses of compressions by key are not
// kept), and what the protocol noted beside the events is not known.
DebriefFigures FiguresOfEvents(const std::vector<LogEvent>& events, bool currentGuidelines);

// The CPR fraction the protocol asks for at least: 80 % under the classic protocol (the debrief's
// target only), 60 % under today's guidelines (below it the end checks charge).
double CPRFractionTarget(bool currentGuidelines);
// A CPR fraction meets a target as the debrief shows it, to one decimal: 59.96 shows as 60.0.
bool FractionMeets(double fraction, double target);

// A figure as the debrief shows it: its script name, its label, its value as scripts read it
// (ms, a percentage, a count; empty when the thing never happened), as people read it (m:ss),
// its target and whether it was met (nothing where no number applies or the protocol did not ask
// for it: its target then says "not required").
struct FigureRow {
    std::string name;
    std::string label;
    std::string value;
    std::string shown;
    std::string target;
    std::optional<bool> met;
    // False where the protocol in force did not ask for the figure: its target then says so and
    // it has no verdict.
    bool required = true;
};
std::vector<FigureRow> FigureRows(const DebriefFigures& f);

// "m:ss" of a scenario time; tenths of a second when asked.
std::string ScenarioClock(int32_t ms, bool tenths = false);

// "ms|kind|text|verdict|points"
std::string LogLine(const LogEvent& event);

// One CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);
// The rows of AEDLOG.CSV for this scenario (the header when asked).
std::vector<std::string> EventLogRows(const Engine& e, bool header);
// Who and when, for the saved chart: "Kim Lee, ID 4711, 12/6/26, started 9:00:00 AM" (no ID
// part when there is no ID).
std::string DebriefSubject(const Engine& e);
// The debrief window, opened from the summary and closed by its Close button.
void ShowDebrief(Engine& e);
void CloseDebrief(Engine& e);

// Appends the scenario's log to AEDLOG.CSV; a failure is shown and the file stays as it was.
bool AppendEventLog(Engine& e);

}  // namespace ardentix
