#include "scenario/input.h"

#include <algorithm>
#include <array>
#include <optional>

#include "aed/aed.h"
#include "core/course.h"
#include "core/elements.h"
#include "core/engine.h"
#include "mail/mail_window.h"
#include "monitor/finish.h"
#include "options/options.h"
#include "records/debrief.h"
#include "records/records.h"
#include "rescuer/rescuer.h"
#include "scenario/busy.h"
#include "scenario/flow.h"

namespace ardentix {

namespace {

enum class Place {
    MainMenu,
    Scenario,
    AbcsMenu,
    TroubleMenu,
    Login,
    Summary,
    FinalPanel,
    AboutBox,
    Scoreboard,
    Quiz,
    QuizBreaths,  // the quiz's second answer field, shown with the ratio question only
    ScenarioTab,  // the option pages, each tab while it is the active one
    ProtocolTab,
    TestTab,
    ReportTab,
    ProgressTab,
    PasswordDialog,
    MailWindow,
    MenuBar
};

struct Control {
    El name;
    Place place;
    void (*act)(Engine&);
};

const std::array<Control, 67> kClicks = {{
    {El::MenuStart, Place::MainMenu, ShowLogin},
    {El::STARTImage, Place::MainMenu, ShowLogin},
    {El::MENU_IMAGE, Place::MainMenu, ShowLogin},
    {El::OPTIONSImage, Place::MainMenu, OpenOptionPages},
    {El::SCOREBOARDImage, Place::MainMenu, ShowScoreboard},
    {El::QUITImage, Place::MainMenu, CloseMainWindow},
    {El::LoginOKBtn, Place::Login, LoginOk},
    {El::LoginCancelBtn, Place::Login, LoginCancel},
    {El::LoginTUTORIALButton, Place::Login,
     [](Engine& e) { LoginModeClicked(e, El::LoginTUTORIALButton); }},
    {El::LoginPracticebutton, Place::Login,
     [](Engine& e) { LoginModeClicked(e, El::LoginPracticebutton); }},
    {El::LoginTestButton, Place::Login,
     [](Engine& e) { LoginModeClicked(e, El::LoginTestButton); }},
    {El::ENDBUTTON, Place::Scenario, FinishScenario},
    {El::PowerButton, Place::Scenario, PowerOn},
    {El::POWERBUTTON2, Place::Scenario, PowerButton2},
    {El::AnalyzeButton, Place::Scenario, AnalyzeRequest},
    {El::ShockButton, Place::Scenario, ShockKey},
    {El::CPRBUTTON, Place::Scenario, CPRButton},
    {El::PulseButton, Place::Scenario, PulseCheck},
    {El::BPBUTTON, Place::Scenario, BloodPressureCheck},
    {El::VOICEBUTTON, Place::Scenario, VoiceReport},
    {El::CALLHELPButton, Place::Scenario, PhoneForHelp},
    {El::CLEARBUTTON, Place::Scenario, ClearPatient},
    {El::TROUBLEShootBUTTON, Place::Scenario, TroubleButton},
    {El::PADRedZONE, Place::Scenario, PressRedPadZone},
    {El::CHILDKEY, Place::Scenario, ChildKey},
    {El::SCENOVERLabel, Place::Scenario, FinishScenario},
    {El::FinalErrorOKButton, Place::FinalPanel, FinalErrorOk},
    {El::SummaryNext, Place::Summary, SummaryNext},
    {El::SummaryRepeatButton, Place::Summary, SummaryRepeat},
    {El::SummaryMainMenu, Place::Summary, SummaryMainMenu},
    {El::SummaryQUIT, Place::Summary, SummaryQuit},
    {El::SummarySCOREBOARD, Place::Summary, ShowScoreboard},
    {El::SummaryCODESUMSENDbutton, Place::Summary, SendTestReport},
    {El::SummaryCODESUMPrintReport, Place::Summary, PrintTestReport},
    {El::SummaryDEBRIEFButton, Place::Summary, ShowDebrief},
    {El::DebriefCloseBtn, Place::Summary, CloseDebrief},
    {El::ScoreboardOKButton, Place::Scoreboard, CloseScoreboard},
    {El::QuizOKBtn, Place::Quiz, QuizOk},
    {El::ProgramOK, Place::ScenarioTab, CloseOptionPages},
    {El::ButtonCANCEL1, Place::ScenarioTab, CancelOptionPages},
    {El::PROGRAMDefaultButton, Place::ScenarioTab,
     [](Engine& e) { OptionDefaults(e, Tab::Scenario); }},
    {El::CLEARSCOREBOARD, Place::ScenarioTab, AskClearScoreboard},
    {El::PASSWORDBUTTON, Place::ScenarioTab, TogglePasswordMask},
    {El::ProtocolOK, Place::ProtocolTab, CloseOptionPages},
    {El::ButtonCANCEL2, Place::ProtocolTab, CancelOptionPages},
    {El::PROTOCOLDefaultButton, Place::ProtocolTab,
     [](Engine& e) { OptionDefaults(e, Tab::Protocol); }},
    {El::TESTCLOSE, Place::TestTab, CloseOptionPages},
    {El::ButtonCANCEL3, Place::TestTab, CancelOptionPages},
    {El::TESTDEFAULT, Place::TestTab, [](Engine& e) { OptionDefaults(e, Tab::Test); }},
    {El::eMailCONFIGURE, Place::TestTab, OpenMailConfiguration},
    {El::REPORTCLOSEBUTTON, Place::ReportTab, CloseOptionPages},
    {El::REPORTOpenFile, Place::ReportTab, OpenReportFile},
    {El::FONTBUTTON, Place::ReportTab, ChooseReportFont},
    {El::PRINTBUTTON, Place::ReportTab, PrintReportView},
    {El::PROGRESSCLOSEBUTTON, Place::ProgressTab, CloseOptionPages},
    {El::PasswordDlgOKBtn, Place::PasswordDialog, PasswordOk},
    {El::PasswordDlgCancelBtn, Place::PasswordDialog, PasswordCancel},
    {El::MailCONNECTButton, Place::MailWindow, MailConnect},
    {El::MailEMAILSENDBUTTON, Place::MailWindow, MailSend},
    {El::MailTClose, Place::MailWindow, MailCloseButton},
    {El::MailADDButton, Place::MailWindow, MailAddFile},
    {El::MailREMOVEButton, Place::MailWindow, MailRemoveFile},
    {El::MailRadioButtonMIME, Place::MailWindow, [](Engine& e) { MailChooseEncoding(e, false); }},
    {El::MailRadioButtonUU, Place::MailWindow, [](Engine& e) { MailChooseEncoding(e, true); }},
    {El::MailSAVESettingsButton, Place::MailWindow, [](Engine& e) { SaveMailSettings(e); }},
    {El::MailPlainLoginCheck, Place::MailWindow, MailTogglePlainLogin},
    {El::MailAcceptCertificateCheck, Place::MailWindow, MailToggleAcceptCertificate},
}};

const std::array<Control, 18> kMenus = {{
    {El::Pause, Place::MenuBar, TogglePause},
    {El::SHOWBORDERMenuItem, Place::MenuBar, ToggleBorder},
    {El::Quit, Place::MenuBar, CloseMainWindow},
    {El::Advice, Place::MenuBar, RequestAdvice},
    {El::PatientHistory, Place::MenuBar, ShowPatientHistory},
    {El::HINTSHOW, Place::MenuBar,
     [](Engine& e) {
         Element& hints = e.screen.Edit(El::HINTSHOW);
         hints.checked = !hints.checked;
     }},
    {El::AboutArdentix1, Place::MenuBar,
     [](Engine& e) { e.screen.Edit(El::AboutWindow).visible = true; }},
    {El::AllABCsmenuItem, Place::AbcsMenu, AutoABCs},
    {El::ABCsResponsivenessMenuItem, Place::AbcsMenu, CheckResponsiveness},
    {El::ABCsCALL911MenuItem, Place::AbcsMenu, PhoneForHelp},
    {El::ABCsAirwayMenuItem, Place::AbcsMenu, OpenAirway},
    {El::ABCsBreathingMenuItem, Place::AbcsMenu, CheckBreathing},
    {El::ABCsVentilationMenuItem, Place::AbcsMenu, RescueBreaths},
    {El::ABCsCirculationMenuItem, Place::AbcsMenu, PulseCheck},
    {El::TroubleElectrodeMenuItem, Place::TroubleMenu, ReattachElectrode},
    {El::TroubleBatteryMenuItem, Place::TroubleMenu, ReplaceBattery},
    {El::TroubleMOTIONMenuItem, Place::TroubleMenu, StopMotion},
    {El::AboutOKBtn, Place::AboutBox,
     [](Engine& e) { e.screen.Edit(El::AboutWindow).visible = false; }},
}};

bool visible(const Engine& e, El name) {
    return e.screen.Get(name).visible;
}

// The windows that wait for an answer, the one that stands on top first when two are up: the
// scoreboard and the e-mail window over the summary, the CPR quiz over the about box. The e-mail
// window waits only while it sends the results.
constexpr std::array<El, 7> kWaitingWindows = {
    El::ScoreboardWindow,  El::MailWindow,  El::QuizWindow,   El::AboutWindow,
    El::PasswordDlgWindow, El::LoginWindow, El::SummaryWindow};

bool waitingWindowUp(const Engine& e, El window) {
    return window == El::MailWindow ? MailWindowSending(e) : e.screen.Get(window).visible;
}

// The main window takes input only while no window waits for an answer.
bool mainWindowFree(const Engine& e) {
    return !WaitingWindow(e);
}

// A window that waits for an answer takes input while it is the one on top.
bool waits(const Engine& e, El window) {
    return WaitingWindow(e) == window;
}

bool tabOpen(const Engine& e, std::string_view caption) {
    return mainWindowFree(e) && OptionPagesShown(e) && ActiveOptionTab(e) == caption;
}

Place tabPlace(Tab tab) {
    switch (tab) {
        case Tab::Scenario:
            return Place::ScenarioTab;
        case Tab::Protocol:
            return Place::ProtocolTab;
        case Tab::Test:
            return Place::TestTab;
    }
    return Place::ScenarioTab;
}

bool placeOpen(const Engine& e, Place place) {
    switch (place) {
        case Place::MainMenu:
            // The option pages cover the main menu while they are shown.
            return mainWindowFree(e) && visible(e, El::MENU) && !OptionPagesShown(e);
        case Place::Scenario:
            return mainWindowFree(e) && !visible(e, El::MENU) && !visible(e, El::FINALERRORPanel);
        case Place::AbcsMenu:
            // The ABCs menu pops up from its button while no check or breath is under way.
            return placeOpen(e, Place::Scenario) && e.screen.Get(El::ABCsButton).enabled &&
                   AbcsMenuAvailable(e);
        case Place::TroubleMenu:
            // The Trouble menu pops up from its button, shown when a fault kind is enabled.
            return placeOpen(e, Place::Scenario) && visible(e, El::TROUBLEShootBUTTON) &&
                   e.screen.Get(El::TROUBLEShootBUTTON).enabled;
        case Place::FinalPanel:
            // The panel stays under the summary, the main menu and the log-in after a scenario.
            return mainWindowFree(e) && visible(e, El::FINALERRORPanel) && !visible(e, El::MENU);
        case Place::Login:
            return waits(e, El::LoginWindow);
        case Place::Summary:
            return waits(e, El::SummaryWindow) && e.screen.Get(El::SummaryWindow).enabled;
        case Place::AboutBox:
            return waits(e, El::AboutWindow);
        case Place::Scoreboard:
            // The scoreboard holds every other window while it is up, so that the program is
            // where it was when the board closes (its close goes back to the summary when the
            // menu is gone).
            return waits(e, El::ScoreboardWindow);
        case Place::Quiz:
            return waits(e, El::QuizWindow);
        case Place::QuizBreaths:
            return waits(e, El::QuizWindow) && visible(e, El::QuizPanel2);
        case Place::ScenarioTab:
            return tabOpen(e, TabCaption(Tab::Scenario));
        case Place::ProtocolTab:
            return tabOpen(e, TabCaption(Tab::Protocol));
        case Place::TestTab:
            return tabOpen(e, TabCaption(Tab::Test));
        case Place::ReportTab:
            return tabOpen(e, "Report View");
        case Place::ProgressTab:
            return tabOpen(e, "Progress");
        case Place::PasswordDialog:
            return waits(e, El::PasswordDlgWindow);
        case Place::MailWindow:
            // Configuring, it takes input beside the option pages while nothing waits over both.
            return waits(e, El::MailWindow) || (visible(e, El::MailWindow) && mainWindowFree(e));
        case Place::MenuBar:
            return mainWindowFree(e);
    }
    return false;
}

// The one rule of availability: the control is shown and enabled, and its place is open. Each
// place is judged once, for a list of every input available.
class Availability {
  public:
    explicit Availability(const Engine& e) : e_(e) {}
    bool operator()(Place place, El name) const {
        const Element& el = e_.screen.Get(name);
        return el.visible && el.enabled && containerShown(name) && open(place);
    }

