#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/files.h"
#include "core/ports.h"
#include "mail/message.h"

// The files of report mailing: the mail settings, the results file's name and the attachments.
namespace ardentix {

inline constexpr const char* kOption3File = "OPTION3.INI";

// What OPTION3.INI keeps of the e-mail window, named after the window's fields.
struct MailSettings {
    std::string SMTPSERV;
    std::string ToFIELD;
    std::string FromADDRESSField;
    std::string CcFIELD;
    std::string SUBJECT;
    std::string USERIDFIELD;
    bool RadioButtonUU = false;  // MIME otherwise
    std::vector<std::string> ATTACHEDFILEs;
};

// The lines of the file: the six fields, "1" or "0" for UU, then one attachment a line.
std::vector<std::string> MailSettingsLines(const MailSettings& settings);
// Reads those lines back. Missing lines leave their fields empty; only exactly "1" on line 7
// selects UU; empty lines among the attachments are no files and are skipped.
MailSettings MailSettingsFromLines(const std::vector<std::string>& lines);

// OPTION3.INI of the program directory, found without regard to case. Writing goes through a
// temporary file and a rename, so a failed write keeps the old settings. A field holding a line
// break would shift every line after it and is refused with its field's name.
bool MailSettingsExist(const std::string& dir);
FileFailure ReadMailSettings(const std::string& dir, MailSettings& settings);
FileFailure WriteMailSettings(const std::string& dir, const MailSettings& settings);

// The name of a trainee's results file: name, ID, "_", month, "_", day and ".TXT", the numbers
// without leading zeros (Ann with ID 77 on 6 December: Ann77_12_6.TXT). Whatever the name and ID
// hold, the result is one plain file name of the program directory: characters a file name
// cannot hold become "_", and so does a dot that would start the name or follow another dot.
std::string ResultsFileName(std::string_view userName, std::string_view userId, const Date& date);

// The bytes of an attachment, or the system's reason it cannot be read.
FileFailure ReadAttachmentFile(const std::string& path, std::string& bytes);

// Fills the message for one send from the window's fields. The lists are set, not added to, so
// a second attempt after a failure sends each recipient and attachment once; the results file
// is attached once, after the listed files, unless it is listed already.
void FillPostMessage(TMailMessage& message, const MailSettings& settings,
                     const std::string& fromName, const std::vector<std::string>& body,
                     const std::string& resultsFile);

}  // namespace ardentix
