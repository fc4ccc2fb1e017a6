#include "core/dates.h"

#include <gtest/gtest.h>

#include <string>

namespace ardentix {
namespace {

// 7 December 2026: a one-digit day and a two-digit month, so that the order and the padding of
// each field show in the text.
constexpr Date kDecember7{2026, 12, 7};
// 3 April 2009: both one-digit, and a year whose two digits start with a zero.
constexpr Date kApril3{2009, 4, 3};

struct Case {
    const char* locale;
    const char* pattern;
    const char* numeric;
    const char* december7;
    const char* april3;
};

// Short date patterns as the locales give them, and what the program writes for each.
constexpr Case kCases[] = {
    {"C", "d MMM yyyy", "d/M/yy", "7/12/26", "3/4/09"},
    {"en_US", "M/d/yy", "M/d/yy", "12/7/26", "4/3/09"},
    {"de_DE", "dd.MM.yy", "dd.MM.yy", "07.12.26", "03.04.09"},
    {"en_GB", "dd/MM/yyyy", "dd/MM/yy", "07/12/26", "03/04/09"},
    {"sv_SE", "yyyy-MM-dd", "yy-MM-dd", "26-12-07", "09-04-03"},
    {"es_ES", "d/M/yy", "d/M/yy", "7/12/26", "3/4/09"},
    {"pl_PL", "d.MM.yyyy", "d.MM.yy", "7.12.26", "3.04.09"},
    {"nl_NL", "dd-MM-yyyy", "dd-MM-yy", "07-12-26", "03-04-09"},
    {"hr_HR", "dd. MM. yyyy.", "dd.MM.yy", "07.12.26", "03.04.09"},
    {"ko_KR", "yy. M. d.", "yy.M.d", "26.12.7", "09.4.3"},
    {"hu_HU", "yyyy. MM. dd.", "yy.MM.dd", "26.12.07", "09.04.03"},
    {"zh_CN", "yyyy/M/d", "yy/M/d", "26/12/7", "09/4/3"},
    // Quoted text after the year ("г." for the year) is a word, not the separator.
    {"bg_BG", "d.MM.yy 'г'.", "d.MM.yy", "7.12.26", "3.04.09"},
    // Right-to-left marks around the separators drop out.
    {"ar_EG", "d\u200F/M\u200F/yyyy", "d/M/yy", "7/12/26", "3/4/09"},
    // Two different separators: the first one serves both gaps.
    {"kkj_CM", "dd/MM yyyy", "dd/MM/yy", "07/12/26", "03/04/09"},
    // Month names: the number takes a leading zero when the day has one.
    {"", "dd MMMM yyyy", "dd/MM/yy", "07/12/26", "03/04/09"},
    {"", "MMM d, yyyy", "M/d/yy", "12/7/26", "4/3/09"},
    {"", "yyyy MMM d", "yy-M-d", "26-12-7", "09-4-3"},
    // A week day has no place in a numeric date; a single y is the year all the same.
    {"", "dddd, d. MMMM y", "d.M.yy", "7.12.26", "3.4.09"},
    {"", "ddd dd/MM/yy", "dd/MM/yy", "07/12/26", "03/04/09"},
    // Without a separator of its own.
    {"", "dMyy", "d/M/yy", "7/12/26", "3/4/09"},
    {"", "yyyyMMdd", "yy-MM-dd", "26-12-07", "09-04-03"},
    // A pattern that lacks a field, or none at all, falls back to the year-first order.
    {"", "MMM yyyy", "yy-MM-dd", "26-12-07", "09-04-03"},
    {"", "", "yy-MM-dd", "26-12-07", "09-04-03"},
    {"", "'unquoted", "yy-MM-dd", "26-12-07", "09-04-03"},
    // A field given twice counts where it first stands.
    {"", "d/M/yy (d)", "d/M/yy", "7/12/26", "3/4/09"},
};

TEST(NumericShortDate, KeepsTheLocalesOrderAndSeparatorWithATwoDigitYear) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.locale) + " \"" + c.pattern + "\"");
        EXPECT_EQ(NumericDatePattern(c.pattern), c.numeric);
        EXPECT_EQ(NumericShortDate(c.pattern, kDecember7), c.december7);
        EXPECT_EQ(NumericShortDate(c.pattern, kApril3), c.april3);
    }
}

// The widest date of every pattern is 8 characters: the last day of a two-digit month.
TEST(NumericShortDate, NeverWiderThanItsEightColumns) {
    for (const Case& c : kCases) {
        const std::string widest = NumericShortDate(c.pattern, Date{2026, 12, 31});
        EXPECT_LE(widest.size(), 8u) << c.pattern << " gives " << widest;
        EXPECT_GE(widest.size(), 6u) << c.pattern << " gives " << widest;
    }
    EXPECT_EQ(NumericShortDate("dd.MM.yyyy", Date{2026, 12, 31}), "31.12.26");
    EXPECT_EQ(NumericShortDate("d MMM yyyy", Date{2026, 1, 1}), "1/1/26");
    // The turn of a century: two zeros, not one.
    EXPECT_EQ(NumericShortDate("M/d/yyyy", Date{2000, 1, 1}), "1/1/00");
}

TEST(FormatDate, WritesEachFieldOfANumericPattern) {
    EXPECT_EQ(FormatDate("M/d/yy", kApril3), "4/3/09");
    EXPECT_EQ(FormatDate("MM-dd-yyyy", kApril3), "04-03-2009");
    EXPECT_EQ(FormatDate("dd.MM.", kDecember7), "07.12.");
    EXPECT_EQ(FormatDate("", kDecember7), "");
    // Names and runs the pattern has no field for.
    EXPECT_EQ(FormatDate("d MMM yyyy", kDecember7), std::nullopt);
    EXPECT_EQ(FormatDate("M/d/yyy", kDecember7), std::nullopt);
    EXPECT_EQ(FormatDate("ddd", kDecember7), std::nullopt);
}

}  // namespace
}  // namespace ardentix