  private:
    // A control on a hidden panel or in a hidden window is out of reach.
    bool containerShown(El name) const {
        const std::optional<El> container = ContainerOf(name);
        return !container || e_.screen.Get(*container).visible;
    }
    bool open(Place place) const {
        std::optional<bool>& known = open_[static_cast<size_t>(place)];
        if (!known) known = placeOpen(e_, place);
        return *known;
    }

    const Engine& e_;
    mutable std::array<std::optional<bool>, static_cast<size_t>(Place::MenuBar) + 1> open_{};
};

bool usable(const Engine& e, Place place, El name) {
    return Availability(e)(place, name);
}

constexpr std::array<El, 4> kPads = {El::PADWHITE, El::PADRED, El::PADWHITEzoneTorso,
                                     El::PADREDzoneTorso};
// An edit field keeps what is typed (cut to its length), unless it has a store of its own.
struct Field {
    El name;
    Place place;
    void (*store)(Engine&, const std::string&);
};

// A memo's text as its lines: every LF ends a line, so a line begun at the end is kept while it
// is typed.
std::vector<std::string> memoLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else if (c != '\r') {
            lines.back() += c;
        }
    }
    return lines;
}

// The e-mail window's fields by their short names.
template <El kName>
void mailField(Engine& e, const std::string& text) {
    MailTypeField(e, kName, text);
}

