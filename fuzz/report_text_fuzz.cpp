// libFuzzer target for the report viewer's reader: any bytes give lines of valid UTF-8 text with
// no line break and no NUL inside a line, or nothing when the file is too large; and the text of
// the lines joined again reads back as the same lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "records/report_text.h"

namespace {

void require(bool rule) {
    if (!rule) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = ardentix::ReportTextLines(bytes);
    require(lines.has_value());  // the fuzzer's inputs are far below the viewer's limit
    std::string joined;
    for (const std::string& line : *lines) {
        require(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        joined += line;
        joined += '\n';
    }
    // What the viewer shows is text: reading it again changes nothing.
    const auto again = ardentix::ReportTextLines(joined);
    require(again.has_value() && *again == *lines);
    return 0;
}
