#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/timers.h"

namespace ardentix {

class Engine;

// How the protocol judged an event: the expected step (with its points), nothing, or a fault.
enum class Verdict : uint8_t { Neutral, Rewarded, Deduction };
std::string_view VerdictName(Verdict verdict);

// One entry of the scenario's event log. Kinds: "action" (the trainee's), "device" (the AED's),
// "cpr" (compressions start or stop), "patient", "scenario", "score" and "advice" (points that
// belong to no action), "end" (the end checks and bonuses).
struct LogEvent {
    int32_t ms = 0;  // scenario time: since the start, a pause not counted
    std::string kind;
    std::string text;
    Verdict verdict = Verdict::Neutral;
    int points = 0;
    std::vector<std::string> reports;  // the summary's error list lines this event wrote
    int deductions = 0;                // how many of them cost points
    bool awarded = false;              // the expected step, even one worth no points

    // "deduction: <reports>" for a fault, else the verdict's name.
    std::string VerdictText() const;
};

// What the protocol asked of the scenario beyond its events, so that the debrief judges its
// figures as the monitor did.
struct ProtocolNotes {
    // The first shock: when its key was clicked (scenario time), its scored time in seconds, and
    // whether the rule for a slow first shock applied to it.
    struct FirstShock {
        int32_t ms = 0;
        int scoredSeconds = 0;
        bool timed = true;
    };
    std::optional<FirstShock> firstShock;
    // The protocol asked for CPR at some moment of the scenario.
    bool cprRequired = false;
    // The scenario was scored by today's guidelines: CPR is always asked for, and the debrief's
    // targets are theirs.
    bool currentGuidelines = false;
    // Compressions were given by key: CPR is the presses (CompressionSeries), not the time the
    // CPR button let them run.
    bool compressionsByKey = false;
};

// The record of one scenario, written as it happens. Points belong to the action of the handler
// that changed the score, whichever came first in it; points changed by a handler without an
// action (a timer, the end) make an event of their own.
class EventLog {
  public:
    // Empties the log; the scenario's time starts now: its time of day as the program shows it
    // and the moment in ISO 8601 with the station's offset.
    void Clear(Millis now, std::string startTime, std::string startedAt = {});
    const std::vector<LogEvent>& Events() const { return events_; }
    const std::string& StartTime() const { return startTime_; }
    const std::string& StartedAt() const { return startedAt_; }
    int32_t ScenarioMs(Millis now) const;

    void Add(Millis now, std::string kind, std::string text);
    // A trainee action; the points of the present handler go to it.
    void Action(Millis now, std::string name);
    // Points changed, with the error list lines written for them. A step marks an award even
    // when the step is worth no points.
    void Score(Millis now, int points, std::vector<std::string> reports, bool step);
    // Points kept apart from any action (the advice charge).
    void ScoreApart(Millis now, std::string kind, std::string text, int points);
    // A handler ended: its action closes; points it changed without one become an event.
    void EndTurn();
    // A pause stops the scenario's time until it ends.
    void Pause(Millis now);
    void Resume(Millis now);
    bool Paused() const { return paused_; }
    // The scenario has ended: what follows is the end checks'.
    void Finishing(Millis now);
    // The program closed in the middle of the scenario: the log ends here, without end checks.
    void Terminated(Millis now);
    bool Ended() const { return ended_; }
    // Whether an event of this kind and text is in the log.
    bool Has(std::string_view kind, std::string_view text) const;

    const ProtocolNotes& Notes() const { return notes_; }
    void NoteFirstShock(Millis now, int scoredSeconds, bool timed);
    void NoteCPRRequired() { notes_.cprRequired = true; }
    void NoteCurrentGuidelines() { notes_.currentGuidelines = true; }
    void NoteCompressionsByKey() { notes_.compressionsByKey = true; }

    // Compressions given by key (each press of the compression key while CPR ran), in scenario
    // ms: a list for each series of compressions, which begins with CPR and after each breath.
    void NoteCompression(Millis now, bool newSeries);
    const std::vector<std::vector<int32_t>>& CompressionSeries() const { return compressions_; }
    // The compression by key just noted brought the breaths of CPR: the times of such presses.
    void NoteBreathsOfCPR(Millis now) { breathsOfCPR_.push_back(at(now)); }
    const std::vector<int32_t>& BreathsOfCPR() const { return breathsOfCPR_; }

    // How many lines of the summary's error list the log has taken as reports.
    size_t reportLinesSeen = 0;

  private:
    int32_t at(Millis now) const;

    std::vector<LogEvent> events_;
    ProtocolNotes notes_;
    std::vector<std::vector<int32_t>> compressions_;
    std::vector<int32_t> breathsOfCPR_;
    std::string startTime_;
    std::string startedAt_;
    Millis origin_ = 0;
    Millis pausedTotal_ = 0;
    Millis pauseStart_ = 0;
    bool paused_ = false;
    bool ended_ = false;
    int open_ = -1;  // the action of the present handler
    // Points changed by the present handler before its action was logged.
    LogEvent pending_;
    bool hasPending_ = false;
};

// The engine's side of the log: the scenario time comes from its clock.
void LogAction(Engine& e, std::string name);
void LogEventOf(Engine& e, std::string kind, std::string text);
inline void LogDevice(Engine& e, std::string text) {
    LogEventOf(e, "device", std::move(text));
}

// Ends the log's turn on construction and destruction: a trainee input or a timer's handler.
class LogTurn {
  public:
    explicit LogTurn(Engine& e);
    ~LogTurn();
    LogTurn(const LogTurn&) = delete;
    LogTurn& operator=(const LogTurn&) = delete;

  private:
    Engine& e_;
};

}  // namespace ardentix
