#include "core/state.h"
#include "records/columns.h"
#include "records/records.h"

namespace ardentix {

namespace {

// Name to column 18, ID to 33, date to 43: the three fields every result line starts with.
std::string whoAndWhen(const ScenarioState& s) {
    std::string line = PadRight(s.UserName, 18);
    line = PadRight(line + s.UserID, 33);
    return PadRight(line + s.ScenarioDate, 43);
}

}  // namespace

std::string ResultLine(const ScenarioState& s) {
    std::string line = whoAndWhen(s) + s.ElapsedTimeText + "  ";
    line += s.FirstShockTimeText == "NO SHOCKS" ? "----   " : s.FirstShockTimeText + "  ";
    // A score of six characters (-10000 and below) is written whole rather than dropped: the
    // line is a record of the result, and nothing follows the score that it could push.
    return line + PadLeft(s.ScoreText, 5);
}

std::string TerminatedLine(const ScenarioState& s) {
    return whoAndWhen(s) + "Scenario terminated";
}

}  // namespace ardentix
