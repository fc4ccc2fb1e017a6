#pragma once
#include <QString>
#include <functional>
#include <memory>

#include "xapi/lrs_queue.h"
#include "xapi/statement.h"

namespace ardentix::ui {

// The sender to the learning record store, loaded from its module at the first round while
// sending is switched on: with sending off, Qt Network is never loaded for it.
class LazyLrsQueue : public xapi::LrsQueue {
  public:
    LazyLrsQueue(QString connection, std::function<xapi::LrsSettings()> settings,
                 std::function<void(const xapi::LrsRound&)> done);
    ~LazyLrsQueue() override;

    void SendQueued() override;
    bool Sending() const override { return queue_ && queue_->Sending(); }

  private:
    QString connection_;
    std::function<xapi::LrsSettings()> settings_;
    std::function<void(const xapi::LrsRound&)> done_;
    std::unique_ptr<xapi::LrsQueue> queue_;
};

}  // namespace ardentix::ui
