// EHLO, STARTTLS, TLS from the first byte and the log-in, played from the server's side: what
// goes out in clear and what only after encryption, the texts of every refusal, and a password
// that never shows.
#include <gtest/gtest.h>

#include "smtp_dialogue.h"

namespace ardentix {
namespace {

using Kind = SmtpEvent::Kind;
using Kinds = std::vector<Kind>;

constexpr const char* kFingerprint =
    "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

class Secure : public testing::Dialogue {
  protected:
    Secure() {
        client.LoginName = "ann";
        client.Password = "secret";
    }
    // Up to the first EHLO, which is answered with these lines.
    void ehlo(const std::string& reply) {
        client.Connect();
        pump();
        client.Opened();
        server("220 mail.example.com ESMTP\r\n");
        ASSERT_EQ(written(), "EHLO 0\r\n");
        server(reply);
    }
    // STARTTLS agreed to and the connection encrypted; the second EHLO is left to answer.
    void encrypt(const std::string& firstEhlo) {
        client.Security = MailSecurity::StartTls;
        ehlo(firstEhlo);
        ASSERT_EQ(written(), "STARTTLS\r\n");
        server("220 2.0.0 go ahead\r\n");
        ASSERT_EQ(events.back().kind, Kind::StartTls);
        client.EncryptionDone();
        pump();
        ASSERT_EQ(written(), "EHLO 0\r\n");
    }
    // Ends the connection and forgets what it wrote and reported.
    void hangUp() {
        client.Abort();
        pump();
        events.clear();
        written();
    }
    // No event says the password, in clear or as sent.
    void expectNoPassword() {
        for (const SmtpEvent& e : events) {
            EXPECT_EQ(e.text.find("secret"), std::string::npos) << e.text;
            EXPECT_EQ(e.text.find("c2VjcmV0"), std::string::npos) << e.text;
            EXPECT_EQ(e.text.find("AGFubgBzZWNyZXQ="), std::string::npos) << e.text;
        }
    }
};

TEST(SmtpExtensionsReader, KeywordsOfEveryLineButTheFirstWithoutRegardToCase) {
    SmtpReply reply;
    reply.lines = {"250-STARTTLS.example.com greets you",  // the server's name, no keyword
                   "250-8BITMIME",
                   "250-starttls",
                   "250-auth=login",
                   "250-Auth Plain login CRAM-MD5",
                   "250 SIZE 1000"};
    SmtpExtensions x = ReadExtensions(reply);
    EXPECT_TRUE(x.startTls);
    EXPECT_TRUE(x.auth);
    // Each once, upper case, in the order first offered.
    EXPECT_EQ(x.mechanisms, (std::vector<std::string>{"LOGIN", "PLAIN", "CRAM-MD5"}));
    EXPECT_TRUE(x.Offers("PLAIN"));
    EXPECT_FALSE(x.Offers("plain"));  // asked in upper case

    // The first line alone offers nothing, whatever it says; a keyword must be a whole word.
    reply.lines = {"250 STARTTLS AUTH PLAIN"};
    x = ReadExtensions(reply);
    EXPECT_FALSE(x.startTls || x.auth);
    reply.lines = {"250-mail", "250-STARTTLSX", "250-AUTHENTICATE PLAIN", "250 X-AUTH PLAIN"};
    x = ReadExtensions(reply);
    EXPECT_FALSE(x.startTls || x.auth);
    EXPECT_TRUE(x.mechanisms.empty());

    // AUTH with nothing after it, tabs between words, an old-style continuation line.
    reply.lines = {"250-mail", "250-AUTH", " STARTTLS", "250 AUTH=\tLOGIN"};
    x = ReadExtensions(reply);
    EXPECT_TRUE(x.startTls && x.auth);
    EXPECT_EQ(x.mechanisms, std::vector<std::string>{"LOGIN"});
}

TEST_F(Secure, EhloRefusedForGoodFallsBackToHeloAPassingTroubleEndsTheConnect) {
    client.LoginName.clear();
    // 500 and above: the server does not know EHLO. 499 and below are no such answer.
    for (const char* refusal : {"500 what\r\n", "502 not implemented\r\n", "554 no\r\n"}) {
        ehlo(refusal);
        EXPECT_EQ(written(), "HELO 0\r\n") << refusal;
        server("250 hello\r\n");
        EXPECT_TRUE(client.Connected() && !client.Busy());
        EXPECT_FALSE(client.Encrypted());
        hangUp();
    }
    ehlo("421 4.3.2 shutting down\r\n");
    EXPECT_EQ(written(), "");
    EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::Close, Kind::Disconnect, Kind::Error}));
    ehlo("451 try later\r\n");
    EXPECT_EQ(lastError(), "451 try later");
    EXPECT_FALSE(client.Connected() || client.Busy());
}

