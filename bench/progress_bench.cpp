// The Progress tab with 100,000 attempts in ARDENTIX.DB: the queries behind opening the tab, a
// filter of days and mode, a name, a trainee's page, and the CSV of every attempt. Opening and
// filtering should take at most 300 ms each. The database is written once, by the generator of
// the tests, into a temporary folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "attempt_generator.h"
#include "results_file.h"
#include "store/progress_queries.h"

namespace ardentix {
namespace {

constexpr int kAttempts = 100000;

test::ResultsFile* results = nullptr;

store::ProgressQueries queries() {
    return store::ProgressQueries(results->Db());
}

// What the tab reads for a filter: the trainees' table and the errors of the class.
void ReadTab(benchmark::State& state, const store::ProgressFilter& filter) {
    for (auto _ : state) {
        store::ProgressQueries q = queries();
        const auto trainees = q.Trainees(filter);
        const auto errors = q.Errors(filter);
        if (!q.Failure().isEmpty()) state.SkipWithError(q.Failure().toUtf8().constData());
        benchmark::DoNotOptimize(trainees.data());
        benchmark::DoNotOptimize(errors.data());
        state.counters["trainees"] = double(trainees.size());
    }
}

void OpenTab(benchmark::State& state) {
    ReadTab(state, {});
}
BENCHMARK(OpenTab)->Unit(benchmark::kMillisecond);

void FilterDaysAndMode(benchmark::State& state) {
    ReadTab(state, {QDate(2026, 3, 1), QDate(2026, 5, 31), QStringLiteral("Test"), {}});
}
BENCHMARK(FilterDaysAndMode)->Unit(benchmark::kMillisecond);

void FilterName(benchmark::State& state) {
    ReadTab(state, {{}, {}, {}, QStringLiteral("lee")});
}
BENCHMARK(FilterName)->Unit(benchmark::kMillisecond);

void TraineePage(benchmark::State& state) {
    for (auto _ : state) {
        const auto attempts = queries().AttemptsOf(QStringLiteral("Kim Lee"), "1000", {});
        benchmark::DoNotOptimize(attempts.data());
        state.counters["attempts"] = double(attempts.size());
    }
}
BENCHMARK(TraineePage)->Unit(benchmark::kMillisecond);

void CsvOfEveryAttempt(benchmark::State& state) {
    for (auto _ : state) {
        const QByteArray csv = store::AttemptsCsv(queries().Attempts({}));
        benchmark::DoNotOptimize(csv.data());
    }
}
BENCHMARK(CsvOfEveryAttempt)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ardentix

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // ARDENTIX_PROGRESS_DIR keeps the database in a folder of one's own, to look into.
    QTemporaryDir temporary;
    const QString dir = qEnvironmentVariable("ARDENTIX_PROGRESS_DIR", temporary.path());
    QFile::remove(dir + "/ARDENTIX.DB");
    auto file = std::make_unique<ardentix::test::ResultsFile>(dir + "/ARDENTIX.DB");
    QElapsedTimer written;
    written.start();
    if (!file->Ok() || !ardentix::test::GenerateAttempts(file->Db(), ardentix::kAttempts)) {
        std::fprintf(stderr, "cannot write the attempts: %s\n", qPrintable(file->Failure()));
        return 1;
    }
    std::fprintf(stderr, "%d attempts written in %lld ms\n", ardentix::kAttempts,
                 static_cast<long long>(written.elapsed()));
    ardentix::results = file.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
