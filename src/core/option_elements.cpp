// The elements of the option pages and of the password dialog. The option controls themselves
// show the settings: the engine copies each setting into the element of the same name whenever
// it changes (a check box as checked, a field as its text).
#include "core/elements.h"

namespace ardentix {

namespace {

struct Captioned {
    const char* name;
    const char* caption;
};

// Check boxes carry two leading blanks before their captions.
constexpr Captioned kCheckBoxes[] = {
    {"OPTautoABCS", "Auto ABCs"},
    {"OptBVM", "Bag-valve mask"},
    {"OPTOneRescuer", "One rescuer"},
    {"OPTCALL911", "Phone for help"},
    {"Opt2CPR", "5:1 CPR"},
    {"OPTCOMPRVENT", "Quiz breaths/compressions"},
    {"OPTCPRTIME", "Quiz seconds of CPR"},
    {"SOUNDCheckBox", "Audio"},
    {"IDNumCheckBox", "ID number"},
    {"OPTSCREENSIZE", "Program border"},
    {"OPTOneShockScenario", "One shock scenario"},
    {"OPTPEDScen", "Pediatric patient"},
    {"OptHypo", "Hypothermic patient"},
    {"OPTTWOBUTTONAED", "Two-button AED"},
    {"OPTAUTOANALYZE", "Auto analyze"},
    {"OptBatteryTrouble", "Battery replace"},
    {"OptElectrodeTrouble", "Loose electrode"},
    {"OptMOTIONTrouble", "Motion detection"},
    {"OPTPEDSMONITOR", "Monitor ECG underage pediatric"},
    {"OPTBPCHECK", "BP check after pulse returns"},
    {"OptVoice", "Scoring for voice report"},
    {"OptPulseAfterCPR", "Pulse check after stopping CPR"},
    {"OptPulseAfter3rdShock", "Pulse check after 3 stacked shocks"},
    {"OPTCLEARShock", "Clear patient for shock"},
    {"OPTClearAnalyze", "Clear patient for analysis"},
    {"OPTEmail", "Manual e-mail send*"},
    {"OPTAUTOSend", "Auto e-mail send*"},
    {"OPTDetailedTestReport", "Detailed test report*"},
    {"OPTFTP", "FTP send"},
    {"OPTEncrypt", "Encrypt test report"},
};

constexpr Captioned kButtons[] = {
    {"ProgramOK", "Close"},
    {"ButtonCANCEL1", "Cancel"},
    {"PROGRAMDefaultButton", "DEFAULT"},
    {"CLEARSCOREBOARD", "Clear Scorebrd"},
    {"PASSWORDBUTTON", "Password"},
    {"ProtocolOK", "Close"},
    {"ButtonCANCEL2", "Cancel"},
    {"PROTOCOLDefaultButton", "DEFAULT"},
    {"TESTCLOSE", "Close"},
    {"ButtonCANCEL3", "Cancel"},
    {"TESTDEFAULT", "DEFAULT"},
    {"eMailCONFIGURE", "E-mail Configure"},
    {"REPORTCLOSEBUTTON", "Close"},
    {"REPORTOpenFile", "Open"},
    {"FONTBUTTON", "Font"},
    {"PRINTBUTTON", "Print"},
    {"Age", "age (years)"},
    {"Weight", "weight (lbs.)"},
};

constexpr const char* kNumericFields[] = {
    "OptTroubleOdds", "OptHypoShocks", "OptMinimumAge", "OptCPR0Length",
    "OptCPR1Length",  "OptCPR2Length", "OPTCPRCOMP",    "OPTtestScenarios",
};

constexpr const char* kSpinButtons[] = {
    "SpinButton11", "SpinButtonTESTSCEN", "SpinButton0", "SpinButton1",
    "SpinButton2",  "SpinButton5",        "SpinButton6", "SpinButton7",
};

Element& add(std::vector<ElementSpec>& specs, std::string name, std::string text = {}) {
    specs.push_back({std::move(name), Element{}});
    specs.back().initial.text = std::move(text);
    return specs.back().initial;
}

}  // namespace

void AddOptionPageElements(std::vector<ElementSpec>& specs) {
    for (const Captioned& box : kCheckBoxes)
        add(specs, box.name, std::string("  ") + box.caption);
    for (const Captioned& button : kButtons)
        add(specs, button.name, button.caption);
    for (const char* field : kNumericFields)
        add(specs, field);
    for (const char* spin : kSpinButtons)
        add(specs, spin);
    add(specs, "PASSWORD").masked = true;
    // FTP sending was never offered: its check box keeps its place in the settings file.
    add(specs, "FTPConfigure", "FTP Configure");
    for (ElementSpec& spec : specs) {
        if (spec.name == "OPTFTP" || spec.name == "OPTEncrypt" || spec.name == "FTPConfigure") {
            spec.initial.visible = false;
            spec.initial.enabled = spec.name == "OPTEncrypt";
        }
    }

    // The report viewer: a fixed-pitch text area that asks for a file at first.
    Element& memo = add(specs, "REPORTMEMO");
    memo.lines = {"", "", "", "", "", "                  Click OPEN to view a report file."};
    memo.font = "Courier";
    memo.fontSize = 10;
    // The font dialog remembers the last font confirmed in it.
    Element& fonts = add(specs, "FontDialog1");
    fonts.visible = false;
    fonts.font = "Courier";
    fonts.fontSize = 11;  // 15 pixels

    Element& dialog = add(specs, "TPasswordDlg", "Password ");
    dialog.visible = false;
    add(specs, "TPasswordDlg.Label1", "Enter password:");
    add(specs, "TPasswordDlg.PasswordEnter").masked = true;
    add(specs, "TPasswordDlg.OKBtn", "OK");
    add(specs, "TPasswordDlg.CancelBtn", "Cancel");
}

}  // namespace ardentix
