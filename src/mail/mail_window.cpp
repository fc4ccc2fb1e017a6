#include "mail/mail_window.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "core/engine.h"
#include "mail/mail_files.h"
#include "mail/mail_session.h"

// The e-mail window: opening it for either purpose, its buttons, its fields and closing it.
namespace ardentix {

namespace {

constexpr const char* kSaveMailQuestion = "Save changes to e-mail settings?";
constexpr const char* kNotSentQuestion =
    "The report file was not sent. Do you want to save the file to send later?";

std::string field(const Engine& e, const char* name) {
    return e.screen.Get(std::string("TFRMSEND.") + name).text;
}

void setField(Engine& e, const char* name, std::string text) {
    e.screen.Edit(std::string("TFRMSEND.") + name).text = std::move(text);
}

// The fields OPTION3.INI keeps, in its order, with the settings' member for each.
struct StoredField {
    const char* name;
    std::string MailSettings::*setting;
};
constexpr std::array<StoredField, 6> kStoredFields = {{
    {"SMTPSERV", &MailSettings::SMTPSERV},
    {"ToFIELD", &MailSettings::ToFIELD},
    {"FromADDRESSField", &MailSettings::FromADDRESSField},
    {"CcFIELD", &MailSettings::CcFIELD},
    {"SUBJECT", &MailSettings::SUBJECT},
    {"USERIDFIELD", &MailSettings::USERIDFIELD},
}};

MailSettings windowSettings(const Engine& e) {
    MailSettings s;
    for (const StoredField& f : kStoredFields)
        s.*f.setting = field(e, f.name);
    s.RadioButtonUU = e.screen.Get("TFRMSEND.RadioButtonUU").checked;
    s.ATTACHEDFILEs = e.screen.Get("TFRMSEND.ATTACHEDFILEs").lines;
    return s;
}

void chooseRadio(Engine& e, bool uu) {
    e.screen.Edit("TFRMSEND.RadioButtonUU").checked = uu;
    e.screen.Edit("TFRMSEND.RadioButtonMIME").checked = !uu;
}

void setAttachments(Engine& e, std::vector<std::string> files) {
    Element& list = e.screen.Edit("TFRMSEND.ATTACHEDFILEs");
    list.lines = std::move(files);
    list.text.clear();  // the selected entry
}

// Opened from the Test tab to configure mail, not from the summary to send the results.
bool configuring(Engine& e) {
    return !Session(e).sending;
}

// Edits count as changes of the settings only while the instructor configures them.
void noteChange(Engine& e) {
    if (configuring(e)) e.mailSettingsChanged = true;
}

// Either purpose: caption, the summary waiting, the focus and the weight of the buttons.
void showWindow(Engine& e) {
    const bool summary = e.screen.Get("TForm2").visible;
    Element& window = e.screen.Edit("TFRMSEND");
    window.text = summary ? "Send Test Results (email)" : "E-mail Configuration";
    window.visible = true;
    // What the last opening saw belongs to it.
    e.screen.Edit("TFRMSEND.StatusBar1").text.clear();
    if (summary) e.screen.Edit("TForm2").enabled = false;
    e.screen.SetFocus("TFRMSEND.CONNECTButton");
    e.screen.Edit("TFRMSEND.CONNECTButton").bold = !configuring(e);
    e.screen.Edit("TFRMSEND.EMAILSENDBUTTON").bold = false;
    e.screen.Edit("TFRMSEND.TClose").bold = false;
}

// The port field: a TCP port number, nothing else.
std::optional<int> port(const std::string& text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1 ||
        value > 65535)
        return std::nullopt;
    return value;
}

// "1. Connect" without the connecting: the client's parameters, the buttons, and the results
// file among the attachments when sending. False when the port field holds no port.
bool prepareConnect(Engine& e) {
    MailSession& m = Session(e);
    const std::optional<int> p = port(field(e, "PortField"));
    if (!p) {
        e.Message(BoxKind::Error, BoxButtons::Ok,
                  "The port must be a number from 1 to 65535: \"" + field(e, "PortField") + "\"");
        return false;
    }
    m.closing = false;
    m.client.ClearParams = true;
    m.client.Host = field(e, "SMTPSERV");
    m.client.Port = *p;
    const std::string user = field(e, "USERIDFIELD");
    m.client.UserID = user.empty() ? "0" : user;
    e.screen.Edit("TFRMSEND.EMAILSENDBUTTON").bold = false;
    e.screen.Edit("TFRMSEND.TClose").bold = false;
    if (!configuring(e)) {
        // Listed once, however often the trainee connects again after a failure.
        std::vector<std::string>& files = e.screen.Edit("TFRMSEND.ATTACHEDFILEs").lines;
        const std::string results = m.resultsFile.empty() ? ResultsFilePath(e) : m.resultsFile;
        if (std::find(files.begin(), files.end(), results) == files.end()) files.push_back(results);
    }
    return true;
}

}  // namespace