TEST_F(Secure, NoSecurityAndNoLoginConnectsAfterEhloThoughAuthIsOffered) {
    client.LoginName.clear();
    ehlo("250-mail\r\n250-STARTTLS\r\n250 AUTH PLAIN\r\n");
    EXPECT_EQ(written(), "");
    EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::Connect}));
    EXPECT_FALSE(client.Encrypted());
}

TEST_F(Secure, StartTlsIsAskedForAndNothingElseIsReadInClearAfterIt) {
    client.LoginName.clear();
    client.Security = MailSecurity::StartTls;
    ehlo("250-mail\r\n250 STARTTLS\r\n");
    EXPECT_EQ(written(), "STARTTLS\r\n");
    // The reply and a forged one behind it in the same arrival: the second is never read.
    server("220 ready to start TLS\r\n250 fake EHLO reply\r\n");
    server("250 another\r\n");
    EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::StartTls}));
    EXPECT_EQ(written(), "");
    EXPECT_TRUE(client.Busy());
    EXPECT_FALSE(client.Encrypted());
    client.EncryptionDone();
    pump();
    EXPECT_TRUE(client.Encrypted());
    EXPECT_EQ(written(), "EHLO 0\r\n");
    client.EncryptionDone();  // a second answer asks for nothing
    pump();
    EXPECT_EQ(written(), "");
    server("250-mail\r\n250 AUTH PLAIN\r\n");
    EXPECT_EQ(written(), "");
    EXPECT_EQ(kinds(), (Kinds{Kind::Connect}));
    // Disconnected and connected again: plain until STARTTLS again.
    hangUp();
    ehlo("250-mail\r\n250 STARTTLS\r\n");
    EXPECT_FALSE(client.Encrypted());
    EXPECT_EQ(written(), "STARTTLS\r\n");
}

TEST_F(Secure, StartTlsNotOfferedOrRefusedSendsNothingMore) {
    client.Security = MailSecurity::StartTls;
    ehlo("250-mail\r\n250 AUTH PLAIN LOGIN\r\n");
    EXPECT_EQ(written(), "");
    EXPECT_EQ(lastError(),
              "The server does not offer STARTTLS, so the connection cannot be encrypted. Nothing "
              "was sent.");
    EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::Close, Kind::Disconnect, Kind::Error}));
    EXPECT_FALSE(client.Connected() || client.Busy());

    // A server without EHLO offers nothing, STARTTLS neither.
    ehlo("500 what\r\n");
    server("250 hello\r\n");
    EXPECT_EQ(written(), "HELO 0\r\n");
    EXPECT_EQ(lastError(),
              "The server does not offer STARTTLS, so the connection cannot be encrypted. Nothing "
              "was sent.");

    // Refused, and a 250 where 220 belongs is no agreement either.
    for (const std::string reply : {"454 4.7.0 TLS not available", "250 ok"}) {
        events.clear();
        ehlo("250-mail\r\n250 STARTTLS\r\n");
        EXPECT_EQ(written(), "STARTTLS\r\n");
        server(reply + "\r\n");
        EXPECT_EQ(written(), "");
        EXPECT_EQ(lastError(), "The server refused STARTTLS: " + reply);
        EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::Close, Kind::Disconnect, Kind::Error}));
    }
}

