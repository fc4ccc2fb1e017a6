#pragma once
#include <string>

namespace ardentix {

class Engine;
struct ScenarioState;

// The result line of a finished scenario (ScoreboardLine) in its fixed columns: name to column
// 18, ID to 33, date to 43, elapsed time, first-shock time ("----" without a shock), score
// right-aligned in five. Fields are only ever padded, never cut.
std::string ResultLine(const ScenarioState& s);
// The result line of a scenario still running when the program closes.
std::string TerminatedLine(const ScenarioState& s);

// Appends the finished scenario to the report files (AEDPRAC/AEDTEST and their detail files)
// and a test scenario to the test report buffer OPTIONSHOLD. False when a write failed; the
// user has been told why and the rest was abandoned.
bool AppendReports(Engine& e);

// Inserts a Practice result into the top-10 scoreboard SCOREBRD.DAT and saves it. False when
// the file could not be read or written; the user has been told why and the old board is kept.
bool UpdateScoreboard(Engine& e);

// The scoreboard window: shown from the main menu or the summary, closed by its OK button.
void ShowScoreboard(Engine& e);
void CloseScoreboard(Engine& e);

}  // namespace ardentix
