#include "scenario/flow.h"

#include "core/course.h"
#include "core/engine.h"
#include "core/patient_view.h"
#include "core/scenario.h"
#include "mail/mail_window.h"
#include "monitor/finish.h"
#include "monitor/monitor.h"
#include "options/options.h"
#include "records/debrief.h"
#include "records/records.h"
#include "records/scenario_result.h"
#include "rescuer/rescuer.h"

namespace ardentix {

namespace {

constexpr const char* kTestQuestion = "The test is not over. Click OK to exit anyway.";

void setText(Engine& e, El name, std::string text) {
    e.screen.Edit(name).text = std::move(text);
}
void show(Engine& e, El name, bool visible) {
    e.screen.Edit(name).visible = visible;
}

void enableScenarioMenus(Engine& e, bool on) {
    for (El item : {El::Pause, El::Advice, El::PatientHistory})
        e.screen.Edit(item).enabled = on;
}

void practiceLabels(Engine& e) {
    if (e.state.Mode != kPractice) return;
    show(e, El::MODElabel, false);
    setText(e, El::SummaryMODELABEL, "PRACTICE MODE");
}

// Next, Repeat and Main Menu put the summary away; the test report can be printed only from the
// summary that ended the series.
void hideSummary(Engine& e) {
    show(e, El::SummaryWindow, false);
    show(e, El::SummaryCODESUMPrintReport, false);
    show(e, El::DebriefWindow, false);
}

// Next and Repeat: the main window comes back with the scenario started.
void startAgain(Engine& e) {
    show(e, El::MainWindow, true);
    BeginScenario(e);
    hideSummary(e);
    show(e, El::MENU, false);
    practiceLabels(e);
}

bool leaveTestAsked(Engine& e) {
    if (e.state.Mode != kTest) return true;
    return e.Message(BoxKind::Confirmation, BoxButtons::OkCancel, kTestQuestion) == BoxAnswer::Ok;
}

// While Send Report is shown, a summary button first settles the unsent results, and does its
// own work only when clicked again. True when it asked.
bool unsentResultsAsked(Engine& e, bool quitting) {
    if (!e.screen.Get(El::SummaryCODESUMSENDbutton).visible) return false;
    if (e.Message(BoxKind::Confirmation, BoxButtons::YesNo,
                  "Do you want to send the test results?") == BoxAnswer::Yes) {
        SendTestReport(e);
        return true;
    }
    const char* saveQuestion =
        quitting ? "Do you want to save the test results?"
                 : "Do you want to save the file to send later with another email program?";
    if (e.Message(BoxKind::Confirmation, BoxButtons::YesNo, saveQuestion) == BoxAnswer::Yes)
        SaveTestReport(e);
    e.screen.Edit(El::SummaryCODESUMSENDbutton).visible = false;
    DiscardTestReportFile(e);
    return true;
}

constexpr const char* kQuitQuestion = "End the running scenario and quit?";

// A scenario is under way: started and not ended, though it may be paused or its "Scenario Over"
// flashing.
bool scenarioRunning(const Engine& e) {
    return !e.screen.Get(El::MENU).visible && !e.screen.Get(El::SummaryWindow).visible &&
           !e.screen.Get(El::FINALERRORPanel).visible;
}

// The final deductions are shown and the summary not yet: the panel stays visible under the
// summary and the main menu.
bool finalPanelUp(const Engine& e) {
    return e.screen.Get(El::FINALERRORPanel).visible && !e.screen.Get(El::SummaryWindow).visible &&
           !e.screen.Get(El::MENU).visible;
}

// A scenario closed with the program is recorded as terminated, with its errors so far: in the
// report files whatever the mode (a Tutorial scenario in the practice files), and its events in
// AEDLOG.CSV as an ended scenario's are and in the results database (a Tutorial scenario's not).
void recordTerminated(Engine& e) {
    const ScenarioState& s = e.state;
    e.log.Terminated(e.timers.Now());
    DateScenario(e);
    SetScoreboardLine(e, TerminatedLine(s));
    const auto mode = static_cast<Mode>(s.Mode);
    if (mode == kTutorial) SetMode(e, kPractice);
    AppendReports(e);
    SetMode(e, mode);
    if (mode == kTutorial) return;
    AppendEventLog(e);
    RecordResult(e, false);
}

bool blankName(const std::string& text) {
    return text.empty() || text == " ";
}

void elapsedTick(Engine& e) {
    TickScenarioClock(e);
    setText(e, El::TIMELabel, ClockText(e.ports.clock->LongTime()));
}

void scenarioOverTick(Engine& e) {
    e.timers.SetInterval(TimerId::SCENOVERLabelFLASHTimer, 500);
    Element& label = e.screen.Edit(El::SCENOVERLabel);
    label.visible = !label.visible;
}

}  // namespace

void RegisterFlowTimers(Engine& e) {
    e.SetTimerHandler(TimerId::ELAPSEDSecTIMER, elapsedTick);
    e.SetTimerHandler(TimerId::SCENOVERLabelFLASHTimer, scenarioOverTick);
}

void ShowLogin(Engine& e) {
    const bool askId = e.settings.On(Opt::IDNumCheckBox);
    show(e, El::LoginIDEdit, askId);
    show(e, El::LoginLabelID, askId);
    const Element& lowest = e.screen.Get(askId ? El::LoginIDEdit : El::LoginNAMEEdit);
    Element& panel = e.screen.Edit(El::LoginModePanel);
    panel.top = lowest.top + lowest.height + 2;
    e.screen.Edit(El::LoginWindow).height = panel.top + panel.height + 30;
    show(e, El::LoginWindow, true);
    e.screen.SetFocus(El::LoginNAMEEdit);
}

void LoginModeClicked(Engine& e, El button) {
    for (El b : {El::LoginTUTORIALButton, El::LoginPracticebutton, El::LoginTestButton}) {
        e.screen.Edit(b).checked = b == button;
    }
    e.screen.SetFocus(El::LoginNAMEEdit);
}

void LoginCancel(Engine& e) {
    setText(e, El::LoginNAMEEdit, "");
    setText(e, El::LoginIDEdit, "");
    show(e, El::LoginWindow, false);
}

void LoginOk(Engine& e) {
    const ScenarioState& s = e.state;
    const std::string name = e.screen.Get(El::LoginNAMEEdit).text;
    if (blankName(name)) {
        e.Message(BoxKind::Information, BoxButtons::Ok, "Please enter a name.");
        e.screen.SetFocus(El::LoginNAMEEdit);
        return;
    }
    if (e.settings.On(Opt::IDNumCheckBox)) {
        const std::string id = e.screen.Get(El::LoginIDEdit).text;
        if (blankName(id)) {
            e.Message(BoxKind::Information, BoxButtons::Ok, "Please enter an ID Number.");
            e.screen.SetFocus(El::LoginIDEdit);
            return;
        }
        LogIn(e, name, id);
    } else {
        LogIn(e, name, "");
    }
    setText(e, El::SummaryIDEDIT, s.UserID);
    setText(e, El::SummaryNAMEEDIT, name);

    if (e.screen.Get(El::LoginTUTORIALButton).checked) {
        SetMode(e, kTutorial);
        show(e, El::MODElabel, false);
        setText(e, El::SummaryMODELABEL, "TUTORIAL MODE");
    } else {
        bool test = false;
        if (e.screen.Get(El::LoginTestButton).checked) {
            test = e.Message(BoxKind::Confirmation, BoxButtons::YesNo,
                             "Confirm selection of the TEST mode by clicking YES. Click NO for "
                             "PRACTICE mode. The test will have " +
                                 e.settings.Text(Opt::OPTtestScenarios) + " scenario(s).") ==
                   BoxAnswer::Yes;
        }
        if (test) {
            BeginTestSeries(e);
            show(e, El::MODElabel, true);
            setText(e, El::MODElabel, "test");
            setText(e, El::SummaryMODELABEL, "TEST MODE");
        } else {
            SetMode(e, kPractice);
            show(e, El::MODElabel, false);
            setText(e, El::SummaryMODELABEL, "PRACTICE MODE");
        }
    }

    e.SeedFromClock();
    PrepareScenario(e);
    if (e.ended) return;
    ResetScenario(e);
    show(e, El::MENU, false);
    show(e, El::LoginWindow, false);
    BeginScenario(e);
}

void BeginScenario(Engine& e) {
    ShowPatientHistory(e);
    show(e, El::PowerButton, true);
    e.screen.Edit(El::PADRED).enabled = true;
    e.screen.Edit(El::PADWHITE).enabled = true;
    EnableRescueControls(e);
    SetNextStep(e, kCheckResponsiveness);
    setText(e, El::SCOREDisplay, "0");
    e.timers.Start(TimerId::ELAPSEDSecTIMER);
    e.screen.Edit(El::Pause).enabled = true;
    Redraw(e);
    AdviseInTutorial(e);
}

void TogglePause(Engine& e) {
    Element& pause = e.screen.Edit(El::Pause);
    if (!pause.checked) {
        LogAction(e, "Pause");
        e.log.Pause(e.timers.Now());
        pause.checked = true;
        DisableRescueControls(e);  // remembers the running timers
        e.screen.Edit(El::Advice).enabled = false;
        e.screen.Edit(El::PatientHistory).enabled = false;
        setText(e, El::MSG0, "Select Pause under FILE menu to continue.");
        setText(e, El::MSG1, "");
        e.timers.Stop(TimerId::ELAPSEDSecTIMER);
        show(e, El::PAUSEDLabel, true);
        return;
    }
    show(e, El::PAUSEDLabel, false);
    e.timers.Start(TimerId::ELAPSEDSecTIMER);
    EnableRescueControls(e);
    pause.checked = false;
    e.screen.Edit(El::Advice).enabled = true;
    e.screen.Edit(El::PatientHistory).enabled = true;
    setText(e, El::MSG0, "");
    setText(e, El::MSG1, "");
    // The countdown goes on from the seconds it had: they are kept in CountdownSeconds.
    RestartPausedTimers(e);
    // The compressions go on from where they were: the log's time starts again only now.
    e.log.Resume(e.timers.Now());
    LogAction(e, "Resume");
    // A phone call that ended during the pause lets Auto ABCs go on only now.
    ResumeAutoABCsAfterPause(e);
}

void ShowPatientHistory(Engine& e) {
    const std::string& history = e.state.PatientHistory;
    const size_t star = history.find('*');
    setText(e, El::MSG0, history.substr(0, star));
    setText(e, El::MSG1, star == std::string::npos ? std::string() : history.substr(star + 1, 50));
}

void RequestAdvice(Engine& e) {
    LogAction(e, "Advice");
    NoteAdviceRequest(e);
    EvaluateNextStep(e);  // which shows the advice
    StopCPRForAdvice(e);
}

void FinalErrorOk(Engine& e) {
    show(e, El::SummaryWindow, true);
    e.screen.SetFocus(El::SummaryMainMenu);
}

void SummaryNext(Engine& e) {
    if (unsentResultsAsked(e, false)) return;
    e.SeedFromClock();
    PrepareScenario(e);
    if (e.ended) return;
    ResetScenario(e);
    startAgain(e);
}

void SummaryRepeat(Engine& e) {
    if (unsentResultsAsked(e, false)) return;
    ResetScenario(e);
    startAgain(e);
}

void SummaryMainMenu(Engine& e) {
    if (unsentResultsAsked(e, false)) return;
    if (!leaveTestAsked(e)) return;
    show(e, El::MENU, true);
    setText(e, El::LoginNAMEEdit, "");
    setText(e, El::LoginIDEdit, "");
    enableScenarioMenus(e, false);
    LoginModeClicked(e,
                     e.state.Mode == kTutorial ? El::LoginTUTORIALButton : El::LoginPracticebutton);
    show(e, El::MainWindow, true);
    hideSummary(e);
    e.screen.SetFocus(El::MenuStart);
}

void SummaryQuit(Engine& e) {
    CloseMainWindow(e);
}

void CloseMainWindow(Engine& e) {
    if (scenarioRunning(e)) {
        // Nothing is touched before the answer: No leaves the scenario as it was, paused or not.
        if (e.Message(BoxKind::Confirmation, BoxButtons::YesNo, kQuitQuestion) != BoxAnswer::Yes)
            return;
        recordTerminated(e);
    } else {
        // The scenario has ended and its result is written. The final deductions give way to
        // the summary, so that a close from either asks what the summary's Quit asks: an unsent
        // test report or a test series left half-way is not lost without a word.
        if (finalPanelUp(e)) FinalErrorOk(e);
        if (e.screen.Get(El::SummaryWindow).visible &&
            (unsentResultsAsked(e, true) || !leaveTestAsked(e)))
            return;
    }
    SaveOptionsOnClose(e);
    e.ended = true;
}

void ToggleBorder(Engine& e) {
    Element& border = e.screen.Edit(El::ArdentixBorder);
    border.visible = !border.visible;
    setText(e, El::SHOWBORDERMenuItem, border.visible ? "Hide Border" : "Show Border");
}

}  // namespace ardentix
