// The scenario script language: how lines are read, how results are counted and what a
// malformed script does.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/timers.h"
#include "script/headless_ports.h"
#include "script/parser.h"
#include "script/runner.h"

namespace ardentix::script {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> split(std::string_view line) {
    std::string error;
    auto words = SplitLine(line, error);
    EXPECT_TRUE(words.has_value()) << error;
    return words.value_or(std::vector<std::string>{});
}

std::string splitError(std::string_view line) {
    std::string error;
    EXPECT_FALSE(SplitLine(line, error).has_value()) << line;
    return error;
}

TEST(ScriptParser, WordsQuotesAndComments) {
    EXPECT_EQ(
        split("expect MSG0 \"Select Pause under FILE menu to continue.\""),
        (std::vector<std::string>{"expect", "MSG0", "Select Pause under FILE menu to continue."}));
    EXPECT_EQ(split("  wait   1500  # the self-test"), (std::vector<std::string>{"wait", "1500"}));
    EXPECT_EQ(split("put A.TXT \"# not a comment\" \"\""),
              (std::vector<std::string>{"put", "A.TXT", "# not a comment", ""}));
    EXPECT_EQ(split(R"(answer "say \"yes\"" "back\\slash")"),
              (std::vector<std::string>{"answer", "say \"yes\"", "back\\slash"}));
    EXPECT_TRUE(split("# only a comment").empty());
    EXPECT_TRUE(split("\r").empty());
}

TEST(ScriptParser, MalformedLines) {
    EXPECT_EQ(splitError("expect MSG0 \"open"), "unterminated quoted string");
    EXPECT_EQ(splitError(R"(expect MSG0 "a\nb")"), "bad escape in a quoted string");
    EXPECT_EQ(splitError("expect MSG0 \"a\"b"), "a quoted string must stand alone");
    ParseError error;
    EXPECT_FALSE(ParseScript("start\n\nexpect X \"y\n", "t.scn", error).has_value());
    EXPECT_EQ(error.where.line, 3);
    EXPECT_EQ(error.where.file, "t.scn");
}

TEST(ScriptParser, CommandsKeepTheirLineNumbers) {
    ParseError error;
    auto commands = ParseScript("# header\r\nstart\r\n\r\nwait 10\r\n", "t.scn", error);
    ASSERT_TRUE(commands.has_value());
    ASSERT_EQ(commands->size(), 2u);
    EXPECT_EQ((*commands)[0].where.line, 2);
    EXPECT_EQ((*commands)[1].where.line, 4);
    EXPECT_TRUE((*commands)[1].where.includedFrom.empty());
    EXPECT_EQ((*commands)[1].words, (std::vector<std::string>{"wait", "10"}));
}

TEST(VirtualClock, DateAndTimeMoveWithTheTimers) {
    Scheduler timers;
    VirtualClock clock;
    clock.Attach(timers);
    EXPECT_EQ(clock.ShortDate(), "12/6/26");
    EXPECT_EQ(clock.LongTime(), "9:00:00 AM");
    EXPECT_EQ(clock.MillisSinceMidnight(), 32400000);
    clock.Set({2026, 12, 31}, (23 * 3600 + 59 * 60 + 58) * 1000LL + 500);
    EXPECT_EQ(clock.LongTime(), "11:59:58 PM");
    timers.AdvanceTo(1500);
    EXPECT_EQ(clock.ShortDate(), "1/1/27");
    EXPECT_EQ(clock.LongTime(), "12:00:00 AM");
    EXPECT_EQ(clock.MillisSinceMidnight(), 0);
    clock.Set({2026, 3, 4}, 12 * 3600 * 1000LL + 5 * 60 * 1000 + 7000);
    EXPECT_EQ(clock.LongTime(), "12:05:08 PM");
}

// The script's locale writes M/d/yy; another locale's pattern is written in its numeric form, and
// an exact pattern from `dateformat` wins over both.
TEST(VirtualClock, ShortDateInTheLocalesNumericForm) {
    VirtualClock clock;
    clock.Set({2026, 12, 31}, 0);
    EXPECT_EQ(clock.ShortDate(), "12/31/26");
    clock.SetLocaleDatePattern("d MMM yyyy");
    EXPECT_EQ(clock.ShortDate(), "31/12/26");
    clock.SetLocaleDatePattern("yyyy-MM-dd");
    EXPECT_EQ(clock.ShortDate(), "26-12-31");
    clock.SetDateFormat("MM-dd-yyyy");
    EXPECT_EQ(clock.ShortDate(), "12-31-2026");
    clock.SetLocaleDatePattern("dd.MM.yy");
    EXPECT_EQ(clock.ShortDate(), "12-31-2026");
}

class Scripts : public ::testing::Test {
  protected:
    fs::path dir = fs::temp_directory_path() / ("ardentix-unit-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    RunResult run(const std::string& text, std::string* output = nullptr) {
        std::ostringstream out;
        RunResult r = RunScript(text, "t.scn", dir.string(), out);
        if (output) *output = out.str();
        return r;
    }
};

TEST_F(Scripts, ExpectationsAreCountedAndReportedWithTheirLine) {
    std::string out;
    const RunResult r = run("poke Score 25\nexpect Score \"25\"\nexpect Score \"30\"\n", &out);
    EXPECT_EQ(r.passed, 1);
    EXPECT_EQ(r.failed, 1);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(out, "t.scn:3: expected Score \"30\", got \"25\"\n");
}

TEST_F(Scripts, MalformedLineStopsTheScript) {
    std::string out;
    const RunResult r = run("expect Score \"0\"\nwait soon\nexpect Score \"9\"\n", &out);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.passed, 1);
    EXPECT_EQ(r.failed, 0);
    EXPECT_EQ(out, "t.scn:2: wait must be a whole number: soon\n");
    EXPECT_EQ(run("frobnicate\n").status, 2);
    EXPECT_EQ(run("expect NoSuchName \"1\"\n").status, 2);
    EXPECT_EQ(run("set OPTAUTOANALYZE maybe\n").status, 2);
    EXPECT_EQ(run("poke Score 40000\n").status, 2);
    EXPECT_EQ(run("clock 2026-13-01 10:00:00\n").status, 2);
    EXPECT_EQ(run("clock 2026-01-01 24:00:00\n").status, 2);
    EXPECT_EQ(run("patient category=9\n").status, 2);
}

