#pragma once
// A scenario's result of the size a real one has (a dozen errors, sixty events, every figure),
// for the tests, the benchmark and the crash test of the results database.
#include <string>

#include "core/result.h"

namespace ardentix::testing {

inline ScenarioResult SampleResult(const std::string& uuid, int errors = 12, int events = 60) {
    ScenarioResult r;
    r.uuid = uuid;
    r.station = "station-1";
    r.recordedAt = "2026-12-06T09:05:00+01:00";
    r.traineeName = "Kim Lee";
    r.traineeId = "4711";
    r.mode = "Test";
    r.profile = "Current";
    r.startedAt = "2026-12-06T09:00:00+01:00";
    r.elapsedMs = 301250;
    r.firstShockMs = 61200;
    r.score = 850;
    r.passed = false;
    r.cprFraction = 72.5;
    r.patientCategory = 0;
    r.patientAge = 67;
    r.shocksNeeded = 2;
    for (int i = 0; i < errors; ++i) {
        r.errors.push_back("Did not check pulse after No Shock Advised (-50). #" +
                           std::to_string(i));
    }
    for (int i = 0; i < events; ++i) {
        r.events.push_back({1000L * i, i % 2 ? "device" : "action",
                            "Event, \"number\" " + std::to_string(i),
                            i % 3 ? "neutral" : "rewarded", i % 3 ? 0 : 10});
    }
    for (const char* name :
         {"TimeToResponse", "TimeToHelp", "TimeToFirstCompression", "TimeToAEDOn", "TimeToPads",
          "TimeToFirstShock", "CPRFraction", "LongestHandsOff", "HandsOffCount", "Deductions",
          "AdviceUsed", "Pauses", "PreShockPause(1)", "PostShockPause(1)"}) {
        r.figures.push_back({name, std::to_string(r.figures.size() * 1000)});
    }
    return r;
}

}  // namespace ardentix::testing
