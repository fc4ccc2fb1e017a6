#include "core/compression_rate.h"

#include <algorithm>

namespace ardentix {

std::optional<int> CompressionRateAt(std::span<const int32_t> series, size_t index) {
    if (index == 0 || index >= series.size()) return std::nullopt;
    const size_t first = index + 1 > kRateWindow ? index + 1 - kRateWindow : 0;
    const int64_t intervals = static_cast<int64_t>(index - first);
    const int64_t span = std::max<int64_t>(1, int64_t{series[index]} - series[first]);
    // 60000 * intervals / span, rounded half up.
    return static_cast<int>((2 * 60000 * intervals + span) / (2 * span));
}

bool RateInTarget(int rate) {
    return rate >= kRateLow && rate <= kRateHigh;
}

}  // namespace ardentix
