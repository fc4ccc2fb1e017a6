// OPTION4.INI (how the mail server is reached) and server names as typed: what the file holds,
// byte for byte, what a damaged or hand-edited file reads as, that only the program's user may
// read it, and where "name:port" ends and a name is no name.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "mail/server_settings.h"
#include "temp_dir.h"

namespace ardentix {
namespace {

namespace fs = std::filesystem;

// OPTION4.INI in a program directory of its own.
class ServerFile : public testing::TempDirTest {
  protected:
    std::string bytes() const { return TempDirTest::bytes("OPTION4.INI"); }
    void write(const std::string& text) const { TempDirTest::write("OPTION4.INI", text); }
};

TEST_F(ServerFile, WrittenOwnerOnlyAndReadBack) {
    ServerSettings s;
    s.port = "587";
    s.security = "STARTTLS";
    s.user = "desk@example.org";
    s.password = " p=ss word ";  // "=" and blanks belong to it
    s.allowPlainLogin = true;
    s.acceptedCertificate = std::string(64, 'a');
    // An older file readable by everyone is replaced by one that is not.
    write("Port=25\r\n");
    fs::permissions(fs::path(dir) / "OPTION4.INI", fs::perms::all);
    ASSERT_FALSE(WriteServerSettings(dir, s));
    EXPECT_EQ(bytes(),
              "Port=587\r\nSecurity=STARTTLS\r\nUser=desk@example.org\r\nPassword= p=ss word "
              "\r\nAllowPlainLogin=1\r\nAcceptedCertificate=" +
                  std::string(64, 'a') + "\r\n");
    struct stat st {};
    ASSERT_EQ(stat((fs::path(dir) / "OPTION4.INI").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_FALSE(fs::exists(fs::path(dir) / "OPTION4.INI.new"));

    ServerSettings back;
    ASSERT_FALSE(ReadServerSettings(dir, back));
    EXPECT_EQ(back, s);
    // Written twice, still the same file.
    ASSERT_FALSE(WriteServerSettings(dir, back));
    ServerSettings again;
    ASSERT_FALSE(ReadServerSettings(dir, again));
    EXPECT_EQ(again, s);
}

TEST_F(ServerFile, LineBreaksAreRefusedAndTheOldFileKept) {
    write("Port=465\r\n");
    ServerSettings s;
    s.password = "two\nlines";
    EXPECT_EQ(WriteServerSettings(dir, s), "The password may not hold a line break.");
    s.password.clear();
    s.user = "a\rb";
    EXPECT_EQ(WriteServerSettings(dir, s), "The user name may not hold a line break.");
    EXPECT_EQ(bytes(), "Port=465\r\n");
}

TEST(ServerSettingsLines, DamagedOrHandEditedValuesFallBackOneByOne) {
    const ServerSettings s = ServerSettingsFromLines({
        "port = 465 ",          // names without regard to case, blanks around numbers
        "SECURITY=tls",         // a choice without regard to case
        "no equals sign here",  // skipped
        "Colour=blue",          // unknown: skipped
        "AllowPlainLogin=yes",  // only "1" allows it
        "AcceptedCertificate=" + std::string(63, 'F'),  // one digit short
        "User=ann=admin",                               // the value runs from the first "="
    });
    EXPECT_EQ(s.port, "465");
    EXPECT_EQ(s.security, "TLS");
    EXPECT_FALSE(s.allowPlainLogin);
    EXPECT_EQ(s.acceptedCertificate, "");
    EXPECT_EQ(s.user, "ann=admin");
    EXPECT_EQ(s.password, "");

    // Each bad value leaves its own default and nothing else.
    const ServerSettings bad = ServerSettingsFromLines(
        {"Port=0", "Security=SSL", "AcceptedCertificate=" + std::string(64, 'G')});
    EXPECT_EQ(bad, ServerSettings{});
    EXPECT_EQ(ServerSettingsFromLines({"Port=65536"}).port, "25");
    EXPECT_EQ(ServerSettingsFromLines({"Port=65535"}).port, "65535");
    EXPECT_EQ(ServerSettingsFromLines({"Port=1"}).port, "1");
    // A later line wins, as an instructor editing the file by hand would expect.
    EXPECT_EQ(ServerSettingsFromLines({"Port=587", "Port=465"}).port, "465");
    EXPECT_EQ(ServerSettingsFromLines({"AcceptedCertificate=" + std::string(64, 'F')})
                  .acceptedCertificate,
              std::string(64, 'f'));
}

TEST(SpacedFingerprint, PairsInUpperCase) {
    EXPECT_EQ(SpacedFingerprint("0a1b2c"), "0A:1B:2C");
    EXPECT_EQ(SpacedFingerprint("0a1"), "0A:1");
    EXPECT_EQ(SpacedFingerprint(""), "");
    EXPECT_EQ(SpacedFingerprint(std::string(64, 'f')).size(), 64u + 31u);
}

TEST(PortNumber, LimitsAndSigns) {
    EXPECT_FALSE(PortNumber("0"));
    EXPECT_EQ(PortNumber("1"), 1);
    EXPECT_EQ(PortNumber("65535"), 65535);
    EXPECT_FALSE(PortNumber("65536"));
    for (const char* text : {"", "+25", "-25", "25 ", "2 5", "x"})
        EXPECT_FALSE(PortNumber(text)) << text;
}

TEST(ParseServerName, NameAndPort) {
    auto parsed = ParseServerName("mail.example.org:587");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->host, "mail.example.org");
    EXPECT_EQ(parsed->port, 587);

    parsed = ParseServerName("  127.0.0.1 ");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->host, "127.0.0.1");
    EXPECT_FALSE(parsed->port);

    parsed = ParseServerName("[::1]:465");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->host, "::1");
    EXPECT_EQ(parsed->port, 465);

    parsed = ParseServerName("fe80::1");  // a bare IPv6 address names no port
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->host, "fe80::1");
    EXPECT_FALSE(parsed->port);

    // A label of 63 characters is a name; one of 64 is not.
    EXPECT_TRUE(ParseServerName(std::string(63, 'a') + ".org"));
    EXPECT_FALSE(ParseServerName(std::string(64, 'a') + ".org"));
    EXPECT_TRUE(ParseServerName("mail.example.org."));
    EXPECT_TRUE(ParseServerName("smtp_relay.local"));
}

TEST(ParseServerName, WhatIsNoServerNameSaysWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "no server name was given"},
        {"mail server", "a server name holds only letters, digits, \"-\" and \".\""},
        {"ann@example.org", "a server name holds only letters, digits, \"-\" and \".\""},
        {"mail..example.org", "a server name holds only letters, digits, \"-\" and \".\""},
        {"-mail.example.org", "a server name holds only letters, digits, \"-\" and \".\""},
        {"mail.example.org:", "the port after \":\" is missing"},
        {"mail.example.org:0", "the port must be a number from 1 to 65535"},
        {"mail.example.org:70000", "the port must be a number from 1 to 65535"},
        {"[::1", "a \"[\" is not closed"},
        {"[::1]x", "only \":\" and a port may follow \"]\""},
        {"[mail]:25", "the address in brackets is no IPv6 address"},
    };
    for (const auto& [text, reason] : cases) {
        std::string why;
        EXPECT_FALSE(ParseServerName(text, &why)) << text;
        EXPECT_EQ(why, reason) << text;
    }
}

}  // namespace
}  // namespace ardentix