bool MailWindowShown(const Engine& e) {
    return e.screen.Get("TFRMSEND").visible;
}

bool MailWindowSending(const Engine& e) {
    return MailWindowShown(e) && e.mail && e.mail->sending;
}

void OpenMailConfiguration(Engine& e) {
    MailSession& m = Session(e);
    m.sending = false;
    for (const char* name : {"ADDButton", "REMOVEButton", "CcFIELD", "ATTACHEDFILEs"})
        e.screen.Edit(std::string("TFRMSEND.") + name).visible = true;
    if (MailSettingsExist(e.programDir)) {
        if (!LoadMailSettings(e)) return;
        setField(e, "FromNAMEField", "");
    } else {
        for (const char* name : {"SMTPSERV", "ToFIELD", "FromADDRESSField", "FromNAMEField",
                                 "CcFIELD", "SUBJECT", "USERIDFIELD"})
            setField(e, name, "");
    }
    // The buffer doubles as the settings files' line buffer; no series runs on the option pages.
    e.screen.Edit("OPTIONSHOLD").lines.clear();
    showWindow(e);
}

// The window for sending, with the settings as they are (loaded by the caller when they exist).
void ShowMailWindowForSending(Engine& e) {
    Session(e).sending = true;
    showWindow(e);
}

void MailConnect(Engine& e) {
    MailSession& m = Session(e);
    if (!prepareConnect(e)) return;
    m.client.Connect();
    PumpMail(e);
}

void MailSend(Engine& e) {
    MailSession& m = Session(e);
    if (!m.MailConnected) {
        if (!prepareConnect(e)) return;
        m.sendWhenConnected = true;
    }
    m.closing = false;
    m.client.EncodeType =
        e.screen.Get("TFRMSEND.RadioButtonUU").checked ? EncodeType::uuCode : EncodeType::uuMime;
    FillPostMessage(m.client.PostMessage, windowSettings(e), e.state.UserName,
                    e.screen.Get("TFRMSEND.TMESSAGE").lines,
                    m.sending ? (m.resultsFile.empty() ? ResultsFilePath(e) : m.resultsFile) : "");
    m.client.SendMail(e.ports.clock->LongTime());
    PumpMail(e);
    if (!m.client.Busy()) m.sendWhenConnected = false;
}

void MailCloseButton(Engine& e) {
    CloseMailWindow(e);
}

