// The debrief: the quality figures of resuscitation computed from the scenario's event log, and
// the log's rows in AEDLOG.CSV.
#include "records/debrief.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "core/compression_rate.h"
#include "core/engine.h"
#include "core/files.h"
#include "records/first_shock.h"

namespace ardentix {

namespace {

bool is(const LogEvent& ev, std::string_view kind, std::string_view text) {
    return ev.kind == kind && ev.text == text;
}

void first(std::optional<int32_t>& figure, int32_t ms) {
    if (!figure) figure = ms;
}

// The stretches of the span that no CPR stretch covers.
std::vector<Span> uncovered(const Span& span, const std::vector<Span>& cpr) {
    std::vector<Span> gaps;
    int32_t at = span.from;
    for (const Span& c : cpr) {
        if (c.to <= at || c.from >= span.to) continue;
        if (c.from > at) gaps.push_back({at, c.from});
        at = std::max(at, c.to);
    }
    if (at < span.to) gaps.push_back({at, span.to});
    return gaps;
}

// One pass over the log in its order: events at the same ms keep the order they happened in.
void sweep(DebriefFigures& f, const std::vector<LogEvent>& events) {
    bool cprOn = false, white = false, red = false;
    std::optional<int32_t> cprStart, lastStop, pulseBack;
    bool awaitingCPR = false;
    bool ended = false;  // a shock was given and CPR has not started since
    for (const LogEvent& ev : events) {
        f.deductions += ev.deductions;
        // The end checks follow the end: their points count, their time does not.
        if (ended) continue;
        const int32_t t = ev.ms;
        f.end = t;
        if (ev.kind == "cpr") {
            if (ev.text == "CPR running" && !cprOn) {
                cprOn = true;
                cprStart = t;
                first(f.timeToCompression, t);
                if (awaitingCPR) f.postShockPause.back() = t - f.shocks.back();
                awaitingCPR = false;
            } else if (ev.text == "CPR stopped" && cprOn) {
                cprOn = false;
                f.cpr.push_back({*cprStart, t});
                lastStop = t;
            }
        } else if (ev.kind == "action") {
            if (ev.text == "Response") first(f.timeToResponse, t);
            if (ev.text == "Call911") first(f.timeToHelp, t);
            if (ev.text == "Power") first(f.timeToAEDOn, t);
            if (ev.text == "Pause") ++f.pauses;
            if (ev.text.starts_with("White pad ")) white = ev.text == "White pad placed";
            if (ev.text.starts_with("Red pad ")) red = ev.text == "Red pad placed";
            if (white && red) first(f.timeToPads, t);
        } else if (is(ev, "device", "Shock delivered")) {
            first(f.timeToFirstShock, t);
            f.shocks.push_back(t);
            f.preShockPause.push_back(cprOn      ? std::optional<int32_t>(0)
                                      : lastStop ? std::optional<int32_t>(t - *lastStop)
                                                 : std::nullopt);
            f.postShockPause.emplace_back();
            awaitingCPR = true;
        } else if (is(ev, "patient", "Pulse returned")) {
            if (!pulseBack) pulseBack = t;
        } else if (ev.kind == "advice") {
            ++f.adviceUsed;
        }
        if (is(ev, "scenario", "End")) ended = true;
    }
    if (cprOn) f.cpr.push_back({*cprStart, f.end});
    f.noPulse = {f.timeToResponse.value_or(0), pulseBack.value_or(f.end)};
    if (f.noPulse.to < f.noPulse.from) f.noPulse.to = f.noPulse.from;
}

std::string number(const std::optional<int32_t>& v) {
    return v ? std::to_string(*v) : std::string();
}

std::string clock(const std::optional<int32_t>& v) {
    return v ? ScenarioClock(*v) : std::string("—");
}

std::string seconds(const std::optional<int32_t>& v) {
    if (!v) return "—";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", *v / 1000.0);
    return text;
}

std::optional<bool> within(const std::optional<int32_t>& v, int32_t limit) {
    if (!v) return std::nullopt;
    return *v <= limit;
}

// The compressions given by key, gathered by the stretch of CPR their series began in (the
// latest to start by the series' first compression: a stretch may start as another stops). The
// rate of each is the one the scenario screen showed at it.
std::vector<DebriefFigures::CompressionCycle> compressionCycles(
    const std::vector<std::vector<int32_t>>& series, const std::vector<Span>& cpr) {
    std::vector<std::optional<DebriefFigures::CompressionCycle>> byStretch(cpr.size());
    for (const std::vector<int32_t>& one : series) {
        if (one.empty()) continue;
        const auto after = std::find_if(cpr.begin(), cpr.end(),
                                        [&one](const Span& s) { return s.from > one.front(); });
        if (after == cpr.begin()) continue;
        auto& cycle = byStretch[static_cast<size_t>(after - cpr.begin() - 1)];
        if (!cycle) cycle.emplace();
        for (size_t i = 1; i < one.size(); ++i)
            cycle->rates.push_back(*CompressionRateAt(one, i));
    }
    std::vector<DebriefFigures::CompressionCycle> cycles;
    for (std::optional<DebriefFigures::CompressionCycle>& cycle : byStretch) {
        if (!cycle) continue;
        if (!cycle->rates.empty()) {
            std::vector<int> sorted = cycle->rates;
            std::sort(sorted.begin(), sorted.end());
            const size_t middle = sorted.size() / 2;
            cycle->medianRate = sorted.size() % 2 == 1
                                    ? sorted[middle]
                                    : (sorted[middle - 1] + sorted[middle] + 1) / 2;
            const auto within = std::count_if(sorted.begin(), sorted.end(), RateInTarget);
            cycle->shareInTarget =
                100.0 * static_cast<double>(within) / static_cast<double>(sorted.size());
        }
        cycles.push_back(std::move(*cycle));
    }
    return cycles;
}

// With compressions by key the figures of CPR follow the presses: the first compression, and the
// pauses before and after each shock (a stretch that spans a shock leaves it no pause).
void followPresses(DebriefFigures& f) {
    f.timeToCompression.reset();
    if (!f.cpr.empty()) f.timeToCompression = f.cpr.front().from;
    for (size_t i = 0; i < f.shocks.size(); ++i) {
        const int32_t shock = f.shocks[i];
        std::optional<int32_t> pre, post;
        for (const Span& c : f.cpr) {
            if (c.from < shock && c.to >= shock) {
                pre = 0;
            } else if (c.to < shock) {
                pre = shock - c.to;
            } else if (!post) {
                post = c.from - shock;
            }
        }
        f.preShockPause[i] = pre;
        f.postShockPause[i] = post;
    }
}

}  // namespace

std::vector<Span> PressStretches(const std::vector<std::vector<int32_t>>& series,
                                 const std::vector<int32_t>& breaths) {
    std::vector<Span> stretches;
    std::optional<int32_t> last;
    for (const std::vector<int32_t>& one : series) {
        for (const int32_t press : one) {
            const bool afterBreaths =
                last && std::find(breaths.begin(), breaths.end(), *last) != breaths.end();
            const int32_t limit = afterBreaths ? kBreathsGapMs : kPressGapMs;
            if (last && press - *last <= limit) {
                stretches.back().to = press;
            } else {
                stretches.push_back({press, press});
            }
            last = press;
        }
    }
    return stretches;
}

namespace {

// The stretches without CPR while the patient had no pulse, and the CPR fraction.
void judgeCPR(DebriefFigures& f) {
    const Span& span = f.noPulse;
    int32_t covered = span.Length();
    for (const Span& gap : uncovered(span, f.cpr)) {
        covered -= gap.Length();
        if (!f.longestHandsOff || gap.Length() > *f.longestHandsOff)
            f.longestHandsOff = gap.Length();
        if (gap.Length() > kHandsOffLimitMs) f.handsOff.push_back(gap);
    }
    if (span.Length() > 0) f.cprFraction = 100.0 * covered / span.Length();
}

}  // namespace

DebriefFigures ComputeFigures(const EventLog& log) {
    DebriefFigures f;
    sweep(f, log.Events());
    // The stretches the CPR button let run group the rates of compressions by key.
    const std::vector<Span> buttonStretches = f.cpr;
    const ProtocolNotes& notes = log.Notes();
    if (notes.firstShock) {
        f.firstShockScored = notes.firstShock->scoredSeconds;
        f.firstShockTimed = notes.firstShock->timed;
    }
    f.currentGuidelines = notes.currentGuidelines;
    if (notes.compressionsByKey) {
        f.cpr = PressStretches(log.CompressionSeries(), log.BreathsOfCPR());
        followPresses(f);
    }
    // Today's guidelines ask for compressions from the start, of every rescuer.
    f.cprRequired = notes.cprRequired || notes.currentGuidelines;
    judgeCPR(f);
    f.compressionCycles = compressionCycles(log.CompressionSeries(), buttonStretches);
    return f;
}

DebriefFigures FiguresOfEvents(const std::vector<LogEvent>& events, bool currentGuidelines) {
    DebriefFigures f;
    sweep(f, events);
    f.currentGuidelines = currentGuidelines;
    f.cprRequired = currentGuidelines;
    judgeCPR(f);
    return f;
}

double CPRFractionTarget(bool currentGuidelines) {
    return currentGuidelines ? 60.0 : 80.0;
}

namespace {

std::string oneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace

bool FractionMeets(double fraction, double target) {
    return std::stod(oneDecimal(fraction)) >= target;
}

std::string ScenarioClock(int32_t ms, bool tenths) {
    const int32_t s = ms / 1000;
    char text[32];
    if (tenths) {
        std::snprintf(text, sizeof text, "%d:%02d.%d", s / 60, s % 60, (ms % 1000) / 100);
    } else {
        std::snprintf(text, sizeof text, "%d:%02d", s / 60, s % 60);
    }
    return text;
}

namespace {

constexpr const char* kNotRequired = "not required";

// The first shock: the click and the scored time, judged by the monitor's own limit.
FigureRow firstShockRow(const DebriefFigures& f) {
    FigureRow row{"TimeToFirstShock",        "First shock",      number(f.timeToFirstShock),
                  clock(f.timeToFirstShock), FirstShockTarget(), std::nullopt};
    if (!f.timeToFirstShock || !f.firstShockScored) return row;
    row.shown = FirstShockShown(*f.timeToFirstShock, *f.firstShockScored);
    if (f.firstShockTimed) {
        row.met = !SlowFirstShock(*f.firstShockScored);
    } else {
        row.target = kNotRequired;
        row.required = false;
    }
    return row;
}

// A figure of CPR keeps its target and verdict only where the protocol asked for CPR.
FigureRow cprRow(const DebriefFigures& f, FigureRow row) {
    if (!f.cprRequired) {
        row.target = kNotRequired;
        row.required = false;
        row.met.reset();
    }
    return row;
}

// For each stretch of CPR given by key: the median rate and the share of compressions within
// 100-120 a minute.
void addCompressionRows(const DebriefFigures& f, std::vector<FigureRow>& rows) {
    const std::string rateTarget =
        std::to_string(kRateLow) + "–" + std::to_string(kRateHigh) + "/min";
    for (size_t i = 0; i < f.compressionCycles.size(); ++i) {
        const DebriefFigures::CompressionCycle& cycle = f.compressionCycles[i];
        const std::string n = std::to_string(i + 1);
        FigureRow median{"CompressionRate(" + n + ")",
                         "Compression rate (median), CPR " + n,
                         "",
                         "—",
                         rateTarget,
                         std::nullopt};
        if (cycle.medianRate) {
            median.value = std::to_string(*cycle.medianRate);
            median.shown = median.value + "/min";
            median.met = RateInTarget(*cycle.medianRate);
        }
        rows.push_back(cprRow(f, median));
        FigureRow share{"RateInTarget(" + n + ")",
                        "Compressions at " + rateTarget + ", CPR " + n,
                        "",
                        "—",
                        "≥ 80 %",
                        std::nullopt};
        if (cycle.shareInTarget) {
            char text[32];
            std::snprintf(text, sizeof text, "%.1f", *cycle.shareInTarget);
            share.value = text;
            share.shown = std::string(text) + " %";
            share.met = std::stod(text) >= 80.0;
        }
        rows.push_back(cprRow(f, share));
    }
}

}  // namespace

std::vector<FigureRow> FigureRows(const DebriefFigures& f) {
    std::vector<FigureRow> rows = {
        {"TimeToResponse", "First check of responsiveness", number(f.timeToResponse),
         clock(f.timeToResponse), "at once", std::nullopt},
        {"TimeToHelp", "Help called", number(f.timeToHelp), clock(f.timeToHelp),
         "as soon as unresponsive", std::nullopt},
        {"TimeToFirstCompression", "First compression", number(f.timeToCompression),
         clock(f.timeToCompression),
         f.currentGuidelines ? "as soon as not breathing" : "as soon as no pulse", std::nullopt},
        {"TimeToAEDOn", "AED switched on", number(f.timeToAEDOn), clock(f.timeToAEDOn),
         "as soon as it arrives", std::nullopt},
        {"TimeToPads", "Both pads on", number(f.timeToPads), clock(f.timeToPads), "without delay",
         std::nullopt},
        firstShockRow(f),
    };
    const double target = CPRFractionTarget(f.currentGuidelines);
    FigureRow fraction{
        "CPRFraction", "CPR fraction", "", "—", f.currentGuidelines ? "≥ 60 %" : "≥ 80 %",
        std::nullopt};
    if (f.cprFraction) {
        fraction.value = oneDecimal(*f.cprFraction);
        fraction.shown = fraction.value + " %";
        // Compared as shown: 79.96 shows as 80.0 and meets the target.
        fraction.met = FractionMeets(*f.cprFraction, target);
    }
    rows.push_back(cprRow(f, fraction));
    rows.push_back(cprRow(
        f, {"LongestHandsOff", "Longest pause in CPR", number(f.longestHandsOff),
            seconds(f.longestHandsOff), "≤ 10 s", within(f.longestHandsOff, kHandsOffLimitMs)}));
    rows.push_back(
        cprRow(f, {"HandsOffCount", "Pauses in CPR over 10 s", std::to_string(f.handsOff.size()),
                   std::to_string(f.handsOff.size()), "none", f.handsOff.empty()}));
    for (size_t i = 0; i < f.shocks.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        rows.push_back(cprRow(f, {"PreShockPause(" + n + ")", "Pre-shock pause, shock " + n,
                                  number(f.preShockPause[i]), seconds(f.preShockPause[i]), "≤ 10 s",
                                  within(f.preShockPause[i], kHandsOffLimitMs)}));
        rows.push_back(cprRow(f, {"PostShockPause(" + n + ")", "Post-shock pause, shock " + n,
                                  number(f.postShockPause[i]), seconds(f.postShockPause[i]),
                                  "≤ 10 s", within(f.postShockPause[i], kHandsOffLimitMs)}));
    }
    addCompressionRows(f, rows);
    rows.push_back({"Deductions", "Deductions", std::to_string(f.deductions),
                    std::to_string(f.deductions), "none", f.deductions == 0});
    rows.push_back({"AdviceUsed", "Advice used", std::to_string(f.adviceUsed),
                    std::to_string(f.adviceUsed), "", std::nullopt});
    rows.push_back(
        {"Pauses", "Pauses", std::to_string(f.pauses), std::to_string(f.pauses), "", std::nullopt});
    return rows;
}

std::string LogLine(const LogEvent& ev) {
    return std::to_string(ev.ms) + "|" + ev.kind + "|" + ev.text + "|" + ev.VerdictText() + "|" +
           std::to_string(ev.points);
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

namespace {

// The name as typed: the other reports pad it to their column after the first scenario.
std::string typedName(const ScenarioState& s) {
    std::string name = s.UserName;
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

}  // namespace

std::vector<std::string> EventLogRows(const Engine& e, bool header) {
    std::vector<std::string> rows;
    if (header) rows.emplace_back("Name,ID,Date,Start,ms,Kind,Text,Verdict,Points");
    const ScenarioState& s = e.state;
    const std::string who = CsvField(typedName(s)) + "," + CsvField(s.UserID) + "," +
                            CsvField(s.ScenarioDate) + "," + CsvField(e.log.StartTime()) + ",";
    for (const LogEvent& ev : e.log.Events()) {
        rows.push_back(who + std::to_string(ev.ms) + "," + CsvField(ev.kind) + "," +
                       CsvField(ev.text) + "," + CsvField(ev.VerdictText()) + "," +
                       std::to_string(ev.points));
    }
    return rows;
}

std::string DebriefSubject(const Engine& e) {
    const ScenarioState& s = e.state;
    std::string subject = typedName(s);
    if (!s.UserID.empty()) subject += ", ID " + s.UserID;
    return subject + ", " + s.ScenarioDate + ", started " + e.log.StartTime();
}

void ShowDebrief(Engine& e) {
    e.screen.Edit(El::DebriefWindow).visible = true;
}

void CloseDebrief(Engine& e) {
    e.screen.Edit(El::DebriefWindow).visible = false;
}

bool AppendEventLog(Engine& e) {
    static constexpr const char* kName = "AEDLOG.CSV";
    const bool fresh = !ProgramFileExists(e.programDir, kName);
    if (FileFailure failure = AppendTextLines(e.FilePath(kName), EventLogRows(e, fresh))) {
        e.FileFailed("write", kName, *failure);
        return false;
    }
    return true;
}

}  // namespace ardentix