TEST_F(Secure, TheLogInGoesOnlyAfterTheEhloUnderEncryption) {
    // The first EHLO offers AUTH in clear; the log-in waits for the second, which is read anew.
    encrypt("250-mail\r\n250-AUTH PLAIN\r\n250 STARTTLS\r\n");
    server("250-mail\r\n250-AUTH LOGIN PLAIN\r\n250 SIZE 1000\r\n");
    EXPECT_EQ(written(), "AUTH PLAIN AGFubgBzZWNyZXQ=\r\n");  // "\0ann\0secret"
    EXPECT_TRUE(client.Busy());
    server("235 2.7.0 Authentication successful\r\n");
    EXPECT_EQ(events.back().kind, Kind::Connect);
    EXPECT_TRUE(client.Connected() && !client.Busy());
    expectNoPassword();
    EXPECT_TRUE(client.Encrypted());
    client.Closed();  // the server hangs up: nothing is encrypted any more
    EXPECT_FALSE(client.Encrypted());

    // What the first EHLO offered counts no longer: the second offers no AUTH.
    hangUp();
    encrypt("250-mail\r\n250-AUTH PLAIN\r\n250 STARTTLS\r\n");
    server("250-mail\r\n250 SIZE 1000\r\n");
    EXPECT_EQ(written(), "");
    EXPECT_EQ(lastError(), "The server does not offer a log-in (AUTH).");
    EXPECT_FALSE(client.Connected());
}

TEST_F(Secure, NoLogInWithoutEncryptionUnlessAllowed) {
    ehlo("250-mail\r\n250 AUTH PLAIN\r\n");
    EXPECT_EQ(written(), "");
    EXPECT_EQ(lastError(),
              "The log-in was not sent because the connection is not encrypted. Choose STARTTLS or "
              "TLS, or tick \"Allow log-in without encryption\".");
    EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::Close, Kind::Disconnect, Kind::Error}));

    client.AllowPlainLogin = true;
    ehlo("250-mail\r\n250 AUTH PLAIN\r\n");
    EXPECT_EQ(written(), "AUTH PLAIN AGFubgBzZWNyZXQ=\r\n");
    server("235 ok\r\n");
    EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::Connect}));

    // Allowed, but a server without EHLO has no AUTH to offer.
    hangUp();
    ehlo("502 no EHLO here\r\n");
    server("250 hello\r\n");
    EXPECT_EQ(written(), "HELO 0\r\n");
    EXPECT_EQ(lastError(), "The server does not offer a log-in (AUTH).");
}

TEST_F(Secure, LoginInThreeStepsWhenPlainIsNotOffered) {
    client.AllowPlainLogin = true;
    ehlo("250-mail\r\n250 AUTH=LOGIN\r\n");
    EXPECT_EQ(written(), "AUTH LOGIN\r\n");
    server("334 VXNlcm5hbWU6\r\n");
    EXPECT_EQ(written(), "YW5u\r\n");  // "ann"
    server("334 UGFzc3dvcmQ6\r\n");
    EXPECT_EQ(written(), "c2VjcmV0\r\n");  // "secret"
    EXPECT_TRUE(client.Busy());
    server("235 ok\r\n");
    EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::Connect}));

    // A name of more than 45 bytes is still one line of base64.
    hangUp();
    client.LoginName = std::string(50, 'n');
    ehlo("250-mail\r\n250 AUTH LOGIN\r\n");
    server("334 VXNlcm5hbWU6\r\n");
    EXPECT_EQ(written(),
              "AUTH LOGIN\r\n"
              "bm5ubm5ubm5ubm5ubm5ubm5ubm5ubm5ubm5ubm5ubm5ubm5ubm5ubm5ubm5ubm5ubm4=\r\n");
}

TEST_F(Secure, UnknownMechanismsAndRefusalsAtEveryStep) {
    client.AllowPlainLogin = true;
    ehlo("250-mail\r\n250 AUTH CRAM-MD5 XOAUTH2\r\n");
    EXPECT_EQ(written(), "");
    EXPECT_EQ(lastError(),
              "The server offers no log-in method this program knows (PLAIN or LOGIN).");

    // 535 to PLAIN; a 334 to PLAIN is no success either.
    for (const char* reply : {"535 5.7.8 Authentication credentials invalid\r\n", "334 \r\n"}) {
        events.clear();
        written();
        ehlo("250-mail\r\n250 AUTH PLAIN\r\n");
        written();
        server(reply);
        EXPECT_EQ(kinds(), (Kinds{Kind::Open, Kind::Close, Kind::Disconnect, Kind::Error}));
    }
    ehlo("250-mail\r\n250 AUTH PLAIN\r\n");
    server("535 5.7.8 Authentication credentials invalid\r\n");
    EXPECT_EQ(lastError(),
              "The server refused the log-in: 535 5.7.8 Authentication credentials invalid");
    EXPECT_FALSE(client.Connected() || client.Busy());
    expectNoPassword();

    // LOGIN refused after the name, and after the password; a 235 where 334 belongs is no
    // success either.
    const std::vector<std::vector<std::string>> cases = {
        {"535 no such user"}, {"334 VXNlcm5hbWU6", "535 wrong"}, {"235 too early"}};
    for (const auto& replies : cases) {
        events.clear();
        written();
        ehlo("250-mail\r\n250 AUTH LOGIN\r\n");
        for (const std::string& r : replies)
            server(r + "\r\n");
        EXPECT_EQ(lastError(), "The server refused the log-in: " + replies.back());
        EXPECT_FALSE(client.Connected());
        for (const SmtpEvent& e : events)
            EXPECT_NE(e.kind, Kind::Connect);
        expectNoPassword();
    }
    EXPECT_EQ(written().find("c2VjcmV0"), std::string::npos);  // the password never went out
}

