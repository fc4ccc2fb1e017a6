// Pieces of the outer loop that scripts cannot reach: texts, layout, sound failures and which
// controls take input when.
#include <gtest/gtest.h>

#include "aed/aed.h"
#include "core/elements.h"
#include "core/engine.h"
#include "core/layout.h"
#include "core/scenario.h"
#include "core/sound.h"
#include "fake_ports.h"
#include "monitor/finish.h"
#include "scenario/flow.h"
#include "scenario/input.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

TEST(Texts, ElapsedTime) {
    EXPECT_EQ(ElapsedText(0), "00:00");
    EXPECT_EQ(ElapsedText(7), "00:07");
    EXPECT_EQ(ElapsedText(42), "00:42");
    EXPECT_EQ(ElapsedText(59), "00:59");
    EXPECT_EQ(ElapsedText(60), "01:00");
    EXPECT_EQ(ElapsedText(187), "03:07");
    EXPECT_EQ(ElapsedText(600), "10:00");
    EXPECT_EQ(ElapsedText(725), "12:05");
    EXPECT_EQ(ElapsedText(6005), "100:05");
}

TEST(Texts, ClockKeepsHoursAndMinutes) {
    EXPECT_EQ(ClockText("9:05:12 AM"), "9:05");
    EXPECT_EQ(ClockText("10:05:12 AM"), "10:05");
    EXPECT_EQ(ClockText("09:05:12"), "09:05");
    EXPECT_EQ(ClockText("21:05:12"), "21:05");
}

class Program : public ::testing::Test {
  protected:
    testing::FakePorts fakes;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};
    const Element& el(const char* name) { return e.screen.Get(ElementCalled(name)); }
};

TEST_F(Program, ActionBarFollowsTheSettings) {
    e.settings.SetOn(Opt::OptBatteryTrouble, false);
    e.settings.SetOn(Opt::OptElectrodeTrouble, false);
    e.settings.SetOn(Opt::OptMOTIONTrouble, false);
    e.settings.SetOn(Opt::OPTClearAnalyze, false);
    e.settings.SetOn(Opt::OPTCLEARShock, false);
    LayoutActionBar(e);
    EXPECT_EQ(el("CPRBUTTON").left, 2);
    EXPECT_EQ(el("CPRBUTTON").width, 158);
    EXPECT_EQ(el("PulseButton").left, 160);
    EXPECT_EQ(el("ABCsButton").left, 318);
    EXPECT_FALSE(el("BPBUTTON").visible);
    EXPECT_FALSE(el("CLEARBUTTON").visible);
    EXPECT_EQ(el("ENDBUTTON").left, 476);
    EXPECT_EQ(el("ENDBUTTON").width, kClientWidth - 474 - 4 + 2);

    for (Opt opt : {Opt::OPTBPCHECK, Opt::OptVoice, Opt::OPTCALL911, Opt::OptMOTIONTrouble,
                    Opt::OPTClearAnalyze}) {
        e.settings.SetOn(opt, true);
    }
    LayoutActionBar(e);
    for (const char* name : {"CPRBUTTON", "PulseButton", "ABCsButton", "BPBUTTON", "VOICEBUTTON",
                             "CALLHELPButton", "TROUBLEShootBUTTON", "CLEARBUTTON"}) {
        EXPECT_TRUE(el(name).visible) << name;
        EXPECT_EQ(el(name).width, 59) << name;
    }
    EXPECT_EQ(el("CLEARBUTTON").left, 2 + 7 * 59);
    EXPECT_EQ(el("ENDBUTTON").width, kClientWidth - 8 * 59 - 4 + 1);

    // Five buttons: no correction.
    e.settings.SetOn(Opt::OPTCALL911, false);
    e.settings.SetOn(Opt::OptMOTIONTrouble, false);
    e.settings.SetOn(Opt::OPTClearAnalyze, false);
    LayoutActionBar(e);
    EXPECT_EQ(el("CPRBUTTON").width, 95);
    EXPECT_EQ(el("VOICEBUTTON").left, 2 + 4 * 95);
    EXPECT_EQ(el("ENDBUTTON").width, kClientWidth - 5 * 95 - 4);
}

