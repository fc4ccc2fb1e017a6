#pragma once
#include <functional>
#include <optional>
#include <string>

#include "core/result.h"

// ARDENTIX.PND: the results that could not be written to the database, one line each
// (core/result_text.h), waiting for the next opportunity.
namespace ardentix::store {

inline constexpr const char* kPendingFile = "ARDENTIX.PND";

// Appends a result; the system's reason when it cannot.
std::optional<std::string> KeepPending(const std::string& path, const ScenarioResult& result);

// Offers every waiting result to `write` in the order they came (it returns the reason when it
// could not write one; the rest then wait too) and keeps in the file only what is still waiting:
// the results not written and the lines that are no result at all (a damaged line is never
// thrown away). The file goes when nothing waits. The first reason a result or the file could
// not be written, or nothing.
using PendingWriter = std::function<std::optional<std::string>(const ScenarioResult&)>;
std::optional<std::string> WritePending(const std::string& path, const PendingWriter& write);

}  // namespace ardentix::store
