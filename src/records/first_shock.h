#pragma once
#include <cstdint>
#include <string>

namespace ardentix {

// The first shock as the protocol scores it. Its scored time is the scenario's elapsed seconds at
// the shock less 7; a scored time above two minutes costs points (two minutes exactly does not).
// The monitor charges by these and the debrief judges by them, so the two always agree.
inline constexpr int kFirstShockOffsetSeconds = 7;
inline constexpr int kSlowFirstShockSeconds = 120;

int ScoredFirstShock(int elapsedSeconds);
bool SlowFirstShock(int scoredSeconds);

// The scored time as the summary and the report files show it: "mm:ss", the minutes always with
// one leading zero ("02:06", "010:05").
std::string FirstShockText(int scoredSeconds);

// Both times of the first shock, said apart: the click on the shock key in scenario time with
// tenths, then the scored time ("2:13.9 (scored as 02:06)").
std::string FirstShockShown(int32_t clickMs, int scoredSeconds);

// The target the monitor holds the scored time to ("scored ≤ 02:00").
std::string FirstShockTarget();

}  // namespace ardentix
