#include "mail/replies.h"

namespace ardentix {

namespace {

bool continues(std::string_view line) {
    return line.size() > 3 && line[3] == '-';
}

bool inRange(char c, char low, char high) {
    return c >= low && c <= high;
}

}  // namespace

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
