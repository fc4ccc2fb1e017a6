#include <algorithm>
#include <cstdint>

#include "core/engine.h"
#include "monitor/monitor.h"

namespace ardentix {

void ShowScore(Engine& e) {
    e.screen.Edit("SCOREDisplay").text = std::to_string(e.state.Score);
}

void ShowMessage(Engine& e, const std::string& line0, const std::string& line1) {
    e.screen.Edit("MSG0").text = line0;
    e.screen.Edit("MSG1").text = line1;
}

void ShowOnFreeLine(Engine& e, const std::string& text) {
    Element& first = e.screen.Edit("MSG0");
    (first.text.empty() ? first : e.screen.Edit("MSG1")).text = text;
}

void ShowScenarioOver(Engine& e) {
    ShowMessage(e, "Scenario is over...select END SCENARIO.");
    e.timers.Start(TimerId::SCENOVERLabelFLASHTimer);
}

void ChangeScore(Engine& e, int points) {
    // The score is a 16-bit field: a trainee who keeps losing points stays at its lowest value
    // instead of wrapping round to a high score.
    const int score = std::clamp(e.state.Score + points, int{INT16_MIN}, int{INT16_MAX});
    e.state.Score = static_cast<int16_t>(score);
}

void AwardStep(Engine& e) {
    ChangeScore(e, e.state.StepPoints);
}

void Deduct(Engine& e, int points, const std::string& line1, const std::string& line2,
            const std::string& report) {
    ShowMessage(e, line1, line2);
    e.screen.Edit("TForm2.Errors").lines.push_back(report);
    ChangeScore(e, -points);
    ShowScore(e);
}

}  // namespace ardentix
