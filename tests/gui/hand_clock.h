#pragma once
#include <algorithm>
#include <optional>

#include "ui/timer_driver.h"

namespace ardentix::test {

// A clock the test moves by hand. Its alarm rings as the program's timer would: at each due
// time on the way, or not at all when the test says the program did not get to it.
class HandClock : public ui::DriverClock {
  public:
    Millis Now() const override { return now_; }
    void SetAlarm(Millis due) override { alarm_ = due; }
    void ClearAlarm() override { alarm_.reset(); }

    // ms go by; the alarm rings at each due time on the way.
    void Advance(Millis ms) {
        const Millis end = now_ + ms;
        while (alarm_ && *alarm_ <= end) {
            now_ = std::max(now_, *alarm_);
            alarm_.reset();
            Ring();
        }
        now_ = end;
    }
    // ms go by while the program's event loop is too busy to get to its alarm.
    void Skip(Millis ms) { now_ += ms; }

  private:
    // Not zero: the program's time counts from its own start, whatever the clock reads.
    Millis now_ = 5'000'000;
    std::optional<Millis> alarm_;
};

}  // namespace ardentix::test
