#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ardentix {

// The most a report file may hold to be shown: ten thousand scenarios' results many times over.
inline constexpr size_t kLargestReportFile = 4 * 1024 * 1024;

// The lines of a file for the report viewer: lines end with CR LF, LF or CR; bytes that are not
// text (a NUL, a byte that starts no UTF-8 character, a character cut short) each show as the
// replacement character. Nothing when the file is larger than the viewer holds.
std::optional<std::vector<std::string>> ReportTextLines(std::string_view bytes);

// The column heading over result lines: each title starts at the first column of its field (name
// 0, ID 18, date 33, first shock 50), the scenario time's title stands over its "mm:ss" from one
// column before it, and the score's ends with the score.
inline constexpr std::string_view kResultHeading =
    "NAME              ID NUMBER      DATE     SCNTIME SHOCK1 SCORE";
// The report viewer's rule under the heading: dashes from each title to one column before the
// next.
inline constexpr std::string_view kResultRule =
    "----------------- -------------- -------- ------- ------ -----";
// The printed test report's rule: dashes under the letters of each title.
inline constexpr std::string_view kResultTitleRule =
    "----              ---------      ----     ------- ------ -----";

// The four lines over a report file: the title chosen by the file's name (without its folder,
// in any case) with today's date, a blank line, the column heading and its rule.
std::vector<std::string> ReportTitleLines(std::string_view fileName, const std::string& date);

}  // namespace ardentix
