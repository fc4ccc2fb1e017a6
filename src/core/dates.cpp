#include "core/dates.h"

#include <algorithm>
#include <vector>

namespace ardentix {

namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

enum class Part { Day, Month, Year };

// A field of a numeric pattern: what it stands for and its letters ("d", "MM", "yy"); a month
// spelled as a name has no letters until the day tells how to write its number.
struct Field {
    Part part;
    std::string letters;
};

// The separators of numeric dates.
constexpr std::string_view kSeparators = "/.-";

}  // namespace

std::optional<std::string> FormatDate(std::string_view pattern, Date date) {
    std::string text;
    size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (!isLetter(c)) {
            text += c;
            ++i;
            continue;
        }
        const size_t end = pattern.find_first_not_of(c, i);
        const std::string_view run = pattern.substr(i, end - i);
        i = end == std::string_view::npos ? pattern.size() : end;
        if (run == "M") {
            text += std::to_string(date.month);
        } else if (run == "MM") {
            text += twoDigits(date.month);
        } else if (run == "d") {
            text += std::to_string(date.day);
        } else if (run == "dd") {
            text += twoDigits(date.day);
        } else if (run == "yy") {
            text += twoDigits(date.year % 100);
        } else if (run == "yyyy") {
            text += std::to_string(date.year);
        } else {
            return std::nullopt;
        }
    }
    return text;
}

std::string NumericDatePattern(std::string_view localePattern) {
    std::vector<Field> fields;
    // The text that follows each field up to the next one.
    std::vector<std::string> gaps;
    size_t i = 0;
    while (i < localePattern.size()) {
        const char c = localePattern[i];
        if (c == '\'') {
            // Quoted text ("'г'.") is a word, never a separator.
            const size_t close = localePattern.find('\'', i + 1);
            i = close == std::string_view::npos ? localePattern.size() : close + 1;
            continue;
        }
        if (!isLetter(c)) {
            if (!gaps.empty()) gaps.back() += c;
            ++i;
            continue;
        }
        const size_t end = std::min(localePattern.find_first_not_of(c, i), localePattern.size());
        const size_t run = end - i;
        i = end;
        std::optional<Field> field;
        if (c == 'd' && run <= 2) {
            field = Field{Part::Day, std::string(run, 'd')};
        } else if (c == 'M' || c == 'L') {
            field = Field{Part::Month, run <= 2 ? std::string(run, 'M') : std::string()};
        } else if (c == 'y') {
            field = Field{Part::Year, "yy"};
        }
        // A week day ("ddd"), an era or any other letter has no place in a numeric date.
        if (!field) continue;
        bool seen = false;
        for (const Field& f : fields)
            seen = seen || f.part == field->part;
        if (seen) continue;
        fields.push_back(*field);
        gaps.emplace_back();
    }
    if (fields.size() < 3) return "yy-MM-dd";

    std::string day;
    for (const Field& f : fields) {
        if (f.part == Part::Day) day = f.letters;
    }
    char separator = fields[0].part == Part::Year ? '-' : '/';
    // The first separator between the fields: "dd/MM yyyy" is written with "/" throughout.
    for (size_t k = 0; k < 2; ++k) {
        const size_t at = gaps[k].find_first_of(kSeparators);
        if (at != std::string::npos) {
            separator = gaps[k][at];
            break;
        }
    }
    std::string pattern;
    for (const Field& f : fields) {
        if (!pattern.empty()) pattern += separator;
        // A month name becomes its number, with a leading zero when the day has one.
        pattern += f.letters.empty() ? (day == "dd" ? "MM" : "M") : f.letters;
    }
    return pattern;
}

std::string NumericShortDate(std::string_view localePattern, Date date) {
    return FormatDate(NumericDatePattern(localePattern), date).value_or(std::string());
}

std::string IsoDateTime(Date date, int64_t millisOfDay, int utcOffsetMinutes) {
    const int64_t seconds = millisOfDay / 1000;
    const int offset = utcOffsetMinutes < 0 ? -utcOffsetMinutes : utcOffsetMinutes;
    std::string year = std::to_string(date.year);
    if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
    return year + "-" + twoDigits(date.month) + "-" + twoDigits(date.day) + "T" +
           twoDigits(static_cast<int>(seconds / 3600)) + ":" +
           twoDigits(static_cast<int>(seconds / 60 % 60)) + ":" +
           twoDigits(static_cast<int>(seconds % 60)) + (utcOffsetMinutes < 0 ? "-" : "+") +
           twoDigits(offset / 60) + ":" + twoDigits(offset % 60);
}

}  // namespace ardentix
