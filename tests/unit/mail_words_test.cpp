// The texts of a message header that are not typed (its date and id) and the encodings of text
// beyond ASCII: encoded words, extended parameter values and quoted-printable lines. Expected
// texts are written out from the rules; the base64 of the short words and the week days were
// checked with Python's base64 and datetime modules.
#include <gtest/gtest.h>

#include "mail/mime_words.h"

namespace ardentix {
namespace {

using Lines = std::vector<std::string>;

constexpr int64_t kHour = 3600000, kMinute = 60000, kSecond = 1000;

// The text of one encoded word, decoded by the rules of base64, independent of the encoder.
std::string decodedWord(const std::string& word) {
    const std::string start = "=?UTF-8?B?", end = "?=";
    EXPECT_EQ(word.substr(0, start.size()), start) << word;
    EXPECT_EQ(word.substr(word.size() - end.size()), end) << word;
    const std::string text = word.substr(start.size(), word.size() - start.size() - end.size());
    const std::string table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string bytes;
    unsigned bits = 0, count = 0;
    for (char c : text) {
        if (c == '=') break;
        bits = (bits << 6) | static_cast<unsigned>(table.find(c));
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 255);
        }
    }
    return bytes;
}

Lines decodedWords(const Lines& words) {
    Lines pieces;
    for (const std::string& word : words) {
        EXPECT_LE(word.size(), kMaxEncodedWord) << word;
        pieces.push_back(decodedWord(word));
    }
    return pieces;
}

TEST(MailDate, WeekDayMonthAndTimeFromTheDate) {
    const int64_t evening = 18 * kHour + 49 * kMinute + 2 * kSecond + 999;
    EXPECT_EQ(MailDate({2026, 12, 7}, evening, 60), "Mon, 07 Dec 2026 18:49:02 +0100");
    // The day before is the first entry of the week's table, the first month of the year the
    // first of the months'.
    EXPECT_EQ(MailDate({2026, 12, 6}, evening, 60), "Sun, 06 Dec 2026 18:49:02 +0100");
    EXPECT_EQ(MailDate({2027, 1, 2}, evening, 60), "Sat, 02 Jan 2027 18:49:02 +0100");
    EXPECT_EQ(MailDate({2024, 2, 29}, 0, 0), "Thu, 29 Feb 2024 00:00:00 +0000");
    EXPECT_EQ(MailDate({2100, 3, 1}, 0, 0), "Mon, 01 Mar 2100 00:00:00 +0000");  // 2100: no leap
    // The last millisecond of the day is still 23:59:59.
    EXPECT_EQ(MailDate({2000, 1, 1}, 24 * kHour - 1, 0), "Sat, 01 Jan 2000 23:59:59 +0000");
    EXPECT_EQ(MailDate({2000, 1, 1}, 9 * kHour + 5 * kMinute + 7 * kSecond, 0),
              "Sat, 01 Jan 2000 09:05:07 +0000");
}

TEST(MailDate, OffsetsEastAndWestWithTheirMinutes) {
    const Date day{2026, 12, 7};
    EXPECT_EQ(MailDate(day, 0, 330), "Mon, 07 Dec 2026 00:00:00 +0530");
    EXPECT_EQ(MailDate(day, 0, -210), "Mon, 07 Dec 2026 00:00:00 -0330");
    // Less than an hour west: the sign comes from the minutes, not from the hours.
    EXPECT_EQ(MailDate(day, 0, -30), "Mon, 07 Dec 2026 00:00:00 -0030");
    EXPECT_EQ(MailDate(day, 0, -1), "Mon, 07 Dec 2026 00:00:00 -0001");
    EXPECT_EQ(MailDate(day, 0, 840), "Mon, 07 Dec 2026 00:00:00 +1400");
    EXPECT_EQ(MailDate(day, 0, -720), "Mon, 07 Dec 2026 00:00:00 -1200");
}

TEST(MailMessageId, RandomDigitsTimeAndTheSendersDomain) {
    const Date day{2026, 12, 7};
    const int64_t time = 9 * kHour + 5 * kMinute + 7 * kSecond + 500;
    EXPECT_EQ(MakeMessageId("ann@example.com", day, time, 0x0123456789abcdefULL),
              "<0123456789abcdef.20261207090507@example.com>");
    // All 16 digits, also when they are zeros or the largest value.
    EXPECT_EQ(MakeMessageId("Ann <ann@Mail-2.example.co.uk>", {2027, 1, 2}, 24 * kHour - 1, 0),
              "<0000000000000000.20270102235959@Mail-2.example.co.uk>");
    EXPECT_EQ(MakeMessageId("mailto:ann@example.com", day, 0, ~0ULL),
              "<ffffffffffffffff.20261207000000@example.com>");
    // The domain follows the last "@".
    EXPECT_EQ(MakeMessageId("\"a@b\"@example.org", day, 0, 1),
              "<0000000000000001.20261207000000@example.org>");
    // A domain that is not plain letters, digits, "-" and dots between them is not used.
    for (const char* from :
         {"ann", "ann@", "ann@exa_mple.com", "ann@[192.0.2.1]", "ann@.example.com",
          "ann@example.com.", "ann@example..com", "ann@zo\xc3\xab.example", "ann@ex ample.com"}) {
        EXPECT_EQ(MakeMessageId(from, day, 0, 1),
                  "<0000000000000001.20261207000000@ardentix.invalid>")
            << from;
    }
}

