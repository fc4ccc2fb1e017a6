#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

#include "core/timers.h"

namespace ardentix::ui {

// Drives the engine's scheduler from the event loop: one QTimer armed for the next due time.
class TimerDriver : public QObject {
    Q_OBJECT
  public:
    // busy: an engine event is being handled (a modal box may be open); expiries then wait for
    // its end, when the window advances the timers itself.
    TimerDriver(Scheduler& timers, std::function<bool()> busy, std::function<void()> afterFiring,
                QObject* parent = nullptr);

    // Virtual time of the engine: milliseconds since the program started.
    Millis Elapsed() const { return clock_.elapsed(); }
    // Arms the timer for the next expiry; call after every engine event.
    void Rearm();

  private:
    void fire();

    Scheduler& timers_;
    std::function<bool()> busy_;
    std::function<void()> afterFiring_;
    QElapsedTimer clock_;
    QTimer timer_;
};

}  // namespace ardentix::ui
