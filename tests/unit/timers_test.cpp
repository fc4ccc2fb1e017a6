#include "core/timers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ardentix {
namespace {

// Records each expiry as "name@time" and runs a test's extra reaction.
struct Recorder {
    Scheduler timers;
    std::vector<std::string> fired;
    std::function<void(TimerId)> react;

    Recorder() {
        timers.SetHandler([this](TimerId id) {
            fired.push_back(std::string(TimerName(id)) + "@" + std::to_string(timers.Now()));
            if (react) react(id);
        });
    }
};

using T = TimerId;

TEST(Timers, EveryTimerHasItsNameAndStartsStopped) {
    Scheduler s;
    // the 32 of the scenario screen, the device's own delay, the monitor's watch of CPR, the
    // hands' release in CPR and the end of a sound's caption
    EXPECT_EQ(kTimerCount, 36);
    EXPECT_EQ(s.Interval(T::CPRReleaseTimer), 272);
    for (int i = 0; i < kTimerCount; ++i) {
        const auto id = static_cast<TimerId>(i);
        EXPECT_EQ(TimerByName(TimerName(id)), id);
        EXPECT_FALSE(s.Running(id));
    }
    EXPECT_FALSE(TimerByName("NoSuchTimer").has_value());
    EXPECT_EQ(s.Interval(T::POWERTIMER2), 150);
    // Timers whose interval is given nowhere have 1000 ms.
    EXPECT_EQ(s.Interval(T::VENTILATION2Timer), 1000);
    EXPECT_EQ(s.Interval(T::HIDEBVMTimer), 1000);
    EXPECT_FALSE(s.NextDue().has_value());
}

TEST(Timers, RunningTimerFiresOncePerIntervalUntilStopped) {
    Recorder r;
    r.timers.SetInterval(T::FLASHLEDtimer, 500);
    r.timers.Start(T::FLASHLEDtimer);
    r.timers.AdvanceTo(1600);
    EXPECT_EQ(r.fired, (std::vector<std::string>{"FLASHLEDtimer@500", "FLASHLEDtimer@1000",
                                                 "FLASHLEDtimer@1500"}));
    EXPECT_EQ(r.timers.Now(), 1600);
    r.timers.Stop(T::FLASHLEDtimer);
    r.timers.AdvanceTo(5000);
    EXPECT_EQ(r.fired.size(), 3u);
}

TEST(Timers, StartingARunningTimerKeepsItsPeriod) {
    Recorder r;
    r.timers.Start(T::STARTCPRTimer);  // 2000 ms
    r.timers.AdvanceTo(1500);
    r.timers.Start(T::STARTCPRTimer);
    r.timers.AdvanceTo(2000);
    EXPECT_EQ(r.fired, (std::vector<std::string>{"STARTCPRTimer@2000"}));
}

TEST(Timers, NewIntervalOnARunningTimerRestartsItsPeriod) {
    Recorder r;
    r.timers.Start(T::PUSHANALYZETimer);  // 100 ms
    r.timers.AdvanceTo(50);
    r.timers.SetInterval(T::PUSHANALYZETimer, 1500);
    r.timers.AdvanceTo(1549);
    EXPECT_TRUE(r.fired.empty());
    r.timers.AdvanceTo(1550);
    EXPECT_EQ(r.fired, (std::vector<std::string>{"PUSHANALYZETimer@1550"}));
}

TEST(Timers, SameIntervalOnARunningTimerChangesNothing) {
    Recorder r;
    r.timers.Start(T::CHARGETimer);  // 2000 ms
    r.timers.AdvanceTo(1200);
    r.timers.SetInterval(T::CHARGETimer, 2000);
    r.timers.AdvanceTo(2000);
    EXPECT_EQ(r.fired, (std::vector<std::string>{"CHARGETimer@2000"}));
}

TEST(Timers, IntervalOfAStoppedTimerDoesNotStartIt) {
    Recorder r;
    r.timers.AdvanceTo(300);
    r.timers.SetInterval(T::IFNOPULSETimer, 2001);
    EXPECT_FALSE(r.timers.Running(T::IFNOPULSETimer));
    EXPECT_EQ(r.timers.Interval(T::IFNOPULSETimer), 2001);
    r.timers.AdvanceTo(10000);
    EXPECT_TRUE(r.fired.empty());
    // Started later, its period begins then.
    r.timers.Start(T::IFNOPULSETimer);
    r.timers.AdvanceTo(12001);
    EXPECT_EQ(r.fired, (std::vector<std::string>{"IFNOPULSETimer@12001"}));
}

TEST(Timers, ZeroIntervalNeverFires) {
    Recorder r;
    r.timers.SetInterval(T::CPRCountdownTimer, 0);
    r.timers.Start(T::CPRCountdownTimer);
    EXPECT_FALSE(r.timers.NextDue().has_value());
    r.timers.AdvanceTo(100000);
    EXPECT_TRUE(r.fired.empty());
    r.timers.SetInterval(T::CPRCountdownTimer, -10);
    r.timers.AdvanceTo(200000);
    EXPECT_TRUE(r.fired.empty());
}

TEST(Timers, OneShotHandlersStopThemselvesAndStartTheNext) {
    Recorder r;
    r.react = [&](TimerId id) {
        if (id == T::POWERTIMER2) {
            r.timers.SetInterval(T::POWERTimer, 2000);
            r.timers.Start(T::POWERTimer);
            r.timers.Stop(T::POWERTIMER2);
        } else if (id == T::POWERTimer) {
            r.timers.Stop(T::POWERTimer);
        }
    };
    r.timers.Start(T::POWERTIMER2);
    r.timers.AdvanceTo(10000);
    EXPECT_EQ(r.fired, (std::vector<std::string>{"POWERTIMER2@150", "POWERTimer@2150"}));
}

TEST(Timers, HandlerThatReArmsItselfWithAnotherInterval) {
    Recorder r;
    r.react = [&](TimerId id) {
        if (id == T::MOTIONDETECTEDTimer) r.timers.SetInterval(T::MOTIONDETECTEDTimer, 1001);
    };
    r.timers.Start(T::MOTIONDETECTEDTimer);  // 1000 ms, then 1001
    r.timers.AdvanceTo(3002);
    EXPECT_EQ(r.fired,
              (std::vector<std::string>{"MOTIONDETECTEDTimer@1000", "MOTIONDETECTEDTimer@2001",
                                        "MOTIONDETECTEDTimer@3002"}));
}

TEST(Timers, HandlerThatStopsAnotherTimerDueAtTheSameTime) {
    Recorder r;
    r.timers.Start(T::ENDAnalyzeTimer);    // 1000 ms, started first
    r.timers.Start(T::ANALYZINGNOWTimer);  // 1000 ms, due at the same moment
    r.react = [&](TimerId id) {
        if (id == T::ENDAnalyzeTimer) r.timers.Stop(T::ANALYZINGNOWTimer);
    };
    r.timers.AdvanceTo(1000);
    EXPECT_EQ(r.fired, (std::vector<std::string>{"ENDAnalyzeTimer@1000"}));
}

TEST(Timers, EqualDueTimesFireInTheOrderTheirPeriodsBegan) {
    Recorder r;
    r.timers.SetInterval(T::VENTILATION2Timer, 500);
    r.timers.Start(T::VENTILATION2Timer);  // due at 500
    r.timers.AdvanceTo(200);
    r.timers.SetInterval(T::SHOCKTimer, 300);
    r.timers.Start(T::SHOCKTimer);  // due at 500 too, but began later
    r.timers.SetInterval(T::ANALYZINGNOWTimer, 500);
    r.timers.Start(T::ANALYZINGNOWTimer);  // due at 700
    r.timers.AdvanceTo(700);
    EXPECT_EQ(r.fired, (std::vector<std::string>{"VENTILATION2Timer@500", "SHOCKTimer@500",
                                                 "ANALYZINGNOWTimer@700"}));
}

TEST(Timers, ExpiryDueWhileAHandlerRunsIsHandledAfterIt) {
    // A modal box lets the event loop run inside a handler: the front end calls AdvanceTo again.
    Recorder r;
    r.timers.SetInterval(T::BPTIMER, 100);
    r.timers.Start(T::BPTIMER);
    r.timers.SetInterval(T::PULSETIMER, 150);
    r.timers.Start(T::PULSETIMER);
    r.react = [&](TimerId id) {
        if (id != T::BPTIMER) return;
        r.timers.Stop(T::BPTIMER);
        const size_t before = r.fired.size();
        r.timers.AdvanceTo(400);  // the box stays open until 400
        EXPECT_EQ(r.fired.size(), before) << "nothing fires inside a running handler";
    };
    r.timers.AdvanceTo(120);
    EXPECT_EQ(r.fired,
              (std::vector<std::string>{"BPTIMER@100", "PULSETIMER@150", "PULSETIMER@300"}));
    EXPECT_EQ(r.timers.Now(), 400);
}

TEST(Timers, NextDueIsTheEarliestExpiry) {
    Scheduler s;
    s.Start(T::DISARMTimer);  // 13000
    s.Start(T::POWERTIMER2);  // 150
    EXPECT_EQ(s.NextDue(), 150);
    s.Stop(T::POWERTIMER2);
    EXPECT_EQ(s.NextDue(), 13000);
}

// The nth expiry from now counts whole periods from the one under way; a new period (an expiry or
// a new interval) moves it, a stopped or silent timer has none.
TEST(Timers, ExpiryAtCountsPeriodsFromTheOneUnderWay) {
    Scheduler s;
    EXPECT_FALSE(s.ExpiryAt(T::CPRCountdownTimer, 1).has_value());
    s.SetInterval(T::CPRCountdownTimer, 750);
    s.Start(T::CPRCountdownTimer);
    s.AdvanceTo(100);
    EXPECT_EQ(s.ExpiryAt(T::CPRCountdownTimer, 1), 750);
    EXPECT_EQ(s.ExpiryAt(T::CPRCountdownTimer, 3), 2250);
    EXPECT_FALSE(s.ExpiryAt(T::CPRCountdownTimer, 0).has_value());
    s.AdvanceTo(749);
    EXPECT_EQ(s.ExpiryAt(T::CPRCountdownTimer, 1), 750);
    s.AdvanceTo(750);
    EXPECT_EQ(s.ExpiryAt(T::CPRCountdownTimer, 1), 1500);
    s.AdvanceTo(800);
    s.SetInterval(T::CPRCountdownTimer, 1000);
    EXPECT_EQ(s.ExpiryAt(T::CPRCountdownTimer, 2), 2800);
    s.SetInterval(T::CPRCountdownTimer, 0);
    EXPECT_FALSE(s.ExpiryAt(T::CPRCountdownTimer, 1).has_value());
    s.SetInterval(T::CPRCountdownTimer, 500);
    s.Stop(T::CPRCountdownTimer);
    EXPECT_FALSE(s.ExpiryAt(T::CPRCountdownTimer, 1).has_value());
}

}  // namespace
}  // namespace ardentix
