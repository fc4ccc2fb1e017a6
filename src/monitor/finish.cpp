#include "monitor/finish.h"

#include "core/engine.h"
#include "monitor/monitor.h"

namespace ardentix {

namespace {

void setText(Engine& e, const char* name, std::string text) {
    e.screen.Edit(name).text = std::move(text);
}

void addLine(Engine& e, std::string line) {
    e.screen.Edit("TForm2.Errors").lines.push_back(std::move(line));
}

void adviceLine(Engine& e) {
    const int n = e.state.AdviceCount;
    if (n == 0) return;
    addLine(e, "Advice used " + std::to_string(n) + (n == 1 ? " time (-" : " times (-") +
                   std::to_string(50 * n) + ").");
}

// A finished test scenario counts; the last one of the series ends the test.
void countTestScenario(Engine& e) {
    ScenarioState& s = e.state;
    ++s.TestScenarioCount;
    addLine(e, "(Test Scenario #" + std::to_string(s.TestScenarioCount) + " of " +
                   e.settings.Text(Opt::OPTtestScenarios) + ")");
    e.screen.Edit("TUserNAMEFORM.Practicebutton").checked = true;
    e.screen.Edit("TUserNAMEFORM.TestButton").checked = false;
    if (s.TestScenarioCount < e.settings.Value(Opt::OPTtestScenarios)) {
        e.screen.Edit("TForm2.RepeatButton").enabled = false;
        return;
    }
    e.screen.Edit("TForm2.RepeatButton").enabled = true;
    s.Mode = kPractice;
    addLine(e, "(End of Test)");
    e.screen.Edit("TForm2.CODESUMSENDbutton").visible =
        e.settings.On(Opt::OPTEmail) || e.settings.On(Opt::OPTAUTOSend);
    e.screen.Edit("TForm2.CODESUMPrintReport").visible = true;
    e.screen.Edit("MODElabel").visible = false;
}

}  // namespace

std::string ElapsedText(int seconds) {
    const int m = seconds / 60;
    const int r = seconds % 60;
    const std::string mm = m < 10 ? "0" + std::to_string(m) : std::to_string(m);
    const std::string ss = r < 10 ? "0" + std::to_string(r) : std::to_string(r);
    return mm + ":" + ss;
}

void FinishScenario(Engine& e) {
    ScenarioState& s = e.state;
    StopAllTimers(e);
    // The last prompt is heard once more; a player failure does not matter now.
    if (e.settings.On(Opt::SOUNDCheckBox)) e.ports.sound->Play(s.SoundFile);
    e.timers.Stop(TimerId::ELAPSEDSecTIMER);
    for (const char* item : {"Pause", "Advice", "PatientHistory"})
        e.screen.Edit(item).enabled = false;

    s.ElapsedTimeText = ElapsedText(s.ElapsedSeconds);
    setText(e, "TForm2.ElapsedTimeEDIT", s.ElapsedTimeText);
    if (s.ShockCount == 0) {
        setText(e, "TForm2.SHOCKTIMEEDIT", "No shocks");
        s.FirstShockTimeText = "NO SHOCKS";
    }
    setText(e, "MSG0", "");
    setText(e, "MSG1", "");

    adviceLine(e);
    s.ScoreText = std::to_string(s.Score);
    setText(e, "TForm2.SCOREEDIT", s.ScoreText);
    setText(e, "TForm2.SHOCKTIMEEDIT", s.FirstShockTimeText);

    if (s.Mode == kPractice) {
        e.screen.Edit("TForm2.RepeatButton").enabled = true;
    } else if (s.Mode == kTest) {
        countTestScenario(e);
    }
    e.screen.Edit("TForm2").visible = true;
    e.screen.SetFocus("TForm2.MainMenu");
}

}  // namespace ardentix
