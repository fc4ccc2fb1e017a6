#include "records/report_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ardentix {
namespace {

using Lines = std::vector<std::string>;

const std::string kReplacement = "\xEF\xBF\xBD";

// Line ends of every kind; bytes that are not text each become one replacement character and
// the text around them stays; a file as large as the viewer holds shows, one byte more does not.
TEST(ReportText, ShowsAnyBytesAsLinesOfText) {
    EXPECT_EQ(ReportTextLines("a\r\nb\rc\n\nd"), (Lines{"a", "b", "c", "", "d"}));
    EXPECT_EQ(ReportTextLines("a\n"), (Lines{"a"}));
    EXPECT_EQ(ReportTextLines(std::string("x\0y", 3)), (Lines{"x" + kReplacement + "y"}));
    // A cut-short euro sign, an overlong slash, a surrogate, a lone continuation byte.
    EXPECT_EQ(ReportTextLines("\xE2\x82!"), (Lines{kReplacement + kReplacement + "!"}));
    EXPECT_EQ(ReportTextLines("\xC0\xAF"), (Lines{kReplacement + kReplacement}));
    EXPECT_EQ(ReportTextLines("\xED\xA0\x80"), (Lines{kReplacement + kReplacement + kReplacement}));
    EXPECT_EQ(ReportTextLines("\x80"), (Lines{kReplacement}));
    EXPECT_EQ(ReportTextLines("caf\xC3\xA9 \xF0\x9F\x98\x80"),
              (Lines{"caf\xC3\xA9 \xF0\x9F\x98\x80"}));
    std::string full(kLargestReportFile, 'x');
    EXPECT_TRUE(ReportTextLines(full).has_value());
    full += 'x';
    EXPECT_FALSE(ReportTextLines(full).has_value());
}

}  // namespace
}  // namespace ardentix
