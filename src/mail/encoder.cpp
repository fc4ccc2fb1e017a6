#include "mail/encoder.h"

#include <cstdint>

namespace ardentix {

namespace {

constexpr std::string_view kBase64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The UU table: "`" stands for 0, then "!" to "_" for 1 to 63.
char uuChar(unsigned value) {
    return value == 0 ? '`' : static_cast<char>(32 + value);
}

uint8_t byteAt(std::string_view bytes, size_t i) {
    return static_cast<uint8_t>(bytes[i]);
}

// The longest piece of a line that may be sent: the stuffed "." counts.
size_t pieceLength(std::string_view rest) {
    const size_t room = !rest.empty() && rest.front() == '.' ? kMaxLineOctets - 1 : kMaxLineOctets;
    return rest.size() < room ? rest.size() : room;
}

void appendOneLine(std::string& data, std::string_view line) {
    // Even an empty line is sent, so a line of exactly the limit is not followed by an empty one.
    do {
        const size_t n = pieceLength(line);
        if (!line.empty() && line.front() == '.') data += '.';
        data.append(line.substr(0, n));
        data += "\r\n";
        line.remove_prefix(n);
    } while (!line.empty());
}

}  // namespace

std::string TAttachmentEncoder::EncodeBlock(std::string_view block) const {
    const bool uu = type_ == EncodeType::uuCode;
    auto put = [uu](std::string& line, unsigned value) {
        line += uu ? uuChar(value & 63) : kBase64[value & 63];
    };
    std::string line;
    if (uu) put(line, static_cast<unsigned>(block.size()));
    size_t i = 0;
    for (; i + 3 <= block.size(); i += 3) {
        const unsigned b0 = byteAt(block, i), b1 = byteAt(block, i + 1), b2 = byteAt(block, i + 2);
        put(line, b0 >> 2);
        put(line, (b0 << 4) | (b1 >> 4));
        put(line, (b1 << 2) | (b2 >> 6));
        put(line, b2);
    }
    // A short last group: base64 pads it to four characters, UU leaves it short.
    if (block.size() - i == 1) {
        const unsigned b0 = byteAt(block, i);
        put(line, b0 >> 2);
        put(line, (b0 << 4) & 48);
        if (!uu) line += "==";
    } else if (block.size() - i == 2) {
        const unsigned b0 = byteAt(block, i), b1 = byteAt(block, i + 1);
        put(line, b0 >> 2);
        put(line, ((b0 << 4) & 48) | (b1 >> 4));
        put(line, (b1 << 2) & 60);
        if (!uu) line += '=';
    }
    return line;
}

std::vector<std::string> TAttachmentEncoder::Encode(std::string_view bytes) const {
    std::vector<std::string> lines;
    for (size_t at = 0; at < bytes.size(); at += kBlockBytes)
        lines.push_back(EncodeBlock(bytes.substr(at, kBlockBytes)));
    if (type_ == EncodeType::uuCode) lines.emplace_back(1, uuChar(0));
    return lines;
}

std::vector<std::string_view> SplitAtBreaks(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return lines;
}

void AppendDataLine(std::string& data, std::string_view line) {
    for (std::string_view piece : SplitAtBreaks(line))
        appendOneLine(data, piece);
}

}  // namespace ardentix