const std::array<Field, 20> kFields = {{
    {El::LoginNAMEEdit, Place::Login, nullptr},
    {El::LoginIDEdit, Place::Login, nullptr},
    {El::QuizEDIT1, Place::Quiz, nullptr},
    {El::QuizEdit2, Place::QuizBreaths, nullptr},
    {El::PASSWORD, Place::ScenarioTab, TypePassword},
    {El::OPTCentreURI, Place::ScenarioTab, TypeCentreURI},
    {El::PasswordDlgPasswordEnter, Place::PasswordDialog,
     [](Engine& e, const std::string& text) {
         e.screen.Edit(El::PasswordDlgPasswordEnter).text = LowerCase(text);
     }},
    {El::MailSMTPSERV, Place::MailWindow, mailField<El::MailSMTPSERV>},
    {El::MailUSERIDFIELD, Place::MailWindow, mailField<El::MailUSERIDFIELD>},
    {El::MailFromNAMEField, Place::MailWindow, mailField<El::MailFromNAMEField>},
    {El::MailFromADDRESSField, Place::MailWindow, mailField<El::MailFromADDRESSField>},
    {El::MailToFIELD, Place::MailWindow, mailField<El::MailToFIELD>},
    {El::MailCcFIELD, Place::MailWindow, mailField<El::MailCcFIELD>},
    {El::MailSUBJECT, Place::MailWindow, mailField<El::MailSUBJECT>},
    {El::MailPortField, Place::MailWindow, mailField<El::MailPortField>},
    {El::MailSecurityField, Place::MailWindow, mailField<El::MailSecurityField>},
    {El::MailLoginField, Place::MailWindow, mailField<El::MailLoginField>},
    {El::MailPasswordField, Place::MailWindow, mailField<El::MailPasswordField>},
    // Typing into the list selects the entry of that text.
    {El::MailATTACHEDFILEs, Place::MailWindow, MailSelectFile},
    {El::MailTMESSAGE, Place::MailWindow,
     [](Engine& e, const std::string& text) { MailTypeMessage(e, memoLines(text)); }},
}};

