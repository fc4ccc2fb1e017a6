#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/files.h"
#include "core/ports.h"
#include "mail/compose.h"
#include "mail/message.h"
#include "mail/replies.h"

namespace ardentix {

// What the client tells its driver and the e-mail window, in the order it happened.
struct SmtpEvent {
    enum class Kind {
        // For the driver, which owns the socket:
        LookUp,    // look up the host in text; answer HostFound or HostNotFound
        Open,      // open a connection to the address in text and the port in number; answer
                   // Opened or OpenFailed
        OpenTls,   // as Open, encrypted from the first byte for Peer(): answer Opened once the
                   // handshake is done, OpenFailed or TlsFailed
        StartTls,  // encrypt the open connection for Peer(): answer Encrypted or TlsFailed
        Close,     // drop the connection (or the lookup or attempt) at once; no answer
        // For the window:
        HostResolved,
        InvalidHost,  // text: the host; asked through OnInvalidHost first
        ConnectionFailed,
        Connect,  // the greeting, encryption and log-in are done: connected
        Disconnect,
        ConnectionRequired,    // asked through OnConnectionRequired first
        AuthenticationFailed,  // asked through OnAuthenticationFailed first
        HeaderIncomplete,      // number: 1 no sender, 2 no recipient
        RecipientNotFound,     // text: the refused entry
        SendStart,
        EncodeStart,  // text: the attachment's path
        EncodeEnd,
        PacketSent,  // sent of total bytes of the message data
        Success,
        Failure,
        Error,  // text: what ended the connect or send
        // The server's certificate did not verify and was refused; text: its SHA-256
        // fingerprint, which the user may accept (AcceptedCertificate) for the next attempt.
        CertificateRefused,
    };
    SmtpEvent(Kind kind, std::string text = {}, int number = 0, size_t sent = 0, size_t total = 0)
        : kind(kind), text(std::move(text)), number(number), sent(sent), total(total) {}

    Kind kind;
    std::string text;
    int number;
    size_t sent;
    size_t total;

    bool operator==(const SmtpEvent&) const = default;
};

// How the connection is kept from being read on its way: not at all, STARTTLS after the EHLO
// (the submission port, 587), or TLS from the first byte (465).
enum class MailSecurity { None, StartTls, Tls };

// The SMTP dialogue of one connection as a state machine over bytes, without a socket. A driver
// (the Qt socket layer, or a script's server) owns the connection and runs it:
//
//   - the window's steps: Connect(), SendMail(), Abort();
//   - what the socket reports: HostFound/HostNotFound after a LookUp, Opened/OpenFailed after an
//     Open, EncryptionDone/TlsFailed after a StartTls (TlsFailed also after an OpenTls),
//     Received(bytes), Written(n) for the bytes the socket has taken, Closed() when the server
//     hangs up, TimedOut() when a time limit of the driver runs out;
//   - after each call: TakeOutput() gives the bytes to write, in order, and TakeEvents() what
//     happened (the requests, IsLinkRequest, are the driver's, the rest the window's).
//
// The dialogue: the greeting, EHLO (HELO when the server does not know EHLO), STARTTLS and EHLO
// again when asked for, AUTH when there is a login name, and only then "connected". Nothing
// that needs encryption is sent without it, and the password shows in no event.
//
// Nothing waits inside: every call returns at once, so the window stays usable, and a test can
// play the server's side line by line.
class TSmtpClient {
  public:
    static constexpr size_t kPieceBytes = 16383;

    std::string Host;
    int Port = 25;
    std::string UserID;
    ardentix::EncodeType EncodeType = ardentix::EncodeType::uuMime;
    // Empties the recipient lists and the attachments after each successful send.
    bool ClearParams = true;
    TMailMessage PostMessage;
    MailSecurity Security = MailSecurity::None;
    std::string LoginName;            // AUTH when not empty
    std::string Password;             // never shown in an event
    bool AllowPlainLogin = false;     // AUTH allowed on an unencrypted connection
    std::string AcceptedCertificate;  // SHA-256 fingerprint of a pinned server certificate

