#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

#include "core/ports.h"

class QTcpSocket;

namespace ardentix {

// The connection to the mail server on Qt Network: QHostInfo looks the host up, a QTcpSocket
// carries the dialogue, and the event loop tells when something happened; nothing polls.
//
// Every answer is handed over through the event loop, never from inside a request, in the order
// it happened. A Close, or a new lookup or connection, makes whatever is still on its way for
// the old one go unanswered, so an answer always belongs to the request the engine has in mind.
class QtMailLink : public QObject, public MailLink {
  public:
    explicit QtMailLink(std::function<void(const LinkAnswer&)> answer, QObject* parent = nullptr);
    ~QtMailLink() override;

    void LookUp(const std::string& host) override;
    void Open(const std::string& address, int port) override;
    void Write(const std::string& bytes) override;
    void Close() override;

  private:
    void post(LinkAnswer answer);
    void drop();
    void readAll();
    void hungUp();

    std::function<void(const LinkAnswer&)> answer_;
    QPointer<QTcpSocket> socket_;
    int lookUp_ = -1;
    unsigned generation_ = 0;
    bool opened_ = false;
    bool closed_ = false;
};

}  // namespace ardentix
