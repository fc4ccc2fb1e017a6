#include "script/names.h"

#include <unistd.h>
#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/engine.h"
#include "core/files.h"
#include "core/patient_view.h"
#include "mail/mail_session.h"
#include "records/debrief.h"
#include "scenario/input.h"
#include "script/headless_ports.h"
#include "store/qt_results_store.h"
#include "store/query.h"

namespace ardentix::script {

namespace {

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "|";
        text += lines[i];
    }
    return text;
}

std::string flag(bool on) {
    return on ? "1" : "0";
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// "base.line(N)": the base and N.
std::optional<std::pair<std::string_view, int>> lineSuffix(std::string_view name) {
    if (!endsWith(name, ")")) return std::nullopt;
    const size_t open = name.rfind(".line(");
    if (open == std::string_view::npos) return std::nullopt;
    const std::string_view digits = name.substr(open + 6, name.size() - open - 7);
    int n = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return std::make_pair(name.substr(0, open), n);
}

// Lines numbered from 1; nothing outside the list.
std::optional<std::string> lineOf(const std::vector<std::string>& lines, int n) {
    if (n < 1 || static_cast<size_t>(n) > lines.size()) return std::string();
    return lines[static_cast<size_t>(n) - 1];
}

std::vector<std::string> readLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += text[i];
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

std::optional<std::string> fileValue(const Engine& e, std::string_view name) {
    if (auto line = lineSuffix(name)) {
        return lineOf(readLines(e.FilePath(line->first)), line->second);
    }
    if (endsWith(name, ".exists")) {
        return flag(ProgramFileExists(e.programDir, name.substr(0, name.size() - 7)));
    }
    if (endsWith(name, ".writable")) {
        const std::string_view file = name.substr(0, name.size() - 9);
        return flag(PathWritable(file == "." ? e.programDir : e.FilePath(file)));
    }
    if (endsWith(name, ".count")) {
        return std::to_string(readLines(e.FilePath(name.substr(0, name.size() - 6))).size());
    }
    return join(readLines(e.FilePath(name)));
}

// A query of the program directory's results database: the first column of its rows joined by
// "|", or with ".count" after the query the number of rows; "error: REASON" when it fails.
std::string sqlValue(const Engine& e, std::string_view name) {
    const bool count = endsWith(name, ".count");
    if (count) name.remove_suffix(6);
    const store::ColumnRows rows =
        store::QueryColumn(e.FilePath(store::kDatabaseFile), std::string(name));
    if (rows.failure) return "error: " + *rows.failure;
    return count ? std::to_string(rows.values.size()) : join(rows.values);
}

std::optional<std::string> listValue(const std::vector<std::string>& lines, std::string_view what) {
    if (what.empty()) return join(lines);
    if (what == ".count") return std::to_string(lines.size());
    if (what == ".last") return lines.empty() ? std::string() : lines.back();
    return std::nullopt;
}

// A list read under a name of its own: NAME, NAME.count, NAME.last, NAME.line(N).
std::optional<std::string> namedList(const std::vector<std::string>& lines, std::string_view name) {
    const std::string_view list = name.substr(0, name.find('.'));
    if (auto line = lineSuffix(name); line && line->first == list) {
        return lineOf(lines, line->second);
    }
    return listValue(lines, name.substr(list.size()));
}

// The patient view's draw list, a line per picture in the order of drawing: "AIRWAY 60,7", and
// for a stretched picture how much larger it is drawn: "CPRHAND2 -16,50 -2,-2".
std::vector<std::string> drawLines(const Engine& e) {
    std::vector<std::string> lines;
    for (const DrawItem& item : PatientPicture(e)) {
        std::string line = std::string(NameOf(item.picture)) + " " + std::to_string(item.left) +
                           "," + std::to_string(item.top);
        if (item.growWidth || item.growHeight) {
            line += " " + std::to_string(item.growWidth) + "," + std::to_string(item.growHeight);
        }
        lines.push_back(line);
    }
    return lines;
}

// The last print job: its lines, .count, .line(N), and .font(N), line N's font as "Family size".
std::optional<std::string> printJobValue(const std::vector<PrintLine>& job, std::string_view what) {
    std::vector<std::string> lines;
    for (const PrintLine& line : job)
        lines.push_back(line.text);
    if (what.starts_with(".font(") && what.ends_with(")")) {
        const std::optional<int> n = WholeNumber(what.substr(6, what.size() - 7));
        if (!n) return std::nullopt;
        if (*n < 1 || static_cast<size_t>(*n) > job.size()) return std::string();
        const Font& font = job[static_cast<size_t>(*n) - 1].font;
        return font.family + " " + std::to_string(font.pointSize);
    }
    return namedList(lines, "print:job" + std::string(what));
}

// A list or memo shows its lines, any other element its text.
std::string elementText(const Element& el) {
    return el.lines.empty() ? el.text : join(el.lines);
}

std::optional<std::string> elementProperty(const Element& el, std::string_view prop) {
    if (prop.empty()) return elementText(el);
    if (prop == "visible") return flag(el.visible);
    if (prop == "enabled") return flag(el.enabled);
    if (prop == "checked") return flag(el.checked);
    if (prop == "bold") return flag(el.bold);
    if (prop == "busy") return flag(el.busy);
    if (prop == "color") return std::string(ColorName(el.color));
    if (prop == "left") return std::to_string(el.left);
    if (prop == "top") return std::to_string(el.top);
    if (prop == "width") return std::to_string(el.width);
    if (prop == "height") return std::to_string(el.height);
    if (prop == "count") return std::to_string(el.lines.size());
    if (prop == "last") return el.lines.empty() ? std::string() : el.lines.back();
    if (prop == "maxlength") return std::to_string(el.maxLength);
    if (prop == "masked") return flag(el.masked);
    if (prop == "font") return el.font + " " + std::to_string(el.fontSize);
    return std::nullopt;
}

std::optional<std::string> elementValue(const Screen& screen, std::string_view name) {
    if (const std::optional<El> el = ElementNamed(name)) return elementText(screen.Get(*el));
    if (auto line = lineSuffix(name)) {
        const std::optional<El> el = ElementNamed(line->first);
        if (!el) return std::nullopt;
        return lineOf(screen.Get(*el).lines, line->second);
    }
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::optional<El> el = ElementNamed(name.substr(0, dot));
    if (!el) return std::nullopt;
    return elementProperty(screen.Get(*el), name.substr(dot + 1));
}

std::optional<std::string> timerValue(const Scheduler& timers, std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    auto id = TimerByName(name.substr(0, dot));
    if (!id) return std::nullopt;
    const std::string_view prop = name.substr(dot + 1);
    if (prop == "running") return flag(timers.Running(*id));
    if (prop == "interval") return std::to_string(timers.Interval(*id));
    return std::nullopt;
}

std::optional<std::string> settingValue(const Settings& settings, std::string_view name) {
    auto opt = ControlByName(name);
    if (!opt) return std::nullopt;
    const ControlKind kind = KindOf(*opt);
    if (kind == ControlKind::CheckBox || kind == ControlKind::Radio) return flag(settings.On(*opt));
    return settings.Text(*opt);
}

// The debrief of the scenario that ended, until the next one starts: Debrief (the log's lines),
// .count, .line(N), .last, each figure by name (and its .shown, .target, .verdict), HandsOff(N)
// as "from-to".
std::optional<std::string> debriefValue(const Engine& e, std::string_view name) {
    if (!e.log.Ended()) return std::nullopt;
    const std::string_view what = name.substr(7);
    if (what.empty() || what == ".count" || what == ".last" || what.starts_with(".line(")) {
        std::vector<std::string> lines;
        for (const LogEvent& event : e.log.Events())
            lines.push_back(LogLine(event));
        return namedList(lines, name);
    }
    if (!what.starts_with(".")) return std::nullopt;
    std::string_view figure = what.substr(1);
    // A figure's value, or as the window shows it: .shown, .target, .verdict.
    std::string_view part;
    if (const size_t dot = figure.find('.'); dot != std::string_view::npos) {
        part = figure.substr(dot + 1);
        figure = figure.substr(0, dot);
        if (part != "shown" && part != "target" && part != "verdict") return std::nullopt;
    }
    const DebriefFigures f = ComputeFigures(e.log);
    for (const FigureRow& row : FigureRows(f)) {
        if (row.name != figure) continue;
        if (part.empty()) return row.value;
        if (part == "shown") return row.shown;
        if (part == "target") return row.target;
        return !row.met ? "" : *row.met ? "met" : "missed";
    }
    const auto numbered = [&](std::string_view list) -> std::optional<int> {
        if (!figure.starts_with(list) || !figure.ends_with(")")) return std::nullopt;
        return WholeNumber(figure.substr(list.size(), figure.size() - list.size() - 1));
    };
    if (const auto n = numbered("HandsOff(")) {
        if (!part.empty()) return std::nullopt;
        if (*n < 1 || static_cast<size_t>(*n) > f.handsOff.size()) return std::string();
        const Span& gap = f.handsOff[static_cast<size_t>(*n) - 1];
        return std::to_string(gap.from) + "-" + std::to_string(gap.to);
    }
    // A shock that was never given has no pauses; a stretch of CPR without compressions by key
    // has no rates.
    if (numbered("PreShockPause(") || numbered("PostShockPause(")) return std::string();
    if (numbered("CompressionRate(") || numbered("RateInTarget(")) return std::string();
    return std::nullopt;
}

// NAME.usable: whether the control, menu item, pad, field or spin button can be used now, by the
// rule the input commands go by.
std::optional<std::string> usableValue(const Engine& e, std::string_view name) {
    if (!endsWith(name, ".usable")) return std::nullopt;
    const std::string_view control = name.substr(0, name.size() - 7);
    if (!ElementNamed(control) && !ControlByName(control)) return std::nullopt;
    return flag(CanUse(e, control));
}

}  // namespace

