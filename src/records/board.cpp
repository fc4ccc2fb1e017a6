#include "records/board.h"

#include <algorithm>

#include "records/columns.h"

namespace ardentix {

std::optional<int> EntryScore(std::string_view line) {
    if (line.size() < 5) return std::nullopt;
    std::string_view field = line.substr(line.size() - 5);
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    const bool negative = !field.empty() && field.front() == '-';
    if (negative) field.remove_prefix(1);
    if (field.empty()) return std::nullopt;
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::string ScoreboardEntry(std::string_view name15, std::string_view date, int score) {
    std::string entry = "  " + std::string(name15);
    const size_t dateLength = CharCount(date);
    if (dateLength >= 6 && dateLength <= 8) entry += PadLeft(date, 8) + std::string(6, ' ');
    return entry + PadLeft(std::to_string(std::max(score, kLowestBoardScore)), 5);
}

std::optional<size_t> InsertEntry(std::vector<std::string>& board, const std::string& entry,
                                  int score) {
    size_t searched = board.size();
    if (board.size() > kBoardEntries) {
        const std::optional<int> tenth = EntryScore(board[kBoardEntries - 1]);
        if (tenth && *tenth >= score) return std::nullopt;
        searched = kBoardEntries;
    }
    size_t at = 0;
    for (size_t i = searched; i-- > 0;) {
        const std::optional<int> stored = EntryScore(board[i]);
        if (stored && *stored >= score) {
            at = i + 1;
            break;
        }
    }
    board.insert(board.begin() + static_cast<std::ptrdiff_t>(at), entry);
    return at;
}

void TrimBoard(std::vector<std::string>& board) {
    for (size_t i = kBoardEntries; i < board.size(); ++i)
        board[i] = " ";
}

}  // namespace ardentix
