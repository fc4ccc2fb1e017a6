// Writing a scenario's result into the results database, as the program does at the end of each
// scenario: the database opened, what waits in the pending file written, the attempt with its
// dozen errors, sixty events and every figure written in one transaction, and the file closed.
// The goal is at most 20 ms a scenario, however many attempts the file already holds.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "sample_result.h"
#include "store/qt_results_store.h"

namespace ardentix::store {
namespace {

std::string freshDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "ardentix-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return {};
    return pattern;
}

void RecordScenario(benchmark::State& state) {
    const std::string dir = freshDir();
    QtResultsStore store(dir);
    store.SetTargets([] { return QStringList{"centre", "lrs"}; });
    const ScenarioResult result = testing::SampleResult("");
    // A file of a busy station's years: the attempts already in it.
    for (int64_t i = 0; i < state.range(0); ++i)
        store.Record(result);
    for (auto _ : state) {
        if (store.Record(result)) state.SkipWithError("the result was not written");
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(RecordScenario)->Arg(0)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ardentix::store
