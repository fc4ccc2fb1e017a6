#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "mail/message.h"

namespace ardentix {

// Turns an attachment's bytes into text lines: blocks of 45 bytes, one line each.
class TAttachmentEncoder {
  public:
    static constexpr size_t kBlockBytes = 45;

    explicit TAttachmentEncoder(EncodeType type) : type_(type) {}
    // The lines without their line ends. Base64 gives nothing for no bytes; UU always ends with
    // the line that holds only the character for 0.
    std::vector<std::string> Encode(std::string_view bytes) const;
    // One block of at most 45 bytes as one line.
    std::string EncodeBlock(std::string_view block) const;

  private:
    EncodeType type_;
};

// The lines of a text, split where it breaks a line (CR LF, LF or a lone CR). Unlike SplitLines,
// a break at the end gives a last empty line (the text had a break there), and an empty text is
// one empty line.
std::vector<std::string_view> SplitAtBreaks(std::string_view text);

// Appends one line of message data and its CR LF. A line that begins with "." gets one more in
// front, so the server never reads it as the end of the data. A line break inside the text ends
// a line there (CR LF, LF or a lone CR), and a line longer than the wire allows is cut into
// pieces that fit, each stuffed on its own.
void AppendDataLine(std::string& data, std::string_view line);

}  // namespace ardentix
