// The advice: the step the monitor expects next as one line in a small panel above or beside the
// control to use, with an arrow pointing at it; it covers none of the controls it may name.
#include <algorithm>
#include <string_view>

#include "core/course.h"
#include "core/elements.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"
#include "monitor/own.h"

namespace ardentix {

namespace {

enum class Arrow : uint8_t {
    None,
    Left,  // ADVICEArrow2 on the panel's right edge: the panel stands left of its anchor
    Down,  // ADVICEArrowDown under the line: the panel stands above its anchor
};

// What the anchor is and how the panel is placed beside it.
enum class Anchor : uint8_t {
    Button,    // a button of the action row: the panel stands in the row above the buttons
    Closeup,   // a key of the AED's close-up
    WhitePad,  // the white pad in the tray: the panel stands left of it, in the row above the
    RedPad,    // buttons, as for the red pad
    PowerKey,  // the closed AED's power key
    ChildKey,  // the child key, on the close-up when it is shown, else on the closed AED
};

struct Advice {
    int code;
    bool (*when)(const Engine&);
    const char* text;
    Arrow arrow;
    El anchor;  // the element the arrow points at
    Anchor kind = Anchor::Button;
};

bool always(const Engine&) {
    return true;
}
bool doingCPR(const Engine& e) {
    return Device(e).countdown && e.state.PulseRate == 0;
}
bool analysing(const Engine& e) {
    return Device(e).AnalysisShown();
}
// Today's guidelines: the countdown of a cycle runs on a patient whose pulse no analysis has found.
bool currentCycle(const Engine& e) {
    return CurrentGuidelines(e) && CountdownRunning(e) && !ReturnedPulseFound(e);
}
bool currentFirstCPR(const Engine& e) {
    return CurrentGuidelines(e) && e.state.AnalysisCount == 0;
}
// A loose pad: the electrode fault, put right through the Trouble menu.
bool electrodeFault(const Engine& e) {
    return e.state.TroubleKind == 1;
}

constexpr const char* kDoCPR = "Do CPR.";
constexpr const char* kWaitForAnalysis = "Wait for AED to analyze.";
constexpr const char* kClearThePatient = "Clear the patient.";
constexpr const char* kReattach = "Re-attach electrode pad (click Trouble).";

// By code, the first row whose condition holds applies. Today's guidelines have rows of their
// own: compressions first, CPR again at once after a shock or a result, and CPR, not the next
// step, while the countdown of a cycle runs.
const Advice kAdvice[] = {
    {0, currentFirstCPR, "Start compressions (click CPR).", Arrow::Down, El::CPRBUTTON},
    {0, CurrentGuidelines, "Resume CPR at once.", Arrow::Down, El::CPRBUTTON},
    {0, always, "Start CPR.", Arrow::Down, El::CPRBUTTON},
    {1, doingCPR, kDoCPR, Arrow::None, El::CPRBUTTON},
    {1, always, "Check the patient's pulse.", Arrow::Down, El::PulseButton},
    {2, always, "Check responsiveness (click ABCs).", Arrow::Down, El::ABCsButton},
    {3, always, "Open patient's airway (click ABCs).", Arrow::Down, El::ABCsButton},
    {4, always, "Check patient's breathing (click ABCs).", Arrow::Down, El::ABCsButton},
    {5, always, "Check breathing (click ABCs).", Arrow::Down, El::ABCsButton},
    {6, always, "Deliver rescue breaths (click ABCs).", Arrow::Down, El::ABCsButton},
    {7, always, "Check circulation (click ABCs).", Arrow::Down, El::ABCsButton},
    {8, always, "Check blood pressure.", Arrow::Down, El::BPBUTTON},
    // With swapped pads the loose pad is the white one: it lies on the chest, not in the tray,
    // so it is put right as the red one is, through the Trouble menu.
    {9, electrodeFault, kReattach, Arrow::Down, El::TROUBLEShootBUTTON},
    {9, always, "Drag electrode pad to where shown.", Arrow::Left, El::PADWHITE, Anchor::WhitePad},
    {10, electrodeFault, kReattach, Arrow::Down, El::TROUBLEShootBUTTON},
    {10, always, "Attach this electrode pad where shown.", Arrow::Left, El::PADRED, Anchor::RedPad},
    {11, always, kReattach, Arrow::Down, El::TROUBLEShootBUTTON},
    {12, always, "Replace battery (click Trouble).", Arrow::Down, El::TROUBLEShootBUTTON},
    {13, always, "Stop all motion of patient (click Trouble).", Arrow::Down,
     El::TROUBLEShootBUTTON},
    {14, always, "Give verbal report (click Voice).", Arrow::Down, El::VOICEBUTTON},
    {15, currentCycle, kDoCPR, Arrow::None, El::CPRBUTTON},
    {15, [](const Engine& e) { return doingCPR(e) && e.state.Mode != kTutorial; }, kDoCPR,
     Arrow::None, El::CPRBUTTON},
    {15,
     [](const Engine& e) { return e.state.PatientCleared && e.settings.On(Opt::OPTAUTOANALYZE); },
     kWaitForAnalysis, Arrow::None, El::AnalyzeButton, Anchor::Closeup},
    {15, always, kClearThePatient, Arrow::Down, El::CLEARBUTTON},
    {16, analysing, kWaitForAnalysis, Arrow::None, El::AnalyzeButton, Anchor::Closeup},
    {16, always, kClearThePatient, Arrow::Down, El::CLEARBUTTON},
    {17, always, "Turn AED on.", Arrow::Left, El::PowerButton, Anchor::PowerKey},
    {18, currentCycle, kDoCPR, Arrow::None, El::CPRBUTTON},
    {18, doingCPR, kDoCPR, Arrow::None, El::CPRBUTTON},
    {18, analysing, kWaitForAnalysis, Arrow::None, El::AnalyzeButton, Anchor::Closeup},
    // A two-button AED has no analyse key to press: it analyses by itself once the pads are on.
    {18, [](const Engine& e) { return e.settings.On(Opt::OPTTWOBUTTONAED); }, kWaitForAnalysis,
     Arrow::None, El::AnalyzeButton, Anchor::Closeup},
    {18, always, "Press ANALYZE.", Arrow::Left, El::AnalyzeButton, Anchor::Closeup},
    {19, [](const Engine& e) { return e.settings.On(Opt::OPTCLEARShock); }, "Press SHOCK.",
     Arrow::Down, El::ShockButton, Anchor::Closeup},
    {19, always, "Press SHOCK when advised.", Arrow::Down, El::ShockButton, Anchor::Closeup},
    {20, always, "Select End Scenario.", Arrow::Down, El::ENDBUTTON},
    {21, always, "Call for help (Phone).", Arrow::Down, El::CALLHELPButton},
    {22, currentCycle, kDoCPR, Arrow::None, El::CPRBUTTON},
    {22, always, kWaitForAnalysis, Arrow::None, El::AnalyzeButton, Anchor::Closeup},
    {23, always, "Turn on the child key.", Arrow::Down, El::CHILDKEY, Anchor::ChildKey},
};

const Advice& chooseAdvice(const Engine& e) {
    for (const Advice& a : kAdvice) {
        if (a.code == e.state.NextStep && a.when(e)) return a;
    }
    return kAdvice[0];  // the codes end at 23
}

struct Place {
    int left = 0;
    int top = 0;
    Arrow arrow = Arrow::None;
    int arrowLeft = 0;  // the arrow under the line, from the panel's left edge
};

// Above an element of the given left and width, the arrow's point at its middle and the panel
// centred on it as far as the window allows.
Place above(int left, int width, int panelWidth, int top, Arrow arrow) {
    const int middle = left + width / 2;
    Place p{middle - panelWidth / 2, top, arrow};
    p.left = std::clamp(p.left, 0, std::max(0, kClientWidth - panelWidth));
    p.arrowLeft = std::clamp(middle - kAdviceArrowWidth / 2 - p.left, 2,
                             std::max(2, panelWidth - kAdviceArrowWidth - 2));
    return p;
}

Place placePanel(const Engine& e, const Advice& a, int width) {
    const Screen& screen = e.screen;
    const Element& anchor = screen.Get(a.anchor);
    Place p{0, 0, a.arrow};
    switch (a.kind) {
        case Anchor::PowerKey: {
            // Left of the closed AED's power key, the arrow's point at its edge.
            const Element& aed = screen.Get(El::AEDPANEL);
            p.top = 255;
            p.left = aed.left + anchor.left - width;
            break;
        }
        case Anchor::Closeup: {
            const Element& closeup = screen.Get(El::CloseupPanel);
            if (a.arrow == Arrow::Down) {
                // Above the shock key: left of it stands the analyse key.
                p = above(closeup.left + anchor.left, anchor.width, width,
                          closeup.top + anchor.top - kAdvicePanelHeight - kAdviceArrowDepth,
                          a.arrow);
                break;
            }
            p.top = closeup.top + anchor.top + 4 +
                    (std::string_view(a.text) == kWaitForAnalysis ? 3 : 0);
            p.left = closeup.left + anchor.left - width;
            break;
        }
        case Anchor::WhitePad:
        case Anchor::RedPad: {
            // The tray lies at the window's right edge: the panel stands left of the pad and
            // points right at it.
            const Element& tray = screen.Get(El::PADPanel);
            p.top = kAdviceRowTop;
            p.left = tray.left + anchor.left - width;
            break;
        }
        case Anchor::Button:
            p = above(anchor.left, anchor.width, width, kAdviceRowTop, a.arrow);
            break;
        case Anchor::ChildKey: {
            // Above the key, the arrow pointing down at it.
            const Element& closeup = screen.Get(El::CloseupPanel);
            const Element& panel = closeup.visible ? closeup : screen.Get(El::AEDPANEL);
            p = above(panel.left + anchor.left, anchor.width, width,
                      panel.top + anchor.top - kAdvicePanelHeight - kAdviceArrowDepth, a.arrow);
            break;
        }
    }
    // Never off the window, whatever the measure of the text.
    p.left = std::clamp(p.left, 0, std::max(0, kClientWidth - width));
    p.top = std::clamp(p.top, 0, kClientHeight - kAdvicePanelHeight - kAdviceArrowDepth);
    return p;
}

bool asksForPad(const Advice& a) {
    return a.kind == Anchor::WhitePad || a.kind == Anchor::RedPad;
}

// A pad is missing: the zone where the pad belongs is highlighted on the chest. The zones are told
// apart by where the other pad lies: swapped pads leave the other zone free.
void markMissingPad(Engine& e, int code) {
    const ScenarioState& s = e.state;
    MonitorState& monitor = OwnMonitor(e);
    const bool redZone = code == kAttachWhitePad ? s.RedPadAttached && s.PadsSwapped
                                                 : !(s.WhitePadAttached && s.PadsSwapped);
    monitor.WhiteGuideShown = !redZone;
    monitor.RedGuideShown = redZone;
    Redraw(e);
}

}  // namespace

bool AdviceAsksForPad(const Engine& e) {
    return !e.screen.Get(El::FINALERRORPanel).visible && asksForPad(chooseAdvice(e));
}

void PlaceAdvice(Engine& e) {
    Screen& screen = e.screen;
    screen.Edit(El::ADVICEArrow2).visible = false;
    screen.Edit(El::ADVICEArrowDown).visible = false;
    // Nothing is advised over the panel of final deductions: the scenario is over.
    if (screen.Get(El::FINALERRORPanel).visible) {
        screen.Edit(El::ADVICEPANEL).visible = false;
        return;
    }

    const Advice& a = chooseAdvice(e);
    Element& line = screen.Edit(El::ADVICEText);
    line.text = a.text;
    FixedAdvanceText fixed;
    TextMeasure& measure = e.ports.text ? *e.ports.text : fixed;
    const int textWidth = measure.AdviceTextWidth(line.text);
    const int width = textWidth + 44;

    const Place place = placePanel(e, a, width);
    if (asksForPad(a)) markMissingPad(e, a.code);
    OwnMonitor(e).AdviceRequested = false;

    // A pad that is no longer in the tray gets no arrow.
    const bool pointing =
        place.arrow != Arrow::None &&
        ((a.kind != Anchor::WhitePad && a.kind != Anchor::RedPad) || screen.Get(a.anchor).visible);
    line.width = textWidth;
    line.left = (width - textWidth) / 2;
    int height = kAdvicePanelHeight;
    if (pointing && place.arrow == Arrow::Down) {
        Element& arrow = screen.Edit(El::ADVICEArrowDown);
        arrow.left = place.arrowLeft;
        arrow.visible = true;
        height += kAdviceArrowDepth;
    } else if (pointing) {
        Element& arrow = screen.Edit(El::ADVICEArrow2);
        arrow.left = width - arrow.width;
        arrow.visible = true;
        line.left -= 9;  // centred on the body, left of the arrow
    }

    Element& panel = screen.Edit(El::ADVICEPANEL);
    panel.left = place.left;
    panel.top = place.top;
    panel.width = width;
    panel.height = height;
    panel.visible = true;
}

}  // namespace ardentix
