#include <cstdio>

#include "core/course.h"
#include "core/engine.h"
#include "core/files.h"
#include "mail/mail_files.h"
#include "mail/mail_session.h"
#include "mail/mail_window.h"
#include "mail/own.h"
#include "records/records.h"

// The results of a test series on their way to the instructor: the results file, sending it,
// saving it for later and deleting it.
namespace ardentix {

namespace {

constexpr const char* kNotConfigured =
    "The e-mail configuration information under Test Options has not be set. You must enter the "
    "e-mail address information.";

}  // namespace

void ReportHandedOver(Engine& e) {
    e.screen.Edit(El::SummaryCODESUMSENDbutton).visible = false;
    EndTestSeries(e);
}

std::string ResultsFilePath(Engine& e) {
    const std::string name =
        ResultsFileName(e.state.UserName, e.state.UserID, e.ports.clock->Today());
    return e.FilePath(name);
}

void SendTestReport(Engine& e) {
    if (e.state.TestScenarioCount < TestSeriesLength(e.settings)) return;
    MailSession& m = Session(e);
    const std::string path = ResultsFilePath(e);
    if (FileFailure failure = ReplaceTextLines(path, e.screen.Get(El::OPTIONSHOLD).lines)) {
        e.FileFailed("write", path.substr(e.programDir.size() + 1), *failure);
        return;
    }
    m.resultsFile = path;
    const bool autoSend = e.settings.On(Opt::OPTAUTOSend);
    if (e.settings.On(Opt::OPTEmail) || autoSend) {
        const bool configured = MailSettingsExist(e.programDir);
        if (configured) {
            if (!LoadMailSettings(e)) return;
        } else {
            e.Message(BoxKind::Warning, BoxButtons::Ok, kNotConfigured);
        }
        ShowMailWindowForSending(e);
        if (autoSend && configured) {
            // The last step waits for the success; an error leaves Send Report for another try.
            m.autoSend = true;
            MailSend(e);
            return;
        }
    }
    ReportHandedOver(e);
}

void SaveTestReport(Engine& e) {
    const std::string proposed =
        ResultsFileName(e.state.UserName, e.state.UserID, e.ports.clock->Today());
    const std::optional<std::string> path = e.ports.dialogs->SaveFile(
        "Save Report File", "Test file", "*.txt", ".txt", e.programDir, proposed);
    if (path) {
        if (FileFailure failure = ReplaceTextLines(*path, e.screen.Get(El::OPTIONSHOLD).lines))
            e.FileFailed("write", *path, *failure);
    }
    OwnMail(e).ResultsSaveOffered = true;
}

std::string SessionResultsFile(Engine& e) {
    const MailSession& m = Session(e);
    return m.resultsFile.empty() ? ResultsFilePath(e) : m.resultsFile;
}

void DiscardResultsFileIfDone(Engine& e) {
    MailSession& m = Session(e);
    if (!m.MailSent && e.state.ResultsSaveOffered) return;
    std::remove(SessionResultsFile(e).c_str());
}

void DiscardTestReportFile(Engine& e) {
    DiscardResultsFileIfDone(e);
    Session(e).MailSent = false;
}

}  // namespace ardentix
