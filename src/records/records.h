#pragma once
#include <string>

namespace ardentix {

class Engine;
class Settings;
struct ScenarioState;

// The number of scenarios of a test series: OPTtestScenarios, held to 1..255 (the count of
// finished test scenarios is a byte, and a series must be able to end). A series of 0 or fewer
// ends after its first scenario.
int TestSeriesLength(const Settings& settings);

// The result line of a finished scenario (ScoreboardLine) in its fixed columns: name to column
// 18, ID to 33, ScenarioDate (set by the caller to today's date) to 43, elapsed time, first-shock
// time ("----" without a shock), score right-aligned in five. Fields are only ever padded, never
// cut; a score of more than five characters is written whole.
std::string ResultLine(const ScenarioState& s);
// The result line of a scenario still running when the program closes: the first three fields,
// then "Scenario terminated".
std::string TerminatedLine(const ScenarioState& s);

// Appends the finished scenario (its ScoreboardLine and the summary's error list) to the report
// files, AEDTEST/AEDTEST2 for a Test scenario and AEDPRAC/AEDPRAC2 for any other, and a test
// scenario to the test report buffer OPTIONSHOLD; sets the summary's Repeat by the mode. False
// when a write failed: the user has been told why and the remaining files were left alone; the
// test report buffer gets the scenario all the same.
bool AppendReports(Engine& e);

// Inserts a Practice result into the top-10 scoreboard SCOREBRD.DAT and saves it; UserName takes
// its 15-character form. False when the file could not be read or written: the user has been
// told why and the old board is kept.
bool UpdateScoreboard(Engine& e);

// The report viewer: Open asks for a report file and shows it under its title lines (a file it
// cannot show gives a warning), Font changes the viewer's type face, Print prints its lines.
void OpenReportFile(Engine& e);
void ChooseReportFont(Engine& e);
void PrintReportView(Engine& e);
// The summary's Print Report at the end of a test series: a page of the series' results with a
// line for the instructor's signature.
void PrintTestReport(Engine& e);

// Empties SCOREBRD.DAT.
void ClearScoreboard(Engine& e);
// The scoreboard window: shown from the main menu or the summary (which waits until it closes),
// closed by its OK button.
void ShowScoreboard(Engine& e);
void CloseScoreboard(Engine& e);

}  // namespace ardentix
