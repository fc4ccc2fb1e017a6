#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/phases.h"
#include "core/timers.h"

namespace ardentix {

// Field lists of the scenario state: X(type, name, start value). A flag is a bool (one byte
// holding 0 or 1), a byte uint8_t. The state is split into records, each written only by the
// folder that decides its values (the owner); every other folder reads it. A record's fields are
// listed twice over: those that ResetScenarioFields gives their start value, and those it keeps.

// The course of the scenario, owned by the core, which prepares each scenario. Kept: the trainee,
// the mode and the test series (across scenarios), and the patient (written when a scenario is
// prepared, kept by Repeat).
#define ARDENTIX_FLOW_KEPT_FIELDS(X)   \
    X(std::string, UserName, "")       \
    X(std::string, UserID, "")         \
    X(uint8_t, Mode, 0)                \
    X(uint8_t, TestScenarioCount, 0)   \
    X(std::string, ScenarioDate, "")   \
    X(uint8_t, PatientCategory, 0)     \
    X(uint8_t, ShocksNeeded, 0)        \
    X(int32_t, PatientAge, 0)          \
    X(std::string, PatientHistory, "") \
    X(uint8_t, PictureSet, 0)          \
    X(uint8_t, StepPoints, 0)

// Reset: the patient's rhythm (which follows the patient), the scenario clock, the last sound and
// the scenario's line for the scoreboard.
#define ARDENTIX_FLOW_RESET_FIELDS(X)      \
    X(uint8_t, PulseState, 0)              \
    X(uint8_t, GuidelineProfile, 0)        \
    X(int32_t, ElapsedSeconds, 0)          \
    X(std::string, SoundFile, "CLICK.WAV") \
    X(std::string, ScoreboardLine, "")

// The protocol monitor's: the score, the step it expects, the trainee's last actions, advice, the
// stacked shocks it counts and the pad guides its advice shows. Kept: the results of the last
// finished scenario.
#define ARDENTIX_MONITOR_RESET_FIELDS(X) \
    X(int16_t, Score, 0)                 \
    X(uint8_t, NextStep, 2)              \
    X(std::string, LastAction, "")       \
    X(std::string, PreviousAction, "")   \
    X(std::string, EarlierAction, "")    \
    X(bool, AdviceRequested, false)      \
    X(uint8_t, AdviceCount, 0)           \
    X(uint8_t, ShocksInSeries, 0)        \
    X(bool, WhiteGuideShown, false)      \
    X(bool, RedGuideShown, false)        \
    X(bool, EarlyBreathsCharged, false)  \
    X(bool, CPRPressed, false)

#define ARDENTIX_MONITOR_KEPT_FIELDS(X)    \
    X(std::string, ElapsedTimeText, "")    \
    X(std::string, FirstShockTimeText, "") \
    X(std::string, ScoreText, "")

// The mail layer's: the trainee has been offered to save unsent results.
#define ARDENTIX_MAIL_RESET_FIELDS(X) X(bool, ResultsSaveOffered, false)

// The rescuer's: the vital signs the rescuer finds, the ABCs, breaths and CPR, what was done since
// the last analysis, whether the patient is left clear, and the answers of the quiz. Kept: whether
// the last analysis has finished and nothing has been done since.
#define ARDENTIX_RESCUER_RESET_FIELDS(X)       \
    X(uint8_t, PulseRate, 0)                   \
    X(uint8_t, BreathingRate, 0)               \
    X(std::string, BloodPressure, "0")         \
    X(bool, ResponsivenessChecked, false)      \
    X(bool, AirwayOpened, false)               \
    X(bool, BreathingChecked, false)           \
    X(bool, TwoBreathsGiven, false)            \
    X(bool, PulseChecked, false)               \
    X(bool, CPRStarted, false)                 \
    X(bool, ABCsPhaseClosed, false)            \
    X(bool, HelpCalled, false)                 \
    X(bool, RescueBreathingGiven, false)       \
    X(uint8_t, BreathSeriesCount, 0)           \
    X(bool, BagBreathing, false)               \
    X(bool, MaskBreathing, false)              \
    X(uint8_t, CompressionCount, 0)            \
    X(bool, CPRPhase, false)                   \
    X(bool, ChildCPRRunning, false)            \
    X(bool, AdultCPRRunning, false)            \
    X(uint8_t, CPRCount, 0)                    \
    X(bool, CPRAfterLastShock, false)          \
    X(bool, CPRSinceAnalysis, false)           \
    X(bool, BPCheckedAfterPulse, false)        \
    X(bool, BreathingCheckedAfterPulse, false) \
    X(bool, PulseCheckedAfterReturn, false)    \
    X(bool, PatientCleared, false)             \
    X(bool, CPRAfterStackedShocks, false)      \
    X(bool, AutoABCsRunning, false)            \
    X(uint8_t, ShakeCount, 0)                  \
    X(uint8_t, RewardedPulseChecks, 0)         \
    X(bool, VitalsDrawn, false)                \
    X(bool, RatioAnswered, false)              \
    X(bool, TimeVerdictGiven, false)           \
    X(bool, InitialTimeAnswered, false)        \
    X(bool, ShockTimeAnswered, false)          \
    X(bool, NoShockTimeAnswered, false)        \
    X(bool, PediatricTimeAnswered, false)

#define ARDENTIX_RESCUER_KEPT_FIELDS(X) X(bool, AnalysisFinished, false)

// The device's: power, pads, analyses, shocks, faults, the countdown and the values of its
// controls (a pad in the hand, a credited Clear, a shock asked for, the child key). Under current
// guidelines a pulse that a shock restored shows at the next analysis (PulseReturnPending); the
// last shock and the last "NO SHOCK ADVISED" are noted in virtual ms (-1: none yet).
#define ARDENTIX_AED_RESET_FIELDS(X)           \
    X(uint8_t, CountdownSeconds, 0)            \
    X(bool, CountdownEnded, false)             \
    X(bool, AEDOn, false)                      \
    X(bool, WhitePadAttached, false)           \
    X(bool, RedPadAttached, false)             \
    X(uint8_t, AnalysisCount, 0)               \
    X(uint8_t, AnalysesSinceShock, 0)          \
    X(uint8_t, NoShockCount, 0)                \
    X(uint8_t, ShockCount, 0)                  \
    X(bool, ShockAdvised, false)               \
    X(bool, AnalysesComplete, false)           \
    X(bool, ClearCreditedAtPushAnalyze, false) \
    X(uint8_t, VoiceReportCount, 0)            \
    X(uint8_t, TroubleKind, 0)                 \
    X(bool, TroubleOccurred, false)            \
    X(bool, WhiteDragging, false)              \
    X(bool, RedDragging, false)                \
    X(bool, PadsSwapped, false)                \
    X(bool, WhiteMisplaced, false)             \
    X(bool, RedMisplaced, false)               \
    X(bool, PediatricLimitViolated, false)     \
    X(bool, ClearCredited, false)              \
    X(bool, ShockRequested, false)             \
    X(uint8_t, CountdownTicks, 0)              \
    X(int32_t, CountdownLength, 0)             \
    X(bool, ChildKeyOn, false)                 \
    X(bool, PulseReturnPending, false)         \
    X(int32_t, LastShockTime, -1)              \
    X(int32_t, LastNoShockTime, -1)

#define ARDENTIX_ALL_FIELDS(X)       \
    ARDENTIX_FLOW_KEPT_FIELDS(X)     \
    ARDENTIX_FLOW_RESET_FIELDS(X)    \
    ARDENTIX_MONITOR_RESET_FIELDS(X) \
    ARDENTIX_MONITOR_KEPT_FIELDS(X)  \
    ARDENTIX_MAIL_RESET_FIELDS(X)    \
    ARDENTIX_RESCUER_RESET_FIELDS(X) \
    ARDENTIX_RESCUER_KEPT_FIELDS(X)  \
    ARDENTIX_AED_RESET_FIELDS(X)

#define ARDENTIX_FIELD_MEMBER(type, name, start) type name = start;

enum Mode : uint8_t { kTest = 0, kPractice = 1, kTutorial = 2 };

enum Category : uint8_t {
    kAdult = 0,
    kChild = 1,        // at or above the pediatric minimum
    kPediatric = 2,    // below the pediatric minimum: the AED must not be used
    kHypothermic = 3,  // cold-water drowning, a limited number of shocks
    kRefractory = 4,   // a long series of shocks
};

enum PulseStateValue : uint8_t { kShockable = 0, kNothingToShock = 2, kPulseRestored = 3 };

// The course of the scenario; written by the core (the preparation of a scenario and the
// questions the other folders ask it in core/course.h).
struct FlowState {
    ARDENTIX_FLOW_KEPT_FIELDS(ARDENTIX_FIELD_MEMBER)
    ARDENTIX_FLOW_RESET_FIELDS(ARDENTIX_FIELD_MEMBER)
    // Which of the first five test scenarios gets which kind of patient.
    std::array<uint8_t, 5> TestPlan{};