TEST_F(Program, MissingSoundSwitchesAudioOffOnce) {
    struct Failing : Sound {
        int plays = 0;
        bool Play(const std::string&) override {
            ++plays;
            return false;
        }
        void Stop() override {}
    } failing;
    WiredEngine engine({&fakes.clock, &failing, &fakes.dialogs, &fakes.pictures, nullptr},
                       testing::kNoProgramDir);
    PlaySound(engine, "ifnoplsS.wav");
    EXPECT_EQ(failing.plays, 1);
    ASSERT_EQ(fakes.dialogs.shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs.shown[0],
              "Cannot locate audio file. Be sure .WAV audio files are in the same folder as the "
              "Ardentix program file. Click OK to disable audio (see Scenario Options).");
    EXPECT_FALSE(engine.settings.On(Opt::SOUNDCheckBox));
    EXPECT_FALSE(engine.settings.Changed()) << "not a change of the settings";
    PlaySound(engine, "checkfor.wav");
    EXPECT_EQ(failing.plays, 1) << "audio is off now";
    EXPECT_EQ(engine.state.SoundFile, "checkfor.wav") << "the name is kept all the same";
}

TEST_F(Program, ControlsTakeInputOnlyWhereTheyAreShown) {
    CreateMainWindow(e);
    ShowMainWindow(e);
    EXPECT_EQ(Click(e, "ENDBUTTON"), InputResult::Unavailable) << "the menu covers the scenario";
    EXPECT_EQ(Click(e, "TUserNAMEFORM.OKBtn"), InputResult::Unavailable);
    EXPECT_EQ(Click(e, "NoSuchButton"), InputResult::Unknown);
    EXPECT_EQ(ChooseMenu(e, "Pause"), InputResult::Unavailable);
    EXPECT_EQ(Click(e, "MenuStart"), InputResult::Done);
    EXPECT_EQ(TypeText(e, "TUserNAMEFORM.NAMEEdit", "Kim"), InputResult::Done);
    EXPECT_EQ(Click(e, "TUserNAMEFORM.Practicebutton"), InputResult::Done);
    EXPECT_EQ(Click(e, "TUserNAMEFORM.OKBtn"), InputResult::Done);
    EXPECT_EQ(ChooseMenu(e, "Pause"), InputResult::Done);
    EXPECT_EQ(Click(e, "ENDBUTTON"), InputResult::Unavailable) << "paused";
    EXPECT_EQ(ChooseMenu(e, "Pause"), InputResult::Done);
    EXPECT_EQ(Click(e, "ENDBUTTON"), InputResult::Done);
    EXPECT_EQ(Click(e, "CPRBUTTON"), InputResult::Unavailable) << "the final errors are up";
    EXPECT_EQ(Click(e, "TForm2.MainMenu"), InputResult::Unavailable);
    EXPECT_EQ(Click(e, "FinalErrorOKButton"), InputResult::Done);
    EXPECT_EQ(ChooseMenu(e, "Pause"), InputResult::Unavailable) << "the summary is up";
    EXPECT_EQ(Click(e, "MenuStart"), InputResult::Unavailable);
    EXPECT_EQ(Click(e, "TForm2.MainMenu"), InputResult::Done);
    EXPECT_EQ(ChooseMenu(e, "AboutArdentix1"), InputResult::Done);
    EXPECT_EQ(Click(e, "MenuStart"), InputResult::Unavailable) << "the about box is up";
    EXPECT_EQ(ChooseMenu(e, "TAboutBox.OKBtn"), InputResult::Done);
    EXPECT_EQ(Click(e, "QUITImage"), InputResult::Done);
    EXPECT_TRUE(e.ended);
}

}  // namespace
}  // namespace ardentix

namespace ardentix {
namespace {

TEST_F(Program, DropTargetsFollowThePictureSet) {
    e.ScriptState().PictureSet = 4;
    PlaceOverlays(e);
    // Set 4: the white zone at 67,188 (69 x 100), the red zone at 184,235 (68 x 105).
    EXPECT_EQ(PadTargetAt(e, 67, 188), PadTarget::WhiteZone);
    EXPECT_EQ(PadTargetAt(e, 135, 287), PadTarget::WhiteZone);
    EXPECT_EQ(PadTargetAt(e, 136, 287), PadTarget::Torso);
    EXPECT_EQ(PadTargetAt(e, 200, 300), PadTarget::RedZone);
    EXPECT_EQ(PadTargetAt(e, 5, 5), std::nullopt) << "beside the chest";
}

}  // namespace
}  // namespace ardentix
