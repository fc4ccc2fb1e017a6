// libFuzzer target for the reader of the pending file ARDENTIX.PND: any bytes, split into lines as
// the store reads the file, give for each line a result or nothing; a result written again as a
// line holds no line break and reads back as the same result.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/files.h"
#include "core/result_text.h"

namespace {

void require(bool rule) {
    if (!rule) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const std::string& line : ardentix::SplitLines(bytes)) {
        const auto result = ardentix::ReadPendingLine(line);
        if (!result) continue;
        const std::string again = ardentix::PendingLine(*result);
        require(again.find_first_of("\r\n") == std::string::npos);
        require(ardentix::ReadPendingLine(again) == result);
    }
    return 0;
}
