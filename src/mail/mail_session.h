#pragma once
#include <string>

#include "mail/smtp_client.h"

namespace ardentix {

class Engine;

// What the e-mail window keeps between its events: the client with its connection, and the
// window's flags.
struct MailSession {
    TSmtpClient client;
    bool MailConnected = false;  // the client reported an open connection
    bool MailSent = false;       // the current results went out
    // The window was opened to send the results (from the summary), not to configure.
    bool sending = false;
    // Started by SendTestReport with OPTAUTOSend: its last step waits for the success.
    bool autoSend = false;
    // "2. Send" connects first: the client's question for a connection needs no answer.
    bool sendWhenConnected = false;
    // The window drops the connection itself: the error that ends the wait is not shown.
    bool closing = false;
    bool pumping = false;
    // The results file SendTestReport wrote, for attaching and deleting.
    std::string resultsFile;
    // The server certificate the instructor accepted although it does not verify (its SHA-256
    // fingerprint, kept in OPTION4.INI), and the one the server showed when it was last refused.
    std::string acceptedCertificate;
    std::string refusedCertificate;
    // The error that follows a refused certificate shows its fingerprint.
    bool showFingerprint = false;
    // A server name whose lookup found no server; saving it asks first.
    std::string unknownHost;
};

// The engine's session, made on first use with the client's questions wired to the window.
MailSession& Session(Engine& e);
// Hands what the client wrote and asked for to the MailLink, and what it reported to the window,
// until it has nothing more to say.
void PumpMail(Engine& e);
// Shows the window for sending the results, with the fields as they are.
void ShowMailWindowForSending(Engine& e);
// The results are out of the trainee's hands: Send Report goes and a new series may begin.
void ReportHandedOver(Engine& e);
// The results file SendTestReport wrote, or the logged-in trainee's when none was written.
std::string SessionResultsFile(Engine& e);
// The accept box for the server's certificate: ticked while one is accepted, usable only while
// configuring and once a certificate was shown or is accepted.
void ShowCertificateChoice(Engine& e);
// Deletes the results file when it went out, or when the trainee was never offered to save it
// in this scenario; the results themselves stay in the report files either way.
void DiscardResultsFileIfDone(Engine& e);

}  // namespace ardentix