struct Spinner {
    El name;
    Place place;
    void (*step)(Engine&, El, bool up);
};

void quizSpin(Engine& e, El name, bool up) {
    QuizSpin(e, name == El::QuizSpinButton2 ? QuizSpinner::Breaths : QuizSpinner::Compressions, up);
}

void optionSpin(Engine& e, El name, bool up) {
    StepOption(e, name, up);
}

constexpr std::array<Spinner, 10> kSpinners = {{
    {El::QuizSpinButton1, Place::Quiz, quizSpin},
    {El::QuizSpinButton2, Place::QuizBreaths, quizSpin},
    {El::SpinButton11, Place::ScenarioTab, optionSpin},
    {El::SpinButtonTESTSCEN, Place::TestTab, optionSpin},
    {El::SpinButton0, Place::ProtocolTab, optionSpin},
    {El::SpinButton1, Place::ProtocolTab, optionSpin},
    {El::SpinButton2, Place::ProtocolTab, optionSpin},
    {El::SpinButton5, Place::ProtocolTab, optionSpin},
    {El::SpinButton6, Place::ProtocolTab, optionSpin},
    {El::SpinButton7, Place::ProtocolTab, optionSpin},
}};

// The option pages' check boxes and radio buttons: a click on one of the active tab.
std::optional<Opt> optionButton(El name) {
    const std::optional<Opt> opt = OptionOf(name);
    if (!opt || (KindOf(*opt) != ControlKind::CheckBox && KindOf(*opt) != ControlKind::Radio))
        return std::nullopt;
    return opt;
}

