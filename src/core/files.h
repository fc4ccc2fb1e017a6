#pragma once
#include <string>
#include <string_view>

namespace ardentix {

// Program files are named without regard to case: the path of the file in dir whose name
// matches, or dir/name when there is none.
std::string ProgramFile(const std::string& dir, std::string_view name);
bool ProgramFileExists(const std::string& dir, std::string_view name);

}  // namespace ardentix