    void ResetScenarioFields();
};

struct MonitorState {
    ARDENTIX_MONITOR_RESET_FIELDS(ARDENTIX_FIELD_MEMBER)
    ARDENTIX_MONITOR_KEPT_FIELDS(ARDENTIX_FIELD_MEMBER)
    // The timers that were running when the pause began.
    std::array<bool, kTimerCount> PauseMemory{};

    void ResetScenarioFields();
};

struct MailState {
    ARDENTIX_MAIL_RESET_FIELDS(ARDENTIX_FIELD_MEMBER)

    void ResetScenarioFields();
};

struct RescuerState {
    ARDENTIX_RESCUER_RESET_FIELDS(ARDENTIX_FIELD_MEMBER)
    ARDENTIX_RESCUER_KEPT_FIELDS(ARDENTIX_FIELD_MEMBER)
    // Auto ABCs waits for the end of the pause during which the phone call ended.
    bool AutoABCsAfterPause = false;
    // What the rescuer is doing, moved only by rescuer/phase.cpp; and what a pause parked.
    RescuerPhase Phase;
    RescuerPhase PausePhase;

    void ResetScenarioFields();
};

struct AedState {
    ARDENTIX_AED_RESET_FIELDS(ARDENTIX_FIELD_MEMBER)
    // What the device is doing, moved only by aed/phase.cpp; and what a pause parked.
    AedPhase Phase;
    AedPhase PausePhase;

    void ResetScenarioFields();
};

#undef ARDENTIX_FIELD_MEMBER

// The whole state of the trainee, the patient and the running scenario: every record. Scripts
// read and set its fields by name; `Phase` and `PausePhase` are named through their record.
struct ScenarioState : FlowState, MonitorState, MailState, RescuerState, AedState {
    // Gives every per-scenario field and per-control value of every record its start value.
    void ResetScenarioFields();
};

// Field access by name, for scenario scripts: the value as decimal text (flags 0/1, the test
// plan as its five entries joined by ","), or nothing for an unknown name.
std::optional<std::string> FieldText(const ScenarioState& s, std::string_view name);
// Sets a field from text; false when the name is unknown or the text does not fit the field.
bool SetFieldText(ScenarioState& s, std::string_view name, std::string_view text);

}  // namespace ardentix
