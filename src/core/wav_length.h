#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace ardentix {

// How long a RIFF/WAVE file plays, in whole milliseconds rounded up, from its first bytes (the
// header up to the start of the data chunk is enough): the data chunk's size over the format
// chunk's bytes a second. Nothing for bytes that are not such a file, a format chunk that gives
// no rate, or a data chunk that does not begin within them.
std::optional<int> WavMillis(std::string_view bytes);

// The same for a file: its first kWavHeaderBytes are read.
inline constexpr size_t kWavHeaderBytes = 4096;
std::optional<int> WavFileMillis(const std::string& path);

}  // namespace ardentix
