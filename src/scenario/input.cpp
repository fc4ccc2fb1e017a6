#include "scenario/input.h"

#include <algorithm>
#include <array>
#include <optional>

#include "aed/aed.h"
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
    PasswordDialog,
    MailWindow,
    MenuBar
};

struct Control {
    std::string_view name;
    Place place;
    void (*act)(Engine&);
};

const std::array<Control, 65> kClicks = {{
    {"MenuStart", Place::MainMenu, ShowLogin},
    {"STARTImage", Place::MainMenu, ShowLogin},
    {"MENU_IMAGE", Place::MainMenu, ShowLogin},
    {"OPTIONSImage", Place::MainMenu, OpenOptionPages},
    {"SCOREBOARDImage", Place::MainMenu, ShowScoreboard},
    {"QUITImage", Place::MainMenu, CloseMainWindow},
    {"TUserNAMEFORM.OKBtn", Place::Login, LoginOk},
    {"TUserNAMEFORM.CancelBtn", Place::Login, LoginCancel},
    {"TUserNAMEFORM.TUTORIALButton", Place::Login,
     [](Engine& e) { LoginModeClicked(e, "TUserNAMEFORM.TUTORIALButton"); }},
    {"TUserNAMEFORM.Practicebutton", Place::Login,
     [](Engine& e) { LoginModeClicked(e, "TUserNAMEFORM.Practicebutton"); }},
    {"TUserNAMEFORM.TestButton", Place::Login,
     [](Engine& e) { LoginModeClicked(e, "TUserNAMEFORM.TestButton"); }},
    {"ENDBUTTON", Place::Scenario, FinishScenario},
    {"PowerButton", Place::Scenario, PowerOn},
    {"POWERBUTTON2", Place::Scenario, PowerButton2},
    {"AnalyzeButton", Place::Scenario, AnalyzeRequest},
    {"ShockButton", Place::Scenario, ShockKey},
    {"CPRBUTTON", Place::Scenario, CPRButton},
    {"PulseButton", Place::Scenario, PulseCheck},
    {"BPBUTTON", Place::Scenario, BloodPressureCheck},
    {"VOICEBUTTON", Place::Scenario, VoiceReport},
    {"CALLHELPButton", Place::Scenario, PhoneForHelp},
    {"CLEARBUTTON", Place::Scenario, ClearPatient},
    {"TROUBLEShootBUTTON", Place::Scenario, TroubleButton},
    {"PADRedZONE", Place::Scenario, PressRedPadZone},
    {"SCENOVERLabel", Place::Scenario, FinishScenario},
    {"FinalErrorOKButton", Place::FinalPanel, FinalErrorOk},
    {"TForm2.Next", Place::Summary, SummaryNext},
    {"TForm2.RepeatButton", Place::Summary, SummaryRepeat},
    {"TForm2.MainMenu", Place::Summary, SummaryMainMenu},
    {"TForm2.QUIT", Place::Summary, SummaryQuit},
    {"TForm2.SCOREBOARD", Place::Summary, ShowScoreboard},
    {"TForm2.CODESUMSENDbutton", Place::Summary, SendTestReport},
    {"TForm2.CODESUMPrintReport", Place::Summary, PrintTestReport},
    {"TForm2.DEBRIEFButton", Place::Summary, ShowDebrief},
    {"TDebrief.CloseBtn", Place::Summary, CloseDebrief},
    {"TScoreboard.OKButton", Place::Scoreboard, CloseScoreboard},
    {"TCPRFORM.OKBtn", Place::Quiz, QuizOk},
    {"ProgramOK", Place::ScenarioTab, CloseOptionPages},
    {"ButtonCANCEL1", Place::ScenarioTab, CancelOptionPages},
    {"PROGRAMDefaultButton", Place::ScenarioTab,
     [](Engine& e) { OptionDefaults(e, Tab::Scenario); }},
    {"CLEARSCOREBOARD", Place::ScenarioTab, AskClearScoreboard},
    {"PASSWORDBUTTON", Place::ScenarioTab, TogglePasswordMask},
    {"ProtocolOK", Place::ProtocolTab, CloseOptionPages},
    {"ButtonCANCEL2", Place::ProtocolTab, CancelOptionPages},
    {"PROTOCOLDefaultButton", Place::ProtocolTab,
     [](Engine& e) { OptionDefaults(e, Tab::Protocol); }},
    {"TESTCLOSE", Place::TestTab, CloseOptionPages},
    {"ButtonCANCEL3", Place::TestTab, CancelOptionPages},
    {"TESTDEFAULT", Place::TestTab, [](Engine& e) { OptionDefaults(e, Tab::Test); }},
    {"eMailCONFIGURE", Place::TestTab, OpenMailConfiguration},
    {"REPORTCLOSEBUTTON", Place::ReportTab, CloseOptionPages},
    {"REPORTOpenFile", Place::ReportTab, OpenReportFile},
    {"FONTBUTTON", Place::ReportTab, ChooseReportFont},
    {"PRINTBUTTON", Place::ReportTab, PrintReportView},
    {"TPasswordDlg.OKBtn", Place::PasswordDialog, PasswordOk},
    {"TPasswordDlg.CancelBtn", Place::PasswordDialog, PasswordCancel},
    {"TFRMSEND.CONNECTButton", Place::MailWindow, MailConnect},
    {"TFRMSEND.EMAILSENDBUTTON", Place::MailWindow, MailSend},
    {"TFRMSEND.TClose", Place::MailWindow, MailCloseButton},
    {"TFRMSEND.ADDButton", Place::MailWindow, MailAddFile},
    {"TFRMSEND.REMOVEButton", Place::MailWindow, MailRemoveFile},
    {"TFRMSEND.RadioButtonMIME", Place::MailWindow,
     [](Engine& e) { MailChooseEncoding(e, false); }},
    {"TFRMSEND.RadioButtonUU", Place::MailWindow, [](Engine& e) { MailChooseEncoding(e, true); }},
    {"TFRMSEND.SAVESettingsButton", Place::MailWindow, [](Engine& e) { SaveMailSettings(e); }},
    {"TFRMSEND.PlainLoginCheck", Place::MailWindow, MailTogglePlainLogin},
    {"TFRMSEND.AcceptCertificateCheck", Place::MailWindow, MailToggleAcceptCertificate},
}};