bool PathWritable(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

std::optional<std::string> LookUp(const NameContext& c, std::string_view name) {
    const Engine& e = c.engine;
    if (name == "time") return std::to_string(e.timers.Now());
    if (name == "ended") return flag(e.ended);
    if (name == "SettingsChanged") return flag(e.settings.Changed());
    if (name == "focus") {
        const std::optional<El> focus = e.screen.Focus();
        return focus ? std::string(NameOf(*focus)) : std::string();
    }
    if (name == "MailSettingsChanged") return flag(e.mailSettingsChanged);
    if (name == "MailConnected") return flag(e.mail && e.mail->MailConnected);
    if (name == "MailSent") return flag(e.mail && e.mail->MailSent);
    if (name == "Dialog.last") return c.dialogs.last;
    if (name.starts_with("ErrorList"))
        return namedList(e.screen.Get(El::SummaryErrors).lines, name);
    if (name.starts_with("Debrief")) return debriefValue(e, name);
    if (name.starts_with("Draw")) return namedList(drawLines(e), name);
    if (name.starts_with("print:job")) return printJobValue(c.printer.lastJob, name.substr(9));
    if (name == "Sound.log") return join(c.sound.log);
    if (name == "Sound.last") return c.sound.log.empty() ? std::string() : c.sound.log.back();
    if (name.starts_with("file:")) return fileValue(e, name.substr(5));
    if (name.starts_with("sql:")) return sqlValue(e, name.substr(4));
    if (auto v = usableValue(e, name)) return v;
    if (auto v = timerValue(e.timers, name)) return v;
    if (auto v = settingValue(e.settings, name)) return v;
    if (auto v = FieldText(e.state, name)) return v;
    return elementValue(e.screen, name);
}

}  // namespace ardentix::script
