#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/result.h"

// A result as one line of text, for the pending file ARDENTIX.PND: fields NAME=VALUE separated by
// tabs, the first "result=1" (the form of the line), lists as repeated fields ("error=...",
// "event=AT|KIND|TEXT|VERDICT|POINTS", "figure=NAME|VALUE"), the last "end" (a line cut short
// lacks it). A backslash, tab, line break,
// carriage return and "|" inside a value are written \\, \t, \n, \r and \p, so a line never holds
// a raw line break and its fields split without doubt.
namespace ardentix {

std::string PendingLine(const ScenarioResult& result);

// The result of a line; nothing for a line that is not one (any bytes at all may come: a line
// half written, a file damaged). Fields of unknown names are passed over.
std::optional<ScenarioResult> ReadPendingLine(std::string_view line);

}  // namespace ardentix
