#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The result of one Practice or Test scenario as the results database keeps it
// (docs/results-database.md): what the trainee did, the summary's error list and the debrief's
// events and figures.
namespace ardentix {

struct ResultEvent {
    int64_t atMs = 0;
    std::string kind;
    std::string text;
    std::string verdict;
    int points = 0;
    bool operator==(const ResultEvent&) const = default;
};

// A debrief figure by its script name, with its value as scripts read it.
struct ResultFigure {
    std::string name;
    std::string value;
    bool operator==(const ResultFigure&) const = default;
};

struct ScenarioResult {
    // Filled by the store when it records the result.
    std::string uuid;
    std::string station;
    std::string recordedAt;

    std::string traineeName;
    std::string traineeId;
    std::string mode;       // "Practice" or "Test"
    std::string profile;    // "Classic" or "Current"
    std::string startedAt;  // ISO 8601 with the station's offset
    int64_t elapsedMs = 0;
    std::optional<int64_t> firstShockMs;
    int score = 0;
    bool completed = true;       // false: terminated with the program
    std::optional<bool> passed;  // Test attempts only
    std::optional<double> cprFraction;
    int patientCategory = 0;
    int patientAge = 0;
    int shocksNeeded = 0;

    std::vector<std::string> errors;
    std::vector<ResultEvent> events;
    std::vector<ResultFigure> figures;

    bool operator==(const ScenarioResult&) const = default;
};

// The outcome column: "completed" or "terminated".
inline const char* OutcomeText(const ScenarioResult& r) {
    return r.completed ? "completed" : "terminated";
}

}  // namespace ardentix
