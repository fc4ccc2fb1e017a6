// Robustness: seeded random walks of user actions over the engine, under the sanitizers of the
// test build. A walk fails on a crash or sanitizer report, on a score that leaves its 16-bit
// field, and on a sequence left stranded (see random_walk_watch.cpp). One set of walks has pause
// and resume among its actions, the other not, so that what a pause strands does not hide the
// rest.
//
// ARDENTIX_WALK_SEEDS (default 12) and ARDENTIX_WALK_STEPS (default 2000) set the size of each
// set, ARDENTIX_WALK_FIRST_SEED (default 1) where its seeds begin. ARDENTIX_WALK_OPTIONS adds
// option changes after those drawn for each seed ("OPTAUTOANALYZE=off,OptVoice=on").
// ARDENTIX_WALK_MINIMIZE is how many replays may go into cutting each distinct failure down
// (default 300; 0 for none); ARDENTIX_WALK_SCRIPTS names a folder that receives a scenario
// script for each distinct failure.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "random_walk.h"

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/common_interface_defs.h>)
#include <sanitizer/common_interface_defs.h>
#define ARDENTIX_WALK_DEATH_CALLBACK 1
#endif

namespace ardentix::walk {
namespace {

namespace fs = std::filesystem;

int envNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *end == '\0' && value >= 0 ? static_cast<int>(value) : fallback;
}

// A fresh program directory holding the program's pictures and sounds.
class ProgramDir {
  public:
    ProgramDir() {
        std::string pattern = (fs::temp_directory_path() / "ardentix-walk-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        path_ = pattern;
        for (const auto& entry : fs::directory_iterator(ARDENTIX_MEDIA_DIR)) {
            if (!entry.is_regular_file() || entry.path().filename().string().starts_with("."))
                continue;
            fs::copy_file(entry.path(), path_ / entry.path().filename());
        }
    }
    ~ProgramDir() {
        std::error_code ec;
        if (!path_.empty()) fs::remove_all(path_, ec);
    }
    std::string path() const { return path_.string(); }

  private:
    fs::path path_;
};

#ifdef ARDENTIX_WALK_DEATH_CALLBACK
// A crash or a sanitizer report ends the process: say first which walk it was.
void reportWalkAtDeath() {
    const std::string walk = CurrentWalk();
    if (!walk.empty()) std::fprintf(stderr, "\nThe random walk died during %s\n", walk.c_str());
}
#endif

struct Distinct {
    Failure first;
    std::vector<uint32_t> seeds;
};

std::string report(const Distinct& d, const std::string& dir, int replays,
                   const std::string& scriptsDir, int number) {
    const Failure& f = d.first;
    std::string text = "== " + f.findings.front().signature + "\n";
    text += "seeds:";
    for (uint32_t s : d.seeds)
        text += " " + std::to_string(s);
    text += "\nfirst seed " + std::to_string(f.seed) + ", step " + std::to_string(f.stepNumber) +
            "\noptions:";
    for (const Setting& s : f.settings)
        text += " " + s.name + "=" + s.value;
    text += "\nfindings:\n";
    for (const Finding& finding : f.findings)
        text += "  " + finding.signature + ": " + finding.detail + "\n";
    text += "last steps:\n";
    for (const std::string& line : f.recent)
        text += "  " + line + "\n";
    if (replays > 0) {
        const Reproduction r =
            Minimize(dir, f.life, f.steps, f.findings.front().signature, replays);
        const std::string script = Script(f.seed, r, r.finding.value_or(f.findings.front()));
        text += "reproduction (" + std::to_string(r.steps.size()) + " of " +
                std::to_string(f.steps.size()) + " steps):\n" + script;
        if (!scriptsDir.empty()) {
            fs::create_directories(scriptsDir);
            std::ofstream(fs::path(scriptsDir) / ("walk_" + std::to_string(number) + ".scn"))
                << script;
        }
    }
    return text;
}

std::vector<Setting> optionsFromEnvironment() {
    std::vector<Setting> settings;
    const char* text = std::getenv("ARDENTIX_WALK_OPTIONS");
    std::string rest = text ? text : "";
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        const std::string item = rest.substr(0, comma);
        rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
        const size_t eq = item.find('=');
        if (eq != std::string::npos) settings.push_back({item.substr(0, eq), item.substr(eq + 1)});
    }
    return settings;
}

void walkSeeds(bool pause) {
#ifdef ARDENTIX_WALK_DEATH_CALLBACK
    __sanitizer_set_death_callback(reportWalkAtDeath);
#endif
    const int seeds = envNumber("ARDENTIX_WALK_SEEDS", 12);
    const int firstSeed = envNumber("ARDENTIX_WALK_FIRST_SEED", 1);
    const int replays = envNumber("ARDENTIX_WALK_MINIMIZE", 300);
    const char* scripts = std::getenv("ARDENTIX_WALK_SCRIPTS");
    WalkConfig config;
    config.steps = envNumber("ARDENTIX_WALK_STEPS", 2000);
    config.pause = pause;
    config.extraSettings = optionsFromEnvironment();

    ProgramDir dir;
    ASSERT_FALSE(dir.path().empty()) << "no temporary program directory";

    // Failures grouped by what went wrong, in the order first met.
    std::vector<Distinct> distinct;
    Coverage coverage;
    for (int i = 0; i < seeds; ++i) {
        const auto seed = static_cast<uint32_t>(firstSeed + i);
        for (Failure& failure : Walk(seed, config, dir.path(), coverage)) {
            const std::string& signature = failure.findings.front().signature;
            auto known = std::find_if(distinct.begin(), distinct.end(), [&](const Distinct& d) {
                return d.first.findings.front().signature == signature;
            });
            if (known == distinct.end()) {
                distinct.push_back({std::move(failure), {seed}});
            } else if (known->seeds.back() != seed) {
                known->seeds.push_back(seed);
            }
        }
    }
    int number = 0;
    for (const Distinct& d : distinct) {
        ++number;
        const std::string scriptsDir =
            scripts ? std::string(scripts) + (pause ? "/with-pause" : "/without-pause") : "";
        ADD_FAILURE() << report(d, dir.path(), replays, scriptsDir, number);
    }
    std::printf("%d seed(s) of %d steps walked (pause %s), %zu distinct failure(s)\n%s\n", seeds,
                config.steps, pause ? "among the actions" : "left out", distinct.size(),
                coverage.Text().c_str());
    // A walk that never reached a scenario, an analysis or a shock would prove little.
    if (seeds >= 4 && config.steps >= 1000) {
        EXPECT_GT(coverage.scenarios, seeds);
        EXPECT_GT(coverage.analyses, seeds);
        EXPECT_GT(coverage.shocks, 0);
        EXPECT_GT(coverage.checkpointsByPhase[static_cast<size_t>(Phase::Scenario)], seeds);
    }
}

// The checks of the walk, each shown to catch what it is for on a fault planted by hand.
class RandomWalkChecks : public ::testing::Test {
  protected:
    void SetUp() override {
        session_ = std::make_unique<Session>(dir_.path(), life_, BoxPolicy{});
        session_->Start();
        run(input(Step::Kind::Click, "MenuStart"));
        Step name = input(Step::Kind::Type, "TUserNAMEFORM.NAMEEdit");
        name.text = "Kim";
        run(name);
        run(input(Step::Kind::Click, "TUserNAMEFORM.OKBtn"));
        ASSERT_EQ(PhaseOf(engine()), Phase::Scenario);
    }

