#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rules of the top-10 scoreboard over its lines, apart from any file, window or clock.
namespace ardentix {

// The board shows ten entries; the lines that follow them hold a single blank each.
inline constexpr size_t kBoardEntries = 10;
// The score field has five columns: a lower score is kept as the lowest it can show.
inline constexpr int kLowestBoardScore = -9999;

// The score of a stored entry: the integer value of its last five characters, blanks allowed in
// front. Nothing for a line that is no entry (a blank line, a short or damaged one).
std::optional<int> EntryScore(std::string_view line);

// A new entry: two blanks, the name (already cut to its 15 characters), the date of 6 to 8
// characters right-aligned in 8 and six blanks (a date of any other length is left out with its
// blanks), and the score right-aligned in five columns.
std::string ScoreboardEntry(std::string_view name15, std::string_view date, int score);

// Inserts the entry at its rank: below the lowest-placed entry with the same or a higher score,
// or at the top when there is none. A full board (eleven lines or more) takes it only when it
// beats the tenth line, and searches only the first ten. Lines that are no entry are passed
// over by the search. Returns where the entry went, or nothing when it did not enter.
std::optional<size_t> InsertEntry(std::vector<std::string>& board, const std::string& entry,
                                  int score);

// Every line after the tenth becomes a single blank; none is deleted.
void TrimBoard(std::vector<std::string>& board);

}  // namespace ardentix
