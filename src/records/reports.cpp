#include <algorithm>
#include <string>
#include <vector>

#include "core/course.h"
#include "core/engine.h"
#include "core/files.h"
#include "records/records.h"

namespace ardentix {

namespace {

// A scenario scored by today's guidelines names them in one line under its result line, in the
// detail files, the printed test report and the results that are mailed; a classic scenario adds
// nothing, so that its files and reports stay as they always were.
constexpr const char* kCurrentGuidelinesLine = "Guidelines: Current";

// Appends to one report file of the program directory; a failure is shown with its reason.
bool append(Engine& e, const char* name, const std::vector<std::string>& lines) {
    if (FileFailure failure = AppendTextLines(e.FilePath(name), lines)) {
        e.FileFailed("write", name, *failure);
        return false;
    }
    return true;
}

}  // namespace

int TestSeriesLength(const Settings& settings) {
    return std::clamp(settings.Value(Opt::OPTtestScenarios), 1, 255);
}

bool AppendReports(Engine& e) {
    const ScenarioState& s = e.state;
    // A test scenario goes to the test files; any other (a Tutorial scenario only when the
    // program closes during it) to the practice files.
    const bool test = s.Mode == kTest;
    const bool lastOfSeries = test && s.TestScenarioCount >= TestSeriesLength(e.settings) - 1;
    e.screen.Edit(El::SummaryRepeatButton).enabled = !test;

    // The summary's list ends with the separator of the series on its last scenario.
    std::vector<std::string>& errors = e.screen.Edit(El::SummaryErrors).lines;
    if (lastOfSeries) errors.push_back(std::string(62, '-'));

    // The detail block: the result line, every line of the list, one empty line.
    std::vector<std::string> block{s.ScoreboardLine};
    if (CurrentGuidelines(e)) block.emplace_back(kCurrentGuidelinesLine);
    block.insert(block.end(), errors.begin(), errors.end());
    block.emplace_back();

    // A failed write ends the writing, but not the test report: the scenario still belongs to
    // the series that is printed and mailed at its end.
    const bool written = append(e, test ? "AEDTEST.TXT" : "AEDPRAC.TXT", {s.ScoreboardLine}) &&
                         append(e, test ? "AEDTEST2.TXT" : "AEDPRAC2.TXT", block);

    if (test) {
        std::vector<std::string>& buffer = e.screen.Edit(El::OPTIONSHOLD).lines;
        if (s.TestScenarioCount == 0) buffer.clear();
        buffer.push_back(s.ScoreboardLine);
        if (CurrentGuidelines(e)) buffer.emplace_back(kCurrentGuidelinesLine);
        if (e.settings.On(Opt::OPTDetailedTestReport)) {
            for (const std::string& line : errors) {
                if (!line.empty()) buffer.push_back(">" + line);
            }
        }
        buffer.emplace_back();
    }
    return written;
}

}  // namespace ardentix
