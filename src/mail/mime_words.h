#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports.h"

// The header texts of a message that are not typed by the user: its date and its id, and the
// ways a text that is not plain ASCII is written into the header and the body.
namespace ardentix {

// The date line's value: "Mon, 07 Dec 2026 18:49:02 +0100", the day of the week taken from the
// date, the offset of local time from UTC in minutes (east positive).
std::string MailDate(const Date& date, int64_t millisSinceMidnight, int utcOffsetMinutes);

// "<" + 16 hex digits of random + "." + yyyymmddhhmmss + "@" + the domain of the From address
// + ">". A domain that is not made of letters, digits, "-" and dots between them gives
// "ardentix.invalid".
std::string MakeMessageId(const std::string& fromAddress, const Date& date,
                          int64_t millisSinceMidnight, uint64_t random);

// True when no byte of the text is 0x80 or above.
bool IsAscii(std::string_view text);

// At most n bytes of the text, cut before a UTF-8 character rather than inside it.
std::string_view Utf8Prefix(std::string_view text, size_t n);

// A folded header line is kept within this many characters where its words allow it.
inline constexpr size_t kFoldedLineLength = 78;

// An encoded word (UTF-8, base64) is never longer than this.
inline constexpr size_t kMaxEncodedWord = 75;

// The text as encoded words, each at most 75 characters and the first at most firstRoom, none
// holding part of a UTF-8 character whose rest is in the next; a word that is not the last ends
// after its last blank when it holds one. An empty text gives none.
std::vector<std::string> EncodedWords(std::string_view text, size_t firstRoom = kMaxEncodedWord);

// A parameter value in the extended form: "UTF-8''" and the text with every byte that is not a
// letter, a digit or one of !#$&+-.^_`|~ written as "%" and two hex digits.
std::string ExtendedValue(std::string_view text);

// One line of text as quoted-printable lines: bytes 0x80 and above, "=", control characters and
// a blank or tab at the end written as "=" and two hex digits, and the line cut by soft breaks
// (a "=" at the end) so that no line is longer than 76 characters.
std::vector<std::string> QuotedPrintable(std::string_view line);
inline constexpr size_t kMaxQuotedPrintableLine = 76;

}  // namespace ardentix
