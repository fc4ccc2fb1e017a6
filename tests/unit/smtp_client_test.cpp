// The SMTP dialogue played from the server's side: what the client writes, line by line, and
// the events it reports, for good servers, refusing ones, garbage and hang-ups.
#include <gtest/gtest.h>

#include "mail/mail_files.h"
#include "smtp_dialogue.h"

namespace ardentix {
namespace {

using Kind = SmtpEvent::Kind;
using Kinds = std::vector<Kind>;
using testing::Dialogue;

TEST_F(Dialogue, MultiLineGreetingAndEhloAreReadWhole) {
    client.Host = "mail.example.com";  // a name is looked up first
    client.Connect();
    pump();
    ASSERT_EQ(events.at(0), (SmtpEvent{Kind::LookUp, "mail.example.com"}));
    events.clear();
    client.HostFound("192.0.2.25");
    pump();
    EXPECT_EQ(events.at(1), (SmtpEvent{Kind::Open, "192.0.2.25", 25}));
    client.Opened();
    // Bytes come in any pieces; the reply ends at the line with the code and a blank.
    for (char c : std::string("220-first line\r\n continued\r\n220-more\r\n"))
        server(std::string(1, c));
    EXPECT_EQ(written(), "");
    server("220 ready\r\n");
    EXPECT_EQ(written(), "EHLO 0\r\n");
    EXPECT_EQ(client.ReplyNumber(), 0);  // a command's number is 0 until its reply is read
    server("250-mail.example.com\r\n250 SIZE 1000\r\n");
    EXPECT_EQ(client.ReplyNumber(), 250);
    EXPECT_EQ(kinds(), (Kinds{Kind::HostResolved, Kind::Open, Kind::Connect}));
    EXPECT_TRUE(client.Connected());
    client.Connect();
    pump();
    EXPECT_EQ(lastError(), "Already connected");
}

TEST_F(Dialogue, RefusedGreetingOrHeloClosesTheConnection) {
    client.Connect();
    pump();
    client.Opened();
    server("421 busy, try later\r\n");
    EXPECT_EQ(written(), "");
    EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::Close, Kind::Disconnect, Kind::Error}));
    EXPECT_FALSE(client.Connected() || client.Busy());

    // A server without EHLO gets HELO. 502 to HELO: asked; handled, HELO goes again; a second
    // refusal ends the connect unasked.
    int asked = 0;
    client.OnAuthenticationFailed = [&] { return ++asked > 0; };
    client.Connect();
    pump();
    client.Opened();
    server("220 ok\r\n");
    server("500 what\r\n");
    server("502 no\r\n");
    EXPECT_EQ(written(), "EHLO 0\r\nHELO 0\r\nHELO 0\r\n");
    server("502 still no\r\n");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::AuthenticationFailed, Kind::Close, Kind::Disconnect,
                              Kind::Error}));
    // Unlike the greeting's text, the refused HELO ends with the fixed text.
    client.OnAuthenticationFailed = nullptr;
    client.Connect();
    pump();
    client.Opened();
    server("220 ok\r\n502 no\r\n");  // a stray reply after the greeting is not EHLO's answer
    EXPECT_TRUE(client.Busy());
    server("502 no\r\n");
    EXPECT_EQ(written(), "EHLO 0\r\nHELO 0\r\n");
    server("502 no\r\n");
    EXPECT_EQ(lastError(), "Authentication failed");
}

TEST_F(Dialogue, AWholeSendByteForByte) {
    connect();
    sendThrough({"250 reset\r\n", "250 sender ok\r\n", "250 rcpt ok\r\n", "354 go ahead\r\n"});
    // The CC and BCC entries are empty: no RCPT TO for them. The header, two line ends, the data.
    EXPECT_EQ(written(),
              "RSET\r\nMAIL FROM:<ann@example.com>\r\nRCPT TO:<boss@example.com>\r\nDATA\r\n"
              "From: Ann<ann@example.com>\r\nTo: boss@example.com\r\nCC: \r\n"
              "X-Mailer: Ardentix SMTP\r\nMime-Version: 1.0\r\n"
              "Content-Type: text/plain;                        charset=us-ascii\r\n\r\n\r\n"
              "Hi\r\n..dot\r\n.\r\n");
    EXPECT_TRUE(client.Busy());
    server("250 queued\r\n");
    EXPECT_EQ(kinds(), (Kinds{Kind::SendStart, Kind::PacketSent, Kind::Success}));
    EXPECT_FALSE(client.Busy());
    EXPECT_TRUE(client.Connected());
    // Clear-after-send: the lists are emptied, the rest stays.
    EXPECT_TRUE(client.PostMessage.ToAddress.empty() && client.PostMessage.ToCarbonCopy.empty() &&
                client.PostMessage.ToBlindCarbonCopy.empty());
    EXPECT_EQ(client.PostMessage.Body.size(), 2u);
}

