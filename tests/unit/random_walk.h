#pragma once
// A random walk of user actions over the engine: the program as the headless front end runs it,
// the steps of the walk written as scenario script lines, and the checks made along the way (a
// score that leaves its 16-bit field, a sequence left stranded after ten idle minutes).
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/engine.h"
#include "scenario/wired_engine.h"
#include "script/headless_ports.h"

namespace ardentix::walk {

// One step of a walk, as a line of a scenario script would give it.
struct Step {
    enum class Kind { Click, Menu, Type, Drag, Wait, Checkpoint };
    Kind kind = Kind::Wait;
    std::string name;    // the control clicked, the menu item, the field typed into, the pad
    std::string target;  // where a pad is dropped
    std::string text;    // what is typed
    int left = 0;        // where a pad dropped on the chest lies
    int top = 0;
    int64_t ms = 0;  // how long a wait lasts

    // A box the step brought up and the button (or text) it was answered with.
    struct Box {
        std::string answer;  // yes, no, ok, cancel, or the text given to an input box
        std::string text;
    };
    std::vector<Box> boxes;
    // In a replay: the control could not be used, so the step did nothing.
    bool skipped = false;
};

// The script line of a step, and its answer lines that must come before it.
std::string ScriptLine(const Step& step);
std::vector<std::string> AnswerLines(const Step& step);
// A text in double quotes, as the script language reads it.
std::string Quoted(const std::string& text);

// An option changed as `set NAME VALUE` changes it.
struct Setting {
    std::string name;
    std::string value;
};

// One run of the program from its start: the clock at start and the options set before it.
struct Life {
    Date date{2026, 12, 6};
    int64_t millisOfDay = 9 * 3600 * 1000;
    std::vector<Setting> settings;
};

// The script lines that start the program of a life.
std::vector<std::string> StartLines(const Life& life);

// Something the walk found wrong.
struct Finding {
    // What went wrong without the circumstances, so that one fault found by many seeds is
    // recognised as one: "stranded HIDEBVMTimer (scenario)".
    std::string signature;
    // The state it was found in.
    std::string detail;
    // Script lines that fail while the fault is there: `expect NAME "value"` with the value the
    // name has when all is well.
    std::vector<std::pair<std::string, std::string>> expect;
};

// How long a checkpoint leaves the program alone before judging, and how long it then watches.
inline constexpr int64_t kIdleMs = 10 * 60 * 1000;
inline constexpr int64_t kWatchMs = 60 * 1000;

// Where the walk stands: in a running scenario, a paused one, outside a scenario (main menu,
// log-in, summary), or behind a window that holds the main window (the about box).
enum class Phase { Scenario, Paused, Outside, Blocked };
Phase PhaseOf(const Engine& e);
const char* PhaseName(Phase p);

// Answers a box: a button out of those offered, or the text of an input box (nothing for Cancel).
struct BoxPolicy {
    std::function<BoxAnswer(BoxButtons, const std::string& text)> message;
    std::function<std::optional<std::string>(const std::string& prompt, const std::string& initial)>
        input;
};

// The program of one life with headless ports, and the watch kept on it between steps.
class Session {
  public:
    Session(const std::string& programDir, const Life& life, BoxPolicy policy);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The option changes of the life, and program start.
    void Start();
    // Runs one step. A checkpoint step is judged when judge is set, else it is only waited
    // through. An input the walk took for available that is refused, or not available in a
    // replay, marks the step skipped.
    std::vector<Finding> Do(Step& step, bool judge);

    Engine& engine() { return *engine_; }
    const Engine& engine() const { return *engine_; }
    bool ended() const { return engine_->ended; }
    const script::RecordingSound& sound() const { return *sound_; }
    // The protocol has come to the end of the scenario: the "Scenario Over" sign may flash.
    bool endReached() const { return endReached_; }

    // Lets virtual time pass to t, as `wait` does, firing the timers that fall due and watching
    // the state after each of them.
    void RunTo(Millis t, std::vector<Finding>& findings);

  private:
    class Dialogs;
    std::vector<Finding> act(Step& step);
    // Watches the state after an input or a timer expiry.
    void observe(std::vector<Finding>& findings, bool afterInput);

    Life life_;
    std::unique_ptr<script::VirtualClock> clock_;
    std::unique_ptr<script::RecordingSound> sound_;
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<script::FileCheckPictures> pictures_;
    std::unique_ptr<script::TextPrinter> printer_;
    std::unique_ptr<WiredEngine> engine_;

    bool inScenario_ = false;
    // The score as it would be without a 16-bit field, and the field's last value.
    int64_t trueScore_ = 0;
    int16_t lastScore_ = 0;
    bool scoreReported_ = false;
    bool endReached_ = false;
};

// A line of state for a report: where the walk stands, the device and the rescuer, and the
// running timers.
std::string Describe(const Engine& e);

// A checkpoint (random_walk_watch.cpp): the program is left alone for ten minutes and watched
// for one more; then every sequence must have come to rest.
std::vector<Finding> Checkpoint(Session& s);

// A walk that went wrong.
struct Failure {
    uint32_t seed = 0;
    std::vector<Setting> settings;  // the option set of the seed
    Life life;                      // the program run in which it went wrong
    std::vector<Step> steps;        // that run's steps, the last the one that went wrong
    std::vector<Finding> findings;
    std::vector<std::string> recent;  // the last steps of the walk before it, as script lines
    int stepNumber = 0;               // of the whole walk, from 1
};

struct WalkConfig {
    int steps = 2000;
    bool pause = true;                   // pause and resume are among the actions
    std::vector<Setting> extraSettings;  // changed after those drawn for the seed
};

// The option set of a seed: a random value for about half of the options that change what the
// scenario does, in a random order.
std::vector<Setting> DrawSettings(uint32_t seed);

// How much of the program a walk saw.
struct Coverage {
    std::array<int, 4> stepsByPhase{};  // indexed by Phase
    std::array<int, 4> checkpointsByPhase{};
    int scenarios = 0;  // scenarios begun
    int analyses = 0;   // analyses the device began
    int shocks = 0;     // shocks delivered
    int programs = 0;   // program starts

    Coverage& operator+=(const Coverage& other);
    std::string Text() const;
};

// Walks a fresh program for a seed, for the configured number of steps. When the program quits,
// or something goes wrong, a new one starts in its place; every failure is returned.
std::vector<Failure> Walk(uint32_t seed, const WalkConfig& config, const std::string& programDir,
                          Coverage& coverage);

// What the walk now running would need to be reproduced: its seed, options and last steps.
std::string CurrentWalk();

// Runs the steps of a life again, answering each box as recorded (or with its default button);
// the last step, when a checkpoint, is judged. Notes the boxes and skipped inputs in the steps.
std::vector<Finding> Replay(const std::string& programDir, const Life& life,
                            std::vector<Step>& steps);

// A failure cut down: the life with the options that matter, the steps, and the finding as the
// last replay met it.
struct Reproduction {
    Life life;
    std::vector<Step> steps;
    std::optional<Finding> finding;
};

// Cuts the steps (the last kept as it is) and the options down to few that still bring the
// signature about, trying for at most the given number of replays.
Reproduction Minimize(const std::string& programDir, const Life& life, std::vector<Step> steps,
                      const std::string& signature, int replays);

// A scenario script that plays the steps and fails on the finding.
std::string Script(uint32_t seed, const Reproduction& r, const Finding& finding);

}  // namespace ardentix::walk
