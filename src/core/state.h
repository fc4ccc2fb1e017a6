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
// holding 0 or 1), a byte uint8_t.

// The trainee, the mode and the test series: kept across scenarios.
#define ARDENTIX_TRAINEE_FIELDS(X)   \
    X(std::string, UserName, "")     \
    X(std::string, UserID, "")       \
    X(uint8_t, Mode, 0)              \
    X(uint8_t, TestScenarioCount, 0) \
    X(std::string, ScenarioDate, "")

// The patient, written by PrepareScenario and kept by Repeat.
#define ARDENTIX_PATIENT_FIELDS(X)     \
    X(uint8_t, PatientCategory, 0)     \
    X(uint8_t, ShocksNeeded, 0)        \
    X(int32_t, PatientAge, 0)          \
    X(std::string, PatientHistory, "") \
    X(uint8_t, PictureSet, 0)          \
    X(uint8_t, StepPoints, 0)

// Per-scenario fields: ResetScenario gives each its start value (PulseState follows the patient).
#define ARDENTIX_SCENARIO_FIELDS(X)            \
    X(uint8_t, PulseState, 0)                  \
    X(uint8_t, PulseRate, 0)                   \
    X(uint8_t, BreathingRate, 0)               \
    X(std::string, BloodPressure, "0")         \
    X(int16_t, Score, 0)                       \
    X(uint8_t, NextStep, 2)                    \
    X(std::string, LastAction, "")             \
    X(std::string, PreviousAction, "")         \
    X(std::string, EarlierAction, "")          \
    X(bool, AdviceRequested, false)            \
    X(uint8_t, AdviceCount, 0)                 \
    X(int32_t, ElapsedSeconds, 0)              \
    X(std::string, SoundFile, "CLICK.WAV")     \
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
    X(uint8_t, CountdownSeconds, 0)            \
    X(bool, CountdownEnded, false)             \
    X(bool, BPCheckedAfterPulse, false)        \
    X(bool, BreathingCheckedAfterPulse, false) \
    X(bool, PulseCheckedAfterReturn, false)    \
    X(bool, AEDOn, false)                      \
    X(bool, WhitePadAttached, false)           \
    X(bool, RedPadAttached, false)             \
    X(uint8_t, AnalysisCount, 0)               \
    X(uint8_t, AnalysesSinceShock, 0)          \
    X(uint8_t, NoShockCount, 0)                \
    X(uint8_t, ShockCount, 0)                  \
    X(uint8_t, ShocksInSeries, 0)              \
    X(bool, ShockAdvised, false)               \
    X(bool, AnalysesComplete, false)           \
    X(bool, PatientCleared, false)             \
    X(bool, ClearCreditedAtPushAnalyze, false) \
    X(uint8_t, VoiceReportCount, 0)            \
    X(uint8_t, TroubleKind, 0)                 \
    X(bool, TroubleOccurred, false)            \
    X(std::string, ScoreboardLine, "")

// Small values that belong to one control each; ResetScenario sets them to 0 as well.
#define ARDENTIX_CONTROL_FIELDS(X)         \
    X(bool, WhiteDragging, false)          \
    X(bool, RedDragging, false)            \
    X(bool, PadsSwapped, false)            \
    X(bool, WhiteMisplaced, false)         \
    X(bool, RedMisplaced, false)           \
    X(bool, WhiteGuideShown, false)        \
    X(bool, RedGuideShown, false)          \
    X(bool, PediatricLimitViolated, false) \
    X(bool, ClearCredited, false)          \
    X(bool, ShockRequested, false)         \
    X(uint8_t, CountdownTicks, 0)          \
    X(int32_t, CountdownLength, 0)         \
    X(bool, CPRAfterStackedShocks, false)  \
    X(bool, AutoABCsRunning, false)        \
    X(uint8_t, ShakeCount, 0)              \
    X(uint8_t, RewardedPulseChecks, 0)     \
    X(bool, VitalsDrawn, false)            \
    X(bool, RatioAnswered, false)          \
    X(bool, TimeVerdictGiven, false)       \
    X(bool, InitialTimeAnswered, false)    \
    X(bool, ShockTimeAnswered, false)      \
    X(bool, NoShockTimeAnswered, false)    \
    X(bool, PediatricTimeAnswered, false)  \
    X(bool, ResultsSaveOffered, false)

// Left alone by ResetScenario: the analysis flag, and the results of the last finished scenario.
#define ARDENTIX_KEPT_FIELDS(X)            \
    X(bool, AnalysisFinished, false)       \
    X(std::string, ElapsedTimeText, "")    \
    X(std::string, FirstShockTimeText, "") \
    X(std::string, ScoreText, "")

#define ARDENTIX_ALL_FIELDS(X)  \
    ARDENTIX_TRAINEE_FIELDS(X)  \
    ARDENTIX_PATIENT_FIELDS(X)  \
    ARDENTIX_SCENARIO_FIELDS(X) \
    ARDENTIX_CONTROL_FIELDS(X)  \
    ARDENTIX_KEPT_FIELDS(X)

enum Mode : uint8_t { kTest = 0, kPractice = 1, kTutorial = 2 };

enum Category : uint8_t {
    kAdult = 0,
    kChild = 1,        // at or above the pediatric minimum
    kPediatric = 2,    // below the pediatric minimum: the AED must not be used
    kHypothermic = 3,  // cold-water drowning, a limited number of shocks
    kRefractory = 4,   // a long series of shocks
};

enum PulseStateValue : uint8_t { kShockable = 0, kNothingToShock = 2, kPulseRestored = 3 };

// The one record of the trainee, the patient and the running scenario.
struct ScenarioState {
#define ARDENTIX_FIELD_MEMBER(type, name, start) type name = start;
    ARDENTIX_ALL_FIELDS(ARDENTIX_FIELD_MEMBER)
#undef ARDENTIX_FIELD_MEMBER

    // Which of the first five test scenarios gets which kind of patient.
    std::array<uint8_t, 5> TestPlan{};
    // The timers that were running when the pause began.
    std::array<bool, kTimerCount> PauseMemory{};
    // Auto ABCs waits for the end of the pause during which the phone call ended.
    bool AutoABCsAfterPause = false;
    // What the device and the rescuer are doing, moved only by their own folders; and the phases
    // a pause parked.
    Phases Phase;
    Phases PausePhase;

    // Gives every per-scenario field and per-control value its start value.
    void ResetScenarioFields();
};

// Field access by name, for scenario scripts: the value as decimal text (flags 0/1, the test
// plan as its five entries joined by ","), or nothing for an unknown name.
std::optional<std::string> FieldText(const ScenarioState& s, std::string_view name);
// Sets a field from text; false when the name is unknown or the text does not fit the field.
bool SetFieldText(ScenarioState& s, std::string_view name, std::string_view text);

}  // namespace ardentix
