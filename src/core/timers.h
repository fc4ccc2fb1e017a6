#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "core/timer_list.h"

namespace ardentix {

enum class TimerId {
#define ARDENTIX_TIMER_ENUM(name, interval) name,
    ARDENTIX_TIMERS(ARDENTIX_TIMER_ENUM)
#undef ARDENTIX_TIMER_ENUM
};

inline constexpr int kTimerCount = 0
#define ARDENTIX_TIMER_COUNT(name, interval) +1
    ARDENTIX_TIMERS(ARDENTIX_TIMER_COUNT)
#undef ARDENTIX_TIMER_COUNT
    ;

std::string_view TimerName(TimerId id);
std::optional<TimerId> TimerByName(std::string_view name);

// Virtual time in milliseconds since the program started.
using Millis = int64_t;

// The one table of timers and the clock that drives them.
//
// A running timer fires once per interval until it is stopped. Starting a running timer does
// nothing; giving a running timer a different interval restarts its period from now; giving it
// the interval it already has does nothing; giving a stopped timer an interval does not start it.
// A timer whose interval is 0 or less never fires, so a bad value read from a file cannot make
// the program spin.
//
// AdvanceTo(t) fires every expiry up to t in time order; each handler runs to its end before the
// next expiry is taken. Expiries due at the same moment fire in the order their periods began:
// every start, every effective interval change and every expiry (which begins the next period of
// a periodic timer) takes a new sequence number. A call of AdvanceTo made while a handler runs
// (a modal box that lets the event loop run) fires nothing itself: the outer call goes on to the
// later of the two times once the handler has returned.
class Scheduler {
  public:
    using Handler = std::function<void(TimerId)>;

    void SetHandler(Handler handler) { handler_ = std::move(handler); }
    // Told when a timer starts or stops running (not when it only expires).
    using Watch = std::function<void(TimerId, bool running)>;
    void SetWatch(Watch watch) { watch_ = std::move(watch); }

    Millis Now() const { return now_; }
    void AdvanceTo(Millis t);
    // The time of the next expiry, if any timer can still fire.
    std::optional<Millis> NextDue() const;
    // The time of the timer's nth expiry from now (the next is the first) if it keeps running with
    // its interval; nothing when it is stopped or never fires.
    std::optional<Millis> ExpiryAt(TimerId id, int nth) const;

    void Start(TimerId id);
    void Stop(TimerId id);
    void SetEnabled(TimerId id, bool on) { on ? Start(id) : Stop(id); }
    void SetInterval(TimerId id, int interval);
    bool Running(TimerId id) const { return entry(id).running; }
    int Interval(TimerId id) const { return entry(id).interval; }

  private:
    struct Entry {
        int interval = 1000;
        bool running = false;
        Millis periodStart = 0;
        uint64_t sequence = 0;
    };
    Entry& entry(TimerId id) { return entries_[static_cast<size_t>(id)]; }
    const Entry& entry(TimerId id) const { return entries_[static_cast<size_t>(id)]; }
    void beginPeriod(Entry& e);
    std::optional<TimerId> nextExpiry(Millis limit) const;

    static std::array<Entry, kTimerCount> initialEntries();

    std::array<Entry, kTimerCount> entries_ = initialEntries();
    Millis now_ = 0;
    uint64_t nextSequence_ = 1;
    Handler handler_;
    Watch watch_;
    bool dispatching_ = false;
    Millis pendingTarget_ = 0;
};

}  // namespace ardentix
