// The fault draw over many clock times: how often a fault comes for the odds set, and which kind.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "aed/aed.h"
#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

constexpr int kDraws = 3000;

struct Shares {
    std::array<int, 4> byKind{};  // TroubleKind 0 (none) to 3
    double share(int kind) const { return static_cast<double>(byKind[kind]) / kDraws; }
};

// One first analyze request per clock time, on a device ready to analyse an adult.
Shares draw(const char* odds, bool electrode, bool battery, bool motion) {
    Shares shares;
    testing::FakePorts fakes;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};
    e.settings.SetText(Opt::OptTroubleOdds, odds);
    e.settings.SetOn(Opt::OptElectrodeTrouble, electrode);
    e.settings.SetOn(Opt::OptBatteryTrouble, battery);
    e.settings.SetOn(Opt::OptMOTIONTrouble, motion);
    e.ScriptState().Mode = kPractice;
    e.ScriptState().PictureSet = 0;
    for (int i = 0; i < kDraws; ++i) {
        // Clock times spread over the day: the draw re-seeds from the clock.
        fakes.clock.millis = (static_cast<int64_t>(i) * 28'793) % 86'400'000;
        ResetScenario(e);
        e.ScriptState().AEDOn = e.ScriptState().WhitePadAttached = e.ScriptState().RedPadAttached =
            true;
        e.screen.Edit(El::PowerLight).color = Color::Green;
        AnalyzeRequest(e);
        ++shares.byKind[e.state.TroubleKind];
    }
    return shares;
}

TEST(TroubleOdds, RollRangeDropsTheFraction) {
    EXPECT_EQ(TroubleRollRange(20), 5);
    EXPECT_EQ(TroubleRollRange(30), 3);
    EXPECT_EQ(TroubleRollRange(60), 1);
    EXPECT_EQ(TroubleRollRange(100), 1);
    EXPECT_EQ(TroubleRollRange(0), 0);
    EXPECT_EQ(TroubleRollRange(250), 1) << "odds above 100 leave something to draw";
}

TEST(TroubleOdds, FaultsComeAtOneInHundredOverTheOdds) {
    // 20 gives one in 5, 30 one in 3 (not 30 in 100), 60 every time (100 / 60 is 1).
    const struct {
        const char* odds;
        double expected;
    } cases[] = {{"20", 0.2}, {"30", 1.0 / 3}, {"60", 1.0}, {"100", 1.0}, {"0", 0.0}};
    for (const auto& c : cases) {
        const Shares s = draw(c.odds, true, true, true);
        EXPECT_NEAR(1.0 - s.share(0), c.expected, 0.03) << "odds " << c.odds;
    }
}

TEST(TroubleOdds, OnlyEnabledKindsEquallyLikely) {
    // Electrode and motion on, battery off: about half each, never a low battery.
    const Shares two = draw("100", true, false, true);
    EXPECT_EQ(two.byKind[0], 0);
    EXPECT_EQ(two.byKind[kTroubleLowBattery], 0);
    EXPECT_NEAR(two.share(kTroubleLooseElectrode), 0.5, 0.04);
    EXPECT_NEAR(two.share(kTroubleMotion), 0.5, 0.04);
    // All three: a third each.
    const Shares all = draw("100", true, true, true);
    for (int kind : {kTroubleLooseElectrode, kTroubleMotion, kTroubleLowBattery}) {
        EXPECT_NEAR(all.share(kind), 1.0 / 3, 0.04) << "kind " << kind;
    }
    // None enabled: no fault at any odds.
    EXPECT_EQ(draw("100", false, false, false).byKind[0], kDraws);
}

}  // namespace
}  // namespace ardentix
