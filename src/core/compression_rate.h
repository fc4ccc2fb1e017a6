#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The rate of compressions given by key, as the scenario screen shows it while CPR runs and as
// the debrief sums it up afterwards.
namespace ardentix {

// The compressions the shown rate is taken over: the newest and up to nine before it.
inline constexpr size_t kRateWindow = 10;
// The rate a trainee should keep, per minute, both ends included.
inline constexpr int kRateLow = 100;
inline constexpr int kRateHigh = 120;

// The rate at the compression `index` of a series (the times of its compressions in ms, in
// order, with no breaths between them), per minute and rounded to the nearest whole number (a
// half up), over that compression and the ones before it in the window: nothing for the first
// of a series. Two compressions at the same ms count as 1 ms apart.
std::optional<int> CompressionRateAt(std::span<const int32_t> series, size_t index);
bool RateInTarget(int rate);

}  // namespace ardentix
