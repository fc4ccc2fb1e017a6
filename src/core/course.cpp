#include "core/course.h"

namespace ardentix {

void LogIn(Engine& e, const std::string& name, const std::string& id) {
    FlowState& f = OwnFlow(e);
    f.UserID = id;
    f.UserName = name;
    f.ScenarioDate = e.ports.clock->ShortDate();
}

void SetUserName(Engine& e, const std::string& name) {
    OwnFlow(e).UserName = name;
}

void SetMode(Engine& e, Mode mode) {
    OwnFlow(e).Mode = mode;
}

void BeginTestSeries(Engine& e) {
    FlowState& f = OwnFlow(e);
    f.Mode = kTest;
    f.TestScenarioCount = 0;
}

int CountTestScenario(Engine& e) {
    return ++OwnFlow(e).TestScenarioCount;
}

void EndTestSeries(Engine& e) {
    OwnFlow(e).TestScenarioCount = 0;
}

void DateScenario(Engine& e) {
    OwnFlow(e).ScenarioDate = e.ports.clock->ShortDate();
}

void SetScoreboardLine(Engine& e, const std::string& line) {
    OwnFlow(e).ScoreboardLine = line;
}

void TickScenarioClock(Engine& e) {
    ++OwnFlow(e).ElapsedSeconds;
}

void SetPulseState(Engine& e, PulseStateValue value) {
    OwnFlow(e).PulseState = value;
}

void FixGuidelines(Engine& e) {
    OwnFlow(e).GuidelineProfile = e.settings.On(Opt::OPTGuideCurrent) ? kCurrentGuidelines : 0;
}

}  // namespace ardentix