TEST(MailWords, AsciiAndUtf8Prefix) {
    EXPECT_TRUE(IsAscii(""));
    EXPECT_TRUE(IsAscii("plain \x01\x7f text"));
    EXPECT_FALSE(IsAscii("\x80"));
    EXPECT_FALSE(IsAscii("Zo\xc3\xab"));
    // "ë" is two bytes: a cut inside it moves before it.
    EXPECT_EQ(Utf8Prefix("Zo\xc3\xab!", 2), "Zo");
    EXPECT_EQ(Utf8Prefix("Zo\xc3\xab!", 3), "Zo");
    EXPECT_EQ(Utf8Prefix("Zo\xc3\xab!", 4), "Zo\xc3\xab");
    EXPECT_EQ(Utf8Prefix("Zo\xc3\xab!", 9), "Zo\xc3\xab!");
}

TEST(MailWords, ShortTextsAreOneWord) {
    EXPECT_EQ(EncodedWords("Zo\xc3\xab"), Lines{"=?UTF-8?B?Wm/Dqw==?="});
    EXPECT_EQ(decodedWord("=?UTF-8?B?Wm/Dqw==?="), "Zo\xc3\xab");
    EXPECT_EQ(EncodedWords("Smith, Zo\xc3\xab"), Lines{"=?UTF-8?B?U21pdGgsIFpvw6s=?="});
    EXPECT_EQ(EncodedWords("Gr\xc3\xbc\xc3\x9f"
                           "e"),
              Lines{"=?UTF-8?B?R3LDvMOfZQ==?="});
    EXPECT_EQ(EncodedWords(""), Lines{});
}

TEST(MailWords, LongTextsSplitBetweenCharactersAtTheLimit) {
    const std::string e = "\xc3\xab";  // ë
    // A word holds 45 bytes (60 base64 characters, 72 with its frame). "ë" ending on byte 45
    // stays in the first word; one byte later it moves whole to the second.
    EXPECT_EQ(decodedWords(EncodedWords(std::string(43, 'a') + e + "b")),
              (Lines{std::string(43, 'a') + e, "b"}));
    EXPECT_EQ(decodedWords(EncodedWords(std::string(44, 'a') + e + "b")),
              (Lines{std::string(44, 'a'), e + "b"}));
    EXPECT_EQ(decodedWords(EncodedWords(std::string(45, 'a') + e + "b")),
              (Lines{std::string(45, 'a'), e + "b"}));
    EXPECT_EQ(EncodedWords(std::string(45, 'a') + e)[0].size(), 72u);
    // Words of 44 bytes (22 "ë"): 88 of them make four, one more a fifth.
    std::string many;
    for (int i = 0; i < 88; ++i)
        many += e;
    EXPECT_EQ(decodedWords(EncodedWords(many)), (Lines{many.substr(0, 44), many.substr(44, 44),
                                                       many.substr(88, 44), many.substr(132)}));
    EXPECT_EQ(
        decodedWords(EncodedWords(many + e)),
        (Lines{many.substr(0, 44), many.substr(44, 44), many.substr(88, 44), many.substr(132), e}));
    // Three-byte characters ("€"): 15 fit in a word of 45 bytes.
    std::string euros;
    for (int i = 0; i < 16; ++i)
        euros += "\xe2\x82\xac";
    EXPECT_EQ(decodedWords(EncodedWords(euros)), (Lines{euros.substr(0, 45), euros.substr(45)}));
}

TEST(MailWords, TheFirstWordFitsItsRoomAndBlanksEndWords) {
    const std::string text(100, 'z');
    // Room 69 (a Subject line) holds 14 groups of three bytes; 68 as well, 67 one group fewer.
    EXPECT_EQ(decodedWord(EncodedWords(text, 69)[0]).size(), 42u);
    EXPECT_EQ(decodedWord(EncodedWords(text, 68)[0]).size(), 42u);
    EXPECT_EQ(decodedWord(EncodedWords(text, 67)[0]).size(), 39u);
    EXPECT_EQ(decodedWords(EncodedWords(text, 69)),
              (Lines{text.substr(0, 42), text.substr(42, 45), text.substr(87)}));
    // A room above a word's size gives no longer a word; one too small still takes a character.
    EXPECT_EQ(decodedWord(EncodedWords(text, 200)[0]).size(), 45u);
    EXPECT_EQ(decodedWords(EncodedWords("\xc3\xab" + text.substr(0, 50), 1)),
              (Lines{"\xc3\xab", text.substr(0, 45), text.substr(45, 5)}));
    // A word that leaves text for the next ends after its last blank.
    const std::string name = std::string(40, 'a') + " " + std::string(10, 'b') + "\xc3\xab";
    EXPECT_EQ(decodedWords(EncodedWords(name)),
              (Lines{std::string(40, 'a') + " ", std::string(10, 'b') + "\xc3\xab"}));
    // Not when the rest fits, and not for a blank at the very start.
    EXPECT_EQ(decodedWords(EncodedWords("a b\xc3\xab")), Lines{"a b\xc3\xab"});
    EXPECT_EQ(decodedWords(EncodedWords(" " + text)),
              (Lines{" " + text.substr(0, 44), text.substr(44, 45), text.substr(89)}));
}

