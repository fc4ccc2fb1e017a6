// The mail module: the mail server's connection on Qt Network.
#include "net/qt_mail_link.h"
#include "ui/modules/module_api.h"

extern "C" Q_DECL_EXPORT ardentix::MailLink* ArdentixNewMailLink(
    std::function<void(const ardentix::LinkAnswer&)> answer) {
    return new ardentix::QtMailLink(std::move(answer));
}
