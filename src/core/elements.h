#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/screen.h"
#include "settings/settings.h"

namespace ardentix {

struct ElementSpec {
    El el;
    Element initial;
};

// Every element of every window as it is when the program starts.
const std::vector<ElementSpec>& ElementTable();
// The element another one is drawn on, which hides it while it is hidden itself: the window of
// a "Window.Element" name, the AED's panel of its keys; nothing for the main window's own.
std::optional<El> ContainerOf(El el);
// The option pages' control that shows a setting, and the setting a control shows.
El OptionElement(Opt opt);
std::optional<Opt> OptionOf(El el);
// The option pages' controls and the password dialog, appended to the table.
void AddOptionPageElements(std::vector<ElementSpec>& specs);

// Sizes the rules of the engine rely on.
inline constexpr int kClientWidth = 640;  // client area of the 640 x 480 main window
inline constexpr int kClientHeight = 456;
inline constexpr int kPatientViewSize = 425;  // the patient picture area is square
inline constexpr int kDisplayLeft = 86;       // left edge of the AED's two display lines
inline constexpr int kCloseupTop = 110;

// Where the anchors of the advice lie on the scenario screen (the Qt program draws them there).
inline constexpr int kActionBarTop = kPatientViewSize + 2;  // the row of action buttons
inline constexpr int kActionButtonHeight = 25;
inline constexpr int kAedLeft = kPatientViewSize + 4;  // the AED, closed or in close-up
inline constexpr int kAedWidth = 208;
inline constexpr int kAedHeight = 245;
inline constexpr int kPadTrayTop = kCloseupTop + 250;  // the tray of the two pads
inline constexpr int kPadTrayHeight = 72;
inline constexpr int kPadWidth = 52;
inline constexpr int kPadHeight = 66;
// The caption of the sound that plays: a dark band of up to two lines under the AED, over the
// top of the pad tray.
inline constexpr int kCaptionTop = kCloseupTop + kAedHeight - 3;
inline constexpr int kCaptionHeight = 32;
// The advice panel: one line of bold 13-pixel text, an arrow at either end or under the line.
inline constexpr int kAdvicePanelHeight = 18;
inline constexpr int kAdviceArrowWidth = 14;
inline constexpr int kAdviceArrowDepth = 7;  // the arrow under the line, pointing down
// The advice for a button or a pad in the tray stands in a row of its own just above the action
// bar, over the foot of the picture, so that it covers none of the buttons.
inline constexpr int kAdviceRowTop = kActionBarTop - kAdvicePanelHeight - kAdviceArrowDepth;
// The two message lines lie on a band over the picture, just above the advice's row.
inline constexpr int kMessageBandHeight = 46;
inline constexpr int kMessageBandTop = kAdviceRowTop - kMessageBandHeight;
// The running list of the scenario's deductions: right of the picture, between the score and
// the AED, its last lines only.
inline constexpr int kDeductionListTop = 36;
inline constexpr size_t kDeductionLines = 4;

}  // namespace ardentix
