#pragma once
#include <optional>
#include <string>
#include <string_view>

#include <cstdint>

#include "core/ports.h"

// Dates as the program writes them into its fixed columns: the result line, the scoreboard, the
// report titles and the printed test report.
namespace ardentix {

// A date in a numeric date pattern: M and MM the month, d and dd the day (MM and dd with a
// leading zero), yy and yyyy the year; any character other than a letter stands for itself.
// Nothing for a pattern with another letter or run of letters.
std::optional<std::string> FormatDate(std::string_view pattern, Date date);

// The numeric form of a locale's short date pattern, as FormatDate takes it: the locale's order
// of day, month and year and its separator, a two-digit year, and a month name turned into the
// month's number ("d MMM yyyy" gives "d/M/yy", "dd.MM.yyyy" "dd.MM.yy", "yyyy-MM-dd"
// "yy-MM-dd"). A date in it is never longer than 8 characters. Week days and quoted text drop
// out; a pattern without a separator of its own gets "-" when the year comes first and "/"
// otherwise; a pattern that lacks the day, the month or the year gives "yy-MM-dd".
std::string NumericDatePattern(std::string_view localePattern);

// The date in the numeric form of the locale's short date pattern: what the clocks of both front
// ends answer for the short date.
std::string NumericShortDate(std::string_view localePattern, Date date);

// A moment in ISO 8601 to the second with its offset from UTC: "2026-12-08T09:15:00+01:00"
// ("+00:00" for UTC itself).
std::string IsoDateTime(Date date, int64_t millisOfDay, int utcOffsetMinutes);

}  // namespace ardentix
