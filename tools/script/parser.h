#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ardentix::script {

// Where a line of a script stands: the file, named as the script names it (an included file's
// path joined to the folder of the file that includes it), the line's number, and the include
// lines that brought the file in, the innermost first.
struct Origin {
    std::string file;
    int line = 0;
    std::vector<std::pair<std::string, int>> includedFrom;
};

// "file:line: message", and for a line of an included file the include lines after the message:
// "fixtures/login.scn:3: message (included from fixtures/ready.scn:2, aed.scn:7)".
std::string Report(const Origin& where, std::string_view message);

// One command of a scenario script: its words, quoted strings unquoted.
struct Command {
    Origin where;
    std::vector<std::string> words;
};

struct ParseError {
    Origin where;
    std::string message;
};

// The text of a file, or nothing when it cannot be read.
using FileReader = std::function<std::optional<std::string>(const std::string& path)>;
std::optional<std::string> ReadScriptFile(const std::string& path);

// How deep included files may include others: the script's own include is the first level.
inline constexpr int kMaxIncludeDepth = 8;

// Splits one line into words: blanks separate words, double quotes enclose a word that may hold
// blanks and "#", with \" and \\ as escapes; a "#" outside quotes starts a comment.
// Nothing for an error, with the reason in error.
std::optional<std::vector<std::string>> SplitLine(std::string_view line, std::string& error);

// The commands of the script `name` whose text is given; blank and comment lines are left out.
// A line "include FILE [KEY=VALUE ...]" stands for the commands of FILE, a path relative to the
// folder of the file the line is in, read by read; in the included file each "@KEY@" within a
// word becomes VALUE. Nothing for an error, with its line in error.
std::optional<std::vector<Command>> ParseScript(std::string_view text, const std::string& name,
                                                ParseError& error,
                                                const FileReader& read = ReadScriptFile);

}  // namespace ardentix::script
