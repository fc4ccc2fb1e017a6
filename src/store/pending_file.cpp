#include "store/pending_file.h"

#include <filesystem>
#include <vector>

#include "core/files.h"
#include "core/result_text.h"

namespace ardentix::store {

std::optional<std::string> KeepPending(const std::string& path, const ScenarioResult& result) {
    return AppendTextLines(path, {PendingLine(result)});
}

std::optional<std::string> WritePending(const std::string& path, const PendingWriter& write) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return std::nullopt;
    std::vector<std::string> lines;
    if (auto failure = ReadTextLines(path, lines)) return failure;
    std::vector<std::string> waiting;
    std::optional<std::string> failure;
    for (std::string& line : lines) {
        if (line.empty()) continue;
        const auto result = failure ? std::nullopt : ReadPendingLine(line);
        if (result) failure = write(*result);
        if (!result || failure) waiting.push_back(std::move(line));
    }
    if (waiting.size() == lines.size()) return failure;
    // Written twice a result is there once, so a program that ends before the file is rewritten
    // loses nothing.
    if (waiting.empty()) {
        if (std::filesystem::remove(path, ec) || !ec) return failure;
        return failure ? failure : ec.message();
    }
    auto rewrite = ReplaceTextLines(path, waiting);
    return failure ? failure : rewrite;
}

}  // namespace ardentix::store
