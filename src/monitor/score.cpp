#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/elements.h"
#include "core/engine.h"
#include "monitor/deductions.h"
#include "monitor/monitor.h"
#include "monitor/own.h"

namespace ardentix {

void ShowScore(Engine& e) {
    e.screen.Edit(El::SCOREDisplay).text = std::to_string(e.state.Score);
}

void ShowMessage(Engine& e, const std::string& line0, const std::string& line1) {
    e.screen.Edit(El::MSG0).text = line0;
    e.screen.Edit(El::MSG1).text = line1;
}

void ShowOnFreeLine(Engine& e, const std::string& text) {
    Element& first = e.screen.Edit(El::MSG0);
    (first.text.empty() ? first : e.screen.Edit(El::MSG1)).text = text;
}

void ShowScenarioOver(Engine& e) {
    if (!e.log.Has("scenario", "Scenario Over")) LogEventOf(e, "scenario", "Scenario Over");
    ShowMessage(e, "Scenario is over...select END SCENARIO.");
    e.timers.Start(TimerId::SCENOVERLabelFLASHTimer);
}

namespace {

void applyScore(Engine& e, int points) {
    // The score is a 16-bit field: a trainee who keeps losing points stays at its lowest value
    // instead of wrapping round to a high score.
    const int score = std::clamp(e.state.Score + points, int{INT16_MIN}, int{INT16_MAX});
    OwnMonitor(e).Score = static_cast<int16_t>(score);
}

// A report line without the points at its end: "Stopped CPR too soon (-35)." becomes
// "Stopped CPR too soon"; a line without them stays as it is.
std::string withoutPoints(std::string text) {
    if (!text.empty() && text.back() == '.') text.pop_back();
    const size_t open = text.rfind('(');
    if (open == std::string::npos || text.back() != ')') return text;
    const std::string figure = text.substr(open + 1, text.size() - open - 2);
    const size_t digits = figure.find_first_not_of('-');
    if (digits == std::string::npos ||
        figure.find_first_not_of("0123456789", digits) != std::string::npos) {
        return text;
    }
    text.erase(open);
    while (!text.empty() && (text.back() == ' ' || text.back() == '-'))
        text.pop_back();
    return text;
}

// The running list of the scenario's deductions on the scenario screen: a line for each loss of
// points that gave its reason, its points first, the newest at the bottom, the last few kept.
void listDeduction(Engine& e, int points, const std::vector<std::string>& reasons) {
    if (points >= 0 || reasons.empty()) return;
    std::string line = std::to_string(points);
    for (size_t i = 0; i < reasons.size(); ++i)
        line += (i == 0 ? " " : "; ") + withoutPoints(reasons[i]);
    std::vector<std::string>& lines = e.screen.Edit(El::DEDUCTIONSList).lines;
    lines.push_back(std::move(line));
    if (lines.size() > kDeductionLines)
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(kDeductionLines));
}

// Every change of the score goes to the event log, with the error list lines written for it:
// each fault writes its line before its points are taken.
void logScore(Engine& e, int points, bool step) {
    const std::vector<std::string>& errors = e.screen.Get(El::SummaryErrors).lines;
    const size_t seen = std::min(e.log.reportLinesSeen, errors.size());
    std::vector<std::string> reports(errors.begin() + static_cast<std::ptrdiff_t>(seen),
                                     errors.end());
    e.log.reportLinesSeen = errors.size();
    if (!step) listDeduction(e, points, reports);
    e.log.Score(e.timers.Now(), points, std::move(reports), step);
}

}  // namespace

void ChangeScore(Engine& e, int points) {
    applyScore(e, points);
    logScore(e, points, false);
}

void ChangeScoreApart(Engine& e, int points, const std::string& kind, const std::string& text) {
    applyScore(e, points);
    listDeduction(e, points, {text});
    e.log.ScoreApart(e.timers.Now(), kind, text, points);
}

void AwardStep(Engine& e) {
    applyScore(e, e.state.StepPoints);
    logScore(e, e.state.StepPoints, true);
}

void Deduct(Engine& e, int points, const std::string& line1, const std::string& line2,
            const std::string& report) {
    ShowMessage(e, line1, line2);
    Deductions(e).Add(report);
    ChangeScore(e, -points);
    ShowScore(e);
}

}  // namespace ardentix
