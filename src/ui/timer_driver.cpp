#include "ui/timer_driver.h"

#include <algorithm>

namespace ardentix::ui {

SteadyClock::SteadyClock(QObject* parent) : QObject(parent) {
    clock_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { Ring(); });
}

void SteadyClock::SetAlarm(Millis due) {
    const Millis wait = std::clamp<Millis>(due - Now(), 0, 24LL * 3600 * 1000);
    timer_.start(static_cast<int>(wait));
}

TimerDriver::TimerDriver(Scheduler& timers, DriverClock& clock, std::function<void()> afterFiring,
                         QObject* parent)
    : QObject(parent),
      timers_(timers),
      clock_(clock),
      afterFiring_(std::move(afterFiring)),
      origin_(clock.Now()) {
    clock_.OnAlarm([this] { fire(); });
}

TimerDriver::~TimerDriver() {
    clock_.ClearAlarm();
    clock_.OnAlarm(nullptr);
}

Millis TimerDriver::Elapsed() const {
    return (Held() ? heldSince_ : clock_.Now()) - origin_ - heldTotal_;
}

void TimerDriver::CatchUp() {
    if (Held()) return;
    Hold();
    timers_.AdvanceTo(Elapsed());
    Release();
}

void TimerDriver::Hold() {
    if (held_++ > 0) return;
    heldSince_ = clock_.Now();
    // Nothing can fire before the hold ends; the alarm is set again then.
    clock_.ClearAlarm();
}

void TimerDriver::Release() {
    if (held_ == 0 || --held_ > 0) return;
    heldTotal_ += clock_.Now() - heldSince_;
}

void TimerDriver::Rearm() {
    if (Held()) return;
    const auto due = timers_.NextDue();
    if (!due) {
        clock_.ClearAlarm();
        return;
    }
    // The engine's time runs with the clock from now until the alarm rings.
    clock_.SetAlarm(clock_.Now() + std::max<Millis>(0, *due - Elapsed()));
}

void TimerDriver::fire() {
    if (Held()) return;
    CatchUp();
    if (afterFiring_) afterFiring_();
    Rearm();
}

}  // namespace ardentix::ui
