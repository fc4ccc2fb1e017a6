#pragma once
#include <string>
#include <string_view>
#include <vector>

// Reading the mail server's replies out of the bytes it sends.
namespace ardentix {

struct SmtpReply {
    int code = 0;                    // 0 unless the reply is well formed
    std::string text;                // the first line, without its line end
    std::vector<std::string> lines;  // every line of the reply, without line ends
};

// The code of a reply line: three digits, the first 2 to 5 and the second 0 to 5, followed by
// nothing, a blank or "-". 0 for any other line, so a line without a code never passes for one.
int ReplyCode(std::string_view line);

// What a server offers in its reply to EHLO.
struct SmtpExtensions {
    bool startTls = false;
    bool auth = false;                    // AUTH, with the mechanisms below
    std::vector<std::string> mechanisms;  // upper case, as offered: "PLAIN", "LOGIN", ...
    bool Offers(std::string_view mechanism) const;
};

// The extensions of an EHLO reply: every line after the first (which names the server) is a
// keyword and its parameters, without regard to case. "AUTH=LOGIN PLAIN", the form of old
// servers, counts as "AUTH LOGIN PLAIN".
SmtpExtensions ReadExtensions(const SmtpReply& reply);

// Collects received bytes and hands out whole replies. A reply is one line, or a line with "-"
// after its code followed by more lines: lines that begin with a blank, and lines with the same
// code, up to one with that code and no "-".
class ReplyReader {
  public:
    // No server line is this long; a longer one is not read to its end but refused.
    static constexpr size_t kMaxLineBytes = 1000;
    static constexpr size_t kMaxLines = 100;

    enum class Status { Waiting, Complete, Malformed };

    void Feed(std::string_view bytes) { buffer_.append(bytes); }
    // Takes the first reply out of the buffer when it is complete. Malformed: the reply does not
    // keep the rules above (its first line is in text, unless that line is too long); what it
    // read is taken out as well.
    Status Next(SmtpReply& reply);
    void Clear() { buffer_.clear(); }
    size_t Buffered() const { return buffer_.size(); }

  private:
    std::string buffer_;
};

}  // namespace ardentix
