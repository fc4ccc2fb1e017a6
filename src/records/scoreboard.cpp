#include <algorithm>
#include <vector>

#include "core/course.h"
#include "core/engine.h"
#include "core/files.h"
#include "records/board.h"
#include "records/columns.h"
#include "records/records.h"

namespace ardentix {

namespace {

constexpr const char* kBoardFile = "SCOREBRD.DAT";

}  // namespace

bool UpdateScoreboard(Engine& e) {
    const ScenarioState& s = e.state;
    // The trainee keeps the board's form of the name for the rest of the log-in.
    SetUserName(e, FitWidth(s.UserName, 15));
    // The score field shows five characters; a lower score stands as the lowest it can show.
    const int score = std::max<int>(s.Score, kLowestBoardScore);
    const std::string entry = ScoreboardEntry(s.UserName, e.ports.clock->ShortDate(), score);

    const std::string path = e.FilePath(kBoardFile);
    std::vector<std::string> board;
    if (ProgramFileExists(e.programDir, kBoardFile)) {
        if (FileFailure failure = ReadTextLines(path, board)) {
            e.FileFailed("read", kBoardFile, *failure);
            return false;
        }
    }
    InsertEntry(board, entry, score);
    TrimBoard(board);
    if (FileFailure failure = ReplaceTextLines(path, board)) {
        e.FileFailed("write", kBoardFile, *failure);
        return false;
    }
    e.screen.Edit(El::ScoreboardMemo1).lines = std::move(board);
    return true;
}

void ClearScoreboard(Engine& e) {
    if (FileFailure failure = ReplaceTextLines(e.FilePath(kBoardFile), {})) {
        e.FileFailed("write", kBoardFile, *failure);
    }
}

void ShowScoreboard(Engine& e) {
    if (ProgramFileExists(e.programDir, kBoardFile)) {
        std::vector<std::string> board;
        if (FileFailure failure = ReadTextLines(e.FilePath(kBoardFile), board)) {
            e.FileFailed("read", kBoardFile, *failure);
            return;
        }
        e.screen.Edit(El::ScoreboardMemo1).lines = std::move(board);
    }
    // Opened from the summary, the summary waits until the board is closed.
    if (e.screen.Get(El::SummaryWindow).visible) e.screen.Edit(El::SummaryWindow).enabled = false;
    e.screen.Edit(El::ScoreboardWindow).visible = true;
    e.screen.SetFocus(El::ScoreboardOKButton);
}

void CloseScoreboard(Engine& e) {
    e.screen.Edit(El::ScoreboardWindow).visible = false;
    e.screen.Edit(El::SummaryWindow).enabled = true;
    // Without the main menu the board was opened from the summary: back to it.
    if (!e.screen.Get(El::MENU).visible) e.screen.Edit(El::SummaryWindow).visible = true;
}

}  // namespace ardentix
