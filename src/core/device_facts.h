#pragma once
#include <optional>

#include "core/engine.h"

// What the device tells the folders below it (the monitor) beside its phase: plain reads of its
// record and of its timers, for the rules of current guidelines. The device (aed/) writes what
// they read; nothing here changes anything.
namespace ardentix {

// The two-minute CPR countdown (CPRCountdownTimer) runs: under current guidelines from "START
// CPR" after a shock or a "NO SHOCK ADVISED" to its end or an analysis; in classic the CPR period
// of the pulse-check chain. A pause stops it.
bool CountdownRunning(const Engine& e);
// Virtual ms until the countdown ends if it goes on as it runs now (its ticks come at the
// OPTCPRCOMP speed); 0 when it does not run.
Millis CountdownMsLeft(const Engine& e);
// When the last shock was delivered and the last "NO SHOCK ADVISED" shown (virtual ms, the
// scheduler's clock); nothing before the first of the scenario.
std::optional<Millis> LastShockAt(const Engine& e);
std::optional<Millis> LastNoShockAt(const Engine& e);
// The child key (CHILDKEY) is switched on: the device gives pediatric energy under current
// guidelines.
bool ChildKeySwitchedOn(const Engine& e);
// Under current guidelines a shock has restored the pulse, which shows (PulseState, the vital
// signs) only at the next analysis, the one that ends the two-minute cycle.
bool PulseReturnsAtNextAnalysis(const Engine& e);

}  // namespace ardentix
