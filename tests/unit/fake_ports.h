#pragma once
// Ports for unit tests of engine rules that need no files: every picture loads, every box is
// answered with its first button and counted.
#include <string>
#include <vector>

#include "core/ports.h"

namespace ardentix::testing {

// A program directory that does not exist: these tests touch no files.
inline constexpr const char* kNoProgramDir = "/nonexistent/ardentix";

class FixedClock : public Clock {
  public:
    int64_t millis = 9 * 3600 * 1000;
    int64_t MillisSinceMidnight() override { return millis; }
    Date Today() override { return {2026, 12, 6}; }
    std::string ShortDate() override { return "12/6/26"; }
    std::string LongTime() override { return "9:00:00 AM"; }
};

class SilentSound : public Sound {
  public:
    bool Play(const std::string&) override { return true; }
    void Stop() override {}
};

class CountingDialogs : public Dialogs {
  public:
    std::vector<std::string> shown;
    BoxAnswer Message(BoxKind, BoxButtons buttons, const std::string& text) override {
        shown.push_back(text);
        return buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
    }
    std::optional<std::string> Input(const std::string&, const std::string&,
                                     const std::string& initial) override {
        return initial;
    }
    // The file, font and print dialogs are cancelled.
    std::optional<std::string> OpenFile(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
    std::optional<Font> ChooseFont(const Font&) override { return std::nullopt; }
    bool ChoosePrinter() override { return false; }
    std::optional<std::string> SaveFile(const std::string&, const std::string&, const std::string&,
                                        const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }
};

class AllPictures : public Pictures {
  public:
    std::optional<std::string> Load(const std::vector<PictureFile>&) override {
        return std::nullopt;
    }
};

struct FakePorts {
    FixedClock clock;
    SilentSound sound;
    CountingDialogs dialogs;
    AllPictures pictures;
    Ports ports() { return {&clock, &sound, &dialogs, &pictures, nullptr}; }
};

}  // namespace ardentix::testing
