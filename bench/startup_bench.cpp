// How soon the program shows its main menu: the whole process, from its start until the main
// menu has painted once, against a bare Qt window of the same size started the same way, side by
// side. The goal is at most 1.3 times the bare window's time. Run it on the platform the users
// have (an X display, or QT_QPA_PLATFORM=offscreen for the plain cost of the program itself).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Run {
    double seconds;
    double peakMegabytes;
};

// Starts the program in the directory, waits for its end and takes its time and its peak memory.
Run RunOnce(const char* program, const fs::path& dir) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(std::string(program) + " did not end well");
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// A fresh program directory holding the build's pictures and sounds, as the program finds them
// on a trainee's machine.
fs::path ProgramDirectory() {
    std::string pattern = (fs::temp_directory_path() / "ardentix-startup-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary directory");
    const fs::path dir = pattern;
    for (const auto& entry : fs::directory_iterator(ARDENTIX_MEDIA_DIR)) {
        if (entry.is_regular_file()) fs::copy_file(entry.path(), dir / entry.path().filename());
    }
    return dir;
}

void MainMenuAgainstBareWindow(benchmark::State& state) {
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const fs::path dir = ProgramDirectory();
    // One start of each first, so that both find their libraries in the file cache.
    RunOnce(ARDENTIX_BARE, dir);
    RunOnce(ARDENTIX_PROBE, dir);
    double bare = 0, program = 0, bareMemory = 0, programMemory = 0;
    for (auto _ : state) {
        const Run b = RunOnce(ARDENTIX_BARE, dir);
        const Run p = RunOnce(ARDENTIX_PROBE, dir);
        bare += b.seconds;
        program += p.seconds;
        bareMemory = std::max(bareMemory, b.peakMegabytes);
        programMemory = std::max(programMemory, p.peakMegabytes);
        state.SetIterationTime(p.seconds);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["bare_ms"] = bare / runs * 1000.0;
    state.counters["ardentix_ms"] = program / runs * 1000.0;
    state.counters["time_ratio"] = program / bare;
    state.counters["bare_MB"] = bareMemory;
    state.counters["ardentix_MB"] = programMemory;
    state.counters["memory_ratio"] = programMemory / bareMemory;
    fs::remove_all(dir);
}
BENCHMARK(MainMenuAgainstBareWindow)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
