#pragma once
#include <string>
#include <vector>

#include "core/element_names.h"
#include "core/ports.h"

// The e-mail window TFRMSEND: configuring the mail settings from the Test tab, and sending the
// results of a test series from the summary. The window drives the SMTP client; the connection
// itself is the front end's, reached through the MailLink port.
namespace ardentix {

class Engine;

// The Test tab's "E-mail Configure": the window with Add and Remove and the saved settings.
void OpenMailConfiguration(Engine& e);
bool MailWindowShown(const Engine& e);
// The window is up to send the results from the summary, which waits for it; opened for
// configuring it goes with the option pages' Test tab instead, and the pages stay usable.
bool MailWindowSending(const Engine& e);

// The window's three buttons.
void MailConnect(Engine& e);
void MailSend(Engine& e);
void MailCloseButton(Engine& e);
// Closing the window in any way: the connection is dropped, the results file is offered for
// saving when it was not sent, and changed settings are saved or reloaded after asking.
void CloseMailWindow(Engine& e);
// Leaving the Test tab: the window goes out of sight, its connection with it; nothing is asked.
void HideMailWindow(Engine& e);

// The configuration controls; each counts as a change of the mail settings.
void MailAddFile(Engine& e);
void MailRemoveFile(Engine& e);
void MailSelectFile(Engine& e, const std::string& entry);
void MailChooseEncoding(Engine& e, bool uu);
// Typing into one of the window's fields (its short name: "SMTPSERV", "PortField" ...). The
// security field takes only its three choices, and moves a usual port along with it.
void MailTypeField(Engine& e, El field, const std::string& text);
// The check boxes for a log-in without encryption and for accepting the server's certificate.
void MailTogglePlainLogin(Engine& e);
void MailToggleAcceptCertificate(Engine& e);
// The memo's lines replaced by these.
void MailTypeMessage(Engine& e, const std::vector<std::string>& lines);

// OPTION3.INI and OPTION4.INI into and out of the window; false when a file could not be read or
// written, or the server name or port may not be saved (the user has been told).
bool LoadMailSettings(Engine& e);
bool SaveMailSettings(Engine& e);
// The option pages close: a change of the mail settings is saved or thrown away after asking.
// False when the settings file could not be written or read.
bool AskSaveMailSettings(Engine& e);

// The summary's Send Report, and the questions of the summary that lead to it.
void SendTestReport(Engine& e);
void SaveTestReport(Engine& e);
void DiscardTestReportFile(Engine& e);
// The path of the results file of the trainee logged in, in the program directory.
std::string ResultsFilePath(Engine& e);

// What became of a request to the MailLink.
void MailLinkAnswer(Engine& e, const LinkAnswer& answer);
// A connect or send waits on the server.
bool MailBusy(const Engine& e);
// A time limit of the front end ran out while the server kept silent: the wait ends with the
// client's error, as a cancel would end it.
void MailTimedOut(Engine& e);

}  // namespace ardentix
