#include "mail/encoder.h"
#include "mail/smtp_client.h"

// After the greeting: EHLO (HELO for a server that does not know it), STARTTLS and the log-in,
// up to "connected". Nothing that needs encryption is ever sent without it.
namespace ardentix {

namespace {

constexpr const char* kNoStartTls =
    "The server does not offer STARTTLS, so the connection cannot be encrypted. Nothing was sent.";
constexpr const char* kStartTlsRefused = "The server refused STARTTLS: ";
constexpr const char* kCertificateRefused = "The server's certificate could not be verified: ";
constexpr const char* kTlsFailed = "The encrypted connection failed: ";
constexpr const char* kLoginNotEncrypted =
    "The log-in was not sent because the connection is not encrypted. Choose STARTTLS or TLS, or "
    "tick \"Allow log-in without encryption\".";
constexpr const char* kNoAuth = "The server does not offer a log-in (AUTH).";
constexpr const char* kNoAuthMethod =
    "The server offers no log-in method this program knows (PLAIN or LOGIN).";
constexpr const char* kLoginRefused = "The server refused the log-in: ";

// The encoder's base64 lines hold whole groups of three bytes, so together they are one text.
std::string base64(std::string_view bytes) {
    std::string text;
    for (const std::string& line : TAttachmentEncoder(EncodeType::uuMime).Encode(bytes))
        text += line;
    return text;
}

}  // namespace

// Ends the connect: the connection goes, and the error says why.
void TSmtpClient::closeWith(const std::string& text) {
    closeConnection();
    fail(text);
}

void TSmtpClient::sendEhlo() {
    extensions_ = {};
    command("EHLO " + UserID, Phase::Ehlo);
}

void TSmtpClient::sendHelo() {
    extensions_ = {};
    command("HELO " + UserID, Phase::Helo);
}

void TSmtpClient::onEhloReply(const SmtpReply& reply) {
    if (reply.code / 100 == 2) {
        extensions_ = ReadExtensions(reply);
        greeted();
        return;
    }
    // A server that does not know EHLO refuses it for good; a passing trouble is no such answer.
    if (reply.code >= 500) {
        sendHelo();
        return;
    }
    closeWith(reply.text);
}

void TSmtpClient::onHeloReply(const SmtpReply& reply) {
    if (reply.code / 100 == 2) {
        greeted();
        return;
    }
    // Asked once: a second refusal ends the connect.
    if (!heloRetried_) {
        heloRetried_ = true;
        emit(SmtpEvent::Kind::AuthenticationFailed);
        if (OnAuthenticationFailed && OnAuthenticationFailed()) {
            sendHelo();
            return;
        }
    }
    closeWith("Authentication failed");
}

void TSmtpClient::greeted() {
    if (Security == MailSecurity::StartTls && !encrypted_) {
        if (!extensions_.startTls) {
            closeWith(kNoStartTls);
            return;
        }
        command("STARTTLS", Phase::StartTls);
        return;
    }
    if (!LoginName.empty()) {
        logIn();
        return;
    }
    connectDone();
}

void TSmtpClient::onStartTlsReply(const SmtpReply& reply) {
    if (reply.code != 220) {
        closeWith(kStartTlsRefused + reply.text);
        return;
    }
    // Whatever came in clear after the reply could be anybody's: it is never read.
    reader_.Clear();
    phase_ = Phase::Handshake;
    emit(SmtpEvent::Kind::StartTls);
}

void TSmtpClient::EncryptionDone() {
    if (phase_ != Phase::Handshake) return;
    encrypted_ = true;
    // What the server offered in clear may have been changed on the way: it is asked again.
    sendEhlo();
}

void TSmtpClient::TlsFailed(const std::string& reason, const std::string& fingerprint) {
    const bool opening = phase_ == Phase::Opening && Security == MailSecurity::Tls;
    if (!opening && phase_ != Phase::Handshake) return;
    if (!fingerprint.empty()) emit(SmtpEvent::Kind::CertificateRefused, fingerprint);
    closeWith((fingerprint.empty() ? kTlsFailed : kCertificateRefused) + reason);
}

void TSmtpClient::logIn() {
    if (!encrypted_ && !AllowPlainLogin) {
        closeWith(kLoginNotEncrypted);
        return;
    }
    if (!extensions_.auth) {
        closeWith(kNoAuth);
        return;
    }
    if (extensions_.Offers("PLAIN")) {
        command("AUTH PLAIN " + base64(std::string(1, '\0') + LoginName + '\0' + Password),
                Phase::AuthPlain);
        return;
    }
    if (extensions_.Offers("LOGIN")) {
        command("AUTH LOGIN", Phase::AuthLogin);
        return;
    }
    closeWith(kNoAuthMethod);
}

// LOGIN asks for the name and then the password (334 each); either way 235 lets the client in.
void TSmtpClient::onAuthReply(const SmtpReply& reply) {
    switch (phase_) {
        case Phase::AuthLogin:
            if (reply.code != 334) break;
            command(base64(LoginName), Phase::AuthName);
            return;
        case Phase::AuthName:
            if (reply.code != 334) break;
            command(base64(Password), Phase::AuthPassword);
            return;
        default:
            if (reply.code != 235) break;
            connectDone();
            return;
    }
    closeWith(kLoginRefused + reply.text);
}

void TSmtpClient::connectDone() {
    phase_ = Phase::Idle;
    emit(SmtpEvent::Kind::Connect);
    if (sendAfterConnect_) {
        sendAfterConnect_ = false;
        startSend();
    }
}

}  // namespace ardentix
