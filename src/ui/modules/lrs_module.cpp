// The learning record store module: the sender of xAPI statements on Qt Network.
#include "ui/modules/module_api.h"
#include "xapi/send/lrs_sender.h"

extern "C" Q_DECL_EXPORT ardentix::xapi::LrsQueue* ArdentixNewLrsQueue(
    const QString& connection, std::function<ardentix::xapi::LrsSettings()> settings,
    std::function<void(const ardentix::xapi::LrsRound&)> done) {
    return new ardentix::xapi::LrsSender(connection, std::move(settings), std::move(done));
}