TEST_F(Dialogue, ARefusedRecipientIsReportedAndTheSendGoesOn) {
    connect();
    client.PostMessage.ToCarbonCopy = {"cc@example.com"};
    client.PostMessage.ToBlindCarbonCopy = {"mailto:bcc@example.com"};
    sendThrough({"250 ok\r\n", "250 ok\r\n", "550 no such user\r\n", "250 ok\r\n", "251 ok\r\n",
                 "354 go\r\n", "250 ok\r\n"});
    const std::string w = written();
    EXPECT_NE(w.find("RCPT TO:<boss@example.com>\r\nRCPT TO:<cc@example.com>\r\n"
                     "RCPT TO:<bcc@example.com>\r\nDATA\r\n"),
              std::string::npos);
    EXPECT_EQ(w.find("bcc@example.com", w.find("DATA")), std::string::npos);  // never shown
    EXPECT_EQ(events.at(1), (SmtpEvent{Kind::RecipientNotFound, "Boss <boss@example.com>"}));
    EXPECT_EQ(events.back().kind, Kind::Success);
}

TEST_F(Dialogue, RefusalsEndTheSendWithTheReplyAndKeepTheConnection) {
    connect();
    sendThrough({"250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "451 local error\r\n"});
    EXPECT_EQ(lastError(), "451 local error");
    EXPECT_EQ(written().find("From:"), std::string::npos);  // no data after a refused DATA
    EXPECT_TRUE(client.Connected() && !client.Busy());
    events.clear();
    // 554 after the final dot: failure, then the error.
    sendThrough({"250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n", "554 rejected\r\n"});
    EXPECT_EQ(kinds(), (Kinds{Kind::SendStart, Kind::PacketSent, Kind::Failure, Kind::Error}));
    written();
    // A 250 where 354 belongs is no permission to send data.
    sendThrough({"250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "250 ok\r\n"});
    EXPECT_EQ(lastError(), "250 ok");
    EXPECT_EQ(written().find("From:"), std::string::npos);
}

TEST_F(Dialogue, GarbageIsNeverASuccess) {
    // Each row: the replies before the garbage, the garbage, and what the error shows.
    struct Case {
        std::vector<std::string> before;
        std::string garbage;
        std::string error;
    };
    const Case cases[] = {
        {{}, "hello there\r\n", "hello there"},
        {{"250 ok\r\n"}, "\r\n", "Unreadable server reply"},
        {{"250 ok\r\n", "250 ok\r\n"}, "2500 ok\r\n", "2500 ok"},
        {{"250 ok\r\n", "250 ok\r\n", "250 ok\r\n"}, "354go\r\n", "354go"},
        {{"250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n"}, "OK\r\n", "OK"},
        {{"250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n"}, "250-a\r\n550 b\r\n", "250-a"},
        {{"250 ok\r\n"}, std::string(1200, 'x'), "Unreadable server reply"},
    };
    for (const Case& c : cases) {
        connect();
        sendThrough(c.before);
        server(c.garbage);
        SCOPED_TRACE(c.garbage);
        EXPECT_EQ(lastError(), c.error);
        for (const SmtpEvent& e : events)
            EXPECT_NE(e.kind, Kind::Success);
        EXPECT_EQ(client.ReplyNumber(), 0);
        EXPECT_FALSE(client.Connected() || client.Busy());  // out of step: closed
        events.clear();
        written();
    }
    // Garbage greeting.
    client.Connect();
    pump();
    client.Opened();
    server("welcome\r\n");
    EXPECT_EQ(lastError(), "welcome");
    EXPECT_EQ(written(), "");
}

TEST_F(Dialogue, DataGoesInPiecesWithProgressAndAHangUpEndsTheWait) {
    connect();
    // 400 lines of 98 characters and CR LF: 40000 bytes of data.
    client.PostMessage.Body.assign(400, std::string(98, 'b'));
    takeAll = false;
    sendThrough({"250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n"});
    const std::string first = written();
    const size_t header = first.find("\r\n\r\n\r\n") + 6;
    EXPECT_EQ(first.size() - header, 16383u);  // one piece until the socket has taken it
    // The socket takes the header and part of the piece, then the rest.
    client.Written(header + 1000);
    client.Written(16383 - 1000);
    pump();
    EXPECT_EQ(written().size(), 16383u);
    client.Written(16383);
    pump();
    EXPECT_EQ(written().size(), 40000u - 2 * 16383u);
    std::vector<size_t> progress;
    for (const SmtpEvent& e : events) {
        if (e.kind == Kind::PacketSent) {
            progress.push_back(e.sent);
            EXPECT_EQ(e.total, 40000u);
        }
    }
    EXPECT_EQ(progress, (std::vector<size_t>{1000, 16383, 32766}));
    EXPECT_EQ(StatusText(events.back()), "32766 bytes of 40000 sent");
    // The server hangs up mid-transfer.
    events.clear();
    client.Closed();
    pump();
    EXPECT_EQ(kinds(), (Kinds{Kind::Disconnect, Kind::Error}));
    EXPECT_EQ(client.TakeOutput(), "");
    EXPECT_FALSE(client.Busy());

    // A hang-up while a reply is awaited ends the wait too.
    takeAll = true;
    connect();
    sendThrough({"250 ok\r\n", "250 ok\r\n"});
    client.Closed();
    pump();
    EXPECT_EQ(lastError(), "Connection closed");
    EXPECT_FALSE(client.Busy());
}

TEST_F(Dialogue, ARetryAfterAFailureSendsEachRecipientAndAttachmentOnce) {
    files["/run/Ann77_12_6.TXT"] = "result\r\n";
    MailSettings s;
    s.ToFIELD = "boss@example.com";
    s.FromADDRESSField = "ann@example.com";
    s.CcFIELD = "cc@example.com";
    connect();
    for (int attempt = 0; attempt < 2; ++attempt) {
        FillPostMessage(client.PostMessage, s, "Ann", {"Hi"}, "/run/Ann77_12_6.TXT");
        FillPostMessage(client.PostMessage, s, "Ann", {"Hi"}, "/run/Ann77_12_6.TXT");
        sendThrough({"250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n"});
        const std::string w = written();
        auto count = [&w](const std::string& what) {
            size_t n = 0;
            for (size_t at = w.find(what); at != std::string::npos; at = w.find(what, at + 1))
                ++n;
            return n;
        };
        EXPECT_EQ(count("RCPT TO:"), 2u);
        EXPECT_EQ(count("filename=\"Ann77_12_6.TXT\""), 1u);
        EXPECT_EQ(count("cmVzdWx0DQo="), 1u);  // base64 of "result\r\n"
        server(attempt == 0 ? "452 try again\r\n" : "250 ok\r\n");
    }
    EXPECT_EQ(events.back().kind, Kind::Success);
}

TEST_F(Dialogue, AbortsAndTimeOutsEndEachWaitWithItsText) {
    client.Host = "mail.example.com";
    client.Connect();
    client.Abort();
    pump();
    EXPECT_EQ(lastError(), "Host Lookup Canceled");
    client.Connect();
    client.TimedOut();
    pump();
    EXPECT_EQ(lastError(), "Host Lookup Timed Out");
    client.Host = "192.0.2.25";
    client.Connect();
    client.Abort();
    pump();
    EXPECT_EQ(kinds(),
              (Kinds{Kind::LookUp, Kind::Close, Kind::Error, Kind::LookUp, Kind::Close, Kind::Error,
                     Kind::Open, Kind::Close, Kind::ConnectionFailed, Kind::Error}));
    client.Connect();
    client.OpenFailed();
    pump();
    EXPECT_EQ(lastError(), "Connection Failed");
    client.Connect();
    client.TimedOut();
    pump();
    EXPECT_EQ(lastError(), "Connection Timed out");
    client.Connect();
    client.Opened();
    client.Abort();
    pump();
    EXPECT_EQ(lastError(), "Socket readln aborted");
    // During the data: send aborted, and the connection is dropped as the server is inside it.
    connect();
    takeAll = false;
    sendThrough({"250 ok\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n"});
    client.Abort();
    pump();
    EXPECT_EQ(lastError(), "Socket send aborted");
    EXPECT_FALSE(client.Connected());
    // Idle: closed at once without QUIT; not connected: nothing.
    takeAll = true;
    written();
    connect();
    written();
    client.Abort();
    pump();
    EXPECT_EQ(kinds(), (Kinds{Kind::Close, Kind::Disconnect}));
    EXPECT_EQ(written(), "");
    client.Abort();
    pump();
    EXPECT_TRUE(events.empty());
}

TEST_F(Dialogue, QuestionsBeforeAndAroundTheSend) {
    // Not connected and not answered: "Not Connected". Answered: connect, then send.
    client.SendMail("t");
    pump();
    EXPECT_EQ(kinds(), (Kinds{Kind::ConnectionRequired, Kind::Error}));
    EXPECT_EQ(written(), "");
    client.OnConnectionRequired = [] { return true; };
    client.SendMail("t");
    pump();
    client.Opened();
    server("220 hi\r\n");
    server("250 hi\r\n");
    EXPECT_EQ(written(), "EHLO 0\r\nRSET\r\n");
    EXPECT_EQ(kinds(),
              (Kinds{Kind::ConnectionRequired, Kind::Open, Kind::Connect, Kind::SendStart}));
    client.SendMail("t");  // busy: ignored
    pump();
    EXPECT_TRUE(events.empty());
    client.Abort();
    pump();
    events.clear();

    // No sender, then no recipient: "Incomplete Header", nothing sent.
    connect();
    client.PostMessage.FromAddress = "";
    client.SendMail("t");
    pump();
    EXPECT_EQ(events.at(0), (SmtpEvent{Kind::HeaderIncomplete, "", 1}));
    client.PostMessage.FromAddress = "ann@example.com";
    client.PostMessage.ToAddress.clear();
    client.PostMessage.ToCarbonCopy.clear();
    client.PostMessage.ToBlindCarbonCopy.clear();
    client.OnHeaderIncomplete = [this](int) {
        client.PostMessage.ToAddress = {"boss@example.com"};
        return true;
    };
    client.SendMail("t");
    pump();
    EXPECT_EQ(written(), "RSET\r\n");  // the handler mended it; the second check passes
    client.Abort();

    // A field with a line break, and an attachment that cannot be read, stop before RSET.
    connect();
    client.PostMessage.Subject = "a\r\nb";
    client.SendMail("t");
    pump();
    EXPECT_EQ(lastError(), "The Subject may not hold a line break.");
    client.PostMessage.Subject = "s";
    client.PostMessage.Attachments = {"/missing.txt"};
    client.SendMail("t");
    pump();
    EXPECT_EQ(lastError(), "/missing.txt: No such file or directory");
    EXPECT_EQ(written(), "");
    client.Abort();
    client.UserID = "x\r\nMAIL FROM:<y>";
    client.Connect();
    pump();
    EXPECT_EQ(lastError(), "The SMTP User ID may not hold a line break.");
    EXPECT_FALSE(client.Busy());
}

TEST_F(Dialogue, AnInvalidHostIsAskedAboutOnce) {
    client.Host = "nowhere";
    std::vector<std::string> asked;
    client.OnInvalidHost = [&](std::string& host) {
        asked.push_back(host);
        host = "elsewhere";
        return true;
    };
    client.Connect();
    client.HostNotFound();
    client.HostNotFound();
    pump();
    EXPECT_EQ(asked, std::vector<std::string>{"nowhere"});
    EXPECT_EQ(events.at(2), (SmtpEvent{Kind::LookUp, "elsewhere"}));
    EXPECT_EQ(lastError(), "Null Remote Address");
    EXPECT_FALSE(client.Busy());
}

TEST(SmtpReplyReader, CodesLinesAndWhatIsLeftForLater) {
    for (const char* good : {"250", "250 ok", "354-go", "559 x", "200 "})
        EXPECT_NE(ReplyCode(good), 0) << good;
    for (const char* bad : {"", "25", "2500", "199 x", "600 x", "260 x", "25a", " 250", "250\tx"})
        EXPECT_EQ(ReplyCode(bad), 0) << bad;
    ReplyReader reader;
    SmtpReply reply;
    reader.Feed("250 ok\r\r\n250-a\n");  // a stray CR is no part of the text
    ASSERT_EQ(reader.Next(reply), ReplyReader::Status::Complete);
    EXPECT_EQ(reply.text, "250 ok");
    EXPECT_EQ(reader.Next(reply), ReplyReader::Status::Waiting);  // the second is not whole yet
    reader.Feed("250 b\n");
    ASSERT_EQ(reader.Next(reply), ReplyReader::Status::Complete);
    EXPECT_EQ(reply.lines, (std::vector<std::string>{"250-a", "250 b"}));
    reader.Feed("250-a\r\n251 b\r\n");  // another code inside one reply
    EXPECT_EQ(reader.Next(reply), ReplyReader::Status::Malformed);
    EXPECT_EQ(reader.Buffered(), 0u);
}

TEST(SmtpClientText, StatusLinesAndDottedAddresses) {
    EXPECT_EQ(StatusText({SmtpEvent::Kind::EncodeStart, "/r/a.TXT"}), "Encoding /r/a.TXT");
    EXPECT_EQ(StatusText({SmtpEvent::Kind::EncodeEnd, "/r/a.TXT"}), "Finished encoding /r/a.TXT");
    EXPECT_EQ(StatusText({SmtpEvent::Kind::Success}), "Test results sent successfully");
    EXPECT_EQ(StatusText({SmtpEvent::Kind::Error, "x"}), "");
    for (const char* yes : {"127.0.0.1", "0.0.0.0", "255.255.255.255"})
        EXPECT_TRUE(IsDottedAddress(yes)) << yes;
    for (const char* no : {"", "1.2.3", "1.2.3.4.", "1.2.3.256", "1.2.3.4.5", "a.b.c.d", "1..2.3",
                           "0001.2.3.4", "mail.example.com"})
        EXPECT_FALSE(IsDottedAddress(no)) << no;
}

}  // namespace
}  // namespace ardentix
