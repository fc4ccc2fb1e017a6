// The end of a scenario: the clocks stop, the end checks charge what was left undone, the result
// is written to the summary, the report files, the results database and the scoreboard, and a test
// series counts it.
#include "monitor/finish.h"
#include "monitor/deductions.h"

#include <array>

#include "core/course.h"
#include "core/engine.h"
#include "monitor/conditions.h"
#include "monitor/monitor.h"
#include "monitor/own.h"
#include "records/debrief.h"
#include "records/first_shock.h"
#include "records/records.h"
#include "records/scenario_result.h"

namespace ardentix {

namespace {

void setText(Engine& e, El name, std::string text) {
    e.screen.Edit(name).text = std::move(text);
}

void addLine(Engine& e, std::string line) {
    Deductions(e).Add(std::move(line));
}

// A shock given without clearing ends the scenario at once; the checks of the care it cut short
// are not made.
bool missedClear(const ScenarioState& s) {
    return s.LastAction == "MISSEDCLEAR";
}

// The AED part is incomplete: a shock is missing, or the analysis after the last shock (after
// three stacked shocks the pulse check stands for it), or the three analyses of a rhythm with
// nothing to shock (a child below the limit needs none).
bool aedIncomplete(const ScenarioState& s) {
    const int shocks = s.ShocksNeeded;
    const int analyses = s.AnalysisCount;
    return s.ShockCount < shocks || (shocks != 0 && shocks != 3 && analyses < shocks + 1) ||
           (shocks == 3 && analyses < 3) ||
           (shocks == 0 && analyses < 3 && s.PatientCategory != kPediatric);
}

bool pediatricStepsMissing(const Engine& e) {
    const ScenarioState& s = e.state;
    if (s.PatientCategory != kPediatric || missedClear(s)) return false;
    const bool abcs = s.ResponsivenessChecked && s.AirwayOpened && s.BreathingChecked &&
                      s.TwoBreathsGiven && s.PulseChecked && s.CPRStarted;
    const bool monitored = s.AEDOn && s.RedPadAttached && s.WhitePadAttached;
    return !abcs || (e.settings.On(Opt::OPTPEDSMONITOR) && !monitored);
}

// The patient's pulse has returned as the trainee knows it: under today's guidelines only once an
// analysis has found it (during the cycle after the shock it does not show).
bool pulseEstablished(const Engine& e) {
    return CurrentGuidelines(e) ? ReturnedPulseFound(e) : e.state.PulseState == kPulseRestored;
}

// Today's guidelines: every shock, each followed by a whole cycle of CPR and the analysis that
// ends it, or the three analyses of a rhythm with nothing to shock.
bool currentAedIncomplete(const Engine& e) {
    const ScenarioState& s = e.state;
    const int shocks = s.ShocksNeeded;
    if (s.ShockCount < shocks) return true;
    if (shocks == 0) return s.AnalysisCount < 3;
    return s.AnalysisCount < shocks + 1 || !CycleFollowedLastShock(e);
}

// The CPR fraction of the debrief, as it shows it, below the least today's guidelines accept.
bool cprFractionLow(const Engine& e) {
    if (missedClear(e.state)) return false;
    const DebriefFigures figures = ComputeFigures(e.log);
    return figures.cprFraction && !FractionMeets(*figures.cprFraction, CPRFractionTarget(true));
}

struct EndCheck {
    bool (*fails)(const Engine&);
    int points;
    const char* panelText;
    const char* listText;
    bool wantedCPR = false;  // a failure means CPR was due and not given
    // Steps the protocol in force no longer asks for are not charged.
    Profiles profiles = Profiles::Both;
};

// The end checks in their order. The pediatric steps are judged only when the AED part passed,
// which the loop below sees to.
constexpr std::array<EndCheck, 12> kEndChecks = {{
    {[](const Engine& e) {
         const ScenarioState& s = e.state;
         return s.PulseState == kPulseRestored && !s.PulseCheckedAfterReturn && !missedClear(s);
     },
     50, "Did not check pulse when advised (-50).", "Did not check pulse when advised (-50).",
     false, Profiles::Classic},
    {[](const Engine& e) {
         const ScenarioState& s = e.state;
         return e.settings.On(Opt::OPTBPCHECK) && !s.BPCheckedAfterPulse && pulseEstablished(e) &&
                !missedClear(s);
     },
     50, "Did not check BP after pulse established (-50).",
     "Did not check BP after pulse established (-50)."},
    {[](const Engine& e) {
         const ScenarioState& s = e.state;
         return !s.BreathingCheckedAfterPulse && pulseEstablished(e) && !missedClear(s);
     },
     50, "Did not check breathing after pulse established (-50).",
     "Did not check breathing rate after pulse established (-50)."},
    {[](const Engine& e) { return !missedClear(e.state) && aedIncomplete(e.state); }, 300,
     "Did not complete required steps (-300).",
     "Did not complete all steps required by protocol (-300).", false, Profiles::Classic},
    {pediatricStepsMissing, 100, "Did not complete all required steps (-100).",
     "Did not complete all required steps (-100).", false, Profiles::Classic},
    {[](const Engine& e) { return !missedClear(e.state) && currentAedIncomplete(e); }, 300,
     "Did not complete required steps (-300).",
     "Did not complete all steps required by protocol (-300).", false, Profiles::Current},
    {[](const Engine& e) {
         const ScenarioState& s = e.state;
         return s.AnalysesComplete && s.VoiceReportCount < 2 && s.PatientCategory != kPediatric &&
                e.settings.On(Opt::OptVoice) && !missedClear(s) && s.AEDOn;
     },
     50, "Did not give enough voice reports (-50).", "Did not give enough voice reports (-50)."},
    {[](const Engine& e) {
         const ScenarioState& s = e.state;
         return s.AnalysesComplete && s.PulseRate == 0 && s.ShockCount == s.ShocksNeeded &&
                !s.CPRAfterLastShock;
     },
     100, "Did not continue CPR (-100).", "Did not continue CPR (-100).", true},
    {[](const Engine& e) {
         const ScenarioState& s = e.state;
         return pulseEstablished(e) && s.BreathingRate < 4 && !s.RescueBreathingGiven;
     },
     100, "Did not give breaths to non-breathing patient (-100).",
     "Did not rescue breathe for non-breathing patient (-100)."},
    {[](const Engine& e) {
         return e.settings.On(Opt::OPTCALL911) && e.state.PatientCategory == kPediatric &&
                !e.state.HelpCalled;
     },
     50, "Did not call for help (-50).", "Did not call for help (-50).", false, Profiles::Classic},
    // Today's guidelines expect the call of every rescuer.
    {[](const Engine& e) { return !e.state.HelpCalled && !missedClear(e.state); }, 50,
     "Did not call for help (-50).", "Did not call for help (-50).", false, Profiles::Current},
    {cprFractionLow, 50, "CPR fraction below 60 percent (-50).",
     "CPR fraction below 60 percent (-50).", true, Profiles::Current},
}};

// The pediatric check runs only when the AED check before it passed.
constexpr size_t kAedCheck = 3;
constexpr size_t kPediatricCheck = 4;

void runEndChecks(Engine& e) {
    bool aedFailed = false;
    for (size_t i = 0; i < kEndChecks.size(); ++i) {
        const EndCheck& check = kEndChecks[i];
        if (!AppliesTo(check.profiles, e)) continue;
        if (i == kPediatricCheck && aedFailed) continue;
        if (!check.fails(e)) continue;
        if (i == kAedCheck) aedFailed = true;
        if (check.wantedCPR) e.log.NoteCPRRequired();
        e.screen.Edit(El::FINALERRORPanel).visible = true;
        e.screen.Edit(El::finalMSGdisplay).lines.push_back(check.panelText);
        addLine(e, check.listText);
        ChangeScore(e, -check.points);
        ShowScore(e);
    }
}

// The panel grows with its list: the OK button 12 pixels a line and 27 below the list's top,
// the panel's edge 12 pixels below the button.
void sizeFinalPanel(Engine& e) {
    Element& list = e.screen.Edit(El::finalMSGdisplay);
    const int lines = static_cast<int>(list.lines.size());
    list.height = 12 * lines + 15;
    Element& ok = e.screen.Edit(El::FinalErrorOKButton);
    ok.top = list.top + 12 * lines + 27;
    e.screen.Edit(El::FINALERRORPanel).height = ok.top + ok.height + 12;
}

// The bonus for keeping the AED off a child below the pediatric minimum; today's guidelines treat
// such a child with the child key instead.
void pediatricBonus(Engine& e) {
    const ScenarioState& s = e.state;
    if (CurrentGuidelines(e)) return;
    if (s.ABCsPhaseClosed && s.CPRStarted && !s.PediatricLimitViolated &&
        s.PatientCategory == kPediatric &&
        (!e.settings.On(Opt::OPTPEDSMONITOR) || (s.RedPadAttached && s.WhitePadAttached))) {
        addLine(e, "Bonus for following pediatric age limit protocol (+200).");
        ChangeScore(e, 200);  // shown on the summary only
    }
}

void adviceLine(Engine& e) {
    const int n = e.state.AdviceCount;
    if (n == 0) return;
    addLine(e, "Advice used " + std::to_string(n) + (n == 1 ? " time (-" : " times (-") +
                   std::to_string(50 * n) + ").");
}

// A finished test scenario counts; the last one of the series ends the test.
void countTestScenario(Engine& e) {
    const ScenarioState& s = e.state;
    const int count = CountTestScenario(e);
    addLine(e, "(Test Scenario #" + std::to_string(count) + " of " +
                   e.settings.Text(Opt::OPTtestScenarios) + ")");
    e.screen.Edit(El::LoginPracticebutton).checked = true;
    e.screen.Edit(El::LoginTestButton).checked = false;
    if (s.TestScenarioCount < TestSeriesLength(e.settings)) {
        e.screen.Edit(El::SummaryRepeatButton).enabled = false;
        return;
    }
    e.screen.Edit(El::SummaryRepeatButton).enabled = true;
    SetMode(e, kPractice);
    addLine(e, "(End of Test)");
    e.screen.Edit(El::SummaryCODESUMSENDbutton).visible =
        e.settings.On(Opt::OPTEmail) || e.settings.On(Opt::OPTAUTOSend);
    e.screen.Edit(El::SummaryCODESUMPrintReport).visible = true;
    e.screen.Edit(El::MODElabel).visible = false;
}

// The summary says which first-shock time is which: the click and the scored time.
std::string firstShockShown(const Engine& e) {
    const auto& shock = e.log.Notes().firstShock;
    if (!shock) return e.state.FirstShockTimeText;
    return FirstShockShown(shock->ms, shock->scoredSeconds);
}

void showSummary(Engine& e) {
    e.screen.Edit(El::SummaryWindow).visible = true;
    e.screen.SetFocus(El::SummaryMainMenu);
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
    const ScenarioState& s = e.state;
    MonitorState& monitor = OwnMonitor(e);
    StopAllTimers(e);
    e.log.Finishing(e.timers.Now());
    // The last prompt is heard once more; a player failure does not matter now.
    if (e.settings.On(Opt::SOUNDCheckBox)) e.ports.sound->Play(s.SoundFile);
    e.timers.Stop(TimerId::ELAPSEDSecTIMER);
    for (El item : {El::Pause, El::Advice, El::PatientHistory})
        e.screen.Edit(item).enabled = false;
    // Nothing is left to advise: no advice stands over the final deductions or the summary.
    e.screen.Edit(El::ADVICEPANEL).visible = false;

    monitor.ElapsedTimeText = ElapsedText(s.ElapsedSeconds);
    setText(e, El::SummaryElapsedTimeEDIT, s.ElapsedTimeText);
    if (s.ShockCount == 0) {
        setText(e, El::SummarySHOCKTIMEEDIT, "No shocks");
        monitor.FirstShockTimeText = "NO SHOCKS";
    }
    setText(e, El::MSG0, "");
    setText(e, El::MSG1, "");

    // The ABCs of two rescuers, and of any child, end in CPR, however far the trainee got.
    if (ABCsIncludeCPR(e)) e.log.NoteCPRRequired();
    runEndChecks(e);
    if (!e.screen.Get(El::finalMSGdisplay).lines.empty()) {
        sizeFinalPanel(e);
        DisableRescueControls(e);
    } else {
        showSummary(e);
    }
    pediatricBonus(e);
    adviceLine(e);

    monitor.ScoreText = std::to_string(s.Score);
    setText(e, El::SummarySCOREEDIT, s.ScoreText);
    setText(e, El::SummarySHOCKTIMEEDIT, firstShockShown(e));
    setText(e, El::SummaryElapsedTimeEDIT, s.ElapsedTimeText);

    DateScenario(e);
    SetScoreboardLine(e, ResultLine(s));
    if (s.Mode != kTutorial) {
        AppendReports(e);
        AppendEventLog(e);
        RecordResult(e, true);
    }
    if (s.Mode == kPractice) {
        UpdateScoreboard(e);
    } else if (s.Mode == kTest) {
        countTestScenario(e);
    }
    if (!e.screen.Get(El::FINALERRORPanel).visible) showSummary(e);
}

}  // namespace ardentix
