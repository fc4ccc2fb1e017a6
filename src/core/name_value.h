#pragma once
#include <optional>
#include <string_view>

// Settings files of "Name=Value" lines (OPTION4.INI, ARDENTIX.INI), and the text comparisons
// their readers and the mail headers share.
namespace ardentix {

// Header names, settings names and the like compare without regard to case.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);
// The text without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// One line of such a file: the name before the first "=", without the blanks around it, and
// the value after it as it stands, so that a value may hold "=" and blanks.
struct NameValue {
    std::string_view name;
    std::string_view value;
};
// Nothing for a line without "=".
std::optional<NameValue> SplitNameValue(std::string_view line);

}  // namespace ardentix
