// How fast the engine answers: a patient draw with its reset, and a minute of busy timers.
#include <benchmark/benchmark.h>

#include "core/engine.h"
#include "core/scenario.h"
#include "fake_ports.h"

namespace ardentix {
namespace {

void PrepareAndReset(benchmark::State& state) {
    testing::FakePorts fakes;
    Engine engine(fakes.ports(), testing::kNoProgramDir);
    engine.state.Mode = kPractice;
    for (auto _ : state) {
        PrepareScenario(engine);
        ResetScenario(engine);
        benchmark::DoNotOptimize(engine.state.StepPoints);
    }
}
BENCHMARK(PrepareAndReset);

void MinuteOfTimers(benchmark::State& state) {
    for (auto _ : state) {
        Scheduler timers;
        int fired = 0;
        timers.SetHandler([&](TimerId) { ++fired; });
        timers.SetInterval(TimerId::CPRTimer, 300);
        timers.Start(TimerId::CPRTimer);
        timers.Start(TimerId::ELAPSEDSecTIMER);
        timers.SetInterval(TimerId::FLASHLEDtimer, 500);
        timers.Start(TimerId::FLASHLEDtimer);
        timers.AdvanceTo(60000);
        benchmark::DoNotOptimize(fired);
    }
}
BENCHMARK(MinuteOfTimers);

}  // namespace
}  // namespace ardentix
