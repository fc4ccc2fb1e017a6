// The engine is made only by the scenario layer, with every handler in place.
#include "scenario/wired_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

#include "core/elements.h"
#include "fake_ports.h"
#include "settings/settings.h"

namespace ardentix {
namespace {

// The ground's Engine has no handlers: a program that made one itself would run without them.
static_assert(!std::is_constructible_v<Engine, Ports, std::string>);
static_assert(std::is_constructible_v<WiredEngine, Ports, std::string>);

bool Shown(const Engine& e, Opt opt) {
    const Element& control = e.screen.Get(OptionElement(opt));
    switch (KindOf(opt)) {
        case ControlKind::CheckBox:
        case ControlKind::Radio:
            return control.checked == e.settings.On(opt);
        case ControlKind::Number:
        case ControlKind::Text:
            return control.text == e.settings.Text(opt);
    }
    return false;
}

TEST(WiredEngine, TheOptionPagesShowEverySettingFromTheStart) {
    testing::FakePorts fakes;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};
    for (int i = 0; i < kControlCount; ++i) {
        EXPECT_TRUE(Shown(e, static_cast<Opt>(i))) << ControlName(static_cast<Opt>(i));
    }
}

TEST(WiredEngine, EachEngineShowsItsOwnSettingsChanges) {
    testing::FakePorts fakes;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};
    WiredEngine other{fakes.ports(), testing::kNoProgramDir};
    const bool sound = e.settings.On(Opt::SOUNDCheckBox);
    e.settings.SetOn(Opt::SOUNDCheckBox, !sound);
    EXPECT_EQ(e.screen.Get(OptionElement(Opt::SOUNDCheckBox)).checked, !sound);
    EXPECT_EQ(other.screen.Get(OptionElement(Opt::SOUNDCheckBox)).checked, sound);
    e.settings.SetOn(Opt::SOUNDCheckBox, sound);
    EXPECT_EQ(e.screen.Get(OptionElement(Opt::SOUNDCheckBox)).checked, sound);
    e.settings.SetText(Opt::OPTCPRCOMP, "45");
    EXPECT_EQ(e.screen.Get(OptionElement(Opt::OPTCPRCOMP)).text, "45");
    EXPECT_NE(other.screen.Get(OptionElement(Opt::OPTCPRCOMP)).text, "45");
}

TEST(WiredEngine, ItsTimersRunTheirHandlers) {
    testing::FakePorts fakes;
    WiredEngine e{fakes.ports(), testing::kNoProgramDir};
    e.timers.Start(TimerId::ELAPSEDSecTIMER);
    e.timers.AdvanceTo(999);
    EXPECT_EQ(e.state.ElapsedSeconds, 0);
    e.timers.AdvanceTo(1000);
    EXPECT_EQ(e.state.ElapsedSeconds, 1);
    e.timers.AdvanceTo(2000);
    EXPECT_EQ(e.state.ElapsedSeconds, 2);
}

}  // namespace
}  // namespace ardentix
