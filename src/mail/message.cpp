#include "mail/message.h"

#include <algorithm>
#include <cctype>

#include "core/name_value.h"

namespace ardentix {

namespace {

// The characters that end or break up an address phrase; a name holding one is quoted.
constexpr std::string_view kSpecials = "()<>[]:;@\\,.\"";

}  // namespace

std::optional<size_t> THeaderList::Find(std::string_view name) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = lines_[i];
        const size_t colon = line.find(':');
        if (colon != std::string_view::npos && SameTextIgnoringCase(line.substr(0, colon), name))
            return i;
    }
    return std::nullopt;
}

void THeaderList::SetValue(std::string_view name, const std::string& value) {
    const std::optional<size_t> found = Find(name);
    if (value.empty()) {
        if (found) lines_.erase(lines_.begin() + static_cast<long>(*found));
        return;
    }
    std::string line = std::string(name) + ": " + value;
    if (found) {
        lines_[*found] = std::move(line);
    } else {
        lines_.push_back(std::move(line));
    }
}

std::string BareAddress(std::string_view entry) {
    const size_t open = entry.find('<');
    if (open != std::string_view::npos) {
        const size_t close = entry.find('>', open + 1);
        const size_t end = close == std::string_view::npos ? entry.size() : close;
        return std::string(TrimBlanks(entry.substr(open + 1, end - open - 1)));
    }
    const size_t colon = entry.find(':');
    if (colon != std::string_view::npos) return std::string(TrimBlanks(entry.substr(colon + 1)));
    return std::string(TrimBlanks(entry));
}

std::string DisplayName(std::string_view name) {
    // A dot alone is common in names ("J. Smith") and read well by mail programs; it is quoted
    // only together with another special character.
    const bool plain = std::none_of(name.begin(), name.end(), [](char c) {
        return c != '.' && kSpecials.find(c) != std::string_view::npos;
    });
    if (plain) return std::string(name);
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

bool HoldsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string LineBreakRefusal(std::string_view field) {
    return "The " + std::string(field) + " may not hold a line break.";
}

std::optional<std::string> LineBreakInMessage(const TMailMessage& message) {
    struct Field {
        const char* name;
        const std::string* text;
    };
    const Field fields[] = {
        {"From Name", &message.FromName},
        {"From Address", &message.FromAddress},
        {"Subject", &message.Subject},
        {"Reply-To", &message.ReplyTo},
        {"Date", &message.Date},
        {"X-Mailer", &message.LocalProgram},
        {"Message-ID", &message.MessageID},
    };
    for (const Field& field : fields) {
        if (HoldsLineBreak(*field.text)) return LineBreakRefusal(field.name);
    }
    struct List {
        const char* name;
        const std::vector<std::string>* entries;
    };
    const List lists[] = {{"To Address", &message.ToAddress},
                          {"CC", &message.ToCarbonCopy},
                          {"BCC", &message.ToBlindCarbonCopy},
                          {"attachment path", &message.Attachments}};
    for (const List& list : lists) {
        if (std::any_of(list.entries->begin(), list.entries->end(), HoldsLineBreak))
            return LineBreakRefusal(list.name);
    }
    return std::nullopt;
}

}  // namespace ardentix