    // The questions that may be answered "handled"; none answered means not handled. They are
    // asked inside a call of the client and must not call it back. OnInvalidHost may change
    // the host; OnConnectionRequired handled means: connect, then go on with the send.
    std::function<bool(std::string& host)> OnInvalidHost;
    std::function<bool()> OnConnectionRequired;
    std::function<bool()> OnAuthenticationFailed;
    std::function<bool(int kind)> OnHeaderIncomplete;
    // Reads an attachment; a real file by default.
    std::function<FileFailure(const std::string& path, std::string& bytes)> ReadAttachment;

    TSmtpClient();

    void Connect();
    // Sends PostMessage; longTime is the clock's long time text, which makes the boundary.
    // Ignored while Busy.
    void SendMail(const std::string& longTime);
    void Abort();

    void HostFound(const std::string& address);
    void HostNotFound();
    void Opened();
    void OpenFailed();
    void Received(std::string_view bytes);
    void Written(size_t n);
    void Closed();
    void TimedOut();
    void EncryptionDone();
    // reason: why the handshake failed; fingerprint: the refused certificate's, or empty.
    void TlsFailed(const std::string& reason, const std::string& fingerprint);

    std::string TakeOutput();
    std::vector<SmtpEvent> TakeEvents();

    bool Busy() const;
    bool Connected() const { return connected_; }
    // The connection is under TLS now.
    bool Encrypted() const { return encrypted_; }
    // Whom an OpenTls or StartTls request is for: the host as typed and the pinned certificate.
    TlsPeer Peer() const { return {Host, AcceptedCertificate}; }
    int ReplyNumber() const { return replyNumber_; }
    size_t BytesSent() const { return bytesSent_; }
    size_t BytesTotal() const { return bytesTotal_; }

  private:
    enum class Phase {
        Closed,
        LookUp,
        Opening,
        Greeting,
        Ehlo,
        Helo,
        StartTls,   // STARTTLS sent, its reply awaited
        Handshake,  // the driver encrypts the connection
        AuthPlain,
        AuthLogin,     // "AUTH LOGIN" sent: the prompt for the name awaited
        AuthName,      // the name sent: the prompt for the password awaited
        AuthPassword,  // the password sent: the verdict awaited
        Idle,
        Rset,
        MailFrom,
        RcptTo,
        Data,
        Transfer,
        Dot
    };
    struct Segment {
        size_t bytes;
        bool data;  // a piece of the message data, counted as progress
    };

    void emit(SmtpEvent::Kind kind, std::string text = {}, int number = 0);
    void fail(const std::string& text);
    void closeConnection();
    void command(const std::string& text, Phase awaiting);

    void startLookUp();
    void open(const std::string& address);
    void connectFailed(const std::string& text);
    void closeWith(const std::string& text);
    void sendEhlo();
    void sendHelo();
    void greeted();
    void logIn();
    void connectDone();
    bool compose(const std::string& longTime);
    bool headerComplete();
    void startSend();
    void nextRecipient();
    void queuePiece();
    void endTransferIfDone();

    void readReplies();
    void onReply(const SmtpReply& reply);
    void onMalformed(const SmtpReply& reply);
    void onGreetingReply(const SmtpReply& reply);
    void onEhloReply(const SmtpReply& reply);
    void onHeloReply(const SmtpReply& reply);
    void onStartTlsReply(const SmtpReply& reply);
    void onAuthReply(const SmtpReply& reply);
    void onSendReply(const SmtpReply& reply);

    Phase phase_ = Phase::Closed;
    bool connected_ = false;
    bool lookUpRetried_ = false;
    bool heloRetried_ = false;
    bool encrypted_ = false;
    SmtpExtensions extensions_;  // of the last EHLO; none after HELO
    bool sendAfterConnect_ = false;
    int replyNumber_ = 0;
    ReplyReader reader_;
    std::string output_;
    std::vector<SmtpEvent> events_;

    ComposedMessage composed_;
    std::vector<std::string> recipients_;  // the entries of the three lists, in order
    size_t recipient_ = 0;
    size_t position_ = 0;  // of the message data handed out so far
    size_t bytesSent_ = 0;
    size_t bytesTotal_ = 0;
    std::deque<Segment> unwritten_;
};

// The events that are requests for the driver (LookUp, Open, OpenTls, StartTls, Close).
bool IsLinkRequest(SmtpEvent::Kind kind);

// The window's status line for an event, empty for events that show none.
std::string StatusText(const SmtpEvent& event);

// A host in dotted IPv4 form is used as it is, without a lookup.
bool IsDottedAddress(std::string_view host);

}  // namespace ardentix
