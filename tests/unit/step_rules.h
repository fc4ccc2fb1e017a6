#pragma once
// The expected-step rule tables tested rule by rule: each case names its rule and the step it
// gives, and sets up the state that makes it the first rule to hold in a Practice scenario
// needing two shocks.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "monitor/monitor.h"
#include "scenario/wired_engine.h"

namespace ardentix::testing {

struct StepCase {
    const char* rule;
    int step;
    std::function<void(Engine&)> setUp;
};

inline void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.rule;
}

class StepRules : public ::testing::TestWithParam<StepCase> {
  protected:
    FakePorts fakes;
    WiredEngine e{fakes.ports(), kNoProgramDir};

    void SetUp() override {
        e.ScriptState().Mode = kPractice;
        e.ScriptState().ShocksNeeded = 2;
    }

    // The case's set-up, then its rule must decide and give its step.
    void expectFirstRuleDecides() {
        GetParam().setUp(e);
        EXPECT_EQ(DecidingRule(e), GetParam().rule);
        EXPECT_EQ(ExpectedNextStep(e), GetParam().step);
    }
};

}  // namespace ardentix::testing
