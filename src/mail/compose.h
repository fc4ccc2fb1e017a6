#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mail/message.h"

namespace ardentix {

// The fixed texts of the message. In each parameter line the parameter begins at the 50th
// character, so the blanks are part of the text.
inline constexpr const char* kPlainContentType =
    "Content-Type: text/plain;                        charset=us-ascii";
inline constexpr const char* kMultipartContentType =
    "Content-Type: multipart/mixed;                   boundary=\"";
inline constexpr const char* kAttachmentContentType =
    "Content-Type: application/octet-stream;          name=\"";
inline constexpr const char* kAttachmentDisposition =
    "Content-Disposition: attachment;                 filename=\"";
inline constexpr const char* kBase64Encoding = "Content-Transfer-Encoding: base64";
// UU lines are labelled as what they are: a mail program that knows the label decodes them, one
// that does not shows them as text. Labelled base64 they would be decoded into garbage.
inline constexpr const char* kUuEncoding = "Content-Transfer-Encoding: x-uuencode";
inline constexpr const char* kMimeVersion = "Mime-Version: 1.0";
inline constexpr const char* kBoundaryPrefix = "====================54535";

// What the client sends after DATA: the header lines (without line ends), and the message data,
// every line already ended by CR LF and stuffed.
struct ComposedMessage {
    std::vector<std::string> header;
    std::string data;
};

// The boundary is the prefix, the long time text as the clock gives it and four equals signs.
std::string MakeBoundary(std::string_view longTime);
// The name an attachment is sent under: its path without the directory.
std::string AttachmentName(std::string_view path);

// The header lines in their order. The boundary is empty for a message without attachments.
THeaderList HeaderLines(const TMailMessage& message, const std::string& boundary);
// The message data. attachmentBytes holds the content of each attachment, in list order.
std::string MessageData(const TMailMessage& message, EncodeType type, const std::string& boundary,
                        const std::vector<std::string>& attachmentBytes);

// Both pieces, or the reason the message cannot go out: a line break in one of its fields, or a
// header line longer than the wire allows. longTime is the clock's long time text, used for the
// boundary when there are attachments.
std::optional<std::string> ComposeMessage(const TMailMessage& message, EncodeType type,
                                          std::string_view longTime,
                                          const std::vector<std::string>& attachmentBytes,
                                          ComposedMessage& composed);

}  // namespace ardentix
