#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>

#include "core/ports.h"

class QSslError;
class QSslSocket;

namespace ardentix {

// The connection to the mail server on Qt Network: QHostInfo looks the host up, a QSslSocket
// carries the dialogue, plain or encrypted, and the event loop tells when something happened;
// nothing polls.
//
// Every answer is handed over through the event loop, never from inside a request, in the order
// it happened. A Close, or a new lookup or connection, makes whatever is still on its way for
// the old one go unanswered, so an answer always belongs to the request the engine has in mind.
// A connection ends with one answer at most: OpenFailed, TlsFailed or Closed.
//
// Encryption verifies the server's certificate against the system's roots and the host name the
// user typed. A certificate that does not verify is still taken when its SHA-256 fingerprint is
// the one the user accepted.
class QtMailLink : public QObject, public MailLink {
  public:
    explicit QtMailLink(std::function<void(const LinkAnswer&)> answer, QObject* parent = nullptr);
    ~QtMailLink() override;

    void LookUp(const std::string& host) override;
    void Open(const std::string& address, int port, const TlsPeer* tls) override;
    void StartTls(const TlsPeer& peer) override;
    void Write(const std::string& bytes) override;
    void Close() override;

  private:
    void post(LinkAnswer answer);
    void drop();
    void readAll();
    void hungUp();
    void encrypted();
    void checkCertificate(const QList<QSslError>& errors);
    void tlsFailed();

    std::function<void(const LinkAnswer&)> answer_;
    QPointer<QSslSocket> socket_;
    int lookUp_ = -1;
    unsigned generation_ = 0;
    bool reached_ = false;  // the TCP connection is up
    bool opened_ = false;   // Opened was answered
    bool closed_ = false;   // the connection's last answer was given
    bool handshake_ = false;
    std::string accepted_;     // the fingerprint the user accepted, lower case
    std::string refusal_;      // why the certificate was refused, Qt's reasons joined
    std::string fingerprint_;  // of the refused certificate
};

}  // namespace ardentix
