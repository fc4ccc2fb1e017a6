#include "mail/mail_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "mail/mime_words.h"

namespace ardentix {

namespace {

constexpr size_t kFieldLines = 6;

// The name and ID part of a results file name is held to this many bytes, so the whole name
// stays well inside what a file system allows.
constexpr size_t kMaxNameBytes = 200;

bool forbiddenInFileName(unsigned char c) {
    return c < 32 || c == 127 || std::strchr("/\\:*?\"<>|", c) != nullptr;
}

}  // namespace

std::vector<std::string> MailSettingsLines(const MailSettings& settings) {
    std::vector<std::string> lines = {settings.SMTPSERV,
                                      settings.ToFIELD,
                                      settings.FromADDRESSField,
                                      settings.CcFIELD,
                                      settings.SUBJECT,
                                      settings.USERIDFIELD,
                                      settings.RadioButtonUU ? "1" : "0"};
    lines.insert(lines.end(), settings.ATTACHEDFILEs.begin(), settings.ATTACHEDFILEs.end());
    return lines;
}

MailSettings MailSettingsFromLines(const std::vector<std::string>& lines) {
    MailSettings settings;
    std::string* fields[kFieldLines] = {&settings.SMTPSERV,         &settings.ToFIELD,
                                        &settings.FromADDRESSField, &settings.CcFIELD,
                                        &settings.SUBJECT,          &settings.USERIDFIELD};
    for (size_t i = 0; i < kFieldLines && i < lines.size(); ++i)
        *fields[i] = lines[i];
    settings.RadioButtonUU = lines.size() > kFieldLines && lines[kFieldLines] == "1";
    for (size_t i = kFieldLines + 1; i < lines.size(); ++i) {
        if (!lines[i].empty()) settings.ATTACHEDFILEs.push_back(lines[i]);
    }
    return settings;
}

bool MailSettingsExist(const std::string& dir) {
    return ProgramFileExists(dir, kOption3File);
}

FileFailure ReadMailSettings(const std::string& dir, MailSettings& settings) {
    std::vector<std::string> lines;
    if (FileFailure failure = ReadTextLines(ProgramFile(dir, kOption3File), lines)) return failure;
    settings = MailSettingsFromLines(lines);
    return std::nullopt;
}

FileFailure WriteMailSettings(const std::string& dir, const MailSettings& settings) {
    struct Field {
        const char* name;
        const std::string* text;
    };
    const Field fields[] = {{"SMTP Server", &settings.SMTPSERV},
                            {"To Address", &settings.ToFIELD},
                            {"From Address", &settings.FromADDRESSField},
                            {"CC", &settings.CcFIELD},
                            {"Subject", &settings.SUBJECT},
                            {"SMTP User ID", &settings.USERIDFIELD}};
    for (const Field& field : fields) {
        if (HoldsLineBreak(*field.text)) return LineBreakRefusal(field.name);
    }
    for (const std::string& path : settings.ATTACHEDFILEs) {
        if (HoldsLineBreak(path)) return LineBreakRefusal("attachment path");
    }
    return ReplaceTextLines(ProgramFile(dir, kOption3File), MailSettingsLines(settings));
}

std::string ResultsFileName(std::string_view userName, std::string_view userId, const Date& date) {
    const std::string who = std::string(userName) + std::string(userId);
    std::string name;
    for (char c : Utf8Prefix(who, kMaxNameBytes)) {
        const bool dotOutOfPlace = c == '.' && (name.empty() || name.back() == '.');
        name += forbiddenInFileName(static_cast<unsigned char>(c)) || dotOutOfPlace ? '_' : c;
    }
    return name + "_" + std::to_string(date.month) + "_" + std::to_string(date.day) + ".TXT";
}

FileFailure ReadAttachmentFile(const std::string& path, std::string& bytes) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return path + ": " + std::strerror(errno != 0 ? errno : EIO);
    bytes.clear();
    char block[16384];
    size_t n = 0;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, n);
    const int err = std::ferror(file) ? (errno != 0 ? errno : EIO) : 0;
    std::fclose(file);
    if (err != 0) return path + ": " + std::strerror(err);
    return std::nullopt;
}

void FillPostMessage(TMailMessage& message, const MailSettings& settings,
                     const std::string& fromName, const std::vector<std::string>& body,
                     const std::string& resultsFile) {
    message.FromName = fromName;
    message.FromAddress = settings.FromADDRESSField;
    message.Subject = settings.SUBJECT;
    // Each field gives one entry, even an empty one; the blind copy field is always empty.
    message.ToAddress = {settings.ToFIELD};
    message.ToCarbonCopy = {settings.CcFIELD};
    message.ToBlindCarbonCopy = {""};
    message.Body = body;
    message.Attachments = settings.ATTACHEDFILEs;
    if (!resultsFile.empty() && std::find(message.Attachments.begin(), message.Attachments.end(),
                                          resultsFile) == message.Attachments.end())
        message.Attachments.push_back(resultsFile);
}

}  // namespace ardentix
