// libFuzzer target for the reader of a sound file's header, which times the captions: any bytes
// give a length or nothing, never a read past them; a length is never negative nor longer than a
// sound can be, and the same bytes with more after them (the rest of the file) give the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/wav_length.h"

namespace {

void require(bool rule) {
    if (!rule) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto ms = ardentix::WavMillis(bytes);
    if (!ms) return 0;
    require(*ms >= 0 && *ms <= 600000);
    const std::string longer = std::string(bytes) + std::string(64, '\x7f');
    require(ardentix::WavMillis(longer) == ms);
    return 0;
}