const std::array<Control, 18> kMenus = {{
    {"Pause", Place::MenuBar, TogglePause},
    {"SHOWBORDERMenuItem", Place::MenuBar, ToggleBorder},
    {"Quit", Place::MenuBar, CloseMainWindow},
    {"Advice", Place::MenuBar, RequestAdvice},
    {"PatientHistory", Place::MenuBar, ShowPatientHistory},
    {"HINTSHOW", Place::MenuBar,
     [](Engine& e) {
         Element& hints = e.screen.Edit("HINTSHOW");
         hints.checked = !hints.checked;
     }},
    {"AboutArdentix1", Place::MenuBar,
     [](Engine& e) { e.screen.Edit("TAboutBox").visible = true; }},
    {"AllABCsmenuItem", Place::AbcsMenu, AutoABCs},
    {"ABCsResponsivenessMenuItem", Place::AbcsMenu, CheckResponsiveness},
    {"ABCsCALL911MenuItem", Place::AbcsMenu, PhoneForHelp},
    {"ABCsAirwayMenuItem", Place::AbcsMenu, OpenAirway},
    {"ABCsBreathingMenuItem", Place::AbcsMenu, CheckBreathing},
    {"ABCsVentilationMenuItem", Place::AbcsMenu, RescueBreaths},
    {"ABCsCirculationMenuItem", Place::AbcsMenu, PulseCheck},
    {"TroubleElectrodeMenuItem", Place::TroubleMenu, ReattachElectrode},
    {"TroubleBatteryMenuItem", Place::TroubleMenu, ReplaceBattery},
    {"TroubleMOTIONMenuItem", Place::TroubleMenu, StopMotion},
    {"TAboutBox.OKBtn", Place::AboutBox,
     [](Engine& e) { e.screen.Edit("TAboutBox").visible = false; }},
}};

