#pragma once
#include <string>
#include <string_view>

// Fixed columns of the result line and the scoreboard. Widths count characters, not bytes: a
// name typed with accents takes one column a letter, and a cut never splits a letter in two.
namespace ardentix {

// The number of characters of a UTF-8 text: the bytes that start one. Counting is additive, so
// the columns of joined fields add up whatever bytes a field holds.
size_t CharCount(std::string_view text);
// The text with blanks added behind it up to width characters; a longer text stays whole.
std::string PadRight(std::string_view text, size_t width);
// The text with blanks in front of it up to width characters; a longer text stays whole.
std::string PadLeft(std::string_view text, size_t width);
// The text filled with blanks to width characters and cut after the last of them.
std::string FitWidth(std::string_view text, size_t width);

}  // namespace ardentix
