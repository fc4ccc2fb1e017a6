// The elements of the option pages and of the password dialog. The option controls themselves
// show the settings: the engine copies each setting into the element of the same name whenever
// it changes (a check box as checked, a field as its text).
#include "core/elements.h"

#include <array>
#include <stdexcept>
#include <string>

namespace ardentix {

namespace {

struct Captioned {
    El name;
    const char* caption;
};

// Check boxes carry two leading blanks before their captions.
constexpr Captioned kCheckBoxes[] = {
    {El::OPTautoABCS, "Auto ABCs"},
    {El::OptBVM, "Bag-valve mask"},
    {El::OPTOneRescuer, "One rescuer"},
    {El::OPTCALL911, "Phone for help"},
    {El::Opt2CPR, "5:1 CPR"},
    {El::OPTCOMPRVENT, "Quiz breaths/compressions"},
    {El::OPTCPRTIME, "Quiz seconds of CPR"},
    {El::SOUNDCheckBox, "Audio"},
    {El::IDNumCheckBox, "ID number"},
    {El::OPTSCREENSIZE, "Program border"},
    {El::OPTOneShockScenario, "One shock scenario"},
    {El::OPTPEDScen, "Pediatric patient"},
    {El::OptHypo, "Hypothermic patient"},
    {El::OPTTWOBUTTONAED, "Two-button AED"},
    {El::OPTAUTOANALYZE, "Auto analyze"},
    {El::OptBatteryTrouble, "Battery replace"},
    {El::OptElectrodeTrouble, "Loose electrode"},
    {El::OptMOTIONTrouble, "Motion detection"},
    {El::OPTPEDSMONITOR, "Monitor ECG underage pediatric"},
    {El::OPTBPCHECK, "BP check after pulse returns"},
    {El::OptVoice, "Scoring for voice report"},
    {El::OptPulseAfterCPR, "Pulse check after stopping CPR"},
    {El::OptPulseAfter3rdShock, "Pulse check after 3 stacked shocks"},
    {El::OPTCLEARShock, "Clear patient for shock"},
    {El::OPTClearAnalyze, "Clear patient for analysis"},
    {El::OPTCompressByKey, "Compress by key"},
    {El::OPTCaptions, "Captions"},
    {El::OPTEmail, "Manual e-mail send*"},
    {El::OPTAUTOSend, "Auto e-mail send*"},
    {El::OPTDetailedTestReport, "Detailed test report*"},
    {El::OPTFTP, "FTP send"},
    {El::OPTEncrypt, "Encrypt test report"},
};

constexpr Captioned kButtons[] = {
    {El::ProgramOK, "Close"},
    {El::ButtonCANCEL1, "Cancel"},
    {El::PROGRAMDefaultButton, "DEFAULT"},
    {El::CLEARSCOREBOARD, "Clear Scorebrd"},
    {El::PASSWORDBUTTON, "Password"},
    {El::ProtocolOK, "Close"},
    {El::ButtonCANCEL2, "Cancel"},
    {El::PROTOCOLDefaultButton, "DEFAULT"},
    {El::TESTCLOSE, "Close"},
    {El::ButtonCANCEL3, "Cancel"},
    {El::TESTDEFAULT, "DEFAULT"},
    {El::eMailCONFIGURE, "E-mail Configure"},
    {El::REPORTCLOSEBUTTON, "Close"},
    {El::REPORTOpenFile, "Open"},
    {El::FONTBUTTON, "Font"},
    {El::PRINTBUTTON, "Print"},
    {El::PROGRESSCLOSEBUTTON, "Close"},
    {El::Age, "age (years)"},
    {El::Weight, "weight (lbs.)"},
    {El::OPTGuideClassic, "Classic (stacked shocks)"},
    {El::OPTGuideCurrent, "Current (single shock, 2-minute CPR)"},
    {El::OPTResultsLocal, "This computer"},
    {El::OPTResultsCentre, "Centre server"},
};

constexpr El kNumericFields[] = {
    El::OptTroubleOdds, El::OptHypoShocks, El::OptMinimumAge, El::OptCPR0Length,
    El::OptCPR1Length,  El::OptCPR2Length, El::OPTCPRCOMP,    El::OPTtestScenarios,
};

constexpr El kSpinButtons[] = {
    El::SpinButton11, El::SpinButtonTESTSCEN, El::SpinButton0, El::SpinButton1,
    El::SpinButton2,  El::SpinButton5,        El::SpinButton6, El::SpinButton7,
};

Element& add(std::vector<ElementSpec>& specs, El name, std::string text = {}) {
    specs.push_back({name, Element{}});
    specs.back().initial.text = std::move(text);
    return specs.back().initial;
}

// The elements of the option controls, by the setting each shows: an element of the same name.
std::array<El, kControlCount> optionElements() {
    std::array<El, kControlCount> elements{};
    for (int i = 0; i < kControlCount; ++i) {
        const std::string_view name = ControlName(static_cast<Opt>(i));
        const std::optional<El> el = ElementNamed(name);
        if (!el) throw std::logic_error("no element for the option " + std::string(name));
        elements[static_cast<size_t>(i)] = *el;
    }
    return elements;
}

const std::array<El, kControlCount>& optionElementTable() {
    static const std::array<El, kControlCount> table = optionElements();
    return table;
}

}  // namespace

El OptionElement(Opt opt) {
    return optionElementTable()[static_cast<size_t>(opt)];
}

std::optional<Opt> OptionOf(El el) {
    const auto& table = optionElementTable();
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i] == el) return static_cast<Opt>(i);
    }
    return std::nullopt;
}

