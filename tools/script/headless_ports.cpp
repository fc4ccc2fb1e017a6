#include "script/headless_ports.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "core/dates.h"
#include "core/files.h"
#include "settings/settings.h"

namespace ardentix::script {

namespace {

constexpr int64_t kDay = 24LL * 3600 * 1000;

std::optional<BoxAnswer> fitting(BoxButtons buttons, const std::string& answer) {
    for (BoxAnswer a : {BoxAnswer::Ok, BoxAnswer::Cancel, BoxAnswer::Yes, BoxAnswer::No}) {
        if (answer == AnswerWord(a) && AnswerFits(buttons, a)) return a;
    }
    return std::nullopt;
}

}  // namespace

bool AnswerFits(BoxButtons buttons, BoxAnswer a) {
    switch (buttons) {
        case BoxButtons::Ok:
            return a == BoxAnswer::Ok;
        case BoxButtons::YesNo:
            return a == BoxAnswer::Yes || a == BoxAnswer::No;
        case BoxButtons::OkCancel:
            return a == BoxAnswer::Ok || a == BoxAnswer::Cancel;
    }
    return false;
}

BoxAnswer DefaultButton(BoxButtons buttons) {
    return buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
}

const char* AnswerWord(BoxAnswer a) {
    switch (a) {
        case BoxAnswer::Ok:
            return "ok";
        case BoxAnswer::Cancel:
            return "cancel";
        case BoxAnswer::Yes:
            return "yes";
        case BoxAnswer::No:
            return "no";
    }
    return "?";
}

int64_t VirtualClock::elapsed() const {
    return timers_ ? timers_->Now() : 0;
}

int64_t VirtualClock::MillisSinceMidnight() {
    return (millisOfDay_ + elapsed()) % kDay;
}

Date VirtualClock::Today() {
    using namespace std::chrono;
    const sys_days start =
        year_month_day{year{date_.year}, month{static_cast<unsigned>(date_.month)},
                       day{static_cast<unsigned>(date_.day)}};
    const year_month_day today{start + days{(millisOfDay_ + elapsed()) / kDay}};
    return {static_cast<int>(today.year()), static_cast<int>(static_cast<unsigned>(today.month())),
            static_cast<int>(static_cast<unsigned>(today.day()))};
}

std::string VirtualClock::ShortDate() {
    if (dateFormat_) return FormatDate(*dateFormat_, Today()).value_or(std::string());
    return NumericShortDate(localePattern_, Today());
}

std::string VirtualClock::LongTime() {
    const int64_t seconds = MillisSinceMidnight() / 1000;
    const int hour = static_cast<int>(seconds / 3600);
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour12, static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60), hour < 12 ? "AM" : "PM");
    return text;
}

bool RecordingSound::Play(const std::string& name) {
    log.push_back(name);
    return ProgramFileExists(programDir_, name);
}

std::optional<QueuedDialogs::Queued> QueuedDialogs::take(const std::string& text) {
    last = text;
    if (queue.empty()) {
        problems.push_back(Report(currentWhere, "unexpected box \"" + text + "\""));
        return std::nullopt;
    }
    Queued q = queue.front();
    queue.pop_front();
    if (q.boxText && *q.boxText != text) {
        problems.push_back(
            Report(q.where, "expected box \"" + *q.boxText + "\", got \"" + text + "\""));
    }
    return q;
}

BoxAnswer QueuedDialogs::Message(BoxKind, BoxButtons buttons, const std::string& text) {
    auto q = take(text);
    if (!q) return DefaultButton(buttons);
    if (auto answer = fitting(buttons, q->answer)) return *answer;
    problems.push_back(
        Report(q->where, "answer \"" + q->answer + "\" does not fit the box \"" + text + "\""));
    return DefaultButton(buttons);
}

std::optional<std::string> QueuedDialogs::Input(const std::string&, const std::string& prompt,
                                                const std::string& initial) {
    auto q = take(prompt);
    if (!q) return initial;
    if (q->answer == "cancel") return std::nullopt;
    return q->answer;
}

std::optional<std::string> FileCheckPictures::Load(const std::vector<PictureFile>& files) {
    for (const PictureFile& f : files) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(f.path, ec)) return f.path;
    }
    return std::nullopt;
}

std::optional<std::string> QueuedDialogs::OpenFile(const std::string& filterName,
                                                   const std::string&, const std::string&) {
    auto q = take(filterName);
    if (!q || q->answer == "cancel") return std::nullopt;
    if (!q->answer.empty() && q->answer.front() == '/') return q->answer;
    return ProgramFile(programDir, q->answer);
}

std::optional<std::string> QueuedDialogs::SaveFile(const std::string& title, const std::string&,
                                                   const std::string&,
                                                   const std::string& defaultExtension,
                                                   const std::string& dir, const std::string&) {
    auto q = take(title);
    if (!q || q->answer == "cancel") return std::nullopt;
    std::string name = q->answer;
    if (std::filesystem::path(name).extension().empty()) name += defaultExtension;
    if (!name.empty() && name.front() == '/') return name;
    return (std::filesystem::path(dir) / name).string();
}

std::optional<Font> QueuedDialogs::ChooseFont(const Font&) {
    auto q = take("Font");
    if (!q || q->answer == "cancel") return std::nullopt;
    const size_t blank = q->answer.rfind(' ');
    const std::optional<int> size =
        blank == std::string::npos ? std::nullopt : WholeNumber(q->answer.substr(blank + 1));
    if (!size || *size <= 0) {
        problems.push_back(Report(q->where, "a font is \"Family size\": " + q->answer));
        return std::nullopt;
    }
    return Font{q->answer.substr(0, blank), *size};
}

bool QueuedDialogs::ChoosePrinter() {
    auto q = take("Print");
    if (q && q->answer != "ok" && q->answer != "cancel") {
        problems.push_back(Report(q->where, "the print dialog takes ok or cancel"));
    }
    return q && q->answer == "ok";
}

std::optional<std::string> TextPrinter::Print(const std::string& title,
                                              const std::vector<PrintLine>& lines) {
    lastJob = lines;
    std::vector<std::string> text = {"== " + title};
    for (const PrintLine& line : lines)
        text.push_back(line.text);
    return AppendTextLines(ProgramFile(programDir_, "PRINTED.TXT"), text);
}

}  // namespace ardentix::script
