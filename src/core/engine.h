#pragma once
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/event_log.h"
#include "core/ports.h"
#include "core/random.h"
#include "core/screen.h"
#include "core/state.h"
#include "core/timers.h"
#include "settings/settings.h"

namespace ardentix {

// The e-mail window's connection and its flags; the mail layer defines it.
struct MailSession;

// A patient fixed by a test script in place of the next draw; what is not given stays as drawn.
struct PatientOverride {
    std::optional<int> category;
    std::optional<int> shocks;
    std::optional<int> pictureSet;
    std::optional<int> age;
};

// The folders that own a record of the scenario state. Each is defined in its own folder
// (core/course.h, monitor/own.h, mail/own.h, rescuer/own.h, aed/own.h), the one place that opens
// the record for writing; state_owned_by_folders checks that no other folder names it.
struct FlowOwner;
struct MonitorOwner;
struct MailOwner;
struct RescuerOwner;
struct AedOwner;

// The key to a record's mutable access: only its owner can make one.
template <typename Owner>
class StateKey {
    friend Owner;
    StateKey() = default;
};

// The context every handler works on: the scenario state, the option controls, the screen
// model, the timers with their clock, the random generator and the ports to the outside.
// The ground knows no handler: the scenario layer builds the engine with its handlers in place
// (WiredEngine), and that is the only way to make one.
class Engine {
  public:
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

  private:
    ScenarioState state_;

  public:
    // The whole scenario state, to read. Each record is written only by its owner's folder,
    // through the mutable access below, which takes the owner's key.
    const ScenarioState& state = state_;
    // What happened in the scenario and when: cleared by ResetScenario, kept to the summary.
    EventLog log;
    Settings settings;
    Screen screen;
    Scheduler timers;
    Random random;
    Ports ports;
    const std::string programDir;

    // Set by a scenario script: the next PrepareScenario ends with this patient.
    std::optional<PatientOverride> nextPatient;

    // Run at the end of every event the engine handles (a timer's expiry, a trainee's input),
    // given by the scenario layer: it marks the controls that would ignore a click now.
    std::function<void(Engine&)> afterEvent;

    // The program has been told to end (a missing picture, Quit): front ends close.
    bool ended = false;

    // A field of the e-mail configuration changed since it was last saved or loaded.
    bool mailSettingsChanged = false;
    // Made by the mail layer when the e-mail window is first used.
    std::shared_ptr<MailSession> mail;

    const FlowState& flow() const { return state_; }
    const MonitorState& monitor() const { return state_; }
    const MailState& mailState() const { return state_; }
    const RescuerState& rescuer() const { return state_; }
    const AedState& aed() const { return state_; }
    FlowState& flow(StateKey<FlowOwner>) { return state_; }
    MonitorState& monitor(StateKey<MonitorOwner>) { return state_; }
    MailState& mailState(StateKey<MailOwner>) { return state_; }
    RescuerState& rescuer(StateKey<RescuerOwner>) { return state_; }
    AedState& aed(StateKey<AedOwner>) { return state_; }

    // Every field open for writing, for the script runner's `set` and for tests that set a scene
    // up; never used by the engine's own folders (state_owned_by_folders checks it).
    ScenarioState& ScriptState() { return state_; }

    // A pause or the end of the scenario parks the phases of the device and the rescuer with
    // their timers (when pausing, what they were doing is kept for the end of the pause); the end
    // of the pause gives it back beside what began during it. The only writes to the two records
    // from outside their folders: the engine stands still as a whole, as it starts afresh as a
    // whole below.
    void ParkPhases(bool pausing);
    void ResumePhases();
    // A new scenario: every record's per-scenario fields get their start values.
    void ResetScenarioFields() { state_.ResetScenarioFields(); }

    using TimerHandler = std::function<void(Engine&)>;
    void SetTimerHandler(TimerId id, TimerHandler handler);

    // The path of a program file, named without regard to case.
    std::string FilePath(std::string_view name) const;
    // The random generator takes the milliseconds since midnight of the clock.
    void SeedFromClock();
    // A modal message box through the dialogs port.
    BoxAnswer Message(BoxKind kind, BoxButtons buttons, const std::string& text);
    // Tells the user that a program file could not be read or written ("read", "write"), and
    // the system's reason.
    void FileFailed(std::string_view doing, std::string_view name, const std::string& reason);

  protected:
    Engine(Ports ports, std::string programDir);
    ~Engine() = default;

  private:
    std::array<TimerHandler, kTimerCount> timerHandlers_;
};

}  // namespace ardentix
