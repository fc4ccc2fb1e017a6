#include "ui/timer_driver.h"

#include <algorithm>

namespace ardentix::ui {

TimerDriver::TimerDriver(Scheduler& timers, std::function<bool()> busy,
                         std::function<void()> afterFiring, QObject* parent)
    : QObject(parent),
      timers_(timers),
      busy_(std::move(busy)),
      afterFiring_(std::move(afterFiring)) {
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TimerDriver::fire);
}

void TimerDriver::Rearm() {
    const auto due = timers_.NextDue();
    if (!due) {
        timer_.stop();
        return;
    }
    const Millis wait = std::max<Millis>(0, *due - Elapsed());
    timer_.start(static_cast<int>(std::min<Millis>(wait, 24LL * 3600 * 1000)));
}

void TimerDriver::fire() {
    if (busy_ && busy_()) return;
    timers_.AdvanceTo(Elapsed());
    if (afterFiring_) afterFiring_();
    Rearm();
}

}  // namespace ardentix::ui
