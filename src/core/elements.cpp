#include "core/elements.h"

#include <utility>

namespace ardentix {

namespace {

class TableBuilder {
  public:
    // Adds an element and returns it for further initial values.
    Element& add(El el, std::string text = {}) {
        specs_.push_back({el, Element{}});
        specs_.back().initial.text = std::move(text);
        return specs_.back().initial;
    }
    Element& hidden(El el, std::string text = {}) {
        Element& e = add(el, std::move(text));
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
    t.add(El::MainWindow, "Ardentix");
    t.add(El::MENU);
    t.add(El::MENU_IMAGE);
    t.add(El::STARTImage, "Start");
    t.add(El::MenuStart, "Start");
    t.add(El::STARTLabel, "Start");
    t.add(El::OPTIONSImage, "Options");
    t.add(El::SCOREBOARDImage, "Scoreboard");
    t.add(El::QUITImage, "Quit");
    for (El name : {El::BUTTONDOWN1, El::BUTTONDown2, El::BUTTONDOWN3, El::BUTTONDOWN4}) {
        t.hidden(name);
    }
    // The option pages; the text is the caption of the active tab.
    t.hidden(El::PageControl1, "Scenario");
    t.hidden(El::ArdentixBorder, "ArdentixBorder");

    t.add(El::Pause, "Pause").enabled = false;
    t.add(El::SHOWBORDERMenuItem, "Hide Border");
    t.add(El::Quit, "Quit");
    t.add(El::Advice, "Advice").enabled = false;
    t.add(El::PatientHistory, "Patient History").enabled = false;
    t.add(El::HINTSHOW, "Show Hints");
    t.add(El::ArdentixHelp, "Ardentix Help");
    t.add(El::AboutArdentix1, "About Ardentix");
}

void addScenarioScreen(TableBuilder& t) {
    Element& picture = t.add(El::PATIENTGraphic);
    t.at(picture, 0, 0, kPatientViewSize, kPatientViewSize);
    picture.color = Color::Black;
    t.add(El::MSG0);
    t.add(El::MSG1);
    t.add(El::SCOREDisplay, "0");
    // The test report buffer: the results of the current test series, a line each.
    t.hidden(El::OPTIONSHOLD);
    t.add(El::SCORETEXT, "Score");
    t.hidden(El::MODElabel, "test");
    t.hidden(El::SCENOVERLabel, "Scenario Over");
    // The advice: the engine sizes and places the panel, its line and its arrows (the line and
    // the arrows relative to the panel).
    Element& advice = t.hidden(El::ADVICEPANEL);
    advice.height = kAdvicePanelHeight;
    advice.bold = true;
    t.at(t.add(El::ADVICEText), 0, 1, 0, kAdvicePanelHeight - 2).bold = true;
    t.at(t.hidden(El::ADVICEArrow2), 0, 0, kAdviceArrowWidth, kAdvicePanelHeight);
    t.at(t.hidden(El::ADVICEArrowDown), 0, kAdvicePanelHeight, kAdviceArrowWidth,
         kAdviceArrowDepth);
    // The scenario's deductions, a line each ("-100 Gave rescue breaths to breathing patient").
    t.at(t.add(El::DEDUCTIONSList), kAedLeft, kDeductionListTop, kAedWidth,
         kCloseupTop - kDeductionListTop - 2);
    // Drawn over the whole scenario screen while the scenario is paused.
    t.hidden(El::PAUSEDLabel, "PAUSED");
    // The rate of compressions given by key, beside the message lines while CPR runs.
    t.hidden(El::CPRRate);
    // The caption of the sound that plays, while captions are on.
    t.at(t.hidden(El::CAPTIONLine), kAedLeft, kCaptionTop, kAedWidth, kCaptionHeight);

    Element& finalPanel = t.hidden(El::FINALERRORPanel);
    t.at(finalPanel, 0, 0, 360, 150);
    // Inside the panel: the list of final deductions and the OK button below it; the end of a
    // scenario sizes them to the list.
    t.at(t.add(El::finalMSGdisplay), 12, 12, 336, 15);
    t.at(t.add(El::FinalErrorOKButton, "OK"), 142, 39, 75, 25);

    t.at(t.add(El::CPRBUTTON, "CPR"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add(El::PulseButton, "Pulse"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add(El::ABCsButton, "ABCs"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add(El::BPBUTTON, "BP"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add(El::VOICEBUTTON, "Voice"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add(El::CALLHELPButton, "Phone"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add(El::TROUBLEShootBUTTON, "Trouble"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add(El::CLEARBUTTON, "Clear"), 0, kActionBarTop, 0, kActionButtonHeight);
    t.at(t.add(El::ENDBUTTON, "End Scenario"), 0, kActionBarTop, 0, kActionButtonHeight);

    t.add(El::AllABCsmenuItem, "Auto ABCs");
    t.add(El::abcsSEPERATOR);
    t.add(El::ABCsResponsivenessMenuItem, "Responsiveness");
    t.add(El::ABCsCALL911MenuItem, "Phone for Help");
    t.add(El::ABCsAirwayMenuItem, "Open Airway");
    t.add(El::ABCsBreathingMenuItem, "Check Breathing");
    t.add(El::ABCsVentilationMenuItem, "Rescue Breaths");
    t.add(El::ABCsCirculationMenuItem, "Circulation");
    t.add(El::TroubleElectrodeMenuItem, "Re-attach Electrode");
    t.add(El::TroubleMOTIONMenuItem, "Stop Motion");
    t.add(El::TroubleBatteryMenuItem, "Replace Battery");
}

void addAed(TableBuilder& t) {
    t.at(t.add(El::AEDPANEL), kAedLeft, kCloseupTop, kAedWidth, kAedHeight);
    t.add(El::AED);
    // The closed AED's power key, at the point of the arrow of "Turn AED on.".
    t.at(t.add(El::PowerButton), 30, 138, 54, 54);
    t.add(El::AnalyzeButtonCover);
    t.at(t.hidden(El::CloseupPanel), kAedLeft, kCloseupTop, kAedWidth, kAedHeight);
    t.add(El::AEDDISPLAY0).left = kDisplayLeft;
    t.add(El::AEDDISPLAY1).left = kDisplayLeft;
    t.hidden(El::TIMELabel);
    t.hidden(El::NumShockLabel);
    t.hidden(El::LOWBATTERYINDICATOR);
    t.add(El::PowerLight);
    t.add(El::AnalyzeLED);
    t.add(El::ShockLED);
    // The keys of the close-up, relative to it.
    t.at(t.add(El::AnalyzeButton), 30, 150, 64, 64);
    t.add(El::ANALYZEBUTTONGraphic);
    t.at(t.add(El::ShockButton), 116, 150, 64, 64);
    t.at(t.hidden(El::POWERBUTTON2), 82, 214, 28, 28);
    // The child key and its light, at the same place on the closed device and on the close-up
    // (relative to either), below the shock key and right of the close-up's power key, clear of
    // the case's rounded corner; the light is lit (shown) while the key is on.
    t.at(t.add(El::CHILDKEY), 112, 218, 56, 20);
    t.at(t.hidden(El::CHILDLED), 174, 221, 14, 14);
}

void addPatient(TableBuilder& t) {
    t.at(t.add(El::PADPanel), kAedLeft, kPadTrayTop, kAedWidth, kPadTrayHeight);
    // The pads in the tray, relative to it.
    Element& white = t.add(El::PADWHITE);
    white.enabled = false;
    t.at(white, 40, 3, kPadWidth, kPadHeight);
    Element& red = t.add(El::PADRED);
    red.enabled = false;
    t.at(red, 116, 3, kPadWidth, kPadHeight);
    t.add(El::PADWhiteZone);
    t.add(El::PADRedZONE);
    Element& torso = t.add(El::PATIENTTorsoZONE);
    t.at(torso, 40, 120, 300, 260);
    t.hidden(El::PADWHITEzoneTorso);
    t.hidden(El::PADREDzoneTorso);
    Element& loosePad = t.hidden(El::PADWHITE3);
    t.at(loosePad, 0, 0, 52, 66);
    for (El name : {El::PADCurved, El::PADWHITE2, El::PADRED2, El::AIRWAY, El::Breathcheck, El::BVM,
                    El::CPRHAND2, El::FACEMASK, El::PULSEHAND, El::SHAKE, El::SHOUT, El::HILIGHT,
                    El::BPCUFF, El::BPCUFFSMALL}) {
        t.hidden(name);
    }
}

void addSummary(TableBuilder& t) {
    t.hidden(El::SummaryWindow, "Scenario Summary");
    for (El name :
         {El::SummaryNAMEEDIT, El::SummaryIDEDIT, El::SummarySCOREEDIT, El::SummaryElapsedTimeEDIT,
          El::SummarySHOCKTIMEEDIT, El::SummaryErrors, El::SummaryMODELABEL}) {
        t.add(name);
    }
    t.add(El::SummaryNext, "Next");
    t.add(El::SummaryRepeatButton, "Repeat");
    t.add(El::SummaryMainMenu, "Main Menu");
    t.add(El::SummaryQUIT, "Quit");
    t.add(El::SummarySCOREBOARD, "Scoreboard");
    t.hidden(El::SummaryCODESUMSENDbutton, "Send Report");
    t.hidden(El::SummaryCODESUMPrintReport, "Print Report");
    t.add(El::SummaryDEBRIEFButton, "Debrief");
    // The debrief of the scenario, opened from the summary.
    t.hidden(El::DebriefWindow, "Debrief");
    t.add(El::DebriefCloseBtn, "Close");
}

// The top-10 scoreboard; before a file exists its list shows a heading of its own.
void addScoreboard(TableBuilder& t) {
    t.hidden(El::ScoreboardWindow, "Scoreboard - top 10 scores");
    t.add(El::ScoreboardMemo1).lines = {"  name            date          score", " "};
    t.add(El::ScoreboardOKButton, "OK");
}

void addLogin(TableBuilder& t) {
    Element& form = t.hidden(El::LoginWindow, "Log in");
    t.at(form, 0, 0, 300, 0);
    Element& name = t.add(El::LoginNAMEEdit);
    t.at(name, 80, 16, 190, 24);
    name.maxLength = 25;
    Element& id = t.add(El::LoginIDEdit);
    t.at(id, 80, 48, 190, 24);
    id.maxLength = 15;
    t.add(El::LoginLabelID, "ID #");
    t.at(t.add(El::LoginModePanel), 10, 0, 280, 96);
    t.add(El::LoginTUTORIALButton, "Tutorial").checked = true;
    t.add(El::LoginPracticebutton, "Practice");
    t.add(El::LoginTestButton, "Test");
    t.add(El::LoginOKBtn, "OK");
    t.add(El::LoginCancelBtn, "Cancel");
}

void addAboutBox(TableBuilder& t) {
    t.hidden(El::AboutWindow, "Ardentix");
    t.add(El::AboutVersion, "Version 2.0");
    t.add(El::AboutOKBtn, "OK");
}

void addQuiz(TableBuilder& t) {
    t.hidden(El::QuizWindow, "Quiz");
    t.add(El::QuizLabel1, "What ratio of chest compressions to rescue breaths?");
    t.add(El::QuizPanel1);
    t.add(El::QuizEDIT1, "0").maxLength = 2;
    t.add(El::QuizSpinButton1);
    t.add(El::QuizLabel2, "compressions");
    t.add(El::QuizPanel2);
    t.add(El::QuizEdit2, "0").maxLength = 2;
    t.add(El::QuizSpinButton2);
    t.add(El::QuizLabel3, "rescue breaths");
    t.add(El::QuizOKBtn, "OK");
}

// The e-mail window, for configuring the mail settings and for sending the test results. Add and
// Remove appear only for configuring; the blind copy and Save Settings never show.
void addMailWindow(TableBuilder& t) {
    t.hidden(El::MailWindow, "E-mail Configuration");
    for (El name :
         {El::MailSMTPSERV, El::MailUSERIDFIELD, El::MailFromADDRESSField, El::MailToFIELD,
          El::MailCcFIELD, El::MailSUBJECT, El::MailATTACHEDFILEs, El::MailStatusBar1}) {
        t.add(name);
    }
    t.add(El::MailFromNAMEField).enabled = false;
    t.hidden(El::MailADDButton, "Add");
    t.hidden(El::MailREMOVEButton, "Remove");
    t.add(El::MailTMESSAGE).lines = {"", ""};
    t.add(El::MailRadioButtonMIME, "MIME").checked = true;
    t.add(El::MailRadioButtonUU, "UUencode");
    t.add(El::MailCONNECTButton, "1. Connect");
    t.add(El::MailEMAILSENDBUTTON, "2. Send");
    t.add(El::MailTClose, "3. Close");
    t.add(El::MailLabel4, "* Required");
    // How the server is reached: the port (25, 587 and 465 are offered), the encryption, the
    // log-in, and a certificate the instructor accepted after it failed to verify.
    t.add(El::MailPortField, "25");
    t.add(El::MailSecurityField, "None");
    t.add(El::MailLoginField);
    t.add(El::MailPasswordField).masked = true;
    t.add(El::MailPlainLoginCheck, "Allow log-in without encryption");
    t.add(El::MailAcceptCertificateCheck, "Accept this server's certificate").enabled = false;
    t.add(El::MailPasswordNote, "The password is kept in OPTION4.INI, readable only by you.");
    t.hidden(El::MailBCcField);
    t.hidden(El::MailSAVESettingsButton, "Save Settings");
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

std::optional<El> ContainerOf(El el) {
    // The keys of the closed AED and of its close-up.
    static constexpr std::pair<El, El> kKeys[] = {
        {El::PowerButton, El::AEDPANEL},
        {El::AnalyzeButton, El::CloseupPanel},
        {El::ShockButton, El::CloseupPanel},
        {El::POWERBUTTON2, El::CloseupPanel},
    };
    for (const auto& [key, panel] : kKeys) {
        if (key == el) return panel;
    }
    const std::string_view name = NameOf(el);
    const size_t dot = name.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    return ElementNamed(name.substr(0, dot));
}

}  // namespace ardentix
