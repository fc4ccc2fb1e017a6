#include "mail/mail_window.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <random>

#include "core/engine.h"
#include "mail/mail_files.h"
#include "mail/mail_session.h"
#include "mail/mime_words.h"
#include "mail/server_settings.h"

// The e-mail window: opening it for either purpose, its buttons, its fields and closing it.
namespace ardentix {

namespace {

constexpr const char* kSaveMailQuestion = "Save changes to e-mail settings?";
constexpr const char* kNotSentQuestion =
    "The report file was not sent. Do you want to save the file to send later?";

std::string field(const Engine& e, El name) {
    return e.screen.Get(name).text;
}

void setField(Engine& e, El name, std::string text) {
    e.screen.Edit(name).text = std::move(text);
}

// The fields OPTION3.INI keeps, in its order, with the settings' member for each.
struct StoredField {
    El name;
    std::string MailSettings::*setting;
};
constexpr std::array<StoredField, 6> kStoredFields = {{
    {El::MailSMTPSERV, &MailSettings::SMTPSERV},
    {El::MailToFIELD, &MailSettings::ToFIELD},
    {El::MailFromADDRESSField, &MailSettings::FromADDRESSField},
    {El::MailCcFIELD, &MailSettings::CcFIELD},
    {El::MailSUBJECT, &MailSettings::SUBJECT},
    {El::MailUSERIDFIELD, &MailSettings::USERIDFIELD},
}};

MailSettings windowSettings(const Engine& e) {
    MailSettings s;
    for (const StoredField& f : kStoredFields)
        s.*f.setting = field(e, f.name);
    s.RadioButtonUU = e.screen.Get(El::MailRadioButtonUU).checked;
    s.ATTACHEDFILEs = e.screen.Get(El::MailATTACHEDFILEs).lines;
    return s;
}

void chooseRadio(Engine& e, bool uu) {
    e.screen.Edit(El::MailRadioButtonUU).checked = uu;
    e.screen.Edit(El::MailRadioButtonMIME).checked = !uu;
}

void setAttachments(Engine& e, std::vector<std::string> files) {
    Element& list = e.screen.Edit(El::MailATTACHEDFILEs);
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

// The controls for reaching the server are the instructor's: a trainee sending the results
// uses them as they are. The From name is the instructor's own while configuring (a test
// message goes out under it); sending, it shows the trainee's.
constexpr std::array<El, 6> kServerControls = {El::MailPortField,       El::MailSecurityField,
                                               El::MailLoginField,      El::MailPasswordField,
                                               El::MailPlainLoginCheck, El::MailFromNAMEField};

ServerSettings windowServer(Engine& e) {
    ServerSettings s;
    s.port = field(e, El::MailPortField);
    s.security = SecurityChoice(field(e, El::MailSecurityField)).value_or(kSecurityNone);
    s.user = field(e, El::MailLoginField);
    s.password = field(e, El::MailPasswordField);
    s.allowPlainLogin = e.screen.Get(El::MailPlainLoginCheck).checked;
    s.acceptedCertificate = Session(e).acceptedCertificate;
    return s;
}

// Either purpose: caption, the summary waiting, the focus and the weight of the buttons.
void showWindow(Engine& e) {
    const bool summary = e.screen.Get(El::SummaryWindow).visible;
    Element& window = e.screen.Edit(El::MailWindow);
    window.text = summary ? "Send Test Results (email)" : "E-mail Configuration";
    window.visible = true;
    // What the last opening saw belongs to it.
    e.screen.Edit(El::MailStatusBar1).text.clear();
    if (summary) e.screen.Edit(El::SummaryWindow).enabled = false;
    for (El name : kServerControls)
        e.screen.Edit(name).enabled = configuring(e);
    ShowCertificateChoice(e);
    e.screen.SetFocus(El::MailCONNECTButton);
    e.screen.Edit(El::MailCONNECTButton).bold = !configuring(e);
    e.screen.Edit(El::MailEMAILSENDBUTTON).bold = false;
    e.screen.Edit(El::MailTClose).bold = false;
}

void showServer(Engine& e, const ServerSettings& s) {
    setField(e, El::MailPortField, s.port);
    setField(e, El::MailSecurityField, s.security);
    setField(e, El::MailLoginField, s.user);
    setField(e, El::MailPasswordField, s.password);
    e.screen.Edit(El::MailPlainLoginCheck).checked = s.allowPlainLogin;
    MailSession& m = Session(e);
    m.acceptedCertificate = s.acceptedCertificate;
    m.refusedCertificate.clear();
    ShowCertificateChoice(e);
}

// OPTION4.INI into the window, or the plain port 25 without it.
bool loadServerSettings(Engine& e) {
    ServerSettings s;
    if (ServerSettingsExist(e.programDir)) {
        if (FileFailure failure = ReadServerSettings(e.programDir, s)) {
            e.FileFailed("read", kOption4File, *failure);
            return false;
        }
    }
    showServer(e, s);
    return true;
}

// A server name that is not one, or one no server was found for, is not saved as if it were
// good: the first is refused, the second asked about.
bool serverNameSavable(Engine& e) {
    const std::string name = field(e, El::MailSMTPSERV);
    if (name.empty()) return true;
    std::string why;
    if (!ParseServerName(name, &why)) {
        e.Message(BoxKind::Error, BoxButtons::Ok,
                  "\"" + name + "\" is not a valid SMTP server name: " + why +
                      ". The e-mail settings were not saved.");
        return false;
    }
    if (name != Session(e).unknownHost) return true;
    return e.Message(BoxKind::Confirmation, BoxButtons::YesNo,
                     "No server was found for the SMTP server name \"" + name +
                         "\". Save the e-mail settings with it all the same?") == BoxAnswer::Yes;
}

bool portValid(Engine& e) {
    if (PortNumber(field(e, El::MailPortField))) return true;
    e.Message(BoxKind::Error, BoxButtons::Ok,
              "The port must be a number from 1 to 65535: \"" + field(e, El::MailPortField) + "\"");
    return false;
}

// "1. Connect" without the connecting: the client's parameters and the buttons. A server
// typed as "name:port" names its port; a text that is no server name at all is still looked
// up, so that the trainee is asked for the right one as with any unknown name.
bool prepareConnect(Engine& e) {
    MailSession& m = Session(e);
    if (!portValid(e)) return false;
    const ServerSettings server = windowServer(e);
    const std::optional<ServerName> name = ParseServerName(field(e, El::MailSMTPSERV));
    m.closing = false;
    m.client.ClearParams = true;
    m.client.Host = name ? name->host : field(e, El::MailSMTPSERV);
    m.client.Port = name && name->port ? *name->port : *PortNumber(server.port);
    const std::string user = field(e, El::MailUSERIDFIELD);
    m.client.UserID = user.empty() ? "0" : user;
    m.client.Security = server.security == kSecurityTls        ? MailSecurity::Tls
                        : server.security == kSecurityStartTls ? MailSecurity::StartTls
                                                               : MailSecurity::None;
    m.client.LoginName = server.user;
    m.client.Password = server.password;
    m.client.AllowPlainLogin = server.allowPlainLogin;
    m.client.AcceptedCertificate = server.acceptedCertificate;
    e.screen.Edit(El::MailEMAILSENDBUTTON).bold = false;
    e.screen.Edit(El::MailTClose).bold = false;
    return true;
}

// A Message-ID must be unique in the world: its random part comes from the system, never from
// the scenario's generator, whose draws the scenarios depend on.
uint64_t MessageIdRandom() {
    static std::random_device device;
    return (static_cast<uint64_t>(device()) << 32) ^ device();
}

}  // namespace

void ShowCertificateChoice(Engine& e) {
    MailSession& m = Session(e);
    Element& check = e.screen.Edit(El::MailAcceptCertificateCheck);
    check.checked = !m.acceptedCertificate.empty();
    check.enabled = configuring(e) && (check.checked || !m.refusedCertificate.empty());
}

bool MailWindowShown(const Engine& e) {
    return e.screen.Get(El::MailWindow).visible;
}

bool MailWindowSending(const Engine& e) {
    return MailWindowShown(e) && e.mail && e.mail->sending;
}

void OpenMailConfiguration(Engine& e) {
    MailSession& m = Session(e);
    m.sending = false;
    for (El name :
         {El::MailADDButton, El::MailREMOVEButton, El::MailCcFIELD, El::MailATTACHEDFILEs})
        e.screen.Edit(name).visible = true;
    if (MailSettingsExist(e.programDir)) {
        if (!LoadMailSettings(e)) return;
        setField(e, El::MailFromNAMEField, "");
    } else {
        for (El name :
             {El::MailSMTPSERV, El::MailToFIELD, El::MailFromADDRESSField, El::MailFromNAMEField,
              El::MailCcFIELD, El::MailSUBJECT, El::MailUSERIDFIELD})
            setField(e, name, "");
        if (!loadServerSettings(e)) return;
    }
    // The buffer doubles as the settings files' line buffer; no series runs on the option pages.
    e.screen.Edit(El::OPTIONSHOLD).lines.clear();
    showWindow(e);
}

// The window for sending, with the settings as they are (loaded by the caller when they exist).
// The message starts empty, as in a window never used: what was typed for a test message is
// not the trainee's.
void ShowMailWindowForSending(Engine& e) {
    Session(e).sending = true;
    e.screen.Edit(El::MailTMESSAGE).lines = {"", ""};
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
        e.screen.Get(El::MailRadioButtonUU).checked ? EncodeType::uuCode : EncodeType::uuMime;
    FillPostMessage(m.client.PostMessage, windowSettings(e), field(e, El::MailFromNAMEField),
                    e.screen.Get(El::MailTMESSAGE).lines, m.sending ? SessionResultsFile(e) : "");
    TMailMessage& message = m.client.PostMessage;
    Clock& clock = *e.ports.clock;
    const Date today = clock.Today();
    const int64_t now = clock.MillisSinceMidnight();
    message.Date = MailDate(today, now, clock.UtcOffsetMinutes());
    message.MessageID = MakeMessageId(message.FromAddress, today, now, MessageIdRandom());
    m.client.SendMail(clock.LongTime());
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
    e.screen.Edit(El::SummaryWindow).enabled = true;
    if (!m.MailSent && e.screen.Get(El::SummaryWindow).visible &&
        e.Message(BoxKind::Confirmation, BoxButtons::YesNo, kNotSentQuestion) == BoxAnswer::Yes)
        SaveTestReport(e);
    if (m.sending) DiscardTestReportFile(e);
    m.MailSent = false;
    e.screen.Edit(El::MailADDButton).visible = false;
    e.screen.Edit(El::MailREMOVEButton).visible = false;
    for (El name : {El::MailCONNECTButton, El::MailEMAILSENDBUTTON, El::MailTClose})
        e.screen.Edit(name).bold = false;
    // Settings that could not be saved keep the window open for mending them.
    if (configuring(e) && !AskSaveMailSettings(e)) return;
    e.screen.Edit(El::MailWindow).visible = false;
    m.sending = false;
    m.resultsFile.clear();
}

void HideMailWindow(Engine& e) {
    if (!MailWindowShown(e)) return;
    MailSession& m = Session(e);
    m.closing = true;
    m.client.Abort();
    PumpMail(e);
    e.screen.Edit(El::MailWindow).visible = false;
}

void MailAddFile(Engine& e) {
    const std::optional<std::string> path = e.ports.dialogs->OpenFile("All files", "*.*", "");
    if (path) e.screen.Edit(El::MailATTACHEDFILEs).lines.push_back(*path);
    noteChange(e);
}

void MailRemoveFile(Engine& e) {
    Element& list = e.screen.Edit(El::MailATTACHEDFILEs);
    const auto selected = std::find(list.lines.begin(), list.lines.end(), list.text);
    if (!list.text.empty() && selected != list.lines.end()) list.lines.erase(selected);
    list.text.clear();
    noteChange(e);
}

void MailSelectFile(Engine& e, const std::string& entry) {
    Element& list = e.screen.Edit(El::MailATTACHEDFILEs);
    const bool listed = std::find(list.lines.begin(), list.lines.end(), entry) != list.lines.end();
    list.text = listed ? entry : std::string();
    noteChange(e);
}

void MailChooseEncoding(Engine& e, bool uu) {
    chooseRadio(e, uu);
    noteChange(e);
}

void MailTypeField(Engine& e, El name, const std::string& text) {
    if (name == El::MailSecurityField) {
        const std::optional<std::string> choice = SecurityChoice(text);
        if (!choice) return;
        setField(e, El::MailSecurityField, *choice);
        // The usual port of the encryption chosen, unless the instructor typed another.
        const std::string port = field(e, El::MailPortField);
        const bool usual = port == "25" || port == "587" || port == "465";
        if (usual && *choice == kSecurityTls) setField(e, El::MailPortField, "465");
        if (usual && *choice == kSecurityStartTls) setField(e, El::MailPortField, "587");
    } else {
        e.screen.Edit(name).text = text;
    }
    // The From name goes with the message only; every other field is a setting.
    if (name != El::MailFromNAMEField) noteChange(e);
}

void MailTogglePlainLogin(Engine& e) {
    Element& check = e.screen.Edit(El::MailPlainLoginCheck);
    check.checked = !check.checked;
    noteChange(e);
}

void MailToggleAcceptCertificate(Engine& e) {
    MailSession& m = Session(e);
    m.acceptedCertificate = m.acceptedCertificate.empty() ? m.refusedCertificate : std::string();
    ShowCertificateChoice(e);
    noteChange(e);
}

void MailTypeMessage(Engine& e, const std::vector<std::string>& lines) {
    e.screen.Edit(El::MailTMESSAGE).lines = lines;
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
    setField(e, El::MailFromNAMEField, e.state.UserName);
    if (!loadServerSettings(e)) return false;
    e.mailSettingsChanged = false;
    return true;
}

// OPTION4.INI is written once the instructor set something other than plain SMTP on port 25,
// and kept up to date from then on.
bool SaveMailSettings(Engine& e) {
    if (!serverNameSavable(e) || !portValid(e)) return false;
    if (FileFailure failure = WriteMailSettings(e.programDir, windowSettings(e))) {
        e.FileFailed("write", kOption3File, *failure);
        return false;
    }
    const ServerSettings server = windowServer(e);
    if (ServerSettingsExist(e.programDir) || server != ServerSettings{}) {
        if (FileFailure failure = WriteServerSettings(e.programDir, server)) {
            e.FileFailed("write", kOption4File, *failure);
            return false;
        }
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
        if (!Session(e).sending) setField(e, El::MailFromNAMEField, "");
    }
    // Settings that could not be saved stay changed, so that closing asks again.
    if (done) e.mailSettingsChanged = false;
    return done;
}

}  // namespace ardentix
