#pragma once
#include <array>
#include <string_view>

namespace ardentix {

inline constexpr int kPictureSets = 7;
inline constexpr int kChildSet = 3;

extern const std::array<std::string_view, 21> kAdultHistory;
extern const std::array<std::string_view, 8> kChildHistory;
inline constexpr std::string_view kHypothermicHistory =
    " involved in a cold*water drowning (hypothermic).";

struct Point {
    int left;
    int top;
};
struct Rect {
    int left;
    int top;
    int width;
    int height;
};

// Where the overlays of one picture set sit, in the coordinates of the patient view.
struct SetLayout {
    int pictureOffset;
    Point airway;
    Point breathcheck;
    Point bvm;
    Point cprHand;
    Point cprHandPediatric;  // the child set's hands for a patient below the pediatric minimum
    Point faceMaskBvm;
    Point faceMask;
    Point pulseHand;
    Point shake;
    Rect whiteZone;
    Rect redZone;
    Point padCurved;
    Point padWhite2;
    Point padRed2;
};

extern const std::array<SetLayout, kPictureSets> kSetLayouts;

// The tens digit of an adult's age is base + Random(spread).
struct AgeTens {
    int base;
    int spread;
};
extern const std::array<AgeTens, kPictureSets> kAdultAgeTens;

// Points per correct step by shocks needed (0 to 5), without and with auto analyze.
extern const std::array<std::array<int, 2>, 6> kStepPointsByShocks;

}  // namespace ardentix
