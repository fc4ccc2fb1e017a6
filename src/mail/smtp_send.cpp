#include "mail/smtp_client.h"

#include <algorithm>

// The send: checking and composing the message, the envelope, the data in pieces, the end.
namespace ardentix {

namespace {

bool hasRecipient(const TMailMessage& message) {
    return !message.ToAddress.empty() || !message.ToCarbonCopy.empty() ||
           !message.ToBlindCarbonCopy.empty();
}

}  // namespace

// The header is checked and the message composed before anything is sent, so a message that
// cannot go out never opens a connection.
void TSmtpClient::SendMail(const std::string& longTime) {
    if (Busy()) return;
    if (!headerComplete()) return;
    if (!compose(longTime)) return;
    if (!connected_) {
        emit(SmtpEvent::Kind::ConnectionRequired);
        if (!(OnConnectionRequired && OnConnectionRequired())) {
            emit(SmtpEvent::Kind::Error, "Not Connected");
            return;
        }
        // Connect() reports its own errors, which then end the send as well.
        sendAfterConnect_ = true;
        Connect();
        if (!Busy()) sendAfterConnect_ = false;
        return;
    }
    startSend();
}

bool TSmtpClient::headerComplete() {
    for (int asked = 0;; ++asked) {
        const int kind = BareAddress(PostMessage.FromAddress).empty() ? 1
                         : !hasRecipient(PostMessage)                 ? 2
                                                                      : 0;
        if (kind == 0) return true;
        emit(SmtpEvent::Kind::HeaderIncomplete, {}, kind);
        if (asked > 0 || !(OnHeaderIncomplete && OnHeaderIncomplete(kind))) break;
    }
    emit(SmtpEvent::Kind::Error, "Incomplete Header");
    return false;
}

bool TSmtpClient::compose(const std::string& longTime) {
    if (auto refusal = LineBreakInMessage(PostMessage)) {
        emit(SmtpEvent::Kind::Error, *refusal);
        return false;
    }
    std::vector<std::string> contents;
    for (const std::string& path : PostMessage.Attachments) {
        emit(SmtpEvent::Kind::EncodeStart, path);
        std::string bytes;
        if (FileFailure failure = ReadAttachment(path, bytes)) {
            emit(SmtpEvent::Kind::Error, *failure);
            return false;
        }
        contents.push_back(std::move(bytes));
        emit(SmtpEvent::Kind::EncodeEnd, path);
    }
    ComposedMessage composed;
    if (auto refusal = ComposeMessage(PostMessage, EncodeType, longTime, contents, composed)) {
        emit(SmtpEvent::Kind::Error, *refusal);
        return false;
    }
    composed_ = std::move(composed);
    recipients_.clear();
    for (const auto* list :
         {&PostMessage.ToAddress, &PostMessage.ToCarbonCopy, &PostMessage.ToBlindCarbonCopy})
        recipients_.insert(recipients_.end(), list->begin(), list->end());
    return true;
}

void TSmtpClient::startSend() {
    emit(SmtpEvent::Kind::SendStart);
    bytesSent_ = 0;
    bytesTotal_ = 0;
    command("RSET", Phase::Rset);
}

// Entries without an address (an empty CC) are skipped; only the bare address is sent.
void TSmtpClient::nextRecipient() {
    while (recipient_ < recipients_.size() && BareAddress(recipients_[recipient_]).empty())
        ++recipient_;
    if (recipient_ == recipients_.size()) {
        command("DATA", Phase::Data);
        return;
    }
    command("RCPT TO:<" + BareAddress(recipients_[recipient_]) + ">", Phase::RcptTo);
}

void TSmtpClient::onSendReply(const SmtpReply& reply) {
    const int replyClass = reply.code / 100;
    switch (phase_) {
        case Phase::Rset:
            if (replyClass != 2) break;
            command("MAIL FROM:<" + BareAddress(PostMessage.FromAddress) + ">", Phase::MailFrom);
            return;
        case Phase::MailFrom:
            if (replyClass != 2) break;
            recipient_ = 0;
            nextRecipient();
            return;
        case Phase::RcptTo:
            // A refused recipient is reported and left out; the others still get the message.
            if (replyClass != 2) emit(SmtpEvent::Kind::RecipientNotFound, recipients_[recipient_]);
            ++recipient_;
            nextRecipient();
            return;
        case Phase::Data:
            if (replyClass != 3) break;
            phase_ = Phase::Transfer;
            {
                // The header lines, then two line ends, as the message data's lead-in.
                std::string header;
                for (const std::string& line : composed_.header)
                    header += line + "\r\n";
                header += "\r\n\r\n";
                output_ += header;
                unwritten_.push_back({header.size(), false});
            }
            position_ = 0;
            bytesSent_ = 0;
            bytesTotal_ = composed_.data.size();
            queuePiece();
            endTransferIfDone();
            return;
        case Phase::Dot:
            if (replyClass != 2) {
                emit(SmtpEvent::Kind::Failure);
                break;
            }
            if (ClearParams) {
                PostMessage.ToAddress.clear();
                PostMessage.ToCarbonCopy.clear();
                PostMessage.ToBlindCarbonCopy.clear();
                PostMessage.Attachments.clear();
            }
            phase_ = Phase::Idle;
            emit(SmtpEvent::Kind::Success);
            return;
        default:
            return;
    }
    // The server refused in good order: the connection stays for another attempt.
    fail(reply.text);
}

void TSmtpClient::queuePiece() {
    if (position_ >= composed_.data.size()) return;
    const size_t n = std::min(kPieceBytes, composed_.data.size() - position_);
    output_.append(composed_.data, position_, n);
    unwritten_.push_back({n, true});
    position_ += n;
}

void TSmtpClient::Written(size_t n) {
    bool progressed = false;
    while (n > 0 && !unwritten_.empty()) {
        Segment& front = unwritten_.front();
        const size_t taken = std::min(n, front.bytes);
        front.bytes -= taken;
        n -= taken;
        if (front.data) {
            bytesSent_ += taken;
            progressed = true;
        }
        if (front.bytes == 0) unwritten_.pop_front();
    }
    if (progressed) {
        events_.emplace_back(SmtpEvent::Kind::PacketSent, std::string(), 0, bytesSent_,
                             bytesTotal_);
    }
    if (phase_ != Phase::Transfer) return;
    // The next piece goes out when the socket has taken the last one.
    const bool pieceOut =
        std::any_of(unwritten_.begin(), unwritten_.end(), [](const Segment& s) { return s.data; });
    if (!pieceOut) queuePiece();
    endTransferIfDone();
}

void TSmtpClient::endTransferIfDone() {
    if (phase_ != Phase::Transfer || bytesSent_ < bytesTotal_) return;
    command(".", Phase::Dot);
}

}  // namespace ardentix