    static Step input(Step::Kind kind, const std::string& name) {
        Step s;
        s.kind = kind;
        s.name = name;
        return s;
    }
    std::vector<Finding> run(Step step) {
        auto findings = session_->Do(step, true);
        EXPECT_FALSE(step.skipped) << ScriptLine(step);
        return findings;
    }
    std::vector<std::string> checkpoint() {
        Step step;
        step.kind = Step::Kind::Checkpoint;
        std::vector<std::string> signatures;
        for (const Finding& f : run(step))
            signatures.push_back(f.signature);
        return signatures;
    }
    Engine& engine() { return session_->engine(); }

    ProgramDir dir_;
    Life life_;
    std::unique_ptr<Session> session_;
};

TEST_F(RandomWalkChecks, AQuietScenarioPasses) {
    EXPECT_EQ(checkpoint(), std::vector<std::string>{});
}

TEST_F(RandomWalkChecks, CompressionsMayGoOnForEver) {
    run(input(Step::Kind::Click, "CPRBUTTON"));
    EXPECT_EQ(checkpoint(), std::vector<std::string>{});
    EXPECT_TRUE(engine().timers.Running(TimerId::CPRTimer));
}

TEST_F(RandomWalkChecks, ATimerFiringToNoEffectIsStranded) {
    // The light timer blinks a light only at the intervals of the analyze and shock prompts.
    engine().timers.SetInterval(TimerId::FLASHLEDtimer, 700);
    engine().timers.Start(TimerId::FLASHLEDtimer);
    EXPECT_EQ(checkpoint(), std::vector<std::string>{"stranded FLASHLEDtimer (scenario)"});
}

TEST_F(RandomWalkChecks, ATimerRunningOnIsStranded) {
    // The sign flashes although the scenario never came to its end.
    engine().timers.Start(TimerId::SCENOVERLabelFLASHTimer);
    EXPECT_EQ(checkpoint(),
              std::vector<std::string>{"stranded SCENOVERLabelFLASHTimer (scenario)"});
}

TEST_F(RandomWalkChecks, ASequenceWhoseTimerStoppedIsUnfinished) {
    run(input(Step::Kind::Click, "PulseButton"));
    engine().timers.Stop(TimerId::PULSETIMER);
    EXPECT_EQ(checkpoint(),
              std::vector<std::string>{
                  "unfinished sequence: pulse check unfinished: the hand stays on the neck"});
}

TEST_F(RandomWalkChecks, AScoreThatWrapsIsCaught) {
    // The engine holds the score within its range; the walk would see it wrap all the same.
    Step wait;
    wait.ms = 1000;  // the walk reads the score at each expiry
    engine().ScriptState().Score = -32700;
    run(wait);
    engine().ScriptState().Score = static_cast<int16_t>(static_cast<uint16_t>(-32700 - 200));
    std::vector<std::string> signatures;
    for (const Finding& f : run(wait))
        signatures.push_back(f.signature);
    EXPECT_EQ(signatures, std::vector<std::string>{"score outside the 16-bit range"});
}

TEST(RandomWalk, WithPauseAndResume) {
    walkSeeds(true);
}

TEST(RandomWalk, WithoutPause) {
    walkSeeds(false);
}

}  // namespace
}  // namespace ardentix::walk
