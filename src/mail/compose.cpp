#include "mail/compose.h"

#include "mail/encoder.h"

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

void appendPart(std::string& data, const std::string& boundary, EncodeType type,
                const std::string& path, const std::string& bytes) {
    const std::string name = quotedName(AttachmentName(path));
    AppendDataLine(data, "--" + boundary);
    AppendDataLine(data, kAttachmentContentType + name + "\"");
    AppendDataLine(data, type == EncodeType::uuCode ? kUuEncoding : kBase64Encoding);
    AppendDataLine(data, kAttachmentDisposition + name + "\"");
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

THeaderList HeaderLines(const TMailMessage& message, const std::string& boundary) {
    THeaderList header;
    header.Add("From: " + DisplayName(message.FromName) + "<" + BareAddress(message.FromAddress) +
               ">");
    if (!message.ToAddress.empty()) header.Add("To: " + joinedAddresses(message.ToAddress));
    // An empty copy entry still gives the line; blind copies never appear.
    if (!message.ToCarbonCopy.empty()) header.Add("CC: " + joinedAddresses(message.ToCarbonCopy));
    header.SetValue("Subject", message.Subject);
    header.SetValue("X-Mailer", message.LocalProgram);
    header.SetValue("Reply-To", message.ReplyTo);
    header.SetValue("Date", message.Date);
    header.Add(kMimeVersion);
    if (boundary.empty()) {
        header.Add(kPlainContentType);
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
        AppendDataLine(data, kPlainContentType);
        AppendDataLine(data, "");
    }
    for (const std::string& line : message.Body)
        AppendDataLine(data, line);
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
    // A header line cannot be cut without changing what it says: a long one is refused.
    for (const std::string& line : header.Lines()) {
        if (line.size() > kMaxLineOctets)
            return "The " + line.substr(0, line.find(':')) + " line is too long to be sent.";
    }
    composed.header = header.Lines();
    composed.data = MessageData(message, type, boundary, attachmentBytes);
    return std::nullopt;
}

}  // namespace ardentix
