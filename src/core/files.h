#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ardentix {

// Program files are named without regard to case: the path of the file in dir whose name
// matches, or dir/name when there is none.
std::string ProgramFile(const std::string& dir, std::string_view name);
bool ProgramFileExists(const std::string& dir, std::string_view name);

// The lines of a text: CR LF, LF or a lone CR ends a line; a last line without an end counts,
// an end at the very end adds no empty line. No line holds a CR or an LF.
std::vector<std::string> SplitLines(std::string_view text);

// What a file operation has to report: nothing when it worked, else the system's reason
// ("Permission denied", "No space left on device").
using FileFailure = std::optional<std::string>;

// Reads a text file into its lines.
FileFailure ReadTextLines(const std::string& path, std::vector<std::string>& lines);
// Appends lines, each ended by CR LF, creating the file when it is missing. A write that fails
// half way is taken back, so the file never ends in a broken line.
FileFailure AppendTextLines(const std::string& path, const std::vector<std::string>& lines);
// Who may read a file the program writes: everyone the system lets, or only the user who runs
// the program (a file that holds a password).
enum class FileReaders { Usual, OwnerOnly };

// Replaces the file by these lines, each ended by CR LF. The new text is written beside it and
// renamed over it, so a write that fails leaves the old file as it was; a file that may not be
// written is refused, not replaced. An owner-only file is made so before anything is written.
FileFailure ReplaceTextLines(const std::string& path, const std::vector<std::string>& lines,
                             FileReaders readers = FileReaders::Usual);

}  // namespace ardentix
