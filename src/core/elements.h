#pragma once
#include <string>
#include <vector>

#include "core/screen.h"

namespace ardentix {

struct ElementSpec {
    std::string name;
    Element initial;
};

// Every element of every window as it is when the program starts.
const std::vector<ElementSpec>& ElementTable();

// Sizes the rules of the engine rely on.
inline constexpr int kClientWidth = 640;  // client area of the 640 x 480 main window
inline constexpr int kClientHeight = 456;
inline constexpr int kPatientViewSize = 425;  // the patient picture area is square
inline constexpr int kDisplayLeft = 86;       // left edge of the AED's two display lines
inline constexpr int kCloseupTop = 110;

}  // namespace ardentix
