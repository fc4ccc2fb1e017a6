#include "ui/lazy_lrs_queue.h"

#include "ui/module_loader.h"
#include "ui/modules/module_api.h"

namespace ardentix::ui {

LazyLrsQueue::LazyLrsQueue(QString connection, std::function<xapi::LrsSettings()> settings,
                           std::function<void(const xapi::LrsRound&)> done)
    : connection_(std::move(connection)), settings_(std::move(settings)), done_(std::move(done)) {}

LazyLrsQueue::~LazyLrsQueue() = default;

void LazyLrsQueue::SendQueued() {
    if (!queue_) {
        const xapi::LrsSettings settings = settings_();
        if (!settings.send || settings.endpoint.trimmed().isEmpty()) return;
        QString error;
        auto make = ModuleFunction<decltype(&ArdentixNewLrsQueue)>("ardentix_lrs",
                                                                   "ArdentixNewLrsQueue", &error);
        if (!make) {
            if (done_) done_({0, 0, error});
            return;
        }
        queue_.reset(make(connection_, settings_, done_));
    }
    queue_->SendQueued();
}

}  // namespace ardentix::ui
