#include "records/scenario_result.h"

#include "core/course.h"
#include "core/engine.h"
#include "records/debrief.h"

namespace ardentix {

namespace {

// AppendReports closes a test series' list with this line; it is no error of the scenario.
bool seriesSeparator(const std::string& line) {
    return line == std::string(62, '-');
}

std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// A child's age is its own field; an adult's stands only in the history ("Your patient is a
// 67 y.o. male ...").
int patientAge(const ScenarioState& s) {
    if (s.PatientCategory == kChild || s.PatientCategory == kPediatric) return s.PatientAge;
    const std::string& history = s.PatientHistory;
    const size_t years = history.find(" y.o.");
    size_t start = years;
    while (start > 0 && start != std::string::npos && history[start - 1] >= '0' &&
           history[start - 1] <= '9') {
        --start;
    }
    if (years == std::string::npos || start == years || years - start > 3) return s.PatientAge;
    return std::stoi(history.substr(start, years - start));
}

}  // namespace

ScenarioResult CollectResult(const Engine& e, bool completed) {
    const ScenarioState& s = e.state;
    ScenarioResult r;
    // As typed: the scoreboard pads the name to its column.
    r.traineeName = trimmed(s.UserName);
    r.traineeId = trimmed(s.UserID);
    r.mode = s.Mode == kTest ? "Test" : "Practice";
    r.profile = CurrentGuidelines(e) ? "Current" : "Classic";
    r.startedAt = e.log.StartedAt();
    r.elapsedMs = e.log.ScenarioMs(e.timers.Now());
    if (const auto& shock = e.log.Notes().firstShock) r.firstShockMs = shock->ms;
    r.score = s.Score;
    r.completed = completed;
    r.patientCategory = s.PatientCategory;
    r.patientAge = patientAge(s);
    r.shocksNeeded = s.ShocksNeeded;
    for (const std::string& line : e.screen.Get(El::SummaryErrors).lines) {
        if (!seriesSeparator(line)) r.errors.push_back(line);
    }
    for (const LogEvent& ev : e.log.Events()) {
        r.events.push_back({ev.ms, ev.kind, ev.text, ev.VerdictText(), ev.points});
    }
    const DebriefFigures figures = ComputeFigures(e.log);
    r.cprFraction = figures.cprFraction;
    for (const FigureRow& row : FigureRows(figures)) {
        if (!row.value.empty()) r.figures.push_back({row.name, row.value});
    }
    // A test is passed by a scenario completed without a single deduction.
    if (s.Mode == kTest) r.passed = completed && figures.deductions == 0;
    return r;
}

bool RecordResult(Engine& e, bool completed) {
    if (e.state.Mode == kTutorial || !e.ports.results) return true;
    const auto failure = e.ports.results->Record(CollectResult(e, completed));
    if (!failure) return true;
    e.Message(BoxKind::Warning, BoxButtons::Ok,
              "The result could not be saved in the results database (" + failure->reason +
                  (failure->kept ? "). It is kept and will be saved later."
                                 : "). The report files have it."));
    return false;
}

}  // namespace ardentix
