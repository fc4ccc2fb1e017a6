#include "core/elements.h"

#include <utility>

namespace ardentix {

namespace {

class TableBuilder {
  public:
    // Adds an element and returns it for further initial values.
    Element& add(std::string name, std::string text = {}) {
        specs_.push_back({std::move(name), Element{}});
        specs_.back().initial.text = std::move(text);
        return specs_.back().initial;
    }
    Element& hidden(std::string name, std::string text = {}) {
        Element& e = add(std::move(name), std::move(text));
        e.visible = false;
        return e;
    }
    Element& at(Element& e, int left, int top, int width, int height) {
        e.left = left;
        e.top = top;
        e.width = width;
        e.height = height;
        return e;
    }
    std::vector<ElementSpec> take() { return std::move(specs_); }

  private:
    std::vector<ElementSpec> specs_;
};

void addMainMenu(TableBuilder& t) {
    t.add("TForm1", "Ardentix");
    t.add("MENU");
    t.add("MENU_IMAGE");
    t.add("STARTImage", "Start");
    t.add("MenuStart", "Start");
    t.add("STARTLabel", "Start");
    t.add("OPTIONSImage", "Options");
    t.add("SCOREBOARDImage", "Scoreboard");
    t.add("QUITImage", "Quit");
    for (const char* name : {"BUTTONDOWN1", "BUTTONDown2", "BUTTONDOWN3", "BUTTONDOWN4"}) {
        t.hidden(name);
    }
    // The option pages; the text is the caption of the active tab.
    t.hidden("PageControl1", "Scenario");
    t.hidden("ArdentixBorder", "ArdentixBorder");

    t.add("Pause", "Pause").enabled = false;
    t.add("SHOWBORDERMenuItem", "Hide Border");
    t.add("Quit", "Quit");
    t.add("Advice", "Advice").enabled = false;
    t.add("PatientHistory", "Patient History").enabled = false;
    t.add("HINTSHOW", "Show Hints");
    t.add("ArdentixHelp", "Ardentix Help");
    t.add("AboutArdentix1", "About Ardentix");
}

void addScenarioScreen(TableBuilder& t) {
    Element& picture = t.add("PATIENTGraphic");
    t.at(picture, 0, 0, kPatientViewSize, kPatientViewSize);
    picture.color = Color::Black;
    t.add("MSG0");
    t.add("MSG1");
    t.add("SCOREDisplay", "0");
    // The test report buffer: the results of the current test series, a line each.
    t.hidden("OPTIONSHOLD");
    t.add("SCORETEXT", "Score");
    t.hidden("MODElabel", "test");
    t.hidden("SCENOVERLabel", "Scenario Over");
    // The advice: the engine sizes and places the panel, its line and its arrows (the line and
    // the arrows relative to the panel).
    Element& advice = t.hidden("ADVICEPANEL");
    advice.height = kAdvicePanelHeight;
    advice.bold = true;
    t.at(t.add("ADVICEText"), 0, 1, 0, kAdvicePanelHeight - 2).bold = true;
    t.at(t.hidden("ADVICEArrow2"), 0, 0, kAdviceArrowWidth, kAdvicePanelHeight);
    t.at(t.hidden("ADVICEArrowDown"), 0, kAdvicePanelHeight, kAdviceArrowWidth, kAdviceArrowDepth);
    // The scenario's deductions, a line each ("-100 Gave rescue breaths to breathing patient").
    t.at(t.add("DEDUCTIONSList"), kAedLeft, kDeductionListTop, kAedWidth,
         kCloseupTop - kDeductionListTop - 2);
    // Drawn over the whole scenario screen while the scenario is paused.
    t.hidden("PAUSEDLabel", "PAUSED");

    Element& finalPanel = t.hidden("FINALERRORPanel");
    t.at(finalPanel, 0, 0, 360, 150);
    // Inside the panel: the list of final deductions and the OK button below it; the end of a
    // scenario sizes them to the list.
    t.at(t.add("finalMSGdisplay"), 12, 12, 336, 15);
    t.at(t.add("FinalErrorOKButton", "OK"), 142, 39, 75, 25);

    t.at(t.add("CPRBUTTON", "CPR"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add("PulseButton", "Pulse"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add("ABCsButton", "ABCs"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add("BPBUTTON", "BP"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add("VOICEBUTTON", "Voice"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add("CALLHELPButton", "Phone"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add("TROUBLEShootBUTTON", "Trouble"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add("CLEARBUTTON", "Clear"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add("ENDBUTTON", "End Scenario"), 0, kActionBarTop, 0, kActionButtonHeight);

    t.add("AllABCsmenuItem", "Auto ABCs");
    t.add("abcsSEPERATOR");
    t.add("ABCsResponsivenessMenuItem", "Responsiveness");
    t.add("ABCsCALL911MenuItem", "Phone for Help");
    t.add("ABCsAirwayMenuItem", "Open Airway");
    t.add("ABCsBreathingMenuItem", "Check Breathing");
    t.add("ABCsVentilationMenuItem", "Rescue Breaths");
    t.add("ABCsCirculationMenuItem", "Circulation");
    t.add("TroubleElectrodeMenuItem", "Re-attach Electrode");
    t.add("TroubleMOTIONMenuItem", "Stop Motion");
    t.add("TroubleBatteryMenuItem", "Replace Battery");
}

void addAed(TableBuilder& t) {
    t.at(t.add("AEDPANEL"), kAedLeft, kCloseupTop, kAedWidth, kAedHeight);
    t.add("AED");
    // The closed AED's power key, at the point of the arrow of "Turn AED on.".
    t.at(t.add("PowerButton"), 30, 138, 54, 54);
    t.add("AnalyzeButtonCover");
    t.at(t.hidden("CloseupPanel"), kAedLeft, kCloseupTop, kAedWidth, kAedHeight);
    t.add("AEDDISPLAY0").left = kDisplayLeft;
    t.add("AEDDISPLAY1").left = kDisplayLeft;
    t.hidden("TIMELabel");
    t.hidden("NumShockLabel");
    t.hidden("LOWBATTERYINDICATOR");
    t.add("PowerLight");
    t.add("AnalyzeLED");
    t.add("ShockLED");
    // The keys of the close-up, relative to it.
    t.at(t.add("AnalyzeButton"), 30, 150, 64, 64);
    t.add("ANALYZEBUTTONGraphic");
    t.at(t.add("ShockButton"), 116, 150, 64, 64);
    t.at(t.hidden("POWERBUTTON2"), 82, 214, 28, 28);
}

void addPatient(TableBuilder& t) {
    t.at(t.add("PADPanel"), kAedLeft, kPadTrayTop, kAedWidth, kPadTrayHeight);
    // The pads in the tray, relative to it.
    Element& white = t.add("PADWHITE");
    white.enabled = false;
    t.at(white, 40, 3, kPadWidth, kPadHeight);
    Element& red = t.add("PADRED");
    red.enabled = false;
    t.at(red, 116, 3, kPadWidth, kPadHeight);
    t.add("PADWhiteZone");
    t.add("PADRedZONE");
    Element& torso = t.add("PATIENTTorsoZONE");
    t.at(torso, 40, 120, 300, 260);
    t.hidden("PADWHITEzoneTorso");
    t.hidden("PADREDzoneTorso");
    Element& loosePad = t.hidden("PADWHITE3");
    t.at(loosePad, 0, 0, 52, 66);
    for (const char* name :
         {"PADCurved", "PADWHITE2", "PADRED2", "AIRWAY", "Breathcheck", "BVM", "CPRHAND2",
          "FACEMASK", "PULSEHAND", "SHAKE", "SHOUT", "HILIGHT", "BPCUFF", "BPCUFFSMALL"}) {
        t.hidden(name);
    }
}

void addSummary(TableBuilder& t) {
    t.hidden("TForm2", "Scenario Summary");
    for (const char* name :
         {"TForm2.NAMEEDIT", "TForm2.IDEDIT", "TForm2.SCOREEDIT", "TForm2.ElapsedTimeEDIT",
          "TForm2.SHOCKTIMEEDIT", "TForm2.Errors", "TForm2.MODELABEL"}) {
        t.add(name);
    }
    t.add("TForm2.Next", "Next");
    t.add("TForm2.RepeatButton", "Repeat");
    t.add("TForm2.MainMenu", "Main Menu");
    t.add("TForm2.QUIT", "Quit");
    t.add("TForm2.SCOREBOARD", "Scoreboard");
    t.hidden("TForm2.CODESUMSENDbutton", "Send Report");
    t.hidden("TForm2.CODESUMPrintReport", "Print Report");
    t.add("TForm2.DEBRIEFButton", "Debrief");
    // The debrief of the scenario, opened from the summary.
    t.hidden("TDebrief", "Debrief");
    t.add("TDebrief.CloseBtn", "Close");
}

// The top-10 scoreboard; before a file exists its list shows a heading of its own.
void addScoreboard(TableBuilder& t) {
    t.hidden("TScoreboard", "Scoreboard - top 10 scores");
    t.add("TScoreboard.Memo1").lines = {"  name            date          score", " "};
    t.add("TScoreboard.OKButton", "OK");
}

void addLogin(TableBuilder& t) {
    Element& form = t.hidden("TUserNAMEFORM", "Log in");
    t.at(form, 0, 0, 300, 0);
    Element& name = t.add("TUserNAMEFORM.NAMEEdit");
    t.at(name, 80, 16, 190, 24);
    name.maxLength = 25;
    Element& id = t.add("TUserNAMEFORM.IDEdit");
    t.at(id, 80, 48, 190, 24);
    id.maxLength = 15;
    t.add("TUserNAMEFORM.LabelID", "ID #");
    t.at(t.add("TUserNAMEFORM.ModePanel"), 10, 0, 280, 96);
    t.add("TUserNAMEFORM.TUTORIALButton", "Tutorial").checked = true;
    t.add("TUserNAMEFORM.Practicebutton", "Practice");
    t.add("TUserNAMEFORM.TestButton", "Test");
    t.add("TUserNAMEFORM.OKBtn", "OK");
    t.add("TUserNAMEFORM.CancelBtn", "Cancel");
}

void addAboutBox(TableBuilder& t) {
    t.hidden("TAboutBox", "Ardentix");
    t.add("TAboutBox.Version", "Version 2.0");
    t.add("TAboutBox.OKBtn", "OK");
}

void addQuiz(TableBuilder& t) {
    t.hidden("TCPRFORM", "Quiz");
    t.add("TCPRFORM.Label1", "What ratio of chest compressions to rescue breaths?");
    t.add("TCPRFORM.Panel1");
    t.add("TCPRFORM.EDIT1", "0").maxLength = 2;
    t.add("TCPRFORM.SpinButton1");
    t.add("TCPRFORM.Label2", "compressions");
    t.add("TCPRFORM.Panel2");
    t.add("TCPRFORM.Edit2", "0").maxLength = 2;
    t.add("TCPRFORM.SpinButton2");
    t.add("TCPRFORM.Label3", "rescue breaths");
    t.add("TCPRFORM.OKBtn", "OK");
}

// The e-mail window, for configuring the mail settings and for sending the test results. Add and
// Remove appear only for configuring; the blind copy and Save Settings never show.
void addMailWindow(TableBuilder& t) {
    t.hidden("TFRMSEND", "E-mail Configuration");
    for (const char* name : {"TFRMSEND.SMTPSERV", "TFRMSEND.USERIDFIELD",
                             "TFRMSEND.FromADDRESSField", "TFRMSEND.ToFIELD", "TFRMSEND.CcFIELD",
                             "TFRMSEND.SUBJECT", "TFRMSEND.ATTACHEDFILEs", "TFRMSEND.StatusBar1"}) {
        t.add(name);
    }
    t.add("TFRMSEND.FromNAMEField").enabled = false;
    t.hidden("TFRMSEND.ADDButton", "Add");
    t.hidden("TFRMSEND.REMOVEButton", "Remove");
    t.add("TFRMSEND.TMESSAGE").lines = {"", ""};
    t.add("TFRMSEND.RadioButtonMIME", "MIME").checked = true;
    t.add("TFRMSEND.RadioButtonUU", "UUencode");
    t.add("TFRMSEND.CONNECTButton", "1. Connect");
    t.add("TFRMSEND.EMAILSENDBUTTON", "2. Send");
    t.add("TFRMSEND.TClose", "3. Close");
    t.add("TFRMSEND.Label4", "* Required");
    // How the server is reached: the port (25, 587 and 465 are offered), the encryption, the
    // log-in, and a certificate the instructor accepted after it failed to verify.
    t.add("TFRMSEND.PortField", "25");
    t.add("TFRMSEND.SecurityField", "None");
    t.add("TFRMSEND.LoginField");
    t.add("TFRMSEND.PasswordField").masked = true;
    t.add("TFRMSEND.PlainLoginCheck", "Allow log-in without encryption");
    t.add("TFRMSEND.AcceptCertificateCheck", "Accept this server's certificate").enabled = false;
    t.add("TFRMSEND.PasswordNote", "The password is kept in OPTION4.INI, readable only by you.");
    t.hidden("TFRMSEND.BCcField");
    t.hidden("TFRMSEND.SAVESettingsButton", "Save Settings");
}

std::vector<ElementSpec> buildTable() {
    TableBuilder t;
    addMainMenu(t);
    addScenarioScreen(t);
    addAed(t);
    addPatient(t);
    addSummary(t);
    addScoreboard(t);
    addLogin(t);
    addQuiz(t);
    addAboutBox(t);
    addMailWindow(t);
    std::vector<ElementSpec> specs = t.take();
    AddOptionPageElements(specs);
    return specs;
}

}  // namespace

const std::vector<ElementSpec>& ElementTable() {
    static const std::vector<ElementSpec> table = buildTable();
    return table;
}

std::string_view ContainerOf(std::string_view name) {
    // The keys of the closed AED and of its close-up.
    static constexpr std::pair<std::string_view, std::string_view> kKeys[] = {
        {"PowerButton", "AEDPANEL"},
        {"AnalyzeButton", "CloseupPanel"},
        {"ShockButton", "CloseupPanel"},
        {"POWERBUTTON2", "CloseupPanel"},
    };
    for (const auto& [key, panel] : kKeys) {
        if (key == name) return panel;
    }
    const size_t dot = name.find('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(0, dot);
}

}  // namespace ardentix
