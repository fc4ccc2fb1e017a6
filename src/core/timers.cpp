#include "core/timers.h"

#include <algorithm>

namespace ardentix {

namespace {

struct TimerInfo {
    std::string_view name;
    int interval;
};

constexpr std::array<TimerInfo, kTimerCount> kTimerInfo = {{
#define ARDENTIX_TIMER_INFO(name, interval) {#name, interval},
    ARDENTIX_TIMERS(ARDENTIX_TIMER_INFO)
#undef ARDENTIX_TIMER_INFO
}};

}  // namespace

std::string_view TimerName(TimerId id) {
    return kTimerInfo[static_cast<size_t>(id)].name;
}

std::optional<TimerId> TimerByName(std::string_view name) {
    for (size_t i = 0; i < kTimerInfo.size(); ++i) {
        if (kTimerInfo[i].name == name) return static_cast<TimerId>(i);
    }
    return std::nullopt;
}

std::array<Scheduler::Entry, kTimerCount> Scheduler::initialEntries() {
    std::array<Entry, kTimerCount> entries{};
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].interval = kTimerInfo[i].interval;
    return entries;
}

void Scheduler::beginPeriod(Entry& e) {
    e.periodStart = now_;
    e.sequence = nextSequence_++;
}

void Scheduler::Start(TimerId id) {
    Entry& e = entry(id);
    if (e.running) return;
    e.running = true;
    beginPeriod(e);
    if (watch_) watch_(id, true);
}

void Scheduler::Stop(TimerId id) {
    Entry& e = entry(id);
    if (!e.running) return;
    e.running = false;
    if (watch_) watch_(id, false);
}

void Scheduler::SetInterval(TimerId id, int interval) {
    Entry& e = entry(id);
    if (e.interval == interval) return;
    e.interval = interval;
    if (e.running) beginPeriod(e);
}

std::optional<TimerId> Scheduler::nextExpiry(Millis limit) const {
    std::optional<TimerId> best;
    Millis bestDue = 0;
    uint64_t bestSequence = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        if (!e.running || e.interval <= 0) continue;
        const Millis due = e.periodStart + e.interval;
        if (due > limit) continue;
        if (!best || due < bestDue || (due == bestDue && e.sequence < bestSequence)) {
            best = static_cast<TimerId>(i);
            bestDue = due;
            bestSequence = e.sequence;
        }
    }
    return best;
}

std::optional<Millis> Scheduler::NextDue() const {
    std::optional<Millis> best;
    for (const Entry& e : entries_) {
        if (!e.running || e.interval <= 0) continue;
        const Millis due = e.periodStart + e.interval;
        if (!best || due < *best) best = due;
    }
    return best;
}

std::optional<Millis> Scheduler::ExpiryAt(TimerId id, int nth) const {
    const Entry& e = entry(id);
    if (!e.running || e.interval <= 0 || nth < 1) return std::nullopt;
    return e.periodStart + Millis{e.interval} * nth;
}

void Scheduler::AdvanceTo(Millis t) {
    if (dispatching_) {
        pendingTarget_ = std::max(pendingTarget_, t);
        return;
    }
    pendingTarget_ = t;
    while (auto id = nextExpiry(pendingTarget_)) {
        Entry& e = entry(*id);
        now_ = std::max(now_, e.periodStart + e.interval);
        beginPeriod(e);
        dispatching_ = true;
        if (handler_) handler_(*id);
        dispatching_ = false;
    }
    now_ = std::max(now_, pendingTarget_);
}

}  // namespace ardentix
