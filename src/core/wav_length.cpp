#include "core/wav_length.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace ardentix {

namespace {

uint32_t le32(std::string_view b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

// A sound longer than this is taken as a broken header (no sound of the program lasts a minute).
constexpr uint64_t kLongestMillis = 600000;

}  // namespace

std::optional<int> WavMillis(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return std::nullopt;
    uint32_t bytesPerSecond = 0;
    // The chunks follow each other, each an id, its size and its body padded to an even size.
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const uint32_t size = le32(bytes, at + 4);
        if (id == "fmt ") {
            if (size < 16 || at + 8 + 12 > bytes.size()) return std::nullopt;
            bytesPerSecond = le32(bytes, at + 8 + 8);
        } else if (id == "data") {
            if (bytesPerSecond == 0) return std::nullopt;
            const uint64_t ms = (uint64_t{size} * 1000 + bytesPerSecond - 1) / bytesPerSecond;
            if (ms > kLongestMillis) return std::nullopt;
            return static_cast<int>(ms);
        }
        const uint64_t next = uint64_t{at} + 8 + size + (size & 1);
        if (next > bytes.size()) return std::nullopt;
        at = static_cast<size_t>(next);
    }
    return std::nullopt;
}

std::optional<int> WavFileMillis(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    std::array<char, kWavHeaderBytes> buffer;
    const size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
    std::fclose(file);
    return WavMillis(std::string_view(buffer.data(), got));
}

}  // namespace ardentix