TEST_F(Secure, ARefusedCertificateIsNamedByItsFingerprint) {
    client.LoginName.clear();
    client.Security = MailSecurity::StartTls;
    ehlo("250-mail\r\n250 STARTTLS\r\n");
    server("220 go ahead\r\n");
    events.clear();
    client.TlsFailed("The certificate is self-signed, and untrusted", kFingerprint);
    pump();
    EXPECT_EQ(events.at(0), (SmtpEvent{Kind::CertificateRefused, kFingerprint}));
    EXPECT_EQ(kinds(),
              (Kinds{Kind::CertificateRefused, Kind::Close, Kind::Disconnect, Kind::Error}));
    EXPECT_FALSE(client.Connected() || client.Busy());
    EXPECT_EQ(written(), "STARTTLS\r\n");

    ehlo("250-mail\r\n250 STARTTLS\r\n");
    server("220 go ahead\r\n");
    written();
    client.TlsFailed("The remote host closed the connection", "");
    pump();
    EXPECT_EQ(lastError(),
              "The encrypted connection failed: The remote host closed the connection");
    for (const SmtpEvent& e : events)
        EXPECT_NE(e.kind, Kind::CertificateRefused);
    events.clear();
    written();

    // The same with a fingerprint, the reasons as the link gives them.
    ehlo("250-mail\r\n250 STARTTLS\r\n");
    server("220 go ahead\r\n");
    client.TlsFailed("a; b", kFingerprint);
    pump();
    EXPECT_EQ(lastError(), "The server's certificate could not be verified: a; b");

    // A failure nobody waits for changes nothing.
    client.LoginName.clear();
    client.Security = MailSecurity::None;
    events.clear();
    written();
    connect();
    client.TlsFailed("late", kFingerprint);
    pump();
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(client.Connected());
}

TEST_F(Secure, TlsFromTheFirstByteAsksTheDriverForItAndLogsInAtOnce) {
    client.Security = MailSecurity::Tls;
    client.Host = "mail.example.com";
    client.Port = 465;
    client.AcceptedCertificate = kFingerprint;
    client.Connect();
    client.HostFound("192.0.2.25");
    pump();
    EXPECT_EQ(events.back(), (SmtpEvent{Kind::OpenTls, "192.0.2.25", 465}));
    // The certificate is checked against the name as typed, not the address.
    EXPECT_EQ(client.Peer().name, "mail.example.com");
    EXPECT_EQ(client.Peer().acceptedFingerprint, kFingerprint);
    EXPECT_FALSE(client.Encrypted());
    client.Opened();
    EXPECT_TRUE(client.Encrypted());
    server("220 mail ESMTP\r\n");
    EXPECT_EQ(written(), "EHLO 0\r\n");
    server("250-mail\r\n250-STARTTLS\r\n250 AUTH LOGIN PLAIN\r\n");
    EXPECT_EQ(written(), "AUTH PLAIN AGFubgBzZWNyZXQ=\r\n");  // no STARTTLS inside TLS
    server("235 ok\r\n");
    EXPECT_EQ(events.back().kind, Kind::Connect);
    expectNoPassword();

    // The handshake fails: no connection was ever there to lose, and no plain attempt follows.
    hangUp();
    client.Host = "192.0.2.25";
    client.Connect();
    client.TlsFailed("The host name did not match any of the valid hosts for this certificate",
                     kFingerprint);
    pump();
    EXPECT_EQ(kinds(), (Kinds{Kind::OpenTls, Kind::CertificateRefused, Kind::Close, Kind::Error}));
    EXPECT_FALSE(client.Busy());
    client.Opened();  // too late: nothing is opened
    pump();
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(written(), "");

    // A refused connection is the same as without TLS.
    client.Connect();
    client.OpenFailed();
    pump();
    EXPECT_EQ(lastError(), "Connection Failed");
    EXPECT_EQ(kinds(), (Kinds{Kind::OpenTls, Kind::Close, Kind::ConnectionFailed, Kind::Error}));
}

