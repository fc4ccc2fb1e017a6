#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

#include "core/timers.h"

namespace ardentix::ui {

// The time the timer driver goes by, and its alarm for the next expiry. The program runs on
// SteadyClock; a test moves a clock of its own by hand and rings the alarm when it is due.
class DriverClock {
  public:
    virtual ~DriverClock() = default;
    // Milliseconds that only ever grow.
    virtual Millis Now() const = 0;
    // Rings once Now() has reached due (at once when it already has); replaces the last alarm.
    virtual void SetAlarm(Millis due) = 0;
    virtual void ClearAlarm() = 0;
    void OnAlarm(std::function<void()> ring) { ring_ = std::move(ring); }

  protected:
    void Ring() {
        if (ring_) ring_();
    }

  private:
    std::function<void()> ring_;
};

// The monotonic clock of the machine, with a QTimer for the alarm.
class SteadyClock : public QObject, public DriverClock {
    Q_OBJECT
  public:
    explicit SteadyClock(QObject* parent = nullptr);
    Millis Now() const override { return clock_.elapsed(); }
    void SetAlarm(Millis due) override;
    void ClearAlarm() override { timer_.stop(); }

  private:
    QElapsedTimer clock_;
    QTimer timer_;
};

// Drives the engine's scheduler from the event loop.
//
// The engine's time is the clock's time less the time the engine was held: while an engine
// event or an expiry is being handled (a modal box may be open for minutes) the engine's time
// stands still, so nothing falls due behind the handler's back and the wait is not replayed in
// one burst afterwards.
class TimerDriver : public QObject {
    Q_OBJECT
  public:
    TimerDriver(Scheduler& timers, DriverClock& clock, std::function<void()> afterFiring,
                QObject* parent = nullptr);
    ~TimerDriver() override;

    // The engine's time: milliseconds since the program started, held time left out.
    Millis Elapsed() const;
    // Fires, in time order, every expiry due by now. Does nothing while the engine is held.
    void CatchUp();
    // The engine is busy with an event or an expiry: its time stands still until Release.
    void Hold();
    void Release();
    bool Held() const { return held_ > 0; }
    // Sets the alarm for the next expiry; call after every engine event.
    void Rearm();

  private:
    void fire();

    Scheduler& timers_;
    DriverClock& clock_;
    std::function<void()> afterFiring_;
    Millis origin_;  // clock time when the program started
    int held_ = 0;
    Millis heldSince_ = 0;  // clock time when the outermost hold began
    Millis heldTotal_ = 0;  // clock time spent held, before the present hold
};

}  // namespace ardentix::ui