bool visible(const Engine& e, const char* name) {
    return e.screen.Get(name).visible;
}

// The windows that wait for an answer, the one that stands on top first when two are up: the
// scoreboard and the e-mail window over the summary, the CPR quiz over the about box. The e-mail
// window waits only while it sends the results.
constexpr std::array<const char*, 7> kWaitingWindows = {
    "TScoreboard", "TFRMSEND", "TCPRFORM", "TAboutBox", "TPasswordDlg", "TUserNAMEFORM", "TForm2"};

bool waitingWindowUp(const Engine& e, std::string_view window) {
    return window == "TFRMSEND" ? MailWindowSending(e) : e.screen.Get(window).visible;
}

// The main window takes input only while no window waits for an answer.
bool mainWindowFree(const Engine& e) {
    return WaitingWindow(e).empty();
}

// A window that waits for an answer takes input while it is the one on top.
bool waits(const Engine& e, std::string_view window) {
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
            return mainWindowFree(e) && visible(e, "MENU") && !OptionPagesShown(e);
        case Place::Scenario:
            return mainWindowFree(e) && !visible(e, "MENU") && !visible(e, "FINALERRORPanel");
        case Place::AbcsMenu:
            // The ABCs menu pops up from its button while no check or breath is under way.
            return placeOpen(e, Place::Scenario) && e.screen.Get("ABCsButton").enabled &&
                   AbcsMenuAvailable(e);
        case Place::TroubleMenu:
            // The Trouble menu pops up from its button, shown when a fault kind is enabled.
            return placeOpen(e, Place::Scenario) && visible(e, "TROUBLEShootBUTTON") &&
                   e.screen.Get("TROUBLEShootBUTTON").enabled;
        case Place::FinalPanel:
            // The panel stays under the summary, the main menu and the log-in after a scenario.
            return mainWindowFree(e) && visible(e, "FINALERRORPanel") && !visible(e, "MENU");
        case Place::Login:
            return waits(e, "TUserNAMEFORM");
        case Place::Summary:
            return waits(e, "TForm2") && e.screen.Get("TForm2").enabled;
        case Place::AboutBox:
            return waits(e, "TAboutBox");
        case Place::Scoreboard:
            // The scoreboard holds every other window while it is up, so that the program is
            // where it was when the board closes (its close goes back to the summary when the
            // menu is gone).
            return waits(e, "TScoreboard");
        case Place::Quiz:
            return waits(e, "TCPRFORM");
        case Place::QuizBreaths:
            return waits(e, "TCPRFORM") && visible(e, "TCPRFORM.Panel2");
        case Place::ScenarioTab:
            return tabOpen(e, TabCaption(Tab::Scenario));
        case Place::ProtocolTab:
            return tabOpen(e, TabCaption(Tab::Protocol));
        case Place::TestTab:
            return tabOpen(e, TabCaption(Tab::Test));
        case Place::ReportTab:
            return tabOpen(e, "Report View");
        case Place::PasswordDialog:
            return waits(e, "TPasswordDlg");
        case Place::MailWindow:
            // Configuring, it takes input beside the option pages while nothing waits over both.
            return waits(e, "TFRMSEND") || (visible(e, "TFRMSEND") && mainWindowFree(e));
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
    bool operator()(Place place, std::string_view name) const {
        const Element& el = e_.screen.Get(name);
        return el.visible && el.enabled && containerShown(name) && open(place);
    }

  private:
    // A control on a hidden panel or in a hidden window is out of reach.
    bool containerShown(std::string_view name) const {
        const std::string_view container = ContainerOf(name);
        return container.empty() || !e_.screen.Has(container) || e_.screen.Get(container).visible;
    }
    bool open(Place place) const {
        std::optional<bool>& known = open_[static_cast<size_t>(place)];
        if (!known) known = placeOpen(e_, place);
        return *known;
    }

    const Engine& e_;
    mutable std::array<std::optional<bool>, static_cast<size_t>(Place::MenuBar) + 1> open_{};
};

