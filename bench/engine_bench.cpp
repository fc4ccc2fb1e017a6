// How fast the engine answers: a patient draw with its reset, a minute of busy timers, the largest
// report file the viewer shows (it should take well under a second), and an overlay's mask.
#include <benchmark/benchmark.h>

#include "core/engine.h"
#include "core/overlay_mask.h"
#include "core/scenario.h"
#include "fake_ports.h"
#include "records/report_text.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

void PrepareAndReset(benchmark::State& state) {
    testing::FakePorts fakes;
    WiredEngine engine(fakes.ports(), testing::kNoProgramDir);
    engine.ScriptState().Mode = kPractice;
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

// A report file at the viewer's limit: result lines with a few bytes that are not text.
void LargestReportFile(benchmark::State& state) {
    std::string bytes;
    const std::string line = "Kim Lee            1234          12/6/26   03:07  01:12    850\r\n";
    while (bytes.size() + line.size() + 2 <= kLargestReportFile)
        bytes += bytes.size() % 4096 < line.size() ? line.substr(0, 20) + "\xff\x00" : line;
    for (auto _ : state) {
        auto lines = ReportTextLines(bytes);
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LargestReportFile)->Unit(benchmark::kMillisecond);

// The mask of a full-view overlay whose seed lies in a large dark area.
void OverlayMaskOfTheView(benchmark::State& state) {
    const int size = 425;
    std::vector<uint8_t> black(static_cast<size_t>(size * size), 1);
    for (int i = 0; i < size; ++i)
        black[static_cast<size_t>(i * size + i)] = 0;  // a diagonal object line
    for (auto _ : state) {
        auto mask = OverlayMask(size, size, black, {true, 5, 0});
        benchmark::DoNotOptimize(mask);
    }
}
BENCHMARK(OverlayMaskOfTheView)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ardentix
