#include <algorithm>
#include <array>
#include <utility>

#include "core/engine.h"
#include "mail/mail_session.h"
#include "mail/mail_window.h"
#include "mail/server_settings.h"

// What the e-mail window does with the client's events, and the way between the client and the
// MailLink of the front end.
namespace ardentix {

namespace {

using Kind = SmtpEvent::Kind;

constexpr const char* kSentManual = "Test results sent successfully. Click OK and then CLOSE.";
constexpr const char* kSentAuto = "Test results sent successfully.";
constexpr const char* kSendFailed = "Attempt to send file failed. Report file was not sent.";
constexpr const char* kNoConnection =
    "Cannot establish Internet connection. Report file was not sent. Do you want to save the file "
    "so that you can send it later with an email program?";
constexpr const char* kConnectionRequired = "Connection Required. Connect?";
constexpr const char* kInvalidAuto =
    "E-mail address information invalid. Results not sent. Please inform your system "
    "administrator.";
constexpr const char* kIncomplete =
    "E-mail address information incomplete. Results not sent. Please inform your system "
    "administration.";
constexpr const char* kAuthenticationFailed = "Authentication Failed.";
constexpr const char* kAcceptAdvice =
    "If this is the fingerprint of your own server's certificate, tick \"Accept this server's "
    "certificate\" and connect again.";
// The client's error when no server was found for the name.
constexpr const char* kNoAddress = "Null Remote Address";

void weights(Engine& e, bool connect, bool send, bool close) {
    e.screen.Edit(El::MailCONNECTButton).bold = connect;
    e.screen.Edit(El::MailEMAILSENDBUTTON).bold = send;
    e.screen.Edit(El::MailTClose).bold = close;
}

// Sending, the results file joins the attachments once the connection stands, listed once
// however often the trainee connects again.
void connected(Engine& e, const SmtpEvent&) {
    MailSession& m = Session(e);
    m.MailConnected = true;
    e.screen.Edit(El::MailCONNECTButton).bold = false;
    e.screen.Edit(El::MailEMAILSENDBUTTON).bold = true;
    if (!m.sending) return;
    std::vector<std::string>& files = e.screen.Edit(El::MailATTACHEDFILEs).lines;
    const std::string results = SessionResultsFile(e);
    if (std::find(files.begin(), files.end(), results) == files.end()) files.push_back(results);
}

void hostResolved(Engine& e, const SmtpEvent&) {
    Session(e).unknownHost.clear();
}

// The instructor may accept the certificate the server just showed; the error that follows
// shows its fingerprint.
void certificateRefused(Engine& e, const SmtpEvent& event) {
    MailSession& m = Session(e);
    m.refusedCertificate = event.text;
    m.showFingerprint = true;
    ShowCertificateChoice(e);
}

void disconnected(Engine& e, const SmtpEvent&) {
    Session(e).MailConnected = false;
    e.screen.Edit(El::MailCONNECTButton).bold = true;
}

// The success keeps MailSent until the window closes, so that closing it does not offer to save
// what went out; the results file goes at once.
void succeeded(Engine& e, const SmtpEvent&) {
    MailSession& m = Session(e);
    m.MailSent = true;
    e.Message(BoxKind::Information, BoxButtons::Ok,
              e.settings.On(Opt::OPTEmail) ? kSentManual : kSentAuto);
    weights(e, false, false, true);
    if (m.sending) DiscardResultsFileIfDone(e);
    if (!m.autoSend) return;
    // An automatic send has nothing left for the trainee to do in the window.
    m.autoSend = false;
    ReportHandedOver(e);
    CloseMailWindow(e);
}

void failed(Engine& e, const SmtpEvent&) {
    e.Message(BoxKind::Error, BoxButtons::Ok, kSendFailed);
}

void connectionFailed(Engine& e, const SmtpEvent&) {
    weights(e, true, false, false);
    MailSession& m = Session(e);
    // Only results can be saved, and a window closing by itself has no question to ask.
    if (!m.sending || m.closing) return;
    if (e.Message(BoxKind::Confirmation, BoxButtons::YesNo, kNoConnection) == BoxAnswer::Yes)
        SaveTestReport(e);
}

// An error ends the button's action; the window stays open for another attempt or for Close.
void errorEnded(Engine& e, const SmtpEvent& event) {
    MailSession& m = Session(e);
    m.sendWhenConnected = false;
    if (m.closing) m.showFingerprint = false;
    if (event.text == kNoAddress) m.unknownHost = e.screen.Get(El::MailSMTPSERV).text;
    if (m.closing) return;
    // An automatic send ends here: Send Report stays and the series is still counted.
    m.autoSend = false;
    std::string text = event.text;
    if (std::exchange(m.showFingerprint, false)) {
        text += "\n\nSHA-256 fingerprint of the server's certificate:\n" +
                SpacedFingerprint(m.refusedCertificate);
        if (!m.sending) text += "\n\n" + std::string(kAcceptAdvice);
    }
    e.Message(BoxKind::Error, BoxButtons::Ok, text);
}

struct EventRule {
    Kind kind;
    void (*act)(Engine&, const SmtpEvent&);
};

// The events with more to them than their status line (StatusText). Host resolved, send start,
// encoding and progress show only that; a refused recipient does nothing; invalid host,
// connection required, authentication failed and header incomplete were asked as questions.
constexpr std::array<EventRule, 8> kEventRules = {{
    {Kind::Connect, connected},
    {Kind::HostResolved, hostResolved},
    {Kind::CertificateRefused, certificateRefused},
    {Kind::Disconnect, disconnected},
    {Kind::Success, succeeded},
    {Kind::Failure, failed},
    {Kind::ConnectionFailed, connectionFailed},
    {Kind::Error, errorEnded},
}};

void request(Engine& e, const SmtpEvent& event) {
    TSmtpClient& client = Session(e).client;
    MailLink* link = e.ports.mail;
    switch (event.kind) {
        case Kind::LookUp:
            if (link)
                link->LookUp(event.text);
            else
                client.HostNotFound();
            return;
        case Kind::Open:
        case Kind::OpenTls:
            if (link) {
                const TlsPeer peer = client.Peer();
                link->Open(event.text, event.number, event.kind == Kind::OpenTls ? &peer : nullptr);
            } else {
                client.OpenFailed();
            }
            return;
        case Kind::StartTls:
            if (link)
                link->StartTls(client.Peer());
            else
                client.TlsFailed("No connection", {});
            return;
        case Kind::Close:
            if (link) link->Close();
            return;
        default:
            return;
    }
}

void report(Engine& e, const SmtpEvent& event) {
    if (IsLinkRequest(event.kind)) {
        request(e, event);
        return;
    }
    const std::string status = StatusText(event);
    if (!status.empty()) e.screen.Edit(El::MailStatusBar1).text = status;
    for (const EventRule& rule : kEventRules) {
        if (rule.kind == event.kind) rule.act(e, event);
    }
}

// The client's questions, asked while it works: a box, and whether the user wants it handled.
void askQuestions(Engine& e, TSmtpClient& client) {
    client.OnInvalidHost = [&e](std::string& host) {
        if (e.settings.On(Opt::OPTAUTOSend)) {
            e.Message(BoxKind::Warning, BoxButtons::Ok, kInvalidAuto);
            return false;
        }
        const std::string typed = e.screen.Get(El::MailSMTPSERV).text;
        const std::optional<std::string> corrected =
            e.ports.dialogs->Input("Invalid SMTP server!", "Specify the correct name:", typed);
        if (!corrected) return false;
        // The name that works is the one the window shows, and keeps when it is saved.
        MailTypeField(e, El::MailSMTPSERV, *corrected);
        const std::optional<ServerName> name = ParseServerName(*corrected);
        host = name ? name->host : *corrected;
        if (name && name->port) Session(e).client.Port = *name->port;
        return true;
    };
    client.OnConnectionRequired = [&e] {
        if (Session(e).sendWhenConnected) return true;
        return e.Message(BoxKind::Confirmation, BoxButtons::OkCancel, kConnectionRequired) ==
               BoxAnswer::Ok;
    };
    client.OnAuthenticationFailed = [&e] {
        e.Message(BoxKind::Error, BoxButtons::Ok, kAuthenticationFailed);
        return false;
    };
    client.OnHeaderIncomplete = [&e](int) {
        e.Message(BoxKind::Warning, BoxButtons::Ok, kIncomplete);
        return false;
    };
}

}  // namespace

MailSession& Session(Engine& e) {
    if (!e.mail) {
        e.mail = std::make_shared<MailSession>();
        askQuestions(e, e.mail->client);
    }
    return *e.mail;
}

void PumpMail(Engine& e) {
    MailSession& m = Session(e);
    // A handler that calls the client again (a success closing the window) leaves what follows
    // to the loop already running.
    if (m.pumping) return;
    m.pumping = true;
    for (;;) {
        std::string output = m.client.TakeOutput();
        std::vector<SmtpEvent> events = m.client.TakeEvents();
        if (output.empty() && events.empty()) break;
        // Bytes are only ever written on an open connection: a close drops what was not taken.
        if (!output.empty() && e.ports.mail) e.ports.mail->Write(output);
        for (const SmtpEvent& event : events)
            report(e, event);
    }
    m.pumping = false;
}

void MailLinkAnswer(Engine& e, const LinkAnswer& answer) {
    TSmtpClient& client = Session(e).client;
    switch (answer.kind) {
        case LinkAnswer::Kind::HostFound:
            client.HostFound(answer.text);
            break;
        case LinkAnswer::Kind::HostNotFound:
            client.HostNotFound();
            break;
        case LinkAnswer::Kind::Opened:
            client.Opened();
            break;
        case LinkAnswer::Kind::OpenFailed:
            client.OpenFailed();
            break;
        case LinkAnswer::Kind::Received:
            client.Received(answer.text);
            break;
        case LinkAnswer::Kind::Written:
            client.Written(answer.count);
            break;
        case LinkAnswer::Kind::Closed:
            client.Closed();
            break;
        case LinkAnswer::Kind::Encrypted:
            client.EncryptionDone();
            break;
        case LinkAnswer::Kind::TlsFailed:
            client.TlsFailed(answer.text, answer.fingerprint);
            break;
    }
    PumpMail(e);
}

bool MailBusy(const Engine& e) {
    return e.mail && e.mail->client.Busy();
}

void MailTimedOut(Engine& e) {
    Session(e).client.TimedOut();
    PumpMail(e);
}

}  // namespace ardentix
