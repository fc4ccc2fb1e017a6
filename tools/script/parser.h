#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ardentix::script {

// One command of a scenario script: its words, quoted strings unquoted.
struct Command {
    int line = 0;
    std::vector<std::string> words;
};

struct ParseError {
    int line = 0;
    std::string message;
};

// Splits one line into words: blanks separate words, double quotes enclose a word that may hold
// blanks and "#", with \" and \\ as escapes; a "#" outside quotes starts a comment.
// Nothing for an error, with the reason in error.
std::optional<std::vector<std::string>> SplitLine(std::string_view line, std::string& error);

// The commands of a whole script; blank and comment lines are left out.
std::optional<std::vector<Command>> ParseScript(std::string_view text, ParseError& error);

}  // namespace ardentix::script
