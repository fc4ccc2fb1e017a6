// libFuzzer target for the readers of the mail settings: OPTION3.INI (the splitting of the file
// into lines, the fields, the UU line and the attachments, and the writing back) and OPTION4.INI
// (port, security, log-in, accepted certificate), and for the server name as typed. Besides
// crashes and sanitizer reports it stops when the settings read do not write back as a file that
// reads as themselves, when a line rule of OPTION3.INI is broken (only exactly "1" selects UU,
// no empty attachment), when OPTION4.INI gives a value its reader should have refused, or when a
// server name is taken with a port outside 1 to 65535.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "mail/mail_files.h"
#include "mail/server_settings.h"

namespace {

using namespace ardentix;

void require(bool rule) {
    if (!rule) std::abort();
}

bool same(const MailSettings& a, const MailSettings& b) {
    return a.SMTPSERV == b.SMTPSERV && a.ToFIELD == b.ToFIELD &&
           a.FromADDRESSField == b.FromADDRESSField && a.CcFIELD == b.CcFIELD &&
           a.SUBJECT == b.SUBJECT && a.USERIDFIELD == b.USERIDFIELD &&
           a.RadioButtonUU == b.RadioButtonUU && a.ATTACHEDFILEs == b.ATTACHEDFILEs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = SplitLines(text);
    const MailSettings settings = MailSettingsFromLines(lines);

    require(settings.RadioButtonUU == (lines.size() > 6 && lines[6] == "1"));
    for (const std::string& file : settings.ATTACHEDFILEs)
        require(!file.empty());

    // Written and read again, the settings are what they were: the file keeps nothing twice
    // and loses nothing.
    const std::vector<std::string> written = MailSettingsLines(settings);
    require(written.size() == 7 + settings.ATTACHEDFILEs.size());
    std::string file;
    for (const std::string& line : written)
        file += line + "\r\n";
    require(same(MailSettingsFromLines(SplitLines(file)), settings));

    const ServerSettings server = ServerSettingsFromLines(lines);
    require(PortNumber(server.port).has_value());
    require(SecurityChoice(server.security) == server.security);
    require(server.acceptedCertificate.empty() ||
            Fingerprint(server.acceptedCertificate) == server.acceptedCertificate);
    std::string serverFile;
    for (const std::string& line : ServerSettingsLines(server))
        serverFile += line + "\r\n";
    require(ServerSettingsFromLines(SplitLines(serverFile)) == server);

    if (const std::optional<ServerName> name = ParseServerName(text)) {
        require(!name->host.empty());
        require(!name->port || (*name->port >= 1 && *name->port <= 65535));
    }
    return 0;
}
