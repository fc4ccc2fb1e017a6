#pragma once
// The SMTP client's side of a dialogue with the server's side played by the test: what the
// client writes, and the events it reports.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "mail/smtp_client.h"

namespace ardentix::testing {

// A driver whose socket takes every byte at once, unless told to hold them back.
class Dialogue : public ::testing::Test {
  public:
    using Kind = SmtpEvent::Kind;
    using Kinds = std::vector<Kind>;

  protected:
    Dialogue() {
        client.Host = "192.0.2.25";
        client.UserID = "0";
        client.ReadAttachment = [this](const std::string& path, std::string& bytes) -> FileFailure {
            auto it = files.find(path);
            if (it == files.end()) return path + ": No such file or directory";
            bytes = it->second;
            return std::nullopt;
        };
        client.PostMessage.FromName = "Ann";
        client.PostMessage.FromAddress = "ann@example.com";
        client.PostMessage.ToAddress = {"Boss <boss@example.com>"};
        client.PostMessage.ToCarbonCopy = {""};
        client.PostMessage.ToBlindCarbonCopy = {""};
        client.PostMessage.Body = {"Hi", ".dot"};
    }

    void pump() {
        for (std::string out; !(out = client.TakeOutput()).empty();) {
            wire += out;
            if (takeAll) client.Written(out.size());
        }
        for (SmtpEvent& e : client.TakeEvents())
            events.push_back(std::move(e));
    }
    void server(std::string_view bytes) {
        client.Received(bytes);
        pump();
    }
    // Everything written since the last call.
    std::string written() { return std::exchange(wire, {}); }
    Kinds kinds() {
        Kinds k;
        for (const SmtpEvent& e : events)
            k.push_back(e.kind);
        events.clear();
        return k;
    }
    std::string lastError() const {
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            if (it->kind == Kind::Error) return it->text;
        return "(none)";
    }

    void connect() {
        client.Connect();
        pump();
        client.Opened();
        server("220 mail.example.com ready\r\n");
        ASSERT_EQ(written(), "EHLO 0\r\n");
        server("250 hello\r\n");
        ASSERT_TRUE(client.Connected() && !client.Busy());
        events.clear();
    }
    // Runs a send up to the data, answering the envelope with these replies in turn.
    void sendThrough(const std::vector<std::string>& replies) {
        client.SendMail("9:00:00");
        pump();
        for (const std::string& r : replies)
            server(r);
    }

    TSmtpClient client;
    std::map<std::string, std::string> files;
    std::string wire;
    std::vector<SmtpEvent> events;
    bool takeAll = true;
};

}  // namespace ardentix::testing