TEST_F(Scripts, AnAnswerNeverAskedForFailsTheRun) {
    std::string out;
    const RunResult r = run("answer yes\nexpect Score \"0\"\n", &out);
    EXPECT_EQ(r.passed, 1);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(out, "t.scn:1: answer \"yes\" was never asked for\n");
}

TEST_F(Scripts, AnUnexpectedBoxFailsTheRun) {
    // No media in this directory: the start-up pictures are missing.
    std::string out;
    const RunResult r =
        run("start\nexpect Dialog.last "
            "\"File is missing. You may need to re-install Ardentix. Click to "
            "close program.\"\nwait 10\n",
            &out);
    EXPECT_EQ(r.passed, 1);
    EXPECT_EQ(r.failed, 2) << out;  // the unanswered box, and a command after the end
    EXPECT_EQ(r.status, 1);
    // The box is reported with the line that brought it up.
    EXPECT_NE(out.find("t.scn:1: unexpected box \"File is missing."), std::string::npos) << out;
}

TEST_F(Scripts, BoxTextMustMatch) {
    std::string out;
    const RunResult r = run("answer ok \"Something else.\"\nstart\n", &out);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(out.find("t.scn:1: expected box \"Something else.\""), std::string::npos) << out;
}

// The close box is dead while a window that waits for an answer stands over the main window, as
// in the program; the summary is no such window.
TEST_F(Scripts, CloseIsRefusedWhileADialogWaits) {
    for (const auto& file : fs::directory_iterator(ARDENTIX_MEDIA_DIR))
        fs::copy_file(file.path(), dir / file.path().filename());
    std::string out;
    const RunResult r = run(
        "start\nclick MenuStart\nclose\nexpect ended \"0\"\nexpect TUserNAMEFORM.visible \"1\"\n"
        "click TUserNAMEFORM.CancelBtn\nclose\nexpect ended \"1\"\n",
        &out);
    EXPECT_EQ(r.passed, 3) << out;
    EXPECT_EQ(r.failed, 1) << out;
    EXPECT_EQ(out,
              "t.scn:3: the main window cannot be closed while TUserNAMEFORM waits for an "
              "answer\nt.scn:7: the program ended\n");
}

}  // namespace
}  // namespace ardentix::script
