#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"

// How the program reaches the mail server: the port, the encryption, the log-in and a server
// certificate the instructor accepted. OPTION3.INI keeps its own layout (its attachments run to
// the end of the file), so these live in OPTION4.INI beside it. Without that file the program
// talks plain SMTP on port 25 without a log-in.
namespace ardentix {

inline constexpr const char* kOption4File = "OPTION4.INI";

// The security choices as the window shows them.
inline constexpr const char* kSecurityNone = "None";
inline constexpr const char* kSecurityStartTls = "STARTTLS";
inline constexpr const char* kSecurityTls = "TLS";

struct ServerSettings {
    std::string port = "25";
    std::string security = kSecurityNone;
    std::string user;
    std::string password;
    // A log-in may go over a connection that is not encrypted.
    bool allowPlainLogin = false;
    // The SHA-256 fingerprint of a server certificate accepted although it does not verify, 64
    // lowercase hexadecimal digits; empty when none is.
    std::string acceptedCertificate;

    bool operator==(const ServerSettings&) const = default;
};

// A TCP port number from 1 to 65535, written in decimal digits only.
std::optional<int> PortNumber(std::string_view text);
// One of the three security choices, compared without regard to case; nothing for any other.
std::optional<std::string> SecurityChoice(std::string_view text);
// 64 hexadecimal digits, in lower case; nothing for anything else.
std::optional<std::string> Fingerprint(std::string_view text);

// A fingerprint as people compare it: pairs of upper-case digits separated by ":".
std::string SpacedFingerprint(std::string_view fingerprint);

// The file's lines: "Port=", "Security=", "User=", "Password=", "AllowPlainLogin=" (1 or 0) and
// "AcceptedCertificate=", each name followed by its value.
std::vector<std::string> ServerSettingsLines(const ServerSettings& settings);
// Reads them back. Names are compared without regard to case; a value runs from the first "="
// to the end of the line, so a password may hold "=" and blanks. Unknown lines, and values that
// are not a port, a security choice or a fingerprint, leave the setting at its default.
ServerSettings ServerSettingsFromLines(const std::vector<std::string>& lines);

// OPTION4.INI of the program directory, found without regard to case. The file holds the
// password, so it is written readable by the program's user only; a value holding a line break
// is refused with its field's name.
bool ServerSettingsExist(const std::string& dir);
FileFailure ReadServerSettings(const std::string& dir, ServerSettings& settings);
FileFailure WriteServerSettings(const std::string& dir, const ServerSettings& settings);

// A server name as typed: "name:port" names the port as well. The name is checked as a host
// name (letters, digits, "-" and "." in labels of at most 63 characters) or a dotted address; a
// bracketed IPv6 address "[::1]:587" is taken apart too.
struct ServerName {
    std::string host;
    std::optional<int> port;  // when the text named one
};
// Nothing when the text is no server name (the reason is in why).
std::optional<ServerName> ParseServerName(std::string_view text, std::string* why = nullptr);

}  // namespace ardentix
