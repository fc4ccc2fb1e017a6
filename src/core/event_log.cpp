#include "core/event_log.h"

#include <utility>

#include "core/engine.h"

namespace ardentix {

namespace {

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) text += " / ";
        text += line;
    }
    return text;
}

// A fault costs points or writes a deduction; the expected step, or points won, is rewarded.
void judge(LogEvent& event) {
    if (event.deductions > 0 || event.points < 0) {
        event.verdict = Verdict::Deduction;
    } else if (event.points > 0 || event.awarded) {
        event.verdict = Verdict::Rewarded;
    } else {
        event.verdict = Verdict::Neutral;
    }
}

void addScore(LogEvent& event, int points, std::vector<std::string> reports, bool step) {
    event.points += points;
    event.awarded = event.awarded || step;
    if (points < 0) event.deductions += static_cast<int>(reports.size());
    for (std::string& line : reports)
        event.reports.push_back(std::move(line));
    judge(event);
}

}  // namespace

std::string_view VerdictName(Verdict verdict) {
    switch (verdict) {
        case Verdict::Rewarded:
            return "rewarded";
        case Verdict::Deduction:
            return "deduction";
        case Verdict::Neutral:
            break;
    }
    return "neutral";
}

std::string LogEvent::VerdictText() const {
    if (verdict != Verdict::Deduction || reports.empty()) return std::string(VerdictName(verdict));
    return "deduction: " + joined(reports);
}

void EventLog::Clear(Millis now, std::string startTime, std::string startedAt) {
    *this = EventLog();
    origin_ = now;
    startTime_ = std::move(startTime);
    startedAt_ = std::move(startedAt);
}

int32_t EventLog::at(Millis now) const {
    const Millis stopped = paused_ ? now - pauseStart_ : 0;
    return static_cast<int32_t>(now - origin_ - pausedTotal_ - stopped);
}

void EventLog::NoteCompression(Millis now, bool newSeries) {
    if (newSeries || compressions_.empty()) compressions_.emplace_back();
    compressions_.back().push_back(at(now));
}

int32_t EventLog::ScenarioMs(Millis now) const {
    return at(now);
}

void EventLog::Add(Millis now, std::string kind, std::string text) {
    LogEvent event;
    event.ms = at(now);
    event.kind = std::move(kind);
    event.text = std::move(text);
    events_.push_back(std::move(event));
}

void EventLog::Action(Millis now, std::string name) {
    Add(now, "action", std::move(name));
    open_ = static_cast<int>(events_.size()) - 1;
    if (!hasPending_) return;
    // Points changed before the action's name was known in the same handler are the action's.
    LogEvent& action = events_.back();
    action.points = pending_.points;
    action.awarded = pending_.awarded;
    action.deductions = pending_.deductions;
    action.reports = std::move(pending_.reports);
    judge(action);
    pending_ = LogEvent();
    hasPending_ = false;
}

void EventLog::Score(Millis now, int points, std::vector<std::string> reports, bool step) {
    if (open_ >= 0) {
        addScore(events_[static_cast<size_t>(open_)], points, std::move(reports), step);
        return;
    }
    if (ended_) {
        // Each end check and bonus is an event of its own.
        Add(now, "end", reports.empty() ? "Points changed" : joined(reports));
        addScore(events_.back(), points, std::move(reports), step);
        return;
    }
    if (!hasPending_) {
        pending_ = LogEvent();
        pending_.ms = at(now);
        pending_.kind = "score";
        hasPending_ = true;
    }
    addScore(pending_, points, std::move(reports), step);
}

void EventLog::ScoreApart(Millis now, std::string kind, std::string text, int points) {
    Add(now, std::move(kind), std::move(text));
    addScore(events_.back(), points, {}, false);
}

void EventLog::EndTurn() {
    open_ = -1;
    if (!hasPending_) return;
    // Points without an action make one event together, named by the lines they wrote.
    pending_.text = !pending_.reports.empty() ? joined(pending_.reports)
                    : pending_.awarded        ? "Step credited"
                                              : "Points changed";
    events_.push_back(std::move(pending_));
    pending_ = LogEvent();
    hasPending_ = false;
}

void EventLog::Pause(Millis now) {
    if (paused_) return;
    paused_ = true;
    pauseStart_ = now;
}

void EventLog::Resume(Millis now) {
    if (!paused_) return;
    pausedTotal_ += now - pauseStart_;
    paused_ = false;
}

void EventLog::Finishing(Millis now) {
    EndTurn();
    ended_ = true;
    Add(now, "scenario", "End");
}

void EventLog::NoteFirstShock(Millis now, int scoredSeconds, bool timed) {
    notes_.firstShock = ProtocolNotes::FirstShock{at(now), scoredSeconds, timed};
}

void EventLog::Terminated(Millis now) {
    EndTurn();
    ended_ = true;
    Add(now, "scenario", "Terminated");
}

bool EventLog::Has(std::string_view kind, std::string_view text) const {
    for (const LogEvent& event : events_) {
        if (event.kind == kind && event.text == text) return true;
    }
    return false;
}

void LogAction(Engine& e, std::string name) {
    e.log.Action(e.timers.Now(), std::move(name));
}

void LogEventOf(Engine& e, std::string kind, std::string text) {
    e.log.Add(e.timers.Now(), std::move(kind), std::move(text));
}

LogTurn::LogTurn(Engine& e) : e_(e) {
    e_.log.EndTurn();
}

LogTurn::~LogTurn() {
    e_.log.EndTurn();
}

}  // namespace ardentix
