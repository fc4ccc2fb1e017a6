#include "records/columns.h"

namespace ardentix {

namespace {

// The continuation bytes of a UTF-8 sequence: 10xxxxxx.
bool continues(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

size_t CharCount(std::string_view text) {
    size_t count = 0;
    for (char c : text) {
        if (!continues(c)) ++count;
    }
    return count;
}

std::string PadRight(std::string_view text, size_t width) {
    std::string padded(text);
    const size_t have = CharCount(text);
    if (have < width) padded.append(width - have, ' ');
    return padded;
}

std::string PadLeft(std::string_view text, size_t width) {
    const size_t have = CharCount(text);
    std::string padded(have < width ? width - have : 0, ' ');
    padded += text;
    return padded;
}

std::string FitWidth(std::string_view text, size_t width) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (continues(text[i])) continue;
        if (count == width) return std::string(text.substr(0, i));
        ++count;
    }
    return PadRight(text, width);
}

}  // namespace ardentix
