#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The mail message and its header lines: what the SMTP client sends after DATA.
namespace ardentix {

// How attachments are written: MIME base64 or the uuencode line format.
enum class EncodeType { uuMime, uuCode };

struct TMailMessage {
    std::string FromName;
    std::string FromAddress;
    std::string Subject;
    std::string LocalProgram = "Ardentix SMTP";
    std::string ReplyTo;
    std::string Date;       // "Mon, 07 Dec 2026 18:49:02 +0100"
    std::string MessageID;  // with its angle brackets
    std::vector<std::string> ToAddress;
    std::vector<std::string> ToCarbonCopy;
    std::vector<std::string> ToBlindCarbonCopy;
    std::vector<std::string> Body;
    std::vector<std::string> Attachments;  // file paths
};

// A list of header lines that can set or remove a line by its header name.
class THeaderList {
  public:
    // The first line whose text before its first ":" is the name, without regard to case.
    std::optional<size_t> Find(std::string_view name) const;
    // A value gives the line name + ": " + value, in the found line's place or at the end; an
    // empty value removes the found line.
    void SetValue(std::string_view name, const std::string& value);
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }
    const std::vector<std::string>& Lines() const { return lines_; }

  private:
    std::vector<std::string> lines_;
};

// The address an entry stands for: between its first "<" and the next ">", else after its first
// ":", else the whole entry; surrounding blanks are dropped. "Ann <ann@example.com>",
// "mailto:ann@example.com" and " ann@example.com " all give ann@example.com.
std::string BareAddress(std::string_view entry);

// The sender's name as it may stand before "<" in the From line: a name holding a character
// that means something in an address (a comma, a quote, "<", ...) is quoted, its quotes and
// backslashes escaped.
std::string DisplayName(std::string_view name);

// Nothing when no field of the message holds a character that would end a line on the wire,
// else the text to show, naming the field ("The Subject may not hold a line break.").
std::optional<std::string> LineBreakInMessage(const TMailMessage& message);
// The same text for one named field; the SMTP User ID and the mail settings use it too.
std::string LineBreakRefusal(std::string_view field);
bool HoldsLineBreak(std::string_view text);

// A line of the message header may be no longer than this many octets, and no line of the
// message data is sent longer.
inline constexpr size_t kMaxLineOctets = 998;

}  // namespace ardentix
