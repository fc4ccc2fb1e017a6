#include "core/device_facts.h"

#include <algorithm>

namespace ardentix {

namespace {

std::optional<Millis> noted(int32_t ms) {
    return ms < 0 ? std::nullopt : std::optional<Millis>(ms);
}

}  // namespace

bool CountdownRunning(const Engine& e) {
    return e.aed().Phase.countdown;
}

Millis CountdownMsLeft(const Engine& e) {
    if (!CountdownRunning(e)) return 0;
    // The countdown ends at the tick that takes its last second.
    const std::optional<Millis> end =
        e.timers.ExpiryAt(TimerId::CPRCountdownTimer, std::max<int>(e.state.CountdownSeconds, 1));
    return end ? *end - e.timers.Now() : 0;
}

std::optional<Millis> LastShockAt(const Engine& e) {
    return noted(e.state.LastShockTime);
}

std::optional<Millis> LastNoShockAt(const Engine& e) {
    return noted(e.state.LastNoShockTime);
}

bool ChildKeySwitchedOn(const Engine& e) {
    return e.state.ChildKeyOn;
}

bool PulseReturnsAtNextAnalysis(const Engine& e) {
    return e.state.PulseReturnPending;
}

}  // namespace ardentix
