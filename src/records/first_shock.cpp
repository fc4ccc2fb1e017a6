// The first shock's scored time and the limit it is held to, shared by the monitor's scoring,
// the summary and the debrief.
#include "records/first_shock.h"

#include "records/debrief.h"

namespace ardentix {

int ScoredFirstShock(int elapsedSeconds) {
    return elapsedSeconds - kFirstShockOffsetSeconds;
}

bool SlowFirstShock(int scoredSeconds) {
    return scoredSeconds > kSlowFirstShockSeconds;
}

std::string FirstShockText(int t) {
    if (t < 10) return "00:0" + std::to_string(t);
    if (t + kFirstShockOffsetSeconds < 60) return "00:" + std::to_string(t);
    const int seconds = t % 60;
    return "0" + std::to_string(t / 60) + (seconds < 10 ? ":0" : ":") + std::to_string(seconds);
}

std::string FirstShockShown(int32_t clickMs, int scoredSeconds) {
    return ScenarioClock(clickMs, true) + " (scored as " + FirstShockText(scoredSeconds) + ")";
}

std::string FirstShockTarget() {
    return "scored ≤ " + FirstShockText(kSlowFirstShockSeconds);
}

}  // namespace ardentix
