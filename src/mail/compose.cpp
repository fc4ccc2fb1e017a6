#include "mail/compose.h"

#include <algorithm>

#include "mail/encoder.h"
#include "mail/mime_words.h"

namespace ardentix {

namespace {

std::string joinedAddresses(const std::vector<std::string>& entries) {
    std::string text;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) text += ',';
        text += BareAddress(entries[i]);
    }
    return text;
}

// A file name inside a quoted parameter: its quotes and backslashes escaped.
std::string quotedName(std::string_view name) {
    std::string text;
    for (char c : name) {
        if (c == '"' || c == '\\') text += '\\';
        text += c;
    }
    return text;
}

// The text as encoded words, one to a line, on a header line that already holds used characters.
std::string foldedWords(std::string_view text, size_t used) {
    std::string folded;
    for (const std::string& word : EncodedWords(text, kFoldedLineLength - used)) {
        if (!folded.empty()) folded += "\r\n ";
        folded += word;
    }
    return folded;
}

// A plain name stands before "<" without a blank, as it always has; encoded words need one, or a
// fold when the address would not fit on their last line.
std::string fromLine(const TMailMessage& message) {
    const std::string address = "<" + BareAddress(message.FromAddress) + ">";
    if (IsAscii(message.FromName)) return "From: " + DisplayName(message.FromName) + address;
    const std::string lead = "From: ";
    std::string line = lead + foldedWords(message.FromName, lead.size());
    const size_t lastStart = line.rfind('\n') == std::string::npos ? 0 : line.rfind('\n') + 1;
    const bool fits = line.size() - lastStart + 1 + address.size() <= kFoldedLineLength;
    return line + (fits ? " " : "\r\n ") + address;
}

bool utf8Body(const TMailMessage& message) {
    return !std::all_of(message.Body.begin(), message.Body.end(),
                        [](const std::string& line) { return IsAscii(line); });
}

void appendBody(std::string& data, const TMailMessage& message) {
    if (!utf8Body(message)) {
        for (const std::string& line : message.Body)
            AppendDataLine(data, line);
        return;
    }
    for (const std::string& line : message.Body) {
        for (std::string_view piece : SplitAtBreaks(line)) {
            for (const std::string& encoded : QuotedPrintable(piece))
                AppendDataLine(data, encoded);
        }
    }
}

void appendPart(std::string& data, const std::string& boundary, EncodeType type,
                const std::string& path, const std::string& bytes) {
    const std::string name = AttachmentName(path);
    AppendDataLine(data, "--" + boundary);
    AppendDataLine(data, kAttachmentContentType + NameParameter("name", name));
    AppendDataLine(data, type == EncodeType::uuCode ? kUuEncoding : kBase64Encoding);
    AppendDataLine(data, kAttachmentDisposition + NameParameter("filename", name));
    AppendDataLine(data, "");
    for (const std::string& line : TAttachmentEncoder(type).Encode(bytes))
        AppendDataLine(data, line);
}

}  // namespace

std::string MakeBoundary(std::string_view longTime) {
    return kBoundaryPrefix + std::string(longTime) + "====";
}

std::string AttachmentName(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string NameParameter(std::string_view parameter, std::string_view fileName) {
    const bool quotable = std::none_of(fileName.begin(), fileName.end(), [](char c) {
        const unsigned char b = static_cast<unsigned char>(c);
        return b < 0x20 || b >= 0x7F;
    });
    if (quotable) return std::string(parameter) + "=\"" + quotedName(fileName) + "\"";
    return std::string(parameter) + "*=" + ExtendedValue(fileName);
}

THeaderList HeaderLines(const TMailMessage& message, const std::string& boundary) {
    THeaderList header;
    header.Add(fromLine(message));
    if (!message.ToAddress.empty()) header.Add("To: " + joinedAddresses(message.ToAddress));
    // An empty copy entry still gives the line; blind copies never appear.
    if (!message.ToCarbonCopy.empty()) header.Add("CC: " + joinedAddresses(message.ToCarbonCopy));
    const std::string subjectLead = "Subject: ";
    header.SetValue("Subject", IsAscii(message.Subject)
                                   ? message.Subject
                                   : foldedWords(message.Subject, subjectLead.size()));
    header.SetValue("X-Mailer", message.LocalProgram);
    header.SetValue("Reply-To", message.ReplyTo);
    header.SetValue("Date", message.Date);
    header.SetValue("Message-ID", message.MessageID);
    header.Add(kMimeVersion);
    if (boundary.empty()) {
        header.Add(utf8Body(message) ? kUtf8ContentType : kPlainContentType);
        if (utf8Body(message)) header.Add(kQuotedPrintableEncoding);
    } else {
        header.Add(kMultipartContentType + boundary + "\"");
    }
    return header;
}

std::string MessageData(const TMailMessage& message, EncodeType type, const std::string& boundary,
                        const std::vector<std::string>& attachmentBytes) {
    std::string data;
    if (!boundary.empty()) {
        AppendDataLine(data, "--" + boundary);
        AppendDataLine(data, utf8Body(message) ? kUtf8ContentType : kPlainContentType);
        if (utf8Body(message)) AppendDataLine(data, kQuotedPrintableEncoding);
        AppendDataLine(data, "");
    }
    appendBody(data, message);
    if (boundary.empty()) return data;
    for (size_t i = 0; i < message.Attachments.size(); ++i) {
        const std::string& bytes = i < attachmentBytes.size() ? attachmentBytes[i] : std::string();
        appendPart(data, boundary, type, message.Attachments[i], bytes);
    }
    AppendDataLine(data, "--" + boundary + "--");
    return data;
}

std::optional<std::string> ComposeMessage(const TMailMessage& message, EncodeType type,
                                          std::string_view longTime,
                                          const std::vector<std::string>& attachmentBytes,
                                          ComposedMessage& composed) {
    if (auto refusal = LineBreakInMessage(message)) return refusal;
    const std::string boundary = message.Attachments.empty() ? "" : MakeBoundary(longTime);
    if (HoldsLineBreak(boundary)) return LineBreakRefusal("time text");
    THeaderList header = HeaderLines(message, boundary);
    // A header line cannot be cut without changing what it says: a long one is refused. Each
    // line of a folded header goes on the wire as a line of its own.
    for (const std::string& line : header.Lines()) {
        for (std::string_view physical : SplitAtBreaks(line)) {
            if (physical.size() > kMaxLineOctets)
                return "The " + line.substr(0, line.find(':')) + " line is too long to be sent.";
        }
    }
    composed.header = header.Lines();
    composed.data = MessageData(message, type, boundary, attachmentBytes);
    return std::nullopt;
}

}  // namespace ardentix
