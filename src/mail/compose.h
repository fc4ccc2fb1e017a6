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
// A text that is not plain ASCII goes out in UTF-8, quoted-printable.
inline constexpr const char* kUtf8ContentType =
    "Content-Type: text/plain;                        charset=utf-8";
inline constexpr const char* kQuotedPrintableEncoding =
    "Content-Transfer-Encoding: quoted-printable";
inline constexpr const char* kMultipartContentType =
    "Content-Type: multipart/mixed;                   boundary=\"";
// The attachment's lines up to their parameter: name= and filename= with the file's name.
inline constexpr const char* kAttachmentContentType =
    "Content-Type: application/octet-stream;          ";
inline constexpr const char* kAttachmentDisposition =
    "Content-Disposition: attachment;                 ";
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

// A file name as the parameter of that name: quoted (name="a.TXT"), or, when it holds a byte
// above ASCII or a control character, in the extended form (name*=UTF-8''Zo%C3%AB.TXT).
std::string NameParameter(std::string_view parameter, std::string_view fileName);

// The header lines in their order: From, To, CC, Subject, X-Mailer, Reply-To, Date, Message-ID,
// Mime-Version, Content-Type and, for a body that is not plain ASCII and has no attachments,
// Content-Transfer-Encoding. A From name or Subject that is not plain ASCII is written as
// encoded words, folded (CR LF and a blank) so that its lines stay within 78 characters. The
// boundary is empty for a message without attachments.
THeaderList HeaderLines(const TMailMessage& message, const std::string& boundary);
// The message data. attachmentBytes holds the content of each attachment, in list order.
std::string MessageData(const TMailMessage& message, EncodeType type, const std::string& boundary,
                        const std::vector<std::string>& attachmentBytes);

// Both pieces, or the reason the message cannot go out: a line break in one of its fields, or a
// header line (each line of a folded one on its own) longer than the wire allows. longTime is the
// clock's long time text, used for the boundary when there are attachments.
std::optional<std::string> ComposeMessage(const TMailMessage& message, EncodeType type,
                                          std::string_view longTime,
                                          const std::vector<std::string>& attachmentBytes,
                                          ComposedMessage& composed);

}  // namespace ardentix
