// Where the advice stands: for every step code and every state that chooses a row of its table,
// under several layouts of the action bar and measures of the text, the panel covers no button of
// the action bar and no key of the AED, and its arrow points at the control it names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/elements.h"
#include "core/engine.h"
#include "core/layout.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "monitor/monitor.h"
#include "rescuer/rescuer.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

struct Rect {
    int left, top, width, height;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool overlaps(const Rect& o) const {
        return left < o.right() && o.left < right() && top < o.bottom() && o.top < bottom();
    }
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << r.left << "," << r.top << " " << r.width << "x" << r.height;
}

// A wider type than the headless one, as a larger font gives.
class WideText : public TextMeasure {
  public:
    int AdviceTextWidth(const std::string& text) override {
        return static_cast<int>(text.size()) * 10;
    }
};

constexpr const char* kActionBar[] = {"CPRBUTTON",          "PulseButton", "ABCsButton",
                                      "BPBUTTON",           "VOICEBUTTON", "CALLHELPButton",
                                      "TROUBLEShootBUTTON", "CLEARBUTTON", "ENDBUTTON"};

class AdvicePlacement : public ::testing::Test {
  protected:
    testing::FakePorts fakes;
    WideText wide;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};
    ScenarioState& s = e.ScriptState();

    void SetUp() override { ResetScenario(e); }

    Rect rect(const char* name) const {
        const Element& el = e.screen.Get(ElementCalled(name));
        return {el.left, el.top, el.width, el.height};
    }
    // An element placed inside another, in the scenario screen's coordinates.
    Rect inside(const char* parent, const char* name) const {
        const Rect p = rect(parent);
        Rect r = rect(name);
        r.left += p.left;
        r.top += p.top;
        return r;
    }
    // The keys of the AED as it is shown: closed until it is switched on, then the close-up.
    std::vector<std::pair<std::string, Rect>> keys() const {
        if (e.screen.Get(El::AEDPANEL).visible) {
            return {{"PowerButton", inside("AEDPANEL", "PowerButton")}};
        }
        return {{"AnalyzeButton", inside("CloseupPanel", "AnalyzeButton")},
                {"ShockButton", inside("CloseupPanel", "ShockButton")},
                {"POWERBUTTON2", inside("CloseupPanel", "POWERBUTTON2")}};
    }
    // Only "Turn AED on." is advised before the AED is on.
    void showAed(int code) {
        const bool closed = code == kTurnAEDOn;
        e.screen.Edit(El::AEDPANEL).visible = closed;
        e.screen.Edit(El::CloseupPanel).visible = !closed;
    }

    // Every combination of the states the table's conditions ask about.
    void setState(unsigned bits) {
        const bool cpr = bits & 1;
        s.AedState::Phase.countdown = cpr;
        s.PulseRate = cpr ? 0 : 70;
        s.AedState::Phase.step = (bits & 2) ? AedStep::Analysing : AedStep::Idle;
        s.TroubleKind = (bits & 4) ? 1 : 0;
        s.Mode = (bits & 8) ? kTutorial : kPractice;
        s.PatientCleared = bits & 16;
        e.settings.SetOn(Opt::OPTAUTOANALYZE, bits & 16);
        e.settings.SetOn(Opt::OPTTWOBUTTONAED, bits & 32);
        e.settings.SetOn(Opt::OPTCLEARShock, bits & 64);
    }

    // The panel covers no button and no key; its arrow points at what it names.
    void checkEveryStep(const std::string& layout) {
        for (int code = 0; code <= kWaitForAnalysis; ++code) {
            for (unsigned bits = 0; bits < 128; ++bits) {
                setState(bits);
                showAed(code);
                s.NextStep = static_cast<uint8_t>(code);
                ShowAdvice(e);
                const Rect panel = rect("ADVICEPANEL");
                const std::string where = layout + ", step " + std::to_string(code) + ", state " +
                                          std::to_string(bits) + ", " +
                                          e.screen.Get(El::ADVICEText).text;
                ASSERT_TRUE(e.screen.Get(El::ADVICEPANEL).visible) << where;
                EXPECT_GE(panel.left, 0) << where;
                EXPECT_LE(panel.right(), kClientWidth) << where;
                EXPECT_LE(panel.bottom(), kActionBarTop) << where << ": " << panel;
                for (const char* button : kActionBar) {
                    if (!e.screen.Get(ElementCalled(button)).visible) continue;
                    EXPECT_FALSE(panel.overlaps(rect(button)))
                        << where << ": over " << button << " " << panel;
                }
                for (const auto& [name, key] : keys()) {
                    EXPECT_FALSE(panel.overlaps(key)) << where << ": over " << name << " " << panel;
                }
                checkArrow(panel, where);
            }
        }
    }

    // The arrow under the line ends on the top edge of a button or key, within its width; the
    // arrow at the panel's right edge ends on the left edge of its anchor, within its height.
    void checkArrow(const Rect& panel, const std::string& where) {
        const Element& down = e.screen.Get(El::ADVICEArrowDown);
        const Element& side = e.screen.Get(El::ADVICEArrow2);
        EXPECT_FALSE(down.visible && side.visible) << where;
        if (down.visible) {
            const int tipX = panel.left + down.left + down.width / 2;
            const int tipY = panel.top + down.top + down.height;
            EXPECT_EQ(panel.height, kAdvicePanelHeight + kAdviceArrowDepth) << where;
            bool onSomething = false;
            for (const char* button : kActionBar) {
                const Rect b = rect(button);
                if (e.screen.Get(ElementCalled(button)).visible && tipY == b.top && tipX > b.left &&
                    tipX < b.right())
                    onSomething = true;
            }
            const Rect shock = inside("CloseupPanel", "ShockButton");
            if (tipY == shock.top && tipX > shock.left && tipX < shock.right()) onSomething = true;
            EXPECT_TRUE(onSomething) << where << ": the arrow points at nothing";
        } else {
            EXPECT_EQ(panel.height, kAdvicePanelHeight) << where;
        }
        if (side.visible) {
            const int tipY = panel.top + kAdvicePanelHeight / 2;
            bool onSomething = false;
            std::vector<Rect> targets = {inside("PADPanel", "PADWHITE"),
                                         inside("PADPanel", "PADRED")};
            for (const auto& [name, key] : keys())
                targets.push_back(key);
            for (const Rect& t : targets) {
                if (panel.right() == t.left && tipY > t.top && tipY < t.bottom())
                    onSomething = true;
            }
            EXPECT_TRUE(onSomething) << where << ": the side arrow points at nothing";
        }
    }
};

