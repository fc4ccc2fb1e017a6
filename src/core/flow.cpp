#include "core/flow.h"

#include <array>

#include "core/engine.h"
#include "core/patient_view.h"
#include "core/scenario.h"
#include "monitor/finish.h"
#include "monitor/monitor.h"

namespace ardentix {

namespace {

// Remembered by a pause and started again when it ends.
constexpr std::array kPausedTimers = {
    TimerId::ANALYZINGNOWTimer,
    TimerId::CHARGETimer,
    TimerId::CPRTimer,
    TimerId::DISARMTimer,
    TimerId::ENDAnalyzeTimer,
    TimerId::FLASHLEDtimer,
    TimerId::IFNOPULSETimer,
    TimerId::LOWBATTERYINDICATORTIMER,
    TimerId::MOTIONDETECTEDTimer,
    TimerId::PUSHANALYZETimer,
    TimerId::PUSHANALYZEafterCPRTIMER,
    TimerId::PUSHTOSHOCKTimer,
    TimerId::SHOCKTimer,
    TimerId::STANDCLEARTIMER,
    TimerId::STANDCLEARAnalyzeTIMER,
    TimerId::STANDCLEARShockTimer,
    TimerId::STARTCPRTimer,
    TimerId::VENTILATION1Timer,
    TimerId::CPRCountdownTimer,
    TimerId::AutoAnalyzeDelay,  // the device's pause before analysing after a disarm
};

// Stopped by a pause and left stopped after it.
constexpr std::array kStoppedTimers = {
    TimerId::BPTIMER,
    TimerId::BREATHINGTimer,
    TimerId::CHECKFORPULSETimer,
    TimerId::ELAPSEDSecTIMER,
    TimerId::HIDEBVMTimer,
    TimerId::POWERTimer,
    TimerId::POWERTIMER2,
    TimerId::PULSETIMER,
    TimerId::ResponsivenessTimer,
    TimerId::SCENOVERLabelFLASHTimer,
    TimerId::Shaketimer,
    TimerId::VENTILATION2Timer,
};

constexpr const char* kTestQuestion = "The test is not over. Click OK to exit anyway.";

void setText(Engine& e, const char* name, std::string text) {
    e.screen.Edit(name).text = std::move(text);
}
void show(Engine& e, const char* name, bool visible) {
    e.screen.Edit(name).visible = visible;
}

void enableScenarioMenus(Engine& e, bool on) {
    for (const char* item : {"Pause", "Advice", "PatientHistory"})
        e.screen.Edit(item).enabled = on;
}

void practiceLabels(Engine& e) {
    if (e.state.Mode != kPractice) return;
    show(e, "MODElabel", false);
    setText(e, "TForm2.MODELABEL", "PRACTICE MODE");
}

// Next and Repeat: the main window comes back with the scenario started.
void startAgain(Engine& e) {
    show(e, "TForm1", true);
    BeginScenario(e);
    show(e, "TForm2", false);
    show(e, "MENU", false);
    practiceLabels(e);
}

bool leaveTestAsked(Engine& e) {
    if (e.state.Mode != kTest) return true;
    return e.Message(BoxKind::Confirmation, BoxButtons::OkCancel, kTestQuestion) == BoxAnswer::Ok;
}

bool blankName(const std::string& text) {
    return text.empty() || text == " ";
}

void elapsedTick(Engine& e) {
    ++e.state.ElapsedSeconds;
    setText(e, "TIMELabel", ClockText(e.ports.clock->LongTime()));
}

void scenarioOverTick(Engine& e) {
    e.timers.SetInterval(TimerId::SCENOVERLabelFLASHTimer, 500);
    Element& label = e.screen.Edit("SCENOVERLabel");
    label.visible = !label.visible;
}

}  // namespace

std::string ClockText(const std::string& longTime) {
    return longTime.substr(0, longTime.size() == 10 ? 4 : 5);
}

void RegisterFlowTimers(Engine& e) {
    e.SetTimerHandler(TimerId::ELAPSEDSecTIMER, elapsedTick);
    e.SetTimerHandler(TimerId::SCENOVERLabelFLASHTimer, scenarioOverTick);
}

void StopAllTimers(Engine& e) {
    if (e.screen.Get("Pause").checked) {
        for (TimerId id : kPausedTimers) {
            e.state.PauseMemory[static_cast<size_t>(id)] = e.timers.Running(id);
        }
    }
    for (TimerId id : kPausedTimers)
        e.timers.Stop(id);
    for (TimerId id : kStoppedTimers)
        e.timers.Stop(id);
}

void ShowLogin(Engine& e) {
    const bool askId = e.settings.On(Opt::IDNumCheckBox);
    show(e, "TUserNAMEFORM.IDEdit", askId);
    show(e, "TUserNAMEFORM.LabelID", askId);
    const Element& lowest = e.screen.Get(askId ? "TUserNAMEFORM.IDEdit" : "TUserNAMEFORM.NAMEEdit");
    Element& panel = e.screen.Edit("TUserNAMEFORM.ModePanel");
    panel.top = lowest.top + lowest.height + 2;
    e.screen.Edit("TUserNAMEFORM").height = panel.top + panel.height + 30;
    show(e, "TUserNAMEFORM", true);
    e.screen.SetFocus("TUserNAMEFORM.NAMEEdit");
}

void LoginModeClicked(Engine& e, const char* button) {
    for (const char* b : {"TUserNAMEFORM.TUTORIALButton", "TUserNAMEFORM.Practicebutton",
                          "TUserNAMEFORM.TestButton"}) {
        e.screen.Edit(b).checked = std::string_view(b) == button;
    }
    e.screen.SetFocus("TUserNAMEFORM.NAMEEdit");
}

void LoginCancel(Engine& e) {
    setText(e, "TUserNAMEFORM.NAMEEdit", "");
    setText(e, "TUserNAMEFORM.IDEdit", "");
    show(e, "TUserNAMEFORM", false);
}

void LoginOk(Engine& e) {
    ScenarioState& s = e.state;
    const std::string name = e.screen.Get("TUserNAMEFORM.NAMEEdit").text;
    if (blankName(name)) {
        e.Message(BoxKind::Information, BoxButtons::Ok, "Please enter a name.");
        e.screen.SetFocus("TUserNAMEFORM.NAMEEdit");
        return;
    }
    if (e.settings.On(Opt::IDNumCheckBox)) {
        const std::string id = e.screen.Get("TUserNAMEFORM.IDEdit").text;
        if (blankName(id)) {
            e.Message(BoxKind::Information, BoxButtons::Ok, "Please enter an ID Number.");
            e.screen.SetFocus("TUserNAMEFORM.IDEdit");
            return;
        }
        s.UserID = id;
    } else {
        s.UserID.clear();
    }
    setText(e, "TForm2.IDEDIT", s.UserID);
    s.UserName = name;
    setText(e, "TForm2.NAMEEDIT", name);
    s.ScenarioDate = e.ports.clock->ShortDate();

    if (e.screen.Get("TUserNAMEFORM.TUTORIALButton").checked) {
        s.Mode = kTutorial;
        show(e, "MODElabel", false);
        setText(e, "TForm2.MODELABEL", "TUTORIAL MODE");
    } else {
        bool test = false;
        if (e.screen.Get("TUserNAMEFORM.TestButton").checked) {
            test = e.Message(BoxKind::Confirmation, BoxButtons::YesNo,
                             "Confirm selection of the TEST mode by clicking YES. Click NO for "
                             "PRACTICE mode. The test will have " +
                                 e.settings.Text(Opt::OPTtestScenarios) + " scenario(s).") ==
                   BoxAnswer::Yes;
        }
        if (test) {
            s.Mode = kTest;
            show(e, "MODElabel", true);
            setText(e, "MODElabel", "test");
            setText(e, "TForm2.MODELABEL", "TEST MODE");
            s.TestScenarioCount = 0;
        } else {
            s.Mode = kPractice;
            show(e, "MODElabel", false);
            setText(e, "TForm2.MODELABEL", "PRACTICE MODE");
        }
    }

    e.SeedFromClock();
    PrepareScenario(e);
    if (e.ended) return;
    ResetScenario(e);
    show(e, "MENU", false);
    show(e, "TUserNAMEFORM", false);
    BeginScenario(e);
}

void BeginScenario(Engine& e) {
    ShowPatientHistory(e);
    show(e, "PowerButton", true);
    e.screen.Edit("PADRED").enabled = true;
    e.screen.Edit("PADWHITE").enabled = true;
    EnableRescueControls(e);
    e.state.NextStep = kCheckResponsiveness;
    setText(e, "SCOREDisplay", "0");
    e.timers.Start(TimerId::ELAPSEDSecTIMER);
    e.screen.Edit("Pause").enabled = true;
    Redraw(e);
    if (e.state.Mode == kTutorial) ShowAdvice(e);
}

void TogglePause(Engine& e) {
    Element& pause = e.screen.Edit("Pause");
    if (!pause.checked) {
        pause.checked = true;
        DisableRescueControls(e);  // remembers the running timers
        e.screen.Edit("Advice").enabled = false;
        e.screen.Edit("PatientHistory").enabled = false;
        setText(e, "MSG0", "Select Pause under FILE menu to continue.");
        setText(e, "MSG1", "");
        e.timers.Stop(TimerId::ELAPSEDSecTIMER);
        return;
    }
    e.timers.Start(TimerId::ELAPSEDSecTIMER);
    EnableRescueControls(e);
    pause.checked = false;
    e.screen.Edit("Advice").enabled = true;
    e.screen.Edit("PatientHistory").enabled = true;
    setText(e, "MSG0", "");
    setText(e, "MSG1", "");
    // The countdown goes on from the seconds it had: they are kept in CountdownSeconds.
    for (TimerId id : kPausedTimers) {
        bool& remembered = e.state.PauseMemory[static_cast<size_t>(id)];
        if (remembered) e.timers.Start(id);
        remembered = false;
    }
}

void ShowPatientHistory(Engine& e) {
    const std::string& history = e.state.PatientHistory;
    const size_t star = history.find('*');
    setText(e, "MSG0", history.substr(0, star));
    setText(e, "MSG1", star == std::string::npos ? std::string() : history.substr(star + 1, 50));
}

void RequestAdvice(Engine& e) {
    e.state.AdviceRequested = true;
    EvaluateNextStep(e);
}

void FinalErrorOk(Engine& e) {
    show(e, "TForm2", true);
    e.screen.SetFocus("TForm2.MainMenu");
}

void SummaryNext(Engine& e) {
    e.SeedFromClock();
    PrepareScenario(e);
    if (e.ended) return;
    ResetScenario(e);
    startAgain(e);
}

void SummaryRepeat(Engine& e) {
    ResetScenario(e);
    startAgain(e);
}

void SummaryMainMenu(Engine& e) {
    if (!leaveTestAsked(e)) return;
    show(e, "MENU", true);
    setText(e, "TUserNAMEFORM.NAMEEdit", "");
    setText(e, "TUserNAMEFORM.IDEdit", "");
    enableScenarioMenus(e, false);
    LoginModeClicked(e, e.state.Mode == kTutorial ? "TUserNAMEFORM.TUTORIALButton"
                                                  : "TUserNAMEFORM.Practicebutton");
    show(e, "TForm1", true);
    show(e, "TForm2", false);
    e.screen.SetFocus("MenuStart");
}

void SummaryQuit(Engine& e) {
    if (!leaveTestAsked(e)) return;
    CloseMainWindow(e);
}

void CloseMainWindow(Engine& e) {
    e.ended = true;
}

void ToggleBorder(Engine& e) {
    Element& border = e.screen.Edit("ArdentixBorder");
    border.visible = !border.visible;
    setText(e, "SHOWBORDERMenuItem", border.visible ? "Hide Border" : "Show Border");
}

}  // namespace ardentix
