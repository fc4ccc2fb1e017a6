// The message the mail client sends, byte for byte: header lines, the plain and multipart data,
// base64 and UU attachments, dot-stuffing, long lines, and fields that would break a line; the
// date and id lines, and names, subjects, file names and bodies beyond ASCII. Also
// the mail settings file and the results file's name. Every expected text is written out from
// the rules (the blanks counted, the encodings checked against coreutils' base64 and Python's
// binascii), never copied from the code's output.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "mail/compose.h"
#include "mail/encoder.h"
#include "mail/mail_files.h"
#include "mail/message.h"
#include "temp_dir.h"

namespace ardentix {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string kBlanks24(24, ' ');
const std::string kPlain = "Content-Type: text/plain;" + kBlanks24 + "charset=us-ascii";
// The clock's long time text, blanks and colons included.
const std::string kTime = "9:00:00 AM";
const std::string kBoundary = "====================54535" + kTime + "====";

std::string partHead(const std::string& name, const char* encoding) {
    return "--" + kBoundary + "\r\n" + "Content-Type: application/octet-stream;" +
           std::string(10, ' ') + "name=\"" + name + "\"\r\n" +
           "Content-Transfer-Encoding: " + encoding + "\r\n" + "Content-Disposition: attachment;" +
           std::string(17, ' ') + "filename=\"" + name + "\"\r\n\r\n";
}

TMailMessage sample() {
    TMailMessage m;
    m.FromName = "Ann Smith";
    m.FromAddress = "ann@example.com";
    m.Subject = "Results";
    m.ToAddress = {"boss@example.com"};
    m.ToCarbonCopy = {""};
    m.ToBlindCarbonCopy = {"hidden@example.com"};
    m.Body = {"", "", "Hello", ".hidden", "..two"};
    return m;
}

ComposedMessage compose(const TMailMessage& m, EncodeType type, const Lines& contents = {}) {
    ComposedMessage out;
    const auto refusal = ComposeMessage(m, type, kTime, contents, out);
    EXPECT_FALSE(refusal) << *refusal;
    return out;
}

TEST(MailHeaderList, FindsByNameWithoutCaseAndSetsOrRemoves) {
    THeaderList h;
    h.Add("X-Subject: not this one");
    h.Add("subject: old");
    h.Add("To: a@b");
    EXPECT_EQ(h.Find("SUBJECT"), 1u);  // the text before the first ":", any case
    EXPECT_EQ(h.Find("To"), 2u);
    EXPECT_FALSE(h.Find("Subj"));
    h.SetValue("Subject", "new");  // replaced in its place
    h.SetValue("Date", "today");   // appended
    EXPECT_EQ(h.Lines(),
              (Lines{"X-Subject: not this one", "Subject: new", "To: a@b", "Date: today"}));
    h.SetValue("to", "");  // an empty value removes the line
    h.SetValue("Cc", "");  // and sets nothing when there is none
    EXPECT_EQ(h.Lines(), (Lines{"X-Subject: not this one", "Subject: new", "Date: today"}));
}

TEST(MailCompose, PlainMessageByteForByte) {
    const ComposedMessage c = compose(sample(), EncodeType::uuMime);
    // No blank before "<"; an empty CC entry still gives its line; blind copies never show.
    EXPECT_EQ(c.header, (Lines{"From: Ann Smith<ann@example.com>", "To: boss@example.com",
                               "CC: ", "Subject: Results", "X-Mailer: Ardentix SMTP",
                               "Mime-Version: 1.0", kPlain}));
    EXPECT_EQ(c.data, "\r\n\r\nHello\r\n..hidden\r\n...two\r\n");
}

TEST(MailCompose, EmptyFieldsLeaveTheirLinesOut) {
    TMailMessage m = sample();
    m.Subject.clear();
    m.LocalProgram.clear();
    m.ToCarbonCopy.clear();
    m.FromName.clear();
    m.Body.clear();
    const ComposedMessage c = compose(m, EncodeType::uuMime);
    EXPECT_EQ(c.header, (Lines{"From: <ann@example.com>", "To: boss@example.com",
                               "Mime-Version: 1.0", kPlain}));
    EXPECT_EQ(c.data, "");
    // Reply-To and Date are written when given, after X-Mailer.
    m.ReplyTo = "desk@example.com";
    m.Date = "Sun, 6 Dec 2026";
    EXPECT_EQ(
        HeaderLines(m, "").Lines(),
        (Lines{"From: <ann@example.com>", "To: boss@example.com", "Reply-To: desk@example.com",
               "Date: Sun, 6 Dec 2026", "Mime-Version: 1.0", kPlain}));
}

TEST(MailCompose, AddressesAreBareAndNamesQuotedWhereNeeded) {
    TMailMessage m = sample();
    m.FromName = "Smith, Ann";
    m.FromAddress = "Ann <ann@example.com>";
    m.ToAddress = {"Boss <boss@example.com>", "mailto:desk@example.com", " x@example.com "};
    EXPECT_EQ(HeaderLines(m, "").Lines()[0], "From: \"Smith, Ann\"<ann@example.com>");
    EXPECT_EQ(HeaderLines(m, "").Lines()[1], "To: boss@example.com,desk@example.com,x@example.com");
    m.FromName = "Ann \"Doc\" Smith\\";
    EXPECT_EQ(HeaderLines(m, "").Lines()[0],
              "From: \"Ann \\\"Doc\\\" Smith\\\\\"<ann@example.com>");
    m.FromName = "J. Smith";  // a dot alone needs no quotes
    EXPECT_EQ(HeaderLines(m, "").Lines()[0], "From: J. Smith<ann@example.com>");
    EXPECT_EQ(BareAddress("a <b@c"), "b@c");  // "<" without ">": to the end
    EXPECT_EQ(BareAddress("  "), "");
}

TEST(MailCompose, OneBase64AttachmentByteForByte) {
    TMailMessage m = sample();
    m.Body = {"See the file."};
    m.Attachments = {"/home/ann/reports/Ann77_12_6.TXT"};
    const ComposedMessage c =
        compose(m, EncodeType::uuMime, {"Hello, world!\r\n"});  // base64: SGVsbG8sIHdvcmxkIQ0K
    EXPECT_EQ(c.header.back(), "Content-Type: multipart/mixed;" + std::string(19, ' ') +
                                   "boundary=\"" + kBoundary + "\"");
    EXPECT_EQ(c.header.size(), 7u);
    EXPECT_EQ(c.data, "--" + kBoundary + "\r\n" + kPlain + "\r\n\r\nSee the file.\r\n" +
                          partHead("Ann77_12_6.TXT", "base64") + "SGVsbG8sIHdvcmxkIQ0K\r\n--" +
                          kBoundary + "--\r\n");
}

TEST(MailCompose, TwoUuAttachmentsShareOneBoundary) {
    TMailMessage m = sample();
    m.Body = {};
    m.Attachments = {"C:\\reports\\a.bin", "b.txt"};
    // "Hello, world!\n" is one block of 14 bytes: its count character is "." and is stuffed.
    const ComposedMessage c = compose(m, EncodeType::uuCode, {"Hello, world!\n", "Cat"});
    EXPECT_EQ(c.data, "--" + kBoundary + "\r\n" + kPlain + "\r\n\r\n" +
                          partHead("a.bin", "x-uuencode") + "..2&5L;&\\L('=O<FQD(0H\r\n`\r\n" +
                          partHead("b.txt", "x-uuencode") + "#0V%T\r\n`\r\n" + "--" + kBoundary +
                          "--\r\n");
    // The same files in base64.
    const ComposedMessage b = compose(m, EncodeType::uuMime, {"Hello, world!\n", "Cat"});
    EXPECT_EQ(b.data, "--" + kBoundary + "\r\n" + kPlain + "\r\n\r\n" +
                          partHead("a.bin", "base64") + "SGVsbG8sIHdvcmxkIQo=\r\n" +
                          partHead("b.txt", "base64") + "Q2F0\r\n" + "--" + kBoundary + "--\r\n");
}

TEST(MailCompose, DateAndMessageIdFollowTheMailer) {
    TMailMessage m = sample();
    m.Date = "Mon, 07 Dec 2026 18:49:02 +0100";
    m.MessageID = "<0123456789abcdef.20261207184902@example.com>";
    const ComposedMessage c = compose(m, EncodeType::uuMime);
    EXPECT_EQ(c.header, (Lines{"From: Ann Smith<ann@example.com>", "To: boss@example.com",
                               "CC: ", "Subject: Results", "X-Mailer: Ardentix SMTP",
                               "Date: Mon, 07 Dec 2026 18:49:02 +0100",
                               "Message-ID: <0123456789abcdef.20261207184902@example.com>",
                               "Mime-Version: 1.0", kPlain}));
    EXPECT_EQ(c.data, "\r\n\r\nHello\r\n..hidden\r\n...two\r\n");
    // A Reply-To goes between the mailer and the date; without a date the id follows it.
    m.ReplyTo = "desk@example.com";
    m.Date.clear();
    const Lines header = HeaderLines(m, "").Lines();
    EXPECT_EQ(Lines(header.begin() + 3, header.begin() + 7),
              (Lines{"Subject: Results", "X-Mailer: Ardentix SMTP", "Reply-To: desk@example.com",
                     "Message-ID: <0123456789abcdef.20261207184902@example.com>"}));
    m.MessageID = "<a@b>\r\nBcc: x@y";
    ComposedMessage out;
    EXPECT_EQ(ComposeMessage(m, EncodeType::uuMime, kTime, {}, out),
              "The Message-ID may not hold a line break.");
}

// base64 of "aaa", as many times as asked.
std::string aaaTimes(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += "YWFh";
    return text;
}

TEST(MailCompose, NamesAndSubjectsBeyondAsciiAreEncodedWords) {
    TMailMessage m = sample();
    m.FromName = "Zo\xc3\xab Smith";  // base64 of "Zoë Smith": Wm/DqyBTbWl0aA==
    m.Subject =
        "Gr\xc3\xbc\xc3\x9f"
        "e";  // "Grüße": R3LDvMOfZQ==
    Lines header = compose(m, EncodeType::uuMime).header;
    ASSERT_EQ(header.size(), 7u);
    // An encoded name stands one blank before "<".
    EXPECT_EQ(header[0], "From: =?UTF-8?B?Wm/DqyBTbWl0aA==?= <ann@example.com>");
    EXPECT_EQ(header[3], "Subject: =?UTF-8?B?R3LDvMOfZQ==?=");
    // Characters that would need quotes in a plain name are inside the encoding.
    m.FromName = "Smith, Zo\xc3\xab";
    EXPECT_EQ(HeaderLines(m, "").Lines()[0],
              "From: =?UTF-8?B?U21pdGgsIFpvw6s=?= <ann@example.com>");
    // Long texts are folded: the Subject's first word fits "Subject: " into 78 characters with 42
    // bytes, the next words take 45; "ë" is w6s=.
    m.Subject = std::string(87, 'a') + "\xc3\xab";
    m.FromName = std::string(45, 'a') + "\xc3\xab";
    header = compose(m, EncodeType::uuMime).header;
    ASSERT_EQ(header.size(), 7u);
    EXPECT_EQ(header[3], "Subject: =?UTF-8?B?" + aaaTimes(14) + "?=\r\n =?UTF-8?B?" + aaaTimes(15) +
                             "?=\r\n =?UTF-8?B?w6s=?=");
    EXPECT_EQ(header[0],
              "From: =?UTF-8?B?" + aaaTimes(15) + "?=\r\n =?UTF-8?B?w6s=?= <ann@example.com>");
}

TEST(MailCompose, TheAddressIsFoldedWhenItDoesNotFitBesideTheEncodedName) {
    TMailMessage m = sample();
    m.FromName = "Zo\xc3\xab";  // "From: =?UTF-8?B?Wm/Dqw==?=" is 26 characters
    m.FromAddress = std::string(37, 'x') + "@example.com";  // 49: the line is 78
    EXPECT_EQ(HeaderLines(m, "").Lines()[0], "From: =?UTF-8?B?Wm/Dqw==?= <" + m.FromAddress + ">");
    m.FromAddress = "y" + m.FromAddress;
    EXPECT_EQ(HeaderLines(m, "").Lines()[0],
              "From: =?UTF-8?B?Wm/Dqw==?=\r\n <" + m.FromAddress + ">");
}

TEST(MailCompose, EachLineOfAFoldedHeaderIsHeldTo998Octets) {
    TMailMessage m = sample();
    // 990 "ë" would be far too long on one line; folded, every line is at most 78.
    for (int i = 0; i < 990; ++i)
        m.Subject += "\xc3\xab";
    const ComposedMessage c = compose(m, EncodeType::uuMime);
    ASSERT_EQ(c.header.size(), 7u);
    const std::string& subject = c.header[3];
    ASSERT_EQ(subject.substr(0, 9), "Subject: ");
    size_t lines = 0;
    for (size_t start = 0; start <= subject.size(); ++lines) {
        const size_t end = std::min(subject.find("\r\n", start), subject.size());
        EXPECT_LE(end - start, 78u);
        start = end + 2;
    }
    EXPECT_EQ(lines, 46u);  // 21 "ë" in the first word, 22 in each of the others
    // The folded address line: " <", the address and ">" make 998 at most.
    m.Subject = "Results";
    m.FromName = "Zo\xc3\xab";
    m.FromAddress = std::string(983, 'x') + "@example.com";  // 995
    ComposedMessage out;
    EXPECT_FALSE(ComposeMessage(m, EncodeType::uuMime, kTime, {}, out));
    m.FromAddress = "x" + m.FromAddress;
    EXPECT_EQ(ComposeMessage(m, EncodeType::uuMime, kTime, {}, out),
              "The From line is too long to be sent.");
}

TEST(MailCompose, AttachmentNamesBeyondAsciiTakeTheExtendedForm) {
    EXPECT_EQ(NameParameter("name", "Zo\xc3\xab.TXT"), "name*=UTF-8''Zo%C3%AB.TXT");
    EXPECT_EQ(NameParameter("filename", "a\tb.txt"), "filename*=UTF-8''a%09b.txt");
    EXPECT_EQ(NameParameter("name", "a\x7f"), "name*=UTF-8''a%7F");
    // Plain names stay quoted, quotes and backslashes escaped.
    EXPECT_EQ(NameParameter("name", "a \"b\"\\c~.txt"), "name=\"a \\\"b\\\"\\\\c~.txt\"");
    TMailMessage m = sample();
    m.Body = {"See the file."};
    m.Attachments = {"/home/zoe/Zo\xc3\xab.TXT"};
    const ComposedMessage c = compose(m, EncodeType::uuMime, {"Cat"});
    // The parameter still begins at the 50th character; the plain body stays us-ascii.
    EXPECT_EQ(c.data, "--" + kBoundary + "\r\n" + kPlain + "\r\n\r\nSee the file.\r\n--" +
                          kBoundary + "\r\nContent-Type: application/octet-stream;" +
                          std::string(10, ' ') + "name*=UTF-8''Zo%C3%AB.TXT\r\n" +
                          "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment;" +
                          std::string(17, ' ') + "filename*=UTF-8''Zo%C3%AB.TXT\r\n\r\nQ2F0\r\n--" +
                          kBoundary + "--\r\n");
}

const std::string kUtf8 = "Content-Type: text/plain;" + kBlanks24 + "charset=utf-8";
const std::string kQuotedPrintable = "Content-Transfer-Encoding: quoted-printable";

TEST(MailCompose, BodyBeyondAsciiIsQuotedPrintableAndStillStuffed) {
    TMailMessage m = sample();
    m.Body = {
        "Gr\xc3\xbc\xc3\x9f"
        "e,",
        "",
        "a=b ",
        std::string(75, 'x') + ".z",
        "Zo\xc3\xab\r\n.x",
        ".\xc3\xab"};
    const ComposedMessage c = compose(m, EncodeType::uuMime);
    EXPECT_EQ(Lines(c.header.end() - 3, c.header.end()),
              (Lines{"Mime-Version: 1.0", kUtf8, kQuotedPrintable}));
    // The line break inside a line stays a break; lines beginning with "." after the encoding,
    // also after a soft break, get their second dot.
    EXPECT_EQ(c.data, "Gr=C3=BC=C3=9Fe,\r\n\r\na=3Db=20\r\n" + std::string(75, 'x') +
                          "=\r\n..z\r\nZo=C3=AB\r\n..x\r\n..=C3=AB\r\n");
    // With an attachment the text part says it; the message header does not.
    m.Body = {"Zo\xc3\xab"};
    m.Attachments = {"r.TXT"};
    const ComposedMessage a = compose(m, EncodeType::uuMime, {"Cat"});
    EXPECT_EQ(a.header.size(), 7u);
    EXPECT_EQ(a.header.back(), "Content-Type: multipart/mixed;" + std::string(19, ' ') +
                                   "boundary=\"" + kBoundary + "\"");
    EXPECT_EQ(a.data, "--" + kBoundary + "\r\n" + kUtf8 + "\r\n" + kQuotedPrintable +
                          "\r\n\r\nZo=C3=AB\r\n" + partHead("r.TXT", "base64") + "Q2F0\r\n--" +
                          kBoundary + "--\r\n");
}

TEST(MailEncoder, BlocksOf45BytesInBothEncodings) {
    const TAttachmentEncoder base64(EncodeType::uuMime), uu(EncodeType::uuCode);
    // An empty file: no lines in base64, only the zero line in UU.
    EXPECT_EQ(base64.Encode(""), Lines{});
    EXPECT_EQ(uu.Encode(""), Lines{"`"});
    // 46 bytes: a full line of 60 characters, then one byte padded.
    std::string quads;
    for (int i = 0; i < 15; ++i)
        quads += "QUFB";  // "AAA"
    EXPECT_EQ(base64.Encode(std::string(46, 'A')), (Lines{quads, "QQ=="}));
    // UU: "M" counts 45 bytes; "AAA" gives "04%!"; the last group is shortened, not padded.
    std::string uuQuads;
    for (int i = 0; i < 15; ++i)
        uuQuads += "04%!";
    EXPECT_EQ(uu.Encode(std::string(46, 'A')), (Lines{"M" + uuQuads, "!00", "`"}));
    // Two bytes left: three characters, base64 adds one "=".
    EXPECT_EQ(base64.EncodeBlock("AA"), "QUE=");
    EXPECT_EQ(uu.EncodeBlock("AA"), "\"04$");
    // Every value of a byte reaches the right table entry: the top and bottom of both tables.
    EXPECT_EQ(base64.EncodeBlock(std::string("\xff\xff\xff\x00\x00\x00", 6)), "////AAAA");
    EXPECT_EQ(uu.EncodeBlock(std::string("\xff\xff\xff\x00\x00\x00", 6)), "&____````");
}

TEST(MailData, LinesAreStuffedSplitAtBreaksAndHeldTo998Octets) {
    std::string data;
    AppendDataLine(data, "a\r\n.\r\nb");  // a body line that would end the data early
    EXPECT_EQ(data, "a\r\n..\r\nb\r\n");
    data.clear();
    AppendDataLine(data, "x\ny\rz\n");
    EXPECT_EQ(data, "x\r\ny\r\nz\r\n\r\n");
    // A long line is cut into pieces of 998 octets; a piece that begins with "." holds 997
    // characters, so with its stuffed dot it is 998 as well.
    data.clear();
    AppendDataLine(data, std::string(2000, 'x'));
    EXPECT_EQ(data, std::string(998, 'x') + "\r\n" + std::string(998, 'x') + "\r\nxxxx\r\n");
    data.clear();
    AppendDataLine(data, "." + std::string(999, 'y'));
    EXPECT_EQ(data, ".." + std::string(996, 'y') + "\r\n" + "yyy\r\n");
    data.clear();
    AppendDataLine(data, std::string(998, 'z'));  // exactly the limit: one line
    EXPECT_EQ(data, std::string(998, 'z') + "\r\n");
    data.clear();
    AppendDataLine(data, std::string(998, 'z') + ".q");  // the cut falls before a dot
    EXPECT_EQ(data, std::string(998, 'z') + "\r\n..q\r\n");
}

TEST(MailCompose, LineBreaksInFieldsAndOverlongHeadersAreRefused) {
    struct Case {
        void (*spoil)(TMailMessage&);
        const char* refusal;
    };
    const Case cases[] = {
        {[](TMailMessage& m) { m.FromName = "Ann\r\nBcc: x@y"; },
         "The From Name may not hold a line break."},
        {[](TMailMessage& m) { m.FromAddress = "ann@example.com\n"; },
         "The From Address may not hold a line break."},
        {[](TMailMessage& m) {
             m.ToAddress = {"a@b", "c@d\rRCPT TO:<e@f>"};
         },
         "The To Address may not hold a line break."},
        {[](TMailMessage& m) { m.ToCarbonCopy = {"\n"}; }, "The CC may not hold a line break."},
        {[](TMailMessage& m) { m.ToBlindCarbonCopy = {"x\r"}; },
         "The BCC may not hold a line break."},
        {[](TMailMessage& m) { m.Subject = "Hi\r\n.\r\nQUIT"; },
         "The Subject may not hold a line break."},
        {[](TMailMessage& m) { m.Attachments = {"a\nb"}; },
         "The attachment path may not hold a line break."},
        {[](TMailMessage& m) { m.Subject = std::string(990, 's'); },
         "The Subject line is too long to be sent."},
    };
    for (const Case& c : cases) {
        TMailMessage m = sample();
        c.spoil(m);
        ComposedMessage out;
        EXPECT_EQ(ComposeMessage(m, EncodeType::uuMime, kTime, {}, out), c.refusal);
        EXPECT_TRUE(out.header.empty());
    }
    // "Subject: " and 989 characters make exactly 998: still sent.
    TMailMessage m = sample();
    m.Subject = std::string(989, 's');
    ComposedMessage out;
    EXPECT_FALSE(ComposeMessage(m, EncodeType::uuMime, kTime, {}, out));
}

using MailFiles = testing::TempDirTest;

TEST_F(MailFiles, Option3RoundTripAndItsLines) {
    MailSettings s;
    s.SMTPSERV = "mail.example.com";
    s.ToFIELD = "boss@example.com";
    s.FromADDRESSField = "ann@example.com";
    s.CcFIELD = "";
    s.SUBJECT = "Test results";
    s.USERIDFIELD = "ann";
    s.RadioButtonUU = true;
    s.ATTACHEDFILEs = {"/tmp/a.txt", "/tmp/b c.txt"};
    ASSERT_FALSE(WriteMailSettings(dir, s));
    EXPECT_EQ(bytes("OPTION3.INI"),
              "mail.example.com\r\nboss@example.com\r\nann@example.com\r\n\r\nTest results\r\n"
              "ann\r\n1\r\n/tmp/a.txt\r\n/tmp/b c.txt\r\n");
    MailSettings back;
    ASSERT_FALSE(ReadMailSettings(dir, back));
    EXPECT_EQ(MailSettingsLines(back), MailSettingsLines(s));
    // Line 7: only exactly "1" is UU; a short file leaves the rest empty.
    for (const char* seven : {"0", "", " 1", "11", "T"})
        EXPECT_FALSE(MailSettingsFromLines({"", "", "", "", "", "", seven}).RadioButtonUU) << seven;
    const MailSettings shortFile = MailSettingsFromLines({"host", "to"});
    EXPECT_EQ(shortFile.ToFIELD, "to");
    EXPECT_TRUE(shortFile.SUBJECT.empty() && shortFile.ATTACHEDFILEs.empty());
    EXPECT_EQ(MailSettingsFromLines({"", "", "", "", "", "", "1", "", "x"}).ATTACHEDFILEs,
              Lines{"x"});
    // A line break would shift every later line: refused, and the old file stays.
    s.SUBJECT = "a\nb";
    EXPECT_EQ(WriteMailSettings(dir, s), "The Subject may not hold a line break.");
    ASSERT_FALSE(ReadMailSettings(dir, back));
    EXPECT_EQ(back.SUBJECT, "Test results");
    // Found without regard to case.
    fs::rename(fs::path(dir) / "OPTION3.INI", fs::path(dir) / "Option3.ini");
    EXPECT_TRUE(MailSettingsExist(dir));
    ASSERT_FALSE(ReadMailSettings(dir, back));
    EXPECT_EQ(back.SMTPSERV, "mail.example.com");
}

TEST_F(MailFiles, AttachmentsAreReadWholeOrWithTheSystemsReason) {
    const std::string path = (fs::path(dir) / "r.TXT").string();
    std::ofstream(path, std::ios::binary) << std::string("a\0b\r\n", 5);
    std::string got;
    ASSERT_FALSE(ReadAttachmentFile(path, got));
    EXPECT_EQ(got, std::string("a\0b\r\n", 5));
    EXPECT_EQ(ReadAttachmentFile(path + "x", got), path + "x: No such file or directory");
}

TEST(MailResultsFile, NameIsMadeSafe) {
    EXPECT_EQ(ResultsFileName("Ann", "77", {2026, 12, 6}), "Ann77_12_6.TXT");
    EXPECT_EQ(ResultsFileName("Bob", "", {2026, 1, 31}), "Bob_1_31.TXT");
    EXPECT_EQ(ResultsFileName("../../etc/x", "", {2026, 3, 4}), "_._.__etc_x_3_4.TXT");
    EXPECT_EQ(ResultsFileName("/abs", "1", {2026, 3, 4}), "_abs1_3_4.TXT");
    EXPECT_EQ(ResultsFileName("a\\b:c*d?e\"f<g>h|i", "\t\n\x7f", {2026, 3, 4}),
              "a_b_c_d_e_f_g_h_i____3_4.TXT");
    EXPECT_EQ(ResultsFileName(".hidden", "", {2026, 3, 4}), "_hidden_3_4.TXT");
    EXPECT_EQ(ResultsFileName("J. Smith", "", {2026, 3, 4}), "J. Smith_3_4.TXT");
    // A very long name is cut, and never inside a character of several bytes.
    std::string longName;
    for (int i = 0; i < 150; ++i)
        longName += "\xc3\xa9";  // é
    const std::string cut = ResultsFileName(longName, "", {2026, 3, 4});
    EXPECT_EQ(cut, longName.substr(0, 200) + "_3_4.TXT");
    EXPECT_EQ(ResultsFileName(longName + "x", "", {2026, 3, 4}), cut);
    EXPECT_EQ(ResultsFileName(std::string(199, 'n') + "\xc3\xa9", "", {2026, 3, 4}),
              std::string(199, 'n') + "_3_4.TXT");
}

}  // namespace
}  // namespace ardentix
