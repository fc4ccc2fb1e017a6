#include "core/files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
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

// The system's text for an error number; a failure never reads as "Success".
std::string reason(int err) {
    return std::strerror(err != 0 ? err : EIO);
}

std::string crlfText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// Writes the text and closes the file; the close counts, as a full disk may show only there.
FileFailure writeAll(std::FILE* file, const std::string& text) {
    errno = 0;
    const bool written =
        std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
    int err = errno;
    const bool closed = std::fclose(file) == 0;
    if (written && !closed) err = errno;
    if (written && closed) return std::nullopt;
    return reason(err);
}

}  // namespace

std::string ProgramFile(const std::string& dir, std::string_view name) {
    if (auto found = findFile(dir, name)) return found->string();
    return (fs::path(dir) / std::string(name)).string();
}

bool ProgramFileExists(const std::string& dir, std::string_view name) {
    return findFile(dir, name).has_value();
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

FileFailure ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return reason(errno);
    std::string text;
    std::array<char, 4096> buffer;
    size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
        text.append(buffer.data(), got);
    const int err = errno;
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return reason(err);
    lines = SplitLines(text);
    return std::nullopt;
}

FileFailure AppendTextLines(const std::string& path, const std::vector<std::string>& lines) {
    // The length of a regular file before the append, to take a failed append back to.
    std::optional<std::uintmax_t> oldSize;
    std::error_code ec;
    if (fs::is_regular_file(path, ec)) {
        const std::uintmax_t size = fs::file_size(path, ec);
        if (!ec) oldSize = size;
    }
    const bool existed = fs::exists(path, ec);
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) return reason(errno);
    FileFailure failure = writeAll(file, crlfText(lines));
    if (failure) {
        // Nothing of a failed append stays behind: a report file keeps whole lines only.
        if (oldSize) {
            fs::resize_file(path, *oldSize, ec);
        } else if (!existed) {
            fs::remove(path, ec);
        }
    }
    return failure;
}

FileFailure ReplaceTextLines(const std::string& path, const std::vector<std::string>& lines,
                             FileReaders readers) {
    std::error_code ec;
    if (fs::exists(path, ec)) {
        // The rename below would replace a file the user made read-only; ask the file itself.
        errno = 0;
        std::FILE* probe = std::fopen(path.c_str(), "r+b");
        if (!probe) return reason(errno);
        std::fclose(probe);
    }
    const std::string temporary = path + ".new";
    errno = 0;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return reason(errno);
    if (readers == FileReaders::OwnerOnly) {
        fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::replace, ec);
        if (ec) {
            const std::string failure = ec.message();
            std::fclose(file);
            fs::remove(temporary, ec);
            return failure;
        }
    }
    if (FileFailure failure = writeAll(file, crlfText(lines))) {
        fs::remove(temporary, ec);
        return failure;
    }
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return ec.message();
    }
    return std::nullopt;
}

}  // namespace ardentix
