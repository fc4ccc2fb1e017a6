#include "settings/settings.h"

#include <gtest/gtest.h>

#include <vector>

namespace ardentix {
namespace {

TEST(Settings, FirstStartValues) {
    Settings s;
    for (Opt on : {Opt::OPTOneRescuer, Opt::SOUNDCheckBox, Opt::OPTSCREENSIZE, Opt::OPTTWOBUTTONAED,
                   Opt::OPTAUTOANALYZE, Opt::OptBatteryTrouble, Opt::OptElectrodeTrouble,
                   Opt::OptMOTIONTrouble, Opt::Age, Opt::OptPulseAfter3rdShock, Opt::OPTCLEARShock,
                   Opt::OPTClearAnalyze, Opt::OPTResultsLocal}) {
        EXPECT_TRUE(s.On(on)) << ControlName(on);
    }
    for (Opt off :
         {Opt::OPTautoABCS, Opt::OptBVM, Opt::OPTCALL911, Opt::Opt2CPR, Opt::Weight,
          Opt::OPTPEDScen, Opt::OptHypo, Opt::OPTDetailedTestReport, Opt::OPTFTP, Opt::OPTEncrypt,
          Opt::OPTEmail, Opt::OPTAUTOSend, Opt::OptVoice, Opt::OPTGuideCurrent,
          Opt::OPTCompressByKey, Opt::OPTResultsCentre, Opt::OPTCaptions}) {
        EXPECT_FALSE(s.On(off)) << ControlName(off);
    }
    EXPECT_EQ(s.Text(Opt::OptTroubleOdds), "20");
    EXPECT_EQ(s.Text(Opt::OptHypoShocks), "3");
    EXPECT_EQ(s.Text(Opt::OptMinimumAge), "8");
    EXPECT_EQ(s.Text(Opt::OptCPR1Length), "60");
    EXPECT_EQ(s.Text(Opt::OPTCPRCOMP), "75");
    EXPECT_EQ(s.Text(Opt::OPTtestScenarios), "3");
    EXPECT_EQ(s.Text(Opt::PASSWORD), "");
    EXPECT_FALSE(s.Changed());
}

TEST(Settings, ControlsAreFoundByName) {
    EXPECT_EQ(kControlCount, 54);
    for (int i = 0; i < kControlCount; ++i) {
        const auto opt = static_cast<Opt>(i);
        EXPECT_EQ(ControlByName(ControlName(opt)), opt);
    }
    EXPECT_FALSE(ControlByName("optautoanalyze").has_value()) << "names keep their case";
}

TEST(Settings, ChangeReactionRunsOnlyOnARealChange) {
    Settings s;
    std::vector<Opt> seen;
    s.SetObserver([&](Opt opt) { seen.push_back(opt); });
    s.SetOn(Opt::OPTBPCHECK, false);
    s.SetText(Opt::OPTCPRCOMP, "75");
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(s.Changed());
    s.SetText(Opt::OPTCPRCOMP, "80");
    EXPECT_EQ(seen, std::vector<Opt>{Opt::OPTCPRCOMP});
    EXPECT_TRUE(s.Changed());
}

TEST(Settings, TwoButtonDeviceAndAutoAnalyze) {
    Settings s;
    s.SetOn(Opt::OPTAUTOANALYZE, false);
    EXPECT_FALSE(s.On(Opt::OPTTWOBUTTONAED)) << "no auto analyze, no two-button device";
    s.SetOn(Opt::OptPulseAfterCPR, true);  // allowed by hand
    s.SetOn(Opt::OPTTWOBUTTONAED, true);
    EXPECT_TRUE(s.On(Opt::OPTAUTOANALYZE));
    EXPECT_FALSE(s.On(Opt::OptPulseAfterCPR));
    s.SetOn(Opt::OptPulseAfterCPR, true);  // still allowed by hand with auto analyze on
    EXPECT_TRUE(s.On(Opt::OptPulseAfterCPR));
    s.SetOn(Opt::OPTAUTOANALYZE, false);
    EXPECT_FALSE(s.On(Opt::OPTTWOBUTTONAED));
    EXPECT_TRUE(s.On(Opt::OptPulseAfterCPR));
}

TEST(Settings, ManualAndAutomaticMailExcludeEachOther) {
    Settings s;
    s.SetOn(Opt::OPTEmail, true);
    s.SetOn(Opt::OPTAUTOSend, true);
    EXPECT_FALSE(s.On(Opt::OPTEmail));
    s.SetOn(Opt::OPTEmail, true);
    EXPECT_FALSE(s.On(Opt::OPTAUTOSend));
}

TEST(Settings, AgeAndWeightArePaired) {
    Settings s;
    s.SetOn(Opt::Weight, true);
    EXPECT_FALSE(s.On(Opt::Age));
    s.SetText(Opt::OptMinimumAge, "40");
    s.SetOn(Opt::Age, true);
    EXPECT_FALSE(s.On(Opt::Weight));
    EXPECT_EQ(s.Text(Opt::OptMinimumAge), "8") << "an age over 18 returns to the default";
    s.SetOn(Opt::Weight, true);
    s.SetText(Opt::OptMinimumAge, "18");
    s.SetOn(Opt::Age, true);
    EXPECT_EQ(s.Text(Opt::OptMinimumAge), "18");
    // Clearing one radio button checks the other: exactly one stays checked.
    s.SetOn(Opt::Age, false);
    EXPECT_TRUE(s.On(Opt::Weight));
    EXPECT_FALSE(s.On(Opt::Age));
}

// The guidelines change as the unit of the pediatric minimum does: the button checked and its
// partner cleared, each a change with its reaction, and nothing when the button is checked already.
// Where the results are kept is a radio pair too; the Scenario tab's DEFAULT brings back this
// computer and an empty address.
TEST(Settings, ResultsDatabaseIsARadioPair) {
    Settings s;
    s.SetOn(Opt::OPTResultsCentre, true);
    s.SetText(Opt::OPTCentreURI, "postgresql://s@h/d");
    EXPECT_FALSE(s.On(Opt::OPTResultsLocal));
    s.SetOn(Opt::OPTResultsCentre, false);
    EXPECT_TRUE(s.On(Opt::OPTResultsLocal));
    s.SetOn(Opt::OPTResultsLocal, false);
    EXPECT_TRUE(s.On(Opt::OPTResultsCentre));
    s.ApplyDefaults(Tab::Protocol);
    EXPECT_TRUE(s.On(Opt::OPTResultsCentre));
    s.ApplyDefaults(Tab::Scenario);
    EXPECT_TRUE(s.On(Opt::OPTResultsLocal));
    EXPECT_FALSE(s.On(Opt::OPTResultsCentre));
    EXPECT_EQ(s.Text(Opt::OPTCentreURI), "");
}

TEST(Settings, GuidelinesChangeAsTheOtherRadioPair) {
    Settings s;
    std::vector<Opt> seen;
    s.SetObserver([&](Opt opt) { seen.push_back(opt); });
    s.SetOn(Opt::Weight, true);
    EXPECT_EQ(seen, (std::vector<Opt>{Opt::Age, Opt::Weight}));
    seen.clear();
    s.SetOn(Opt::OPTGuideCurrent, true);
    EXPECT_EQ(seen, (std::vector<Opt>{Opt::OPTGuideClassic, Opt::OPTGuideCurrent}));
    EXPECT_TRUE(s.Changed());

    seen.clear();
    s.SetChanged(false);
    s.SetOn(Opt::OPTGuideCurrent, true);
    s.SetOn(Opt::OPTGuideClassic, false);
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(s.Changed());
    EXPECT_TRUE(s.On(Opt::OPTGuideCurrent));

    s.SetOn(Opt::OPTGuideCurrent, false);
    EXPECT_EQ(seen, (std::vector<Opt>{Opt::OPTGuideCurrent, Opt::OPTGuideClassic}));
    EXPECT_TRUE(s.On(Opt::OPTGuideClassic));
    EXPECT_TRUE(s.Changed());

    // The Protocol tab's defaults: classic, a change only where the choice was current.
    s.SetOn(Opt::Age, true);
    s.SetOn(Opt::OPTGuideCurrent, true);
    seen.clear();
    s.SetChanged(false);
    s.ApplyDefaults(Tab::Protocol);
    EXPECT_EQ(seen, (std::vector<Opt>{Opt::OPTGuideCurrent, Opt::OPTGuideClassic}));
    EXPECT_TRUE(s.On(Opt::OPTGuideClassic));
    EXPECT_FALSE(s.On(Opt::OPTGuideCurrent));
    EXPECT_TRUE(s.Changed());
    seen.clear();
    s.SetChanged(false);
    s.ApplyDefaults(Tab::Protocol);
    EXPECT_TRUE(seen.empty());
    EXPECT_FALSE(s.Changed());
}

TEST(Settings, DefaultButtonsSetTheirOwnTab) {
    Settings s;
    s.SetOn(Opt::OptBVM, true);
    s.SetText(Opt::PASSWORD, "secret");
    s.SetText(Opt::OptCPR1Length, "90");
    s.SetText(Opt::OPTtestScenarios, "7");
    s.SetOn(Opt::OPTFTP, true);
    s.ApplyDefaults(Tab::Scenario);
    EXPECT_FALSE(s.On(Opt::OptBVM));
    EXPECT_EQ(s.Text(Opt::PASSWORD), "");
    EXPECT_EQ(s.Text(Opt::OptCPR1Length), "90");
    EXPECT_FALSE(s.On(Opt::OPTDetailedTestReport));
    s.ApplyDefaults(Tab::Test);
    EXPECT_TRUE(s.On(Opt::OPTDetailedTestReport))
        << "the Test tab's DEFAULT differs from first start";
    EXPECT_FALSE(s.On(Opt::OPTFTP));
    EXPECT_EQ(s.Text(Opt::OPTtestScenarios), "3");
    s.SetOn(Opt::Weight, true);
    s.SetText(Opt::OptMinimumAge, "60");
    s.ApplyDefaults(Tab::Protocol);
    EXPECT_TRUE(s.On(Opt::Age));
    EXPECT_FALSE(s.On(Opt::Weight));
    EXPECT_EQ(s.Text(Opt::OptMinimumAge), "8");
    EXPECT_EQ(s.Text(Opt::OptCPR1Length), "60");
}

TEST(Settings, NumbersThatAreNotWholeReadAsTheirFirstStartValue) {
    Settings s;
    s.SetText(Opt::OPTCPRCOMP, "fast");
    EXPECT_EQ(s.Value(Opt::OPTCPRCOMP), 75);
    s.SetText(Opt::OptCPR1Length, "12.5");
    EXPECT_EQ(s.Value(Opt::OptCPR1Length), 60);
    s.SetText(Opt::OPTtestScenarios, "");
    EXPECT_EQ(s.Value(Opt::OPTtestScenarios), 3);
    s.SetText(Opt::OptTroubleOdds, " 5");
    EXPECT_EQ(s.Value(Opt::OptTroubleOdds), 20);
    s.SetText(Opt::OptHypoShocks, "10");
    EXPECT_EQ(s.Value(Opt::OptHypoShocks), 10);
    EXPECT_EQ(s.Text(Opt::OPTCPRCOMP), "fast") << "the field keeps its text";
}

}  // namespace
}  // namespace ardentix
