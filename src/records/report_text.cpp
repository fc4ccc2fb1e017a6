#include "records/report_text.h"

#include <array>
#include <cctype>

#include "core/files.h"

namespace ardentix {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The length of the UTF-8 character that starts at bytes[i], or 0 when none does.
size_t characterLength(std::string_view bytes, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char b = byte(i);
    if (b == 0) return 0;
    if (b < 0x80) return 1;
    size_t length = 0;
    unsigned lowest = 0;
    if ((b & 0xE0) == 0xC0) {
        length = 2;
        lowest = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3;
        lowest = 0x800;
    } else if ((b & 0xF8) == 0xF0 && b <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    unsigned code = b & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    // Overlong forms, the surrogates and what lies past the last character are not text.
    if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return length;
}

// The line with every byte that is not text shown as the replacement character.
std::string shownAsText(std::string_view line) {
    std::string text;
    size_t i = 0;
    while (i < line.size()) {
        const size_t length = characterLength(line, i);
        if (length == 0) {
            text += kReplacement;
            ++i;
        } else {
            text.append(line.substr(i, length));
            i += length;
        }
    }
    return text;
}

}  // namespace

std::optional<std::vector<std::string>> ReportTextLines(std::string_view bytes) {
    if (bytes.size() > kLargestReportFile) return std::nullopt;
    std::vector<std::string> lines = SplitLines(bytes);
    for (std::string& line : lines)
        line = shownAsText(line);
    return lines;
}

std::vector<std::string> ReportTitleLines(std::string_view fileName, const std::string& date) {
    const size_t slash = fileName.find_last_of("/\\");
    std::string name(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    struct Title {
        std::string_view file;
        std::string_view text;
    };
    constexpr std::array<Title, 4> kTitles = {{
        {"AEDPRAC.TXT", "                Ardentix PRACTICE REPORT"},
        {"AEDPRAC2.TXT", "        Ardentix DETAILED PRACTICE REPORT"},
        {"AEDTEST.TXT", "                  Ardentix TEST REPORT"},
        {"AEDTEST2.TXT", "          Ardentix DETAILED TEST REPORT"},
    }};
    std::string title = "                Ardentix REPORT";
    for (const Title& t : kTitles) {
        if (t.file == name) title = t.text;
    }
    return {title + "  " + date, " ", std::string(kResultHeading), std::string(kResultRule)};
}

}  // namespace ardentix
