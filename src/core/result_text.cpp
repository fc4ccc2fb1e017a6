#include "core/result_text.h"

#include <charconv>
#include <cmath>
#include <map>
#include <type_traits>
#include <vector>

namespace ardentix {

namespace {

constexpr std::string_view kForm = "result=1";
// The last field: a line cut short between two fields lacks it.
constexpr std::string_view kEnd = "end";

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '|':
                out += "\\p";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 'p':
                out += '|';
                break;
            default:
                return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

template <typename Number>
std::optional<Number> number(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value)) return std::nullopt;
    }
    return value;
}

std::string decimal(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : "0";
}

class Writer {
  public:
    void Add(std::string_view name, std::string_view value) {
        line_ += '\t';
        line_ += name;
        line_ += '=';
        line_ += escaped(value);
    }
    void AddParts(std::string_view name, std::initializer_list<std::string_view> parts) {
        line_ += '\t';
        line_ += name;
        line_ += '=';
        bool first = true;
        for (std::string_view part : parts) {
            if (!first) line_ += '|';
            line_ += escaped(part);
            first = false;
        }
    }
    std::string line_{kForm};
};

// The fields of a line by name, each list field in its order.
struct Fields {
    std::map<std::string, std::string, std::less<>> single;
    std::vector<std::string> errors;
    std::vector<std::vector<std::string>> events, figures;
};

std::optional<std::vector<std::string>> parts(std::string_view value, size_t count) {
    std::vector<std::string> out;
    for (std::string_view part : split(value, '|')) {
        auto text = unescaped(part);
        if (!text) return std::nullopt;
        out.push_back(std::move(*text));
    }
    if (out.size() != count) return std::nullopt;
    return out;
}

std::optional<Fields> fields(std::string_view line) {
    const auto all = split(line, '\t');
    if (all.front() != kForm || all.size() < 2 || all.back() != kEnd) return std::nullopt;
    Fields f;
    for (size_t i = 1; i + 1 < all.size(); ++i) {
        const size_t eq = all[i].find('=');
        if (eq == std::string_view::npos) return std::nullopt;
        const std::string_view name = all[i].substr(0, eq);
        const std::string_view value = all[i].substr(eq + 1);
        if (name == "event" || name == "figure") {
            auto p = parts(value, name == "event" ? 5 : 2);
            if (!p) return std::nullopt;
            (name == "event" ? f.events : f.figures).push_back(std::move(*p));
            continue;
        }
        auto text = unescaped(value);
        if (!text) return std::nullopt;
        if (name == "error") {
            f.errors.push_back(std::move(*text));
        } else {
            f.single[std::string(name)] = std::move(*text);
        }
    }
    return f;
}

}  // namespace

std::string PendingLine(const ScenarioResult& r) {
    Writer w;
    w.Add("uuid", r.uuid);
    w.Add("station", r.station);
    w.Add("recorded_at", r.recordedAt);
    w.Add("trainee_name", r.traineeName);
    w.Add("trainee_id", r.traineeId);
    w.Add("mode", r.mode);
    w.Add("profile", r.profile);
    w.Add("started_at", r.startedAt);
    w.Add("elapsed_ms", std::to_string(r.elapsedMs));
    if (r.firstShockMs) w.Add("first_shock_ms", std::to_string(*r.firstShockMs));
    w.Add("score", std::to_string(r.score));
    w.Add("outcome", OutcomeText(r));
    if (r.passed) w.Add("passed", *r.passed ? "1" : "0");
    if (r.cprFraction) w.Add("cpr_fraction", decimal(*r.cprFraction));
    w.Add("patient_category", std::to_string(r.patientCategory));
    w.Add("patient_age", std::to_string(r.patientAge));
    w.Add("shocks_needed", std::to_string(r.shocksNeeded));
    for (const std::string& error : r.errors)
        w.Add("error", error);
    for (const ResultEvent& ev : r.events) {
        w.AddParts("event", {std::to_string(ev.atMs), ev.kind, ev.text, ev.verdict,
                             std::to_string(ev.points)});
    }
    for (const ResultFigure& figure : r.figures)
        w.AddParts("figure", {figure.name, figure.value});
    w.line_ += "\t";
    w.line_ += kEnd;
    return std::move(w.line_);
}

std::optional<ScenarioResult> ReadPendingLine(std::string_view line) {
    auto f = fields(line);
    if (!f) return std::nullopt;
    ScenarioResult r;
    auto text = [&](const char* name, std::string& into) {
        auto it = f->single.find(name);
        if (it == f->single.end()) return false;
        into = it->second;
        return true;
    };
    auto whole = [&](const char* name, auto& into) {
        std::string value;
        if (!text(name, value)) return false;
        auto n = number<std::remove_reference_t<decltype(into)>>(value);
        if (n) into = *n;
        return n.has_value();
    };
    std::string outcome;
    if (!text("uuid", r.uuid) || !text("station", r.station) ||
        !text("recorded_at", r.recordedAt) || !text("trainee_name", r.traineeName) ||
        !text("trainee_id", r.traineeId) || !text("mode", r.mode) || !text("profile", r.profile) ||
        !text("started_at", r.startedAt) || !whole("elapsed_ms", r.elapsedMs) ||
        !whole("score", r.score) || !text("outcome", outcome) ||
        !whole("patient_category", r.patientCategory) || !whole("patient_age", r.patientAge) ||
        !whole("shocks_needed", r.shocksNeeded)) {
        return std::nullopt;
    }
    if (outcome != "completed" && outcome != "terminated") return std::nullopt;
    r.completed = outcome == "completed";
    if (f->single.contains("first_shock_ms")) {
        int64_t ms = 0;
        if (!whole("first_shock_ms", ms)) return std::nullopt;
        r.firstShockMs = ms;
    }
    if (f->single.contains("passed")) {
        const std::string& passed = f->single.find("passed")->second;
        if (passed != "0" && passed != "1") return std::nullopt;
        r.passed = passed == "1";
    }
    if (f->single.contains("cpr_fraction")) {
        double fraction = 0;
        if (!whole("cpr_fraction", fraction)) return std::nullopt;
        r.cprFraction = fraction;
    }
    r.errors = std::move(f->errors);
    for (auto& p : f->events) {
        ResultEvent ev;
        auto at = number<int64_t>(p[0]);
        auto points = number<int>(p[4]);
        if (!at || !points) return std::nullopt;
        ev.atMs = *at;
        ev.kind = std::move(p[1]);
        ev.text = std::move(p[2]);
        ev.verdict = std::move(p[3]);
        ev.points = *points;
        r.events.push_back(std::move(ev));
    }
    for (auto& p : f->figures)
        r.figures.push_back({std::move(p[0]), std::move(p[1])});
    return r;
}

}  // namespace ardentix
