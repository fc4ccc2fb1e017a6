#include "mail/mime_words.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "mail/encoder.h"

namespace ardentix {

namespace {

constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kWordStart = "=?UTF-8?B?";
constexpr const char* kWordEnd = "?=";
constexpr size_t kWordFrame = 12;  // "=?UTF-8?B?" and "?="
constexpr size_t kMaxWordBytes = (kMaxEncodedWord - kWordFrame) / 4 * 3;
constexpr const char* kHexDigits = "0123456789ABCDEF";
constexpr std::string_view kAttributeMarks = "!#$&+-.^_`|~";

// The continuation bytes of a UTF-8 sequence: 10xxxxxx.
bool continues(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool isAsciiLetterOrDigit(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string percent(unsigned char c, char mark) {
    return {mark, kHexDigits[c >> 4], kHexDigits[c & 15]};
}

// A domain as dot-separated runs of letters, digits and "-".
bool plainDomain(std::string_view domain) {
    if (domain.empty() || domain.front() == '.' || domain.back() == '.') return false;
    if (domain.find("..") != std::string_view::npos) return false;
    return std::all_of(domain.begin(), domain.end(), [](char c) {
        return isAsciiLetterOrDigit(static_cast<unsigned char>(c)) || c == '-' || c == '.';
    });
}

}  // namespace

std::string MailDate(const Date& date, int64_t millisSinceMidnight, int utcOffsetMinutes) {
    namespace chr = std::chrono;
    const chr::year_month_day ymd{chr::year(date.year),
                                  chr::month(static_cast<unsigned>(date.month)),
                                  chr::day(static_cast<unsigned>(date.day))};
    const unsigned weekday = chr::weekday(chr::sys_days(ymd)).c_encoding();
    const int month = std::clamp(date.month, 1, 12);
    const int64_t seconds = millisSinceMidnight / 1000;
    const int offset = utcOffsetMinutes < 0 ? -utcOffsetMinutes : utcOffsetMinutes;
    char text[64];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d",
                  kDayNames[weekday % 7], date.day, kMonthNames[month - 1], date.year,
                  static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60), utcOffsetMinutes < 0 ? '-' : '+', offset / 60,
                  offset % 60);
    return text;
}

std::string MakeMessageId(const std::string& fromAddress, const Date& date,
                          int64_t millisSinceMidnight, uint64_t random) {
    const std::string address = BareAddress(fromAddress);
    const size_t at = address.rfind('@');
    std::string domain = at == std::string::npos ? "" : address.substr(at + 1);
    if (!plainDomain(domain)) domain = "ardentix.invalid";
    const int64_t seconds = millisSinceMidnight / 1000;
    char text[64];
    std::snprintf(text, sizeof text, "<%016llx.%04d%02d%02d%02d%02d%02d@",
                  static_cast<unsigned long long>(random), date.year, date.month, date.day,
                  static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return text + domain + ">";
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string_view Utf8Prefix(std::string_view text, size_t n) {
    if (text.size() <= n) return text;
    while (n > 0 && continues(text[n]))
        --n;
    return text.substr(0, n);
}

std::vector<std::string> EncodedWords(std::string_view text, size_t firstRoom) {
    const TAttachmentEncoder base64(EncodeType::uuMime);
    std::vector<std::string> words;
    size_t room = std::min(firstRoom, kMaxEncodedWord);
    while (!text.empty()) {
        // Every three bytes take four characters.
        const size_t bytes = room > kWordFrame ? (room - kWordFrame) / 4 * 3 : 0;
        std::string_view piece = Utf8Prefix(text, bytes);
        // Too small a room still takes one character; bytes that are no UTF-8 are cut anywhere.
        if (piece.empty()) {
            size_t n = 1;
            while (n < text.size() && n < kMaxWordBytes && continues(text[n]))
                ++n;
            piece = text.substr(0, n);
        }
        // A word that leaves some of the text for the next ends after its last blank, if it has
        // one: a reader that shows the fold between two words as a blank then shows it between
        // words of the text rather than inside one.
        const size_t blank = piece.size() < text.size() ? piece.rfind(' ') : 0;
        if (blank != std::string_view::npos && blank > 0) piece = piece.substr(0, blank + 1);
        words.push_back(kWordStart + base64.EncodeBlock(piece) + kWordEnd);
        text.remove_prefix(piece.size());
        room = kMaxEncodedWord;
    }
    return words;
}

std::string ExtendedValue(std::string_view text) {
    std::string value = "UTF-8''";
    for (char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (isAsciiLetterOrDigit(b) || kAttributeMarks.find(c) != std::string_view::npos) {
            value += c;
        } else {
            value += percent(b, '%');
        }
    }
    return value;
}

std::vector<std::string> QuotedPrintable(std::string_view line) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(line[i]);
        const bool last = i + 1 == line.size();
        const bool blank = b == ' ' || b == '\t';
        const bool literal = (b > ' ' && b < 0x7F && b != '=') || (blank && !last);
        const std::string piece = literal ? std::string(1, line[i]) : percent(b, '=');
        // A line that goes on needs room for its soft break.
        const size_t limit = last ? kMaxQuotedPrintableLine : kMaxQuotedPrintableLine - 1;
        if (lines.back().size() + piece.size() > limit) {
            lines.back() += '=';
            lines.emplace_back();
        }
        lines.back() += piece;
    }
    return lines;
}

}  // namespace ardentix