bool usable(const Engine& e, Place place, std::string_view name) {
    return Availability(e)(place, name);
}

constexpr std::array<std::string_view, 4> kPads = {"PADWHITE", "PADRED", "PADWHITEzoneTorso",
                                                   "PADREDzoneTorso"};
// An edit field keeps what is typed (cut to its length), unless it has a store of its own.
struct Field {
    std::string_view name;
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
template <const char* kName>
void mailField(Engine& e, const std::string& text) {
    MailTypeField(e, kName, text);
}
constexpr char kSmtpServ[] = "SMTPSERV";
constexpr char kUserId[] = "USERIDFIELD";
constexpr char kFromName[] = "FromNAMEField";
constexpr char kFromAddress[] = "FromADDRESSField";
constexpr char kTo[] = "ToFIELD";
constexpr char kCc[] = "CcFIELD";
constexpr char kSubject[] = "SUBJECT";
constexpr char kPort[] = "PortField";
constexpr char kSecurity[] = "SecurityField";
constexpr char kLogin[] = "LoginField";
constexpr char kPassword[] = "PasswordField";

const std::array<Field, 19> kFields = {{
    {"TUserNAMEFORM.NAMEEdit", Place::Login, nullptr},
    {"TUserNAMEFORM.IDEdit", Place::Login, nullptr},
    {"TCPRFORM.EDIT1", Place::Quiz, nullptr},
    {"TCPRFORM.Edit2", Place::QuizBreaths, nullptr},
    {"PASSWORD", Place::ScenarioTab, TypePassword},
    {"TPasswordDlg.PasswordEnter", Place::PasswordDialog,
     [](Engine& e, const std::string& text) {
         e.screen.Edit("TPasswordDlg.PasswordEnter").text = LowerCase(text);
     }},
    {"TFRMSEND.SMTPSERV", Place::MailWindow, mailField<kSmtpServ>},
    {"TFRMSEND.USERIDFIELD", Place::MailWindow, mailField<kUserId>},
    {"TFRMSEND.FromNAMEField", Place::MailWindow, mailField<kFromName>},
    {"TFRMSEND.FromADDRESSField", Place::MailWindow, mailField<kFromAddress>},
    {"TFRMSEND.ToFIELD", Place::MailWindow, mailField<kTo>},
    {"TFRMSEND.CcFIELD", Place::MailWindow, mailField<kCc>},
    {"TFRMSEND.SUBJECT", Place::MailWindow, mailField<kSubject>},
    {"TFRMSEND.PortField", Place::MailWindow, mailField<kPort>},
    {"TFRMSEND.SecurityField", Place::MailWindow, mailField<kSecurity>},
    {"TFRMSEND.LoginField", Place::MailWindow, mailField<kLogin>},
    {"TFRMSEND.PasswordField", Place::MailWindow, mailField<kPassword>},
    // Typing into the list selects the entry of that text.
    {"TFRMSEND.ATTACHEDFILEs", Place::MailWindow, MailSelectFile},
    {"TFRMSEND.TMESSAGE", Place::MailWindow,
     [](Engine& e, const std::string& text) { MailTypeMessage(e, memoLines(text)); }},
}};

struct Spinner {
    std::string_view name;
    Place place;
    void (*step)(Engine&, std::string_view, bool up);
};

void quizSpin(Engine& e, std::string_view name, bool up) {
    QuizSpin(e, name == "TCPRFORM.SpinButton2" ? QuizSpinner::Breaths : QuizSpinner::Compressions,
             up);
}

void optionSpin(Engine& e, std::string_view name, bool up) {
    StepOption(e, name, up);
}

constexpr std::array<Spinner, 10> kSpinners = {{
    {"TCPRFORM.SpinButton1", Place::Quiz, quizSpin},
    {"TCPRFORM.SpinButton2", Place::QuizBreaths, quizSpin},
    {"SpinButton11", Place::ScenarioTab, optionSpin},
    {"SpinButtonTESTSCEN", Place::TestTab, optionSpin},
    {"SpinButton0", Place::ProtocolTab, optionSpin},
    {"SpinButton1", Place::ProtocolTab, optionSpin},
    {"SpinButton2", Place::ProtocolTab, optionSpin},
    {"SpinButton5", Place::ProtocolTab, optionSpin},
    {"SpinButton6", Place::ProtocolTab, optionSpin},
    {"SpinButton7", Place::ProtocolTab, optionSpin},
}};

// The option pages' check boxes and radio buttons: a click on one of the active tab.
std::optional<Opt> optionButton(std::string_view name) {
    const std::optional<Opt> opt = ControlByName(name);
    if (!opt || (KindOf(*opt) != ControlKind::CheckBox && KindOf(*opt) != ControlKind::Radio))
        return std::nullopt;
    return opt;
}

template <size_t N>
InputResult act(Engine& e, const std::array<Control, N>& controls, std::string_view name) {
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

std::string_view WaitingWindow(const Engine& e) {
    for (const char* window : kWaitingWindows) {
        if (waitingWindowUp(e, window)) return window;
    }
    return {};
}

InputResult Click(Engine& e, std::string_view name) {
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
    const std::string_view waiting = WaitingWindow(e);
    if (!waiting.empty() && waiting != "TForm2") return InputResult::Unavailable;
    const LogTurn turn(e);
    CloseMainWindow(e);
    return InputResult::Done;
}

InputResult KeyOnMainWindowItself(Engine& e) {
    if (!mainWindowFree(e)) return InputResult::Unavailable;
    KeyOnMainWindow(e);
    return InputResult::Done;
}

InputResult ChooseMenu(Engine& e, std::string_view name) {
    return act(e, kMenus, name);
}

InputResult DragPad(Engine& e, std::string_view name, std::string_view target, int left, int top) {
    const bool white = name == "PADWHITE" || name == "PADWHITEzoneTorso";
    const bool fromMisplaced = name == "PADWHITEzoneTorso" || name == "PADREDzoneTorso";
    if (std::find(kPads.begin(), kPads.end(), name) == kPads.end()) return InputResult::Unknown;
    std::optional<PadTarget> drop;
    if (target == "PADWhiteZone") drop = PadTarget::WhiteZone;
    if (target == "PADRedZONE") drop = PadTarget::RedZone;
    if (target == "PATIENTTorsoZONE") drop = PadTarget::Torso;
    if (target == "PADPanel") drop = PadTarget::Tray;
    if (!drop && target != "nowhere") return InputResult::Unknown;
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

bool PadCanBeTaken(const Engine& e, std::string_view name) {
    return usable(e, Place::Scenario, name);
}

InputResult TypeText(Engine& e, std::string_view name, const std::string& text) {
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

InputResult TypeLines(Engine& e, std::string_view name, const std::vector<std::string>& lines) {
    if (name != "TFRMSEND.TMESSAGE") return InputResult::Unknown;
    if (!usable(e, Place::MailWindow, name)) return InputResult::Unavailable;
    MailTypeMessage(e, lines);
    return InputResult::Done;
}

InputResult Spin(Engine& e, std::string_view name, bool up) {
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
    auto usable = [&](Place place, std::string_view name) {
        return all || availability(place, name);
    };
    AvailableInputs inputs;
    for (const Control& c : kClicks) {
        if (usable(c.place, c.name)) inputs.clicks.push_back(c.name);
    }
    for (const Control& c : kMenus) {
        if (usable(c.place, c.name)) inputs.menus.push_back(c.name);
    }
    for (int i = 0; i < kControlCount; ++i) {
        const std::string_view name = ControlName(static_cast<Opt>(i));
        if (optionButton(name) && usable(tabPlace(TabOf(static_cast<Opt>(i))), name))
            inputs.clicks.push_back(name);
    }
    for (std::string_view pad : kPads) {
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

bool CanUse(const Engine& e, std::string_view name) {
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