void CloseMailWindow(Engine& e) {
    if (!MailWindowShown(e)) return;
    MailSession& m = Session(e);
    m.closing = true;
    m.autoSend = false;
    m.client.Abort();
    PumpMail(e);
    e.screen.Edit("TForm2").enabled = true;
    if (!m.MailSent && e.screen.Get("TForm2").visible &&
        e.Message(BoxKind::Confirmation, BoxButtons::YesNo, kNotSentQuestion) == BoxAnswer::Yes)
        SaveTestReport(e);
    if (m.sending) DiscardTestReportFile(e);
    m.MailSent = false;
    e.screen.Edit("TFRMSEND.ADDButton").visible = false;
    e.screen.Edit("TFRMSEND.REMOVEButton").visible = false;
    for (const char* name : {"CONNECTButton", "EMAILSENDBUTTON", "TClose"})
        e.screen.Edit(std::string("TFRMSEND.") + name).bold = false;
    if (configuring(e)) AskSaveMailSettings(e);
    e.screen.Edit("TFRMSEND").visible = false;
    m.sending = false;
    m.sendFailed = false;
    m.resultsFile.clear();
}

void HideMailWindow(Engine& e) {
    if (!MailWindowShown(e)) return;
    MailSession& m = Session(e);
    m.closing = true;
    m.client.Abort();
    PumpMail(e);
    e.screen.Edit("TFRMSEND").visible = false;
}

void MailAddFile(Engine& e) {
    const std::optional<std::string> path = e.ports.dialogs->OpenFile("All files", "*.*", "");
    if (path) e.screen.Edit("TFRMSEND.ATTACHEDFILEs").lines.push_back(*path);
    noteChange(e);
}

void MailRemoveFile(Engine& e) {
    Element& list = e.screen.Edit("TFRMSEND.ATTACHEDFILEs");
    const auto selected = std::find(list.lines.begin(), list.lines.end(), list.text);
    if (!list.text.empty() && selected != list.lines.end()) list.lines.erase(selected);
    list.text.clear();
    noteChange(e);
}

void MailSelectFile(Engine& e, const std::string& entry) {
    Element& list = e.screen.Edit("TFRMSEND.ATTACHEDFILEs");
    const bool listed = std::find(list.lines.begin(), list.lines.end(), entry) != list.lines.end();
    list.text = listed ? entry : std::string();
    noteChange(e);
}

void MailChooseEncoding(Engine& e, bool uu) {
    chooseRadio(e, uu);
    noteChange(e);
}

void MailTypeField(Engine& e, const std::string& name, const std::string& text) {
    e.screen.Edit("TFRMSEND." + name).text = text;
    // The port is not kept in OPTION3.INI.
    if (name != "PortField") noteChange(e);
}

void MailTypeMessage(Engine& e, const std::vector<std::string>& lines) {
    e.screen.Edit("TFRMSEND.TMESSAGE").lines = lines;
    noteChange(e);
}

bool LoadMailSettings(Engine& e) {
    MailSettings s;
    if (FileFailure failure = ReadMailSettings(e.programDir, s)) {
        e.FileFailed("read", kOption3File, *failure);
        return false;
    }
    for (const StoredField& f : kStoredFields)
        setField(e, f.name, s.*f.setting);
    chooseRadio(e, s.RadioButtonUU);
    setAttachments(e, s.ATTACHEDFILEs);
    setField(e, "FromNAMEField", e.state.UserName);
    e.mailSettingsChanged = false;
    return true;
}

bool SaveMailSettings(Engine& e) {
    if (FileFailure failure = WriteMailSettings(e.programDir, windowSettings(e))) {
        e.FileFailed("write", kOption3File, *failure);
        return false;
    }
    e.mailSettingsChanged = false;
    return true;
}

bool AskSaveMailSettings(Engine& e) {
    if (!e.mailSettingsChanged) return true;
    bool done = true;
    if (e.Message(BoxKind::Confirmation, BoxButtons::YesNo, kSaveMailQuestion) == BoxAnswer::Yes) {
        done = SaveMailSettings(e);
    } else if (MailSettingsExist(e.programDir)) {
        // Without a file there is nothing to go back to: the fields keep what was typed.
        done = LoadMailSettings(e);
        if (!Session(e).sending) setField(e, "FromNAMEField", "");
    }
    e.mailSettingsChanged = false;
    return done;
}

}  // namespace ardentix
