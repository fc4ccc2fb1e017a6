#include "mail/smtp_client.h"

#include <algorithm>
#include <utility>

#include "mail/mail_files.h"

// The connection: lookup, opening, greeting, the reading of replies, aborts and hang-ups. The
// EHLO, encryption and log-in are in smtp_hello.cpp, the send itself in smtp_send.cpp.
namespace ardentix {

namespace {

// A reply that cannot be shown as it is: nothing printable in it.
constexpr const char* kUnreadableReply = "Unreadable server reply";

std::string shownReply(const SmtpReply& reply) {
    const bool printable = std::any_of(reply.text.begin(), reply.text.end(), [](char c) {
        return static_cast<unsigned char>(c) > 32 && c != 127;
    });
    return printable ? reply.text : kUnreadableReply;
}

}  // namespace

TSmtpClient::TSmtpClient() : ReadAttachment(ReadAttachmentFile) {}

bool TSmtpClient::Busy() const {
    return phase_ != Phase::Closed && phase_ != Phase::Idle;
}

void TSmtpClient::emit(SmtpEvent::Kind kind, std::string text, int number) {
    events_.emplace_back(kind, std::move(text), number);
}

// Ends the connect or send in progress with an error; the connection, if any, stays as it is.
void TSmtpClient::fail(const std::string& text) {
    sendAfterConnect_ = false;
    if (connected_) phase_ = Phase::Idle;
    if (!connected_) phase_ = Phase::Closed;
    emit(SmtpEvent::Kind::Error, text);
}

void TSmtpClient::closeConnection() {
    emit(SmtpEvent::Kind::Close);
    const bool was = connected_;
    connected_ = false;
    encrypted_ = false;
    phase_ = Phase::Closed;
    reader_.Clear();
    output_.clear();
    unwritten_.clear();
    if (was) emit(SmtpEvent::Kind::Disconnect);
}

// Every reply belongs to the command just sent: what the server sent before it is dropped, so a
// stray line can never be read as the answer.
void TSmtpClient::command(const std::string& text, Phase awaiting) {
    reader_.Clear();
    replyNumber_ = 0;
    output_ += text + "\r\n";
    unwritten_.push_back({text.size() + 2, false});
    phase_ = awaiting;
}

void TSmtpClient::Connect() {
    if (Busy()) return;
    if (connected_) {
        emit(SmtpEvent::Kind::Error, "Already connected");
        return;
    }
    if (HoldsLineBreak(UserID)) {
        emit(SmtpEvent::Kind::Error, LineBreakRefusal("SMTP User ID"));
        return;
    }
    lookUpRetried_ = false;
    heloRetried_ = false;
    encrypted_ = false;
    extensions_ = {};
    startLookUp();
}

void TSmtpClient::startLookUp() {
    if (IsDottedAddress(Host)) {
        open(Host);
        return;
    }
    phase_ = Phase::LookUp;
    emit(SmtpEvent::Kind::LookUp, Host);
}

void TSmtpClient::open(const std::string& address) {
    phase_ = Phase::Opening;
    emit(Security == MailSecurity::Tls ? SmtpEvent::Kind::OpenTls : SmtpEvent::Kind::Open, address,
         Port);
}

void TSmtpClient::HostFound(const std::string& address) {
    if (phase_ != Phase::LookUp) return;
    emit(SmtpEvent::Kind::HostResolved);
    open(address);
}

void TSmtpClient::HostNotFound() {
    if (phase_ != Phase::LookUp) return;
    if (!lookUpRetried_) {
        lookUpRetried_ = true;
        emit(SmtpEvent::Kind::InvalidHost, Host);
        if (OnInvalidHost && OnInvalidHost(Host)) {
            startLookUp();
            return;
        }
    }
    fail("Null Remote Address");
}

void TSmtpClient::connectFailed(const std::string& text) {
    emit(SmtpEvent::Kind::Close);
    phase_ = Phase::Closed;
    emit(SmtpEvent::Kind::ConnectionFailed);
    fail(text);
}

void TSmtpClient::Opened() {
    if (phase_ != Phase::Opening) return;
    connected_ = true;
    // An implicit TLS connection is answered only once its handshake is done.
    encrypted_ = Security == MailSecurity::Tls;
    reader_.Clear();
    replyNumber_ = 0;
    phase_ = Phase::Greeting;
}

void TSmtpClient::OpenFailed() {
    if (phase_ == Phase::Opening) connectFailed("Connection Failed");
}

void TSmtpClient::Abort() {
    switch (phase_) {
        case Phase::Closed:
            return;
        case Phase::LookUp:
            emit(SmtpEvent::Kind::Close);
            fail("Host Lookup Canceled");
            return;
        case Phase::Opening:
            connectFailed("Connection Canceled");
            return;
        case Phase::Idle:
            closeConnection();
            return;
        case Phase::Transfer:
            // The server is inside the message data: only a new connection gets out of it.
            closeConnection();
            fail("Socket send aborted");
            return;
        default:
            // A reply still on its way would be read as the answer to the next command.
            closeConnection();
            fail("Socket readln aborted");
            return;
    }
}

void TSmtpClient::TimedOut() {
    if (phase_ == Phase::LookUp) {
        emit(SmtpEvent::Kind::Close);
        fail("Host Lookup Timed Out");
    } else if (phase_ == Phase::Opening) {
        connectFailed("Connection Timed out");
    } else if (Busy()) {
        Abort();
    }
}

void TSmtpClient::Closed() {
    if (phase_ == Phase::Opening) {
        connectFailed("Connection Failed");
        return;
    }
    if (!connected_) return;
    const bool busy = Busy();
    connected_ = false;
    encrypted_ = false;
    phase_ = Phase::Closed;
    reader_.Clear();
    output_.clear();
    unwritten_.clear();
    emit(SmtpEvent::Kind::Disconnect);
    // A reply that can no longer come must not be waited for.
    if (busy) fail("Connection closed");
}

void TSmtpClient::Received(std::string_view bytes) {
    switch (phase_) {
        case Phase::Greeting:
        case Phase::Ehlo:
        case Phase::Helo:
        case Phase::StartTls:
        case Phase::AuthPlain:
        case Phase::AuthLogin:
        case Phase::AuthName:
        case Phase::AuthPassword:
        case Phase::Rset:
        case Phase::MailFrom:
        case Phase::RcptTo:
        case Phase::Data:
        case Phase::Dot:
            reader_.Feed(bytes);
            readReplies();
            return;
        default:
            // Nothing was asked: the bytes answer nothing. During the handshake this includes
            // whatever the server sent in clear after its STARTTLS reply.
            return;
    }
}

void TSmtpClient::readReplies() {
    SmtpReply reply;
    // A reply makes the client send its next command, which drops anything read after it.
    while (reader_.Buffered() > 0 && Busy() && phase_ != Phase::Transfer &&
           phase_ != Phase::Handshake) {
        const ReplyReader::Status status = reader_.Next(reply);
        if (status == ReplyReader::Status::Waiting) return;
        if (status == ReplyReader::Status::Malformed) {
            onMalformed(reply);
            return;
        }
        replyNumber_ = reply.code;
        onReply(reply);
    }
}

void TSmtpClient::onMalformed(const SmtpReply& reply) {
    replyNumber_ = 0;
    if (phase_ == Phase::Dot) emit(SmtpEvent::Kind::Failure);
    // The dialogue is out of step: nothing after this could be trusted.
    closeConnection();
    fail(shownReply(reply));
}

void TSmtpClient::onReply(const SmtpReply& reply) {
    switch (phase_) {
        case Phase::Greeting:
            onGreetingReply(reply);
            return;
        case Phase::Ehlo:
            onEhloReply(reply);
            return;
        case Phase::Helo:
            onHeloReply(reply);
            return;
        case Phase::StartTls:
            onStartTlsReply(reply);
            return;
        case Phase::AuthPlain:
        case Phase::AuthLogin:
        case Phase::AuthName:
        case Phase::AuthPassword:
            onAuthReply(reply);
            return;
        default:
            onSendReply(reply);
            return;
    }
}

void TSmtpClient::onGreetingReply(const SmtpReply& reply) {
    if (reply.code / 100 != 2) {
        closeConnection();
        fail(shownReply(reply));
        return;
    }
    sendEhlo();
}

std::string TSmtpClient::TakeOutput() {
    return std::exchange(output_, {});
}

std::vector<SmtpEvent> TSmtpClient::TakeEvents() {
    return std::exchange(events_, {});
}

bool IsLinkRequest(SmtpEvent::Kind kind) {
    using Kind = SmtpEvent::Kind;
    return kind == Kind::LookUp || kind == Kind::Open || kind == Kind::OpenTls ||
           kind == Kind::StartTls || kind == Kind::Close;
}

bool IsDottedAddress(std::string_view host) {
    int parts = 0;
    size_t i = 0;
    while (i < host.size()) {
        size_t digits = 0;
        int value = 0;
        for (; i < host.size() && host[i] >= '0' && host[i] <= '9' && digits < 4; ++i, ++digits)
            value = value * 10 + (host[i] - '0');
        if (digits == 0 || digits > 3 || value > 255) return false;
        ++parts;
        if (i == host.size()) break;
        if (host[i] != '.' || parts == 4) return false;
        ++i;
        if (i == host.size()) return false;
    }
    return parts == 4;
}

std::string StatusText(const SmtpEvent& event) {
    using Kind = SmtpEvent::Kind;
    switch (event.kind) {
        case Kind::Connect:
            return "Connected";
        case Kind::Disconnect:
            return "Disconnected";
        case Kind::HostResolved:
            return "Host Resolved";
        case Kind::SendStart:
            return "Sending message";
        case Kind::EncodeStart:
            return "Encoding " + event.text;
        case Kind::EncodeEnd:
            return "Finished encoding " + event.text;
        case Kind::PacketSent:
            return std::to_string(event.sent) + " bytes of " + std::to_string(event.total) +
                   " sent";
        case Kind::Success:
            return "Test results sent successfully";
        case Kind::Failure:
            return "Failed";
        default:
            return {};
    }
}

}  // namespace ardentix