// The text of an extended parameter value, decoded by its rules.
std::string decodedValue(const std::string& value) {
    const std::string lead = "UTF-8''";
    EXPECT_EQ(value.substr(0, lead.size()), lead);
    std::string text;
    for (size_t i = lead.size(); i < value.size(); ++i) {
        if (value[i] == '%') {
            text += static_cast<char>(std::stoi(value.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            text += value[i];
        }
    }
    return text;
}

TEST(MailWords, ExtendedValuesKeepOnlyAttributeCharacters) {
    EXPECT_EQ(ExtendedValue("Zo\xc3\xab.TXT"), "UTF-8''Zo%C3%AB.TXT");
    EXPECT_EQ(ExtendedValue("Az09!#$&+-.^_`|~"), "UTF-8''Az09!#$&+-.^_`|~");
    EXPECT_EQ(ExtendedValue("a b*'%\"\\;=(){}/\x7f\t"),
              "UTF-8''a%20b%2A%27%25%22%5C%3B%3D%28%29%7B%7D%2F%7F%09");
    // Every byte value comes back, and only attribute characters stand for themselves.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string value = ExtendedValue(all);
    EXPECT_EQ(decodedValue(value), all);
    const std::string allowed =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789!#$&+-.^_`|~%";
    for (char c : value.substr(7))
        EXPECT_NE(allowed.find(c), std::string::npos) << c;
}

TEST(MailQuotedPrintable, EscapesBeyondAsciiEqualsControlsAndTrailingBlanks) {
    EXPECT_EQ(QuotedPrintable(""), Lines{""});
    EXPECT_EQ(QuotedPrintable("Zo\xc3\xab"), Lines{"Zo=C3=AB"});
    EXPECT_EQ(QuotedPrintable("a=b ~"), Lines{"a=3Db ~"});
    EXPECT_EQ(QuotedPrintable("\x01\x7f\xff"), Lines{"=01=7F=FF"});
    // Blanks inside the line stay, at its end they are written out.
    EXPECT_EQ(QuotedPrintable("a \tb "), Lines{"a \tb=20"});
    EXPECT_EQ(QuotedPrintable("x\t"), Lines{"x=09"});
    EXPECT_EQ(QuotedPrintable("  "), Lines{" =20"});
}

TEST(MailQuotedPrintable, SoftBreaksHoldLinesTo76Characters) {
    EXPECT_EQ(QuotedPrintable(std::string(75, 'x')), Lines{std::string(75, 'x')});
    EXPECT_EQ(QuotedPrintable(std::string(76, 'x')), Lines{std::string(76, 'x')});
    // One more: the first line keeps room for its "=".
    EXPECT_EQ(QuotedPrintable(std::string(77, 'x')), (Lines{std::string(75, 'x') + "=", "xx"}));
    EXPECT_EQ(QuotedPrintable(std::string(151, 'x')),
              (Lines{std::string(75, 'x') + "=", std::string(76, 'x')}));
    // An escape is never cut: "ë" ending on character 76 fits, one later it moves on.
    const std::string e = "\xc3\xab";
    EXPECT_EQ(QuotedPrintable(std::string(70, 'x') + e), Lines{std::string(70, 'x') + "=C3=AB"});
    EXPECT_EQ(QuotedPrintable(std::string(71, 'x') + e),
              (Lines{std::string(71, 'x') + "=C3=", "=AB"}));
    EXPECT_EQ(QuotedPrintable(std::string(73, 'x') + e),
              (Lines{std::string(73, 'x') + "=", "=C3=AB"}));
    // A trailing blank at the limit and one past it.
    EXPECT_EQ(QuotedPrintable(std::string(73, 'x') + " "), Lines{std::string(73, 'x') + "=20"});
    EXPECT_EQ(QuotedPrintable(std::string(74, 'x') + " "),
              (Lines{std::string(74, 'x') + "=", "=20"}));
    // A blank before a soft break is not at the end of the text and stays a blank.
    EXPECT_EQ(QuotedPrintable(std::string(74, 'x') + " yy"),
              (Lines{std::string(74, 'x') + " =", "yy"}));
}

}  // namespace
}  // namespace ardentix