TEST_F(Secure, AbortOrHangUpDuringTheHandshake) {
    client.Security = MailSecurity::StartTls;
    ehlo("250-mail\r\n250 STARTTLS\r\n");
    server("220 go ahead\r\n");
    events.clear();
    client.Abort();
    pump();
    EXPECT_EQ(kinds(), (Kinds{Kind::Close, Kind::Disconnect, Kind::Error}));
    // What the link still had on its way is no answer any more.
    client.EncryptionDone();
    client.TlsFailed("late", kFingerprint);
    pump();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(written(), "STARTTLS\r\n");
    EXPECT_FALSE(client.Encrypted());

    ehlo("250-mail\r\n250 STARTTLS\r\n");
    server("220 go ahead\r\n");
    client.TimedOut();
    pump();
    EXPECT_FALSE(client.Busy() || client.Connected());
    EXPECT_EQ(lastError(), "Socket readln aborted");
    written();

    ehlo("250-mail\r\n250 STARTTLS\r\n");
    server("220 go ahead\r\n");
    client.Closed();
    pump();
    EXPECT_EQ(lastError(), "Connection closed");
    EXPECT_FALSE(client.Busy());
}

TEST_F(Secure, ConnectAgainAfterAFailureStartsAfresh) {
    // The first attempt gets as far as a refused log-in under encryption.
    encrypt("250-mail\r\n250 STARTTLS\r\n");
    server("250-mail\r\n250 AUTH PLAIN\r\n");
    server("535 no\r\n");
    EXPECT_FALSE(client.Connected() || client.Encrypted());
    written();
    // The second meets a server that offers no STARTTLS: neither the encryption nor the
    // extensions of the first are taken for this one.
    ehlo("250-mail\r\n250 AUTH PLAIN\r\n");
    EXPECT_FALSE(client.Encrypted());
    EXPECT_EQ(written(), "");
    EXPECT_EQ(lastError(),
              "The server does not offer STARTTLS, so the connection cannot be encrypted. Nothing "
              "was sent.");
    // The third goes through.
    encrypt("250-mail\r\n250 STARTTLS\r\n");
    server("250-mail\r\n250 AUTH PLAIN\r\n");
    server("235 ok\r\n");
    EXPECT_EQ(events.back().kind, Kind::Connect);
    EXPECT_TRUE(client.Encrypted());
}

TEST_F(Secure, ASendThatConnectsFirstWaitsForTheLogIn) {
    client.Security = MailSecurity::StartTls;
    client.OnConnectionRequired = [] { return true; };
    client.SendMail("t");
    pump();
    client.Opened();
    server("220 hi\r\n");
    server("250-mail\r\n250 STARTTLS\r\n");
    server("220 go\r\n");
    client.EncryptionDone();
    pump();
    server("250-mail\r\n250 AUTH LOGIN\r\n");
    server("334 x\r\n");
    server("334 y\r\n");
    EXPECT_EQ(written(), "EHLO 0\r\nSTARTTLS\r\nEHLO 0\r\nAUTH LOGIN\r\nYW5u\r\nc2VjcmV0\r\n");
    server("235 ok\r\n");
    EXPECT_EQ(written(), "RSET\r\n");
    EXPECT_EQ(kinds(), (Kinds{Kind::ConnectionRequired, Kind::Open, Kind::StartTls, Kind::Connect,
                              Kind::SendStart}));
}

TEST(SmtpClientRequests, TheDriversEventsAreTheLinkRequests) {
    for (Kind k : {Kind::LookUp, Kind::Open, Kind::OpenTls, Kind::StartTls, Kind::Close})
        EXPECT_TRUE(IsLinkRequest(k));
    for (Kind k : {Kind::HostResolved, Kind::Connect, Kind::CertificateRefused, Kind::Error})
        EXPECT_FALSE(IsLinkRequest(k));
}

}  // namespace
}  // namespace ardentix