template <size_t N>
InputResult act(Engine& e, const std::array<Control, N>& controls, El name) {
    for (const Control& c : controls) {
        if (c.name != name) continue;
        if (!usable(e, c.place, name)) return InputResult::Unavailable;
        {
            const LogTurn turn(e);
            c.act(e);
        }
        MarkBusyControls(e);
        return InputResult::Done;
    }
    return InputResult::Unknown;
}

}  // namespace

std::optional<El> WaitingWindow(const Engine& e) {
    for (El window : kWaitingWindows) {
        if (waitingWindowUp(e, window)) return window;
    }
    return std::nullopt;
}

InputResult Click(Engine& e, El name) {
    if (const std::optional<Opt> opt = optionButton(name)) {
        if (!usable(e, tabPlace(TabOf(*opt)), name)) return InputResult::Unavailable;
        ClickOption(e, *opt);
        return InputResult::Done;
    }
    return act(e, kClicks, name);
}

InputResult ChooseTab(Engine& e, std::string_view caption) {
    if (!IsOptionTab(caption)) return InputResult::Unknown;
    if (!mainWindowFree(e) || !OptionPagesShown(e)) return InputResult::Unavailable;
    ChooseOptionTab(e, caption);
    return InputResult::Done;
}

InputResult CloseBox(Engine& e) {
    // The summary leaves the main window's frame alone, and its close asks what the summary's
    // Quit asks; every other waiting window holds the frame as well.
    const std::optional<El> waiting = WaitingWindow(e);
    if (waiting && *waiting != El::SummaryWindow) return InputResult::Unavailable;
    const LogTurn turn(e);
    CloseMainWindow(e);
    return InputResult::Done;
}

InputResult KeyOnMainWindowItself(Engine& e) {
    if (!mainWindowFree(e)) return InputResult::Unavailable;
    KeyOnMainWindow(e);
    return InputResult::Done;
}

bool CompressionKeyActive(const Engine& e) {
    return CompressingByKey(e) && placeOpen(e, Place::Scenario);
}

InputResult PressSpace(Engine& e) {
    if (!placeOpen(e, Place::Scenario)) return InputResult::Unavailable;
    {
        const LogTurn turn(e);
        PressCompressionKey(e);
    }
    MarkBusyControls(e);
    return InputResult::Done;
}

InputResult PressChest(Engine& e) {
    if (!CompressionKeyActive(e)) return InputResult::Unavailable;
    return PressSpace(e);
}

InputResult ChooseMenu(Engine& e, El name) {
    return act(e, kMenus, name);
}

InputResult DragPad(Engine& e, El name, std::optional<El> target, int left, int top) {
    const bool white = name == El::PADWHITE || name == El::PADWHITEzoneTorso;
    const bool fromMisplaced = name == El::PADWHITEzoneTorso || name == El::PADREDzoneTorso;
    if (std::find(kPads.begin(), kPads.end(), name) == kPads.end()) return InputResult::Unknown;
    std::optional<PadTarget> drop;
    if (target == El::PADWhiteZone) drop = PadTarget::WhiteZone;
    if (target == El::PADRedZONE) drop = PadTarget::RedZone;
    if (target == El::PATIENTTorsoZONE) drop = PadTarget::Torso;
    if (target == El::PADPanel) drop = PadTarget::Tray;
    if (!drop && target) return InputResult::Unknown;
    if (!PadCanBeTaken(e, name)) return InputResult::Unavailable;
    const Pad pad = white ? Pad::White : Pad::Red;
    {
        const LogTurn turn(e);
        const bool started = fromMisplaced ? StartMisplacedPadDrag(e, pad) : StartPadDrag(e, pad);
        if (started && drop && AcceptsPad(e, *drop)) DropPad(e, *drop, left, top);
        EndPadDrag(e, pad, fromMisplaced);
    }
    MarkBusyControls(e);
    return InputResult::Done;
}

