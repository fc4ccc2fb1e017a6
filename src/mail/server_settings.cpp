#include "mail/server_settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>

#include "core/name_value.h"
#include "mail/message.h"

namespace ardentix {

namespace {

constexpr std::array<const char*, 3> kSecurityChoices = {kSecurityNone, kSecurityStartTls,
                                                         kSecurityTls};

// A label of a host name: letters, digits, "-" and "_" (found on many networks' own hosts),
// and the bytes of names written in other alphabets, which the lookup turns into their ASCII
// form; not beginning or ending with "-".
bool hostLabel(std::string_view label) {
    if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
        return false;
    return std::all_of(label.begin(), label.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return std::isalnum(u) || c == '-' || c == '_' || u >= 0x80;
    });
}

bool hostName(std::string_view name) {
    if (!name.empty() && name.back() == '.') name.remove_suffix(1);
    if (name.empty() || name.size() > 253) return false;
    size_t start = 0;
    for (;;) {
        const size_t dot = name.find('.', start);
        if (!hostLabel(name.substr(start, dot == std::string_view::npos ? dot : dot - start)))
            return false;
        if (dot == std::string_view::npos) return true;
        start = dot + 1;
    }
}

bool ipv6Address(std::string_view text) {
    return text.find(':') != std::string_view::npos && text.size() <= 45 &&
           std::all_of(text.begin(), text.end(), [](char c) {
               return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
           });
}

std::optional<ServerName> refuse(std::string* why, const char* reason) {
    if (why) *why = reason;
    return std::nullopt;
}

}  // namespace

std::optional<int> PortNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || text.front() == '+' || error != std::errc() ||
        end != text.data() + text.size() || value < 1 || value > 65535)
        return std::nullopt;
    return value;
}

std::optional<std::string> SecurityChoice(std::string_view text) {
    for (const char* choice : kSecurityChoices) {
        if (SameTextIgnoringCase(text, choice)) return std::string(choice);
    }
    return std::nullopt;
}

std::optional<std::string> Fingerprint(std::string_view text) {
    if (text.size() != 64) return std::nullopt;
    std::string lower;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::string SpacedFingerprint(std::string_view fingerprint) {
    std::string text;
    for (size_t i = 0; i < fingerprint.size(); ++i) {
        if (i > 0 && i % 2 == 0) text += ':';
        text += static_cast<char>(std::toupper(static_cast<unsigned char>(fingerprint[i])));
    }
    return text;
}

std::vector<std::string> ServerSettingsLines(const ServerSettings& s) {
    return {"Port=" + s.port,
            "Security=" + s.security,
            "User=" + s.user,
            "Password=" + s.password,
            std::string("AllowPlainLogin=") + (s.allowPlainLogin ? "1" : "0"),
            "AcceptedCertificate=" + s.acceptedCertificate};
}

ServerSettings ServerSettingsFromLines(const std::vector<std::string>& lines) {
    ServerSettings s;
    for (const std::string& line : lines) {
        const std::optional<NameValue> split = SplitNameValue(line);
        if (!split) continue;
        const std::string_view name = split->name;
        const std::string value(split->value);
        if (SameTextIgnoringCase(name, "Port")) {
            if (PortNumber(TrimBlanks(value))) s.port = std::string(TrimBlanks(value));
        } else if (SameTextIgnoringCase(name, "Security")) {
            s.security = SecurityChoice(TrimBlanks(value)).value_or(kSecurityNone);
        } else if (SameTextIgnoringCase(name, "User")) {
            s.user = value;
        } else if (SameTextIgnoringCase(name, "Password")) {
            s.password = value;
        } else if (SameTextIgnoringCase(name, "AllowPlainLogin")) {
            s.allowPlainLogin = TrimBlanks(value) == "1";
        } else if (SameTextIgnoringCase(name, "AcceptedCertificate")) {
            s.acceptedCertificate = Fingerprint(TrimBlanks(value)).value_or("");
        }
    }
    return s;
}

bool ServerSettingsExist(const std::string& dir) {
    return ProgramFileExists(dir, kOption4File);
}

FileFailure ReadServerSettings(const std::string& dir, ServerSettings& settings) {
    std::vector<std::string> lines;
    if (FileFailure failure = ReadTextLines(ProgramFile(dir, kOption4File), lines)) return failure;
    settings = ServerSettingsFromLines(lines);
    return std::nullopt;
}

FileFailure WriteServerSettings(const std::string& dir, const ServerSettings& settings) {
    if (HoldsLineBreak(settings.user)) return LineBreakRefusal("user name");
    if (HoldsLineBreak(settings.password)) return LineBreakRefusal("password");
    return ReplaceTextLines(ProgramFile(dir, kOption4File), ServerSettingsLines(settings),
                            FileReaders::OwnerOnly);
}

std::optional<ServerName> ParseServerName(std::string_view text, std::string* why) {
    text = TrimBlanks(text);
    if (text.empty()) return refuse(why, "no server name was given");
    ServerName server;
    std::string_view host = text;
    std::string_view port;
    if (text.front() == '[') {
        const size_t close = text.find(']');
        if (close == std::string_view::npos) return refuse(why, "a \"[\" is not closed");
        host = text.substr(1, close - 1);
        const std::string_view rest = text.substr(close + 1);
        if (!rest.empty() && rest.front() != ':')
            return refuse(why, "only \":\" and a port may follow \"]\"");
        if (!rest.empty()) port = rest.substr(1);
        if (!ipv6Address(host)) return refuse(why, "the address in brackets is no IPv6 address");
        if (!rest.empty() && port.empty()) return refuse(why, "the port after \":\" is missing");
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        const size_t colon = text.find(':');
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
        if (port.empty()) return refuse(why, "the port after \":\" is missing");
    } else if (ipv6Address(text)) {
        server.host = std::string(text);
        return server;
    }
    if (!port.empty()) {
        server.port = PortNumber(port);
        if (!server.port) return refuse(why, "the port must be a number from 1 to 65535");
    }
    if (text.front() != '[' && !hostName(host))
        return refuse(why, "a server name holds only letters, digits, \"-\" and \".\"");
    server.host = std::string(host);
    return server;
}

}  // namespace ardentix
