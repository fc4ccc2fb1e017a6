#pragma once
#include <functional>
#include <memory>

#include "core/ports.h"

namespace ardentix::ui {

// The mail server's connection, loaded from the mail module when the instructor first connects:
// Qt Network and the libraries behind it are not needed before that.
class LazyMailLink : public MailLink {
  public:
    explicit LazyMailLink(std::function<void(const LinkAnswer&)> answer);
    ~LazyMailLink() override;

    void LookUp(const std::string& host) override;
    void Open(const std::string& address, int port, const TlsPeer* tls) override;
    void StartTls(const TlsPeer& peer) override;
    void Write(const std::string& bytes) override;
    void Close() override;

  private:
    MailLink* link();

    std::function<void(const LinkAnswer&)> answer_;
    std::unique_ptr<MailLink> link_;
};

}  // namespace ardentix::ui
