#include "core/files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

namespace ardentix {

namespace fs = std::filesystem;

namespace {

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<fs::path> findFile(const std::string& dir, std::string_view name) {
    std::error_code ec;
    const fs::path exact = fs::path(dir) / std::string(name);
    if (fs::exists(exact, ec)) return exact;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (sameName(it->path().filename().string(), name)) return it->path();
    }
    return std::nullopt;
}

}  // namespace

std::string ProgramFile(const std::string& dir, std::string_view name) {
    if (auto found = findFile(dir, name)) return found->string();
    return (fs::path(dir) / std::string(name)).string();
}

bool ProgramFileExists(const std::string& dir, std::string_view name) {
    return findFile(dir, name).has_value();
}

}  // namespace ardentix
