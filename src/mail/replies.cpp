#include "mail/replies.h"

#include <algorithm>

namespace ardentix {

namespace {

bool continues(std::string_view line) {
    return line.size() > 3 && line[3] == '-';
}

bool inRange(char c, char low, char high) {
    return c >= low && c <= high;
}

std::string upper(std::string_view word) {
    std::string s(word);
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The words of a line, split at blanks and tabs.
std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start) out.emplace_back(line.substr(start, i - start));
    }
    return out;
}

}  // namespace

bool SmtpExtensions::Offers(std::string_view mechanism) const {
    for (const std::string& m : mechanisms)
        if (m == mechanism) return true;
    return false;
}

SmtpExtensions ReadExtensions(const SmtpReply& reply) {
    SmtpExtensions found;
    for (size_t n = 1; n < reply.lines.size(); ++n) {
        std::string_view line = reply.lines[n];
        // "250-" or "250 " before the keyword; an old-style continuation line has no code.
        line.remove_prefix(ReplyCode(line) != 0 ? std::min<size_t>(4, line.size()) : 0);
        std::vector<std::string> w = words(line);
        if (w.empty()) continue;
        std::string keyword = upper(w[0]);
        if (keyword.rfind("AUTH=", 0) == 0) {
            w[0] = keyword.substr(5);
            keyword = "AUTH";
        } else {
            w.erase(w.begin());
        }
        if (keyword == "STARTTLS") found.startTls = true;
        if (keyword != "AUTH") continue;
        found.auth = true;
        for (const std::string& m : w) {
            if (m.empty() || found.Offers(upper(m))) continue;
            found.mechanisms.push_back(upper(m));
        }
    }
    return found;
}

int ReplyCode(std::string_view line) {
    if (line.size() < 3) return 0;
    if (!inRange(line[0], '2', '5') || !inRange(line[1], '0', '5') || !inRange(line[2], '0', '9'))
        return 0;
    if (line.size() > 3 && line[3] != ' ' && line[3] != '-') return 0;
    return (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
}

ReplyReader::Status ReplyReader::Next(SmtpReply& reply) {
    reply = SmtpReply();
    size_t pos = 0;
    auto finish = [&](Status status) {
        buffer_.erase(0, pos);
        if (status == Status::Malformed) reply.code = 0;
        return status;
    };
    for (;;) {
        const size_t end = buffer_.find('\n', pos);
        const size_t length = (end == std::string::npos ? buffer_.size() : end) - pos;
        if (length > kMaxLineBytes) {
            // Such a line is nothing to show: the text stays empty.
            pos = end == std::string::npos ? buffer_.size() : end + 1;
            return finish(Status::Malformed);
        }
        if (end == std::string::npos) {
            reply = SmtpReply();
            return Status::Waiting;
        }
        std::string line = buffer_.substr(pos, length);
        // CR LF ends a line; a stray CR before it is no part of the text either.
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        pos = end + 1;
        if (reply.lines.empty()) {
            reply.text = line;
            reply.code = ReplyCode(line);
            if (reply.code == 0) return finish(Status::Malformed);
            reply.lines.push_back(std::move(line));
            if (!continues(reply.lines.back())) return finish(Status::Complete);
            continue;
        }
        reply.lines.push_back(line);
        if (reply.lines.size() > kMaxLines) return finish(Status::Malformed);
        // An old-style continuation line begins with a blank and carries no code.
        if (!line.empty() && line[0] == ' ') continue;
        if (ReplyCode(line) != reply.code) return finish(Status::Malformed);
        if (!continues(line)) return finish(Status::Complete);
    }
}

}  // namespace ardentix
