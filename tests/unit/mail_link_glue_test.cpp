// The way between the SMTP client and the front end's MailLink: each request reaches the link
// with whom to encrypt for, and each answer reaches the client.
#include <gtest/gtest.h>

#include "core/engine.h"
#include "fake_ports.h"
#include "mail/mail_session.h"
#include "mail/mail_window.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

// Writes down every request, with the peer as it was at the call.
class RecordingLink : public MailLink {
  public:
    std::vector<std::string> calls;
    std::string written;
    void LookUp(const std::string& host) override { calls.push_back("LookUp " + host); }
    void Open(const std::string& address, int port, const TlsPeer* tls) override {
        calls.push_back("Open " + address + ":" + std::to_string(port) +
                        (tls ? " tls " + tls->name + " " + tls->acceptedFingerprint : ""));
    }
    void StartTls(const TlsPeer& peer) override {
        calls.push_back("StartTls " + peer.name + " " + peer.acceptedFingerprint);
    }
    void Write(const std::string& bytes) override { written += bytes; }
    void Close() override { calls.push_back("Close"); }
};

class MailLinkGlue : public ::testing::Test {
  protected:
    MailLinkGlue() : e(ports(), testing::kNoProgramDir), client(Session(e).client) {
        client.Host = "mail.example.org";
        client.Port = 587;
        client.UserID = "desk";
        client.AcceptedCertificate = "ab12";
    }
    Ports ports() {
        Ports p = fakes.ports();
        p.mail = &link;
        return p;
    }
    void answer(LinkAnswer::Kind kind, std::string text = {}, std::string fingerprint = {}) {
        LinkAnswer a{kind, std::move(text)};
        a.fingerprint = std::move(fingerprint);
        MailLinkAnswer(e, a);
    }
    std::string written() { return std::exchange(link.written, {}); }

    testing::FakePorts fakes;
    RecordingLink link;
    WiredEngine e;
    TSmtpClient& client;
};

TEST_F(MailLinkGlue, StartTlsGoesToTheLinkAndItsAnswersComeBack) {
    client.Security = MailSecurity::StartTls;
    client.Connect();
    PumpMail(e);
    answer(LinkAnswer::Kind::HostFound, "192.0.2.7");
    // A plain connection to the address; the encryption later is for the name as typed.
    EXPECT_EQ(link.calls,
              (std::vector<std::string>{"LookUp mail.example.org", "Open 192.0.2.7:587"}));
    answer(LinkAnswer::Kind::Opened);
    answer(LinkAnswer::Kind::Received, "220 hi\r\n");
    answer(LinkAnswer::Kind::Received, "250-mail\r\n250 STARTTLS\r\n");
    EXPECT_EQ(written(), "EHLO desk\r\nSTARTTLS\r\n");
    answer(LinkAnswer::Kind::Received, "220 go\r\n");
    EXPECT_EQ(link.calls.back(), "StartTls mail.example.org ab12");
    answer(LinkAnswer::Kind::Encrypted);
    EXPECT_TRUE(client.Encrypted());
    EXPECT_EQ(written(), "EHLO desk\r\n");
    answer(LinkAnswer::Kind::Received, "250 mail\r\n");
    EXPECT_TRUE(client.Connected() && !client.Busy());
    EXPECT_TRUE(Session(e).MailConnected);
}

TEST_F(MailLinkGlue, TlsFromTheFirstByteAndARefusedCertificate) {
    client.Security = MailSecurity::Tls;
    client.Host = "192.0.2.7";
    client.Port = 465;
    client.Connect();
    PumpMail(e);
    EXPECT_EQ(link.calls, std::vector<std::string>{"Open 192.0.2.7:465 tls 192.0.2.7 ab12"});
    answer(LinkAnswer::Kind::TlsFailed, "The certificate is self-signed, and untrusted", "cd34");
    EXPECT_EQ(link.calls.back(), "Close");
    EXPECT_FALSE(client.Busy());
    // The window shows the client's error with the fingerprint, and offers the instructor
    // (configuring) to accept that certificate.
    ASSERT_FALSE(fakes.dialogs.shown.empty());
    EXPECT_EQ(fakes.dialogs.shown.back(),
              "The server's certificate could not be verified: The certificate is self-signed, "
              "and untrusted\n\nSHA-256 fingerprint of the server's certificate:\nCD:34\n\nIf this "
              "is the fingerprint of your own server's certificate, tick \"Accept this server's "
              "certificate\" and connect again.");
    EXPECT_EQ(Session(e).refusedCertificate, "cd34");
    EXPECT_TRUE(e.screen.Get(El::MailAcceptCertificateCheck).enabled);
    EXPECT_EQ(written(), "");
    // A second refusal shows the fingerprint again, and only once.
    client.Connect();
    PumpMail(e);
    answer(LinkAnswer::Kind::TlsFailed, "The certificate is self-signed, and untrusted", "ef56");
    EXPECT_NE(fakes.dialogs.shown.back().find("EF:56"), std::string::npos);
    EXPECT_EQ(fakes.dialogs.shown.back().find("CD:34"), std::string::npos);
    EXPECT_FALSE(Session(e).showFingerprint);
}

}  // namespace
}  // namespace ardentix
