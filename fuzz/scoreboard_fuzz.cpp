// libFuzzer target for the readers of the scoreboard: the splitting of a file into lines, the
// score of a stored entry, the columns of a new entry and its insertion into whatever a board
// file may hold. Besides crashes and sanitizer reports it stops on a broken rule of the board.
//
// Input: two bytes of score, a byte giving the length of the name and the name, a byte giving the
// length of the date and the date, then the board file's text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "records/board.h"
#include "records/columns.h"

namespace {

using namespace ardentix;

void require(bool rule) {
    if (!rule) std::abort();
}

std::string_view take(std::string_view& data, size_t n) {
    n = std::min(n, data.size());
    std::string_view part = data.substr(0, n);
    data.remove_prefix(n);
    return part;
}

size_t takeLength(std::string_view& data, size_t limit) {
    if (data.empty()) return 0;
    const size_t n = static_cast<unsigned char>(data.front()) % limit;
    data.remove_prefix(1);
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const std::string_view scoreBytes = take(data, 2);
    int16_t raw = 0;
    for (char c : scoreBytes)
        raw = static_cast<int16_t>(raw * 256 + static_cast<unsigned char>(c));
    const int score = std::max<int>(raw, kLowestBoardScore);
    const std::string_view name = take(data, takeLength(data, 32));
    const std::string_view date = take(data, takeLength(data, 12));

    std::vector<std::string> board = SplitLines(data);
    for (const std::string& line : board) {
        require(line.find_first_of("\r\n") == std::string::npos);
        if (std::optional<int> stored = EntryScore(line)) {
            require(*stored >= -9999 && *stored <= 99999);
        }
    }

    // The name takes exactly 15 columns, and the entry reads back as its own score.
    const std::string name15 = FitWidth(name, 15);
    require(CharCount(name15) == 15);
    const std::string entry = ScoreboardEntry(name15, date, score);
    require(EntryScore(entry) == score);
    const size_t dateLength = CharCount(date);
    require(CharCount(entry) == (dateLength >= 6 && dateLength <= 8 ? 36u : 22u));

    const std::vector<std::string> before = board;
    const std::optional<size_t> at = InsertEntry(board, entry, score);
    const size_t searched = before.size() > kBoardEntries ? kBoardEntries : before.size();
    if (!at) {
        // Only a full board refuses, and only an entry that does not beat its tenth line.
        require(before.size() > kBoardEntries && board == before);
        require(EntryScore(before[kBoardEntries - 1]).value_or(score - 1) >= score);
    } else {
        require(board.size() == before.size() + 1 && *at <= searched && board[*at] == entry);
        // Above it the nearest entry has at least its score; below it, within the lines
        // searched, none has.
        for (size_t i = *at; i-- > 0;) {
            if (std::optional<int> stored = EntryScore(before[i])) {
                require(*stored >= score);
                break;
            }
        }
        for (size_t i = *at; i < searched; ++i) {
            require(EntryScore(before[i]).value_or(score - 1) < score);
        }
    }
    const std::vector<std::string> inserted = board;
    TrimBoard(board);
    require(board.size() == inserted.size());
    for (size_t i = 0; i < board.size(); ++i) {
        require(board[i] == (i < kBoardEntries ? inserted[i] : " "));
    }
    return 0;
}
