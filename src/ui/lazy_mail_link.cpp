#include "ui/lazy_mail_link.h"

#include <QTimer>

#include "ui/module_loader.h"
#include "ui/modules/module_api.h"

namespace ardentix::ui {

LazyMailLink::LazyMailLink(std::function<void(const LinkAnswer&)> answer)
    : answer_(std::move(answer)) {}

LazyMailLink::~LazyMailLink() = default;

MailLink* LazyMailLink::link() {
    if (!link_) {
        if (auto make = ModuleFunction<decltype(&ArdentixNewMailLink)>(
                "ardentix_mail", "ArdentixNewMailLink", nullptr))
            link_.reset(make(answer_));
    }
    return link_.get();
}

void LazyMailLink::LookUp(const std::string& host) {
    if (MailLink* l = link()) return l->LookUp(host);
    // Without the module no host can be reached; the answer comes through the event loop, as
    // every answer of a connection does.
    QTimer::singleShot(0, [answer = answer_] { answer({LinkAnswer::Kind::HostNotFound, {}, 0}); });
}

void LazyMailLink::Open(const std::string& address, int port, const TlsPeer* tls) {
    if (MailLink* l = link()) return l->Open(address, port, tls);
    QTimer::singleShot(0, [answer = answer_] { answer({LinkAnswer::Kind::OpenFailed, {}, 0}); });
}

// Only an open connection is encrypted, and only the module opens one.
void LazyMailLink::StartTls(const TlsPeer& peer) {
    if (link_) link_->StartTls(peer);
}

void LazyMailLink::Write(const std::string& bytes) {
    if (link_) link_->Write(bytes);
}

void LazyMailLink::Close() {
    if (link_) link_->Close();
}

}  // namespace ardentix::ui
