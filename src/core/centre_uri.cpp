#include "core/centre_uri.h"

#include <cctype>
#include <optional>

#include "core/name_value.h"
#include "settings/settings.h"

namespace ardentix {

namespace {

constexpr std::string_view kForm = "postgresql://user@host:port/database";

CentreUri refuse(std::string why) {
    CentreUri result;
    result.error = std::move(why);
    return result;
}

CentreUri refusePassword() {
    return refuse(
        "The centre server's address holds a password. Ardentix never keeps passwords: take it "
        "out of the address and put it into the .pgpass file of this computer's user.");
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

// %XX decoded; nothing for a "%" without two hex digits after it.
std::optional<std::string> decode(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = hexDigit(text[i + 1]);
        const int low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && SameTextIgnoringCase(text.substr(0, start.size()), start);
}

// A parameter's value goes to the client library among others, separated by blanks.
bool plainValue(std::string_view value) {
    for (char c : value) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ';' || c == '\'' || c == '\\')
            return false;
    }
    return !value.empty();
}

bool plainName(std::string_view name) {
    for (char c : name) {
        if (!std::islower(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return !name.empty();
}

}  // namespace

CentreUri ParseCentreUri(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty())
        return refuse("Enter the centre server's address as " + std::string(kForm) + ".");
    std::string_view rest;
    for (std::string_view scheme : {"postgresql://", "postgres://"}) {
        if (startsWithIgnoringCase(text, scheme)) rest = text.substr(scheme.size());
    }
    if (rest.data() == nullptr)
        return refuse("The centre server's address begins with postgresql://, as in " +
                      std::string(kForm) + ".");

    const size_t authorityEnd = rest.find_first_of("/?");
    std::string_view authority = rest.substr(0, authorityEnd);
    rest = authorityEnd == std::string_view::npos ? std::string_view{} : rest.substr(authorityEnd);

    CentreUri result;
    CentreAddress& address = result.address;
    const size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        const std::string_view user = authority.substr(0, at);
        if (user.find(':') != std::string_view::npos) return refusePassword();
        const std::optional<std::string> decoded = decode(user);
        if (!decoded) return refuse("The user name of the centre server's address is garbled.");
        address.user = *decoded;
        authority = authority.substr(at + 1);
    }
    if (address.user.empty())
        return refuse("The centre server's address names no user: " + std::string(kForm) + ".");

    std::string_view portText;
    bool hasPort = false;
    if (authority.starts_with('[')) {
        const size_t close = authority.find(']');
        if (close == std::string_view::npos)
            return refuse("The server of the centre server's address lacks its closing \"]\".");
        address.host = std::string(authority.substr(1, close - 1));
        const std::string_view after = authority.substr(close + 1);
        if (!after.empty() && !after.starts_with(':'))
            return refuse("The centre server's address has text after the server's name.");
        hasPort = !after.empty();
        if (hasPort) portText = after.substr(1);
    } else {
        const size_t colon = authority.find(':');
        hasPort = colon != std::string_view::npos;
        if (hasPort) portText = authority.substr(colon + 1);
        const std::optional<std::string> host = decode(authority.substr(0, colon));
        if (!host) return refuse("The server of the centre server's address is garbled.");
        address.host = *host;
    }
    if (address.host.empty())
        return refuse("The centre server's address names no server: " + std::string(kForm) + ".");
    if (address.host.find(',') != std::string::npos)
        return refuse("The centre server's address names more than one server.");
    if (hasPort) {
        const std::optional<int> port = WholeNumber(portText);
        if (!port || *port < 1 || *port > 65535 || portText.starts_with('-'))
            return refuse("The port of the centre server's address is a number from 1 to 65535.");
        address.port = *port;
    }

    const size_t queryStart = rest.find('?');
    std::string_view path = rest.substr(0, queryStart);
    if (path.starts_with('/')) path.remove_prefix(1);
    const std::optional<std::string> database = decode(path);
    if (!database) return refuse("The database of the centre server's address is garbled.");
    address.database = *database;
    if (address.database.empty())
        return refuse("The centre server's address names no database: " + std::string(kForm) + ".");

    std::string_view query =
        queryStart == std::string_view::npos ? std::string_view{} : rest.substr(queryStart + 1);
    while (!query.empty()) {
        const size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
        if (pair.empty()) continue;
        const size_t eq = pair.find('=');
        const std::optional<std::string> name = decode(pair.substr(0, eq));
        const std::optional<std::string> value =
            decode(eq == std::string_view::npos ? std::string_view{} : pair.substr(eq + 1));
        if (name && SameTextIgnoringCase(*name, "password")) return refusePassword();
        if (!name || !value || !plainName(*name) || !plainValue(*value))
            return refuse("The parameter \"" + std::string(pair) +
                          "\" of the centre server's address cannot be used.");
        for (std::string_view own : {"host", "hostaddr", "port", "dbname", "user"}) {
            if (*name == own)
                return refuse("Give the " + std::string(own) +
                              " in the centre server's address itself: " + std::string(kForm) +
                              ".");
        }
        address.options.emplace_back(*name, *value);
    }
    result.ok = true;
    return result;
}

std::string CentreAddressText(const CentreAddress& address) {
    const bool ipv6 = address.host.find(':') != std::string::npos;
    const std::string host = ipv6 ? "[" + address.host + "]" : address.host;
    return address.user + "@" + host + ":" + std::to_string(address.port) + "/" + address.database;
}

}  // namespace ardentix