TEST_F(AdvicePlacement, CoversNoButtonWithTheDefaultBar) {
    LayoutActionBar(e);
    checkEveryStep("default bar");
}

TEST_F(AdvicePlacement, CoversNoButtonWithEveryButtonShown) {
    for (Opt opt : {Opt::OPTBPCHECK, Opt::OptVoice, Opt::OPTCALL911, Opt::OptBatteryTrouble,
                    Opt::OPTClearAnalyze})
        e.settings.SetOn(opt, true);
    LayoutActionBar(e);
    ASSERT_TRUE(e.screen.Get(El::VOICEBUTTON).visible);
    ASSERT_TRUE(e.screen.Get(El::CALLHELPButton).visible);
    checkEveryStep("nine buttons");
}

TEST_F(AdvicePlacement, CoversNoButtonWithTheFewestButtons) {
    for (Opt opt : {Opt::OPTBPCHECK, Opt::OptVoice, Opt::OPTCALL911, Opt::OptBatteryTrouble,
                    Opt::OptElectrodeTrouble, Opt::OptMOTIONTrouble, Opt::OPTClearAnalyze,
                    Opt::OPTCLEARShock})
        e.settings.SetOn(opt, false);
    LayoutActionBar(e);
    ASSERT_FALSE(e.screen.Get(El::CLEARBUTTON).visible);
    checkEveryStep("three buttons");
}

TEST_F(AdvicePlacement, CoversNoButtonInAWiderType) {
    e.ports.text = &wide;
    for (Opt opt : {Opt::OPTBPCHECK, Opt::OptVoice, Opt::OPTCALL911})
        e.settings.SetOn(opt, true);
    LayoutActionBar(e);
    checkEveryStep("wide type");
}

// The advice for a button stands in the row just above the action bar, under the message band.
TEST_F(AdvicePlacement, ButtonAdviceStandsInTheRowAboveTheBar) {
    LayoutActionBar(e);
    s.NextStep = kCheckResponsiveness;
    ShowAdvice(e);
    EXPECT_EQ(rect("ADVICEPANEL").top, kAdviceRowTop);
    EXPECT_EQ(rect("ADVICEPANEL").bottom(), kActionBarTop);
    EXPECT_LE(kMessageBandTop + kMessageBandHeight, kAdviceRowTop);
}

// No advice over the panel of final deductions: ending the scenario takes it away, and nothing
// shows it again while the panel is up.
TEST_F(AdvicePlacement, NeverOverTheFinalPanel) {
    LayoutActionBar(e);
    s.Mode = kTutorial;
    s.NextStep = kEndScenario;
    ShowAdvice(e);
    ASSERT_TRUE(e.screen.Get(El::ADVICEPANEL).visible);
    e.screen.Edit(El::FINALERRORPanel).visible = true;
    ShowAdvice(e);
    EXPECT_FALSE(e.screen.Get(El::ADVICEPANEL).visible);
    AdviseInTutorial(e);
    EXPECT_FALSE(e.screen.Get(El::ADVICEPANEL).visible);
    e.screen.Edit(El::FINALERRORPanel).visible = false;
    ShowAdvice(e);
    EXPECT_TRUE(e.screen.Get(El::ADVICEPANEL).visible);
}

}  // namespace
}  // namespace ardentix