void AddOptionPageElements(std::vector<ElementSpec>& specs) {
    for (const Captioned& box : kCheckBoxes)
        add(specs, box.name, std::string("  ") + box.caption);
    for (const Captioned& button : kButtons)
        add(specs, button.name, button.caption);
    for (El field : kNumericFields)
        add(specs, field);
    for (El spin : kSpinButtons)
        add(specs, spin);
    add(specs, El::PASSWORD).masked = true;
    // The centre server's address is typed only while the centre server is chosen.
    add(specs, El::OPTCentreURI).enabled = false;
    // The learning record store's settings, set in their own dialog from the Test tab.
    add(specs, El::OPTLrsSend, "  Send each result to the learning record store");
    for (El field : {El::OPTLrsHomePage, El::OPTLrsBase, El::OPTLrsEndpoint, El::OPTLrsKey})
        add(specs, field);
    add(specs, El::OPTLrsSecret).masked = true;
    // FTP sending was never offered: its check box keeps its place in the settings file.
    add(specs, El::FTPConfigure, "FTP Configure");
    for (ElementSpec& spec : specs) {
        if (spec.el == El::OPTFTP || spec.el == El::OPTEncrypt || spec.el == El::FTPConfigure) {
            spec.initial.visible = false;
            spec.initial.enabled = spec.el == El::OPTEncrypt;
        }
    }

    // The report viewer: a fixed-pitch text area that asks for a file at first.
    Element& memo = add(specs, El::REPORTMEMO);
    memo.lines = {"", "", "", "", "", "                  Click OPEN to view a report file."};
    memo.font = "Courier";
    memo.fontSize = 10;
    // The font dialog remembers the last font confirmed in it.
    Element& fonts = add(specs, El::FontDialog1);
    fonts.visible = false;
    fonts.font = "Courier";
    fonts.fontSize = 11;  // 15 pixels

    Element& dialog = add(specs, El::PasswordDlgWindow, "Password ");
    dialog.visible = false;
    add(specs, El::PasswordDlgLabel1, "Enter password:");
    add(specs, El::PasswordDlgPasswordEnter).masked = true;
    add(specs, El::PasswordDlgOKBtn, "OK");
    add(specs, El::PasswordDlgCancelBtn, "Cancel");
}

}  // namespace ardentix
