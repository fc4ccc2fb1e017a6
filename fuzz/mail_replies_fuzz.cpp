// libFuzzer target for the reader of the mail server's replies: the splitting of received bytes
// into lines and replies, the reading of reply codes and of the extensions an EHLO reply offers.
// Besides crashes and sanitizer reports it stops on a reply that breaks the rules (a code outside
// 200..559, a line with a line end, a line too long), on an offered mechanism that is empty, not
// one word in upper case or offered twice, or on a different reading when the same bytes arrive
// in other pieces.
//
// Input: the first byte chooses the size of the pieces (1 to 256 bytes); the rest is what the
// server sends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "mail/replies.h"

namespace {

using namespace ardentix;

void require(bool rule) {
    if (!rule) std::abort();
}

struct Reading {
    std::vector<ReplyReader::Status> statuses;
    std::vector<SmtpReply> replies;
};

// Reads every reply the bytes hold, fed in pieces of the given size, as the client does: after
// an unreadable reply the connection is closed, so nothing more is read.
Reading read(std::string_view bytes, size_t piece) {
    Reading reading;
    ReplyReader reader;
    bool closed = false;
    for (size_t at = 0; at < bytes.size() && !closed; at += piece) {
        reader.Feed(bytes.substr(at, piece));
        for (;;) {
            SmtpReply reply;
            const ReplyReader::Status status = reader.Next(reply);
            if (status == ReplyReader::Status::Waiting) break;
            reading.statuses.push_back(status);
            reading.replies.push_back(reply);
            if (status == ReplyReader::Status::Malformed) {
                closed = true;
                break;
            }
        }
        // Nothing waits in the buffer beyond one line that may still be cut short and the lines
        // of one reply before it.
        require(closed ||
                reader.Buffered() <=
                    (ReplyReader::kMaxLines + 1) * (ReplyReader::kMaxLineBytes + 1) + piece);
    }
    return reading;
}

void checkExtensions(const SmtpExtensions& offered) {
    require(offered.auth || offered.mechanisms.empty());
    for (size_t i = 0; i < offered.mechanisms.size(); ++i) {
        const std::string& m = offered.mechanisms[i];
        require(!m.empty());
        for (char c : m)
            require(c != ' ' && c != '\t' && !(c >= 'a' && c <= 'z'));
        for (size_t j = 0; j < i; ++j)
            require(offered.mechanisms[j] != m);
    }
}

void checkReply(ReplyReader::Status status, const SmtpReply& reply) {
    if (status == ReplyReader::Status::Malformed) {
        require(reply.code == 0);
        require(reply.text.size() <= ReplyReader::kMaxLineBytes);
        return;
    }
    require(reply.code >= 200 && reply.code <= 559);
    require(!reply.lines.empty() && reply.lines.size() <= ReplyReader::kMaxLines);
    require(reply.text == reply.lines.front());
    require(ReplyCode(reply.text) == reply.code);
    require(reply.text.compare(0, 3, std::to_string(reply.code)) == 0);
    for (const std::string& line : reply.lines) {
        require(line.find('\n') == std::string::npos);
        require(line.empty() || line.back() != '\r');
        require(line.size() <= ReplyReader::kMaxLineBytes);
    }
    // The last line carries the code and does not go on.
    const std::string& last = reply.lines.back();
    require(ReplyCode(last) == reply.code && !(last.size() > 3 && last[3] == '-'));
    checkExtensions(ReadExtensions(reply));
}

bool sameReading(const Reading& a, const Reading& b) {
    if (a.statuses != b.statuses || a.replies.size() != b.replies.size()) return false;
    for (size_t i = 0; i < a.replies.size(); ++i) {
        if (a.replies[i].code != b.replies[i].code || a.replies[i].text != b.replies[i].text ||
            a.replies[i].lines != b.replies[i].lines)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t piece = static_cast<size_t>(data[0]) + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const Reading whole = read(bytes, bytes.size() + 1);
    for (size_t i = 0; i < whole.replies.size(); ++i)
        checkReply(whole.statuses[i], whole.replies[i]);
    require(sameReading(whole, read(bytes, piece)));
    return 0;
}
