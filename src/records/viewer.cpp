// The report viewer of the option pages, and the printed test report of the summary.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/engine.h"
#include "records/records.h"
#include "records/report_text.h"

namespace ardentix {

namespace {

constexpr const char* kTooLarge =
    "Report file is too large. Use a word processor or optional reporting software to view the "
    "file.";
constexpr const char* kPrinterFailed = "Printer not working or printer selection invalid.";

// The whole file, or nothing when it cannot be read or is larger than the viewer holds (its size
// is asked first, so a huge file is not read at all).
std::optional<std::string> readReportFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size > kLargestReportFile) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in && size > 0) return std::nullopt;
    return bytes.str();
}

Font fontOf(const Element& el) {
    return {el.font, el.fontSize};
}

}  // namespace

void OpenReportFile(Engine& e) {
    const std::optional<std::string> path =
        e.ports.dialogs->OpenFile("Report File", "*.TXT", ".txt");
    if (!path) return;
    Element& memo = e.screen.Edit(El::REPORTMEMO);
    memo.font = "COURIER";
    memo.fontSize = 10;
    memo.lines.clear();
    std::optional<std::vector<std::string>> lines;
    if (const std::optional<std::string> bytes = readReportFile(*path))
        lines = ReportTextLines(*bytes);
    if (!lines) {
        e.Message(BoxKind::Warning, BoxButtons::Ok, kTooLarge);
        return;
    }
    memo.lines = ReportTitleLines(*path, e.ports.clock->ShortDate());
    memo.lines.insert(memo.lines.end(), lines->begin(), lines->end());
}

void ChooseReportFont(Engine& e) {
    Element& dialog = e.screen.Edit(El::FontDialog1);
    const std::optional<Font> font = e.ports.dialogs->ChooseFont(fontOf(dialog));
    if (!font) return;
    dialog.font = font->family;
    dialog.fontSize = font->pointSize;
    Element& memo = e.screen.Edit(El::REPORTMEMO);
    memo.font = font->family;
    memo.fontSize = font->pointSize;
}

void PrintReportView(Engine& e) {
    if (!e.ports.dialogs->ChoosePrinter()) return;
    const Element& memo = e.screen.Get(El::REPORTMEMO);
    std::vector<PrintLine> job;
    for (const std::string& line : memo.lines)
        job.push_back({std::string(15, ' ') + line, fontOf(memo)});
    if (const std::optional<std::string> failure = e.ports.printer->Print("Ardentix report", job))
        e.Message(BoxKind::Error, BoxButtons::Ok, "The report could not be printed: " + *failure);
}

void PrintTestReport(Engine& e) {
    if (!e.ports.dialogs->ChoosePrinter()) return;
    const Font title{"Arial", 20};
    const Font name{"Courier New", 12};
    const Font results{"Courier New", 11};
    const std::string margin(12, ' ');
    std::vector<PrintLine> job = {
        {" ", title},
        {std::string(30, ' ') + "Ardentix Test Report", title},
        {" ", title},
        {std::string(11, ' ') + e.state.UserName + "   " + e.ports.clock->ShortDate(), name},
        {" ", name},
        {" ", name},
        {margin + std::string(kResultHeading), results},
        {margin + std::string(kResultTitleRule), results},
    };
    // The results, then empty lines up to 47, so that the signature stands at the same height
    // for every series of up to 47 lines.
    const std::vector<std::string>& buffer = e.screen.Get(El::OPTIONSHOLD).lines;
    for (const std::string& line : buffer)
        job.push_back({margin + line, results});
    for (size_t n = buffer.size(); n < 47; ++n)
        job.push_back({"", results});
    job.push_back(
        {margin + "Signature " + std::string(32, '_') + "   Date" + std::string(13, '_'), results});
    if (e.ports.printer->Print("Ardentix Test Report", job))
        e.Message(BoxKind::Warning, BoxButtons::Ok, kPrinterFailed);
}

}  // namespace ardentix