bool PadCanBeTaken(const Engine& e, El name) {
    return usable(e, Place::Scenario, name);
}

InputResult TypeText(Engine& e, El name, const std::string& text) {
    const auto field = std::find_if(kFields.begin(), kFields.end(),
                                    [name](const Field& f) { return f.name == name; });
    if (field == kFields.end()) return InputResult::Unknown;
    if (!Availability(e)(field->place, field->name)) return InputResult::Unavailable;
    if (field->store) {
        field->store(e, text);
        return InputResult::Done;
    }
    Element& edit = e.screen.Edit(name);
    edit.text = edit.maxLength > 0 ? text.substr(0, static_cast<size_t>(edit.maxLength)) : text;
    return InputResult::Done;
}

InputResult TypeLines(Engine& e, El name, const std::vector<std::string>& lines) {
    if (name != El::MailTMESSAGE) return InputResult::Unknown;
    if (!usable(e, Place::MailWindow, name)) return InputResult::Unavailable;
    MailTypeMessage(e, lines);
    return InputResult::Done;
}

InputResult Spin(Engine& e, El name, bool up) {
    const auto spin = std::find_if(kSpinners.begin(), kSpinners.end(),
                                   [name](const Spinner& s) { return s.name == name; });
    if (spin == kSpinners.end()) return InputResult::Unknown;
    if (!usable(e, spin->place, name)) return InputResult::Unavailable;
    spin->step(e, name, up);
    return InputResult::Done;
}

namespace {

// Every input the tables know, or only those usable now.
AvailableInputs collectInputs(const Engine& e, bool all) {
    const Availability availability(e);
    auto usable = [&](Place place, El name) { return all || availability(place, name); };
    AvailableInputs inputs;
    for (const Control& c : kClicks) {
        if (usable(c.place, c.name)) inputs.clicks.push_back(c.name);
    }
    for (const Control& c : kMenus) {
        if (usable(c.place, c.name)) inputs.menus.push_back(c.name);
    }
    for (int i = 0; i < kControlCount; ++i) {
        const El name = OptionElement(static_cast<Opt>(i));
        if (optionButton(name) && usable(tabPlace(TabOf(static_cast<Opt>(i))), name))
            inputs.clicks.push_back(name);
    }
    for (El pad : kPads) {
        if (usable(Place::Scenario, pad)) inputs.pads.push_back(pad);
    }
    for (const Field& field : kFields) {
        if (usable(field.place, field.name)) inputs.fields.push_back(field.name);
    }
    for (const Spinner& spin : kSpinners) {
        if (usable(spin.place, spin.name)) inputs.spins.push_back(spin.name);
    }
    return inputs;
}

}  // namespace

AvailableInputs InputsAvailable(const Engine& e) {
    return collectInputs(e, false);
}

AvailableInputs InputsKnown(const Engine& e) {
    return collectInputs(e, true);
}

bool CanUse(const Engine& e, El name) {
    const AvailableInputs in = InputsAvailable(e);
    for (const auto* list : {&in.clicks, &in.menus, &in.pads, &in.fields, &in.spins}) {
        if (std::find(list->begin(), list->end(), name) != list->end()) return true;
    }
    return false;
}

bool PartTakesInput(const Engine& e, MainWindowPart part) {
    switch (part) {
        case MainWindowPart::MenuBar:
            return placeOpen(e, Place::MenuBar);
        case MainWindowPart::MainMenu:
            return placeOpen(e, Place::MainMenu);
        case MainWindowPart::ScenarioScreen:
            // The panel of final deductions lies on the scenario screen.
            return placeOpen(e, Place::Scenario) || placeOpen(e, Place::FinalPanel);
    }
    return false;
}

}  // namespace ardentix
