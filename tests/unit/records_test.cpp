// The records of finished scenarios: the columns of the result line, the top-10 scoreboard and
// the report files, written into a fresh program directory.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/engine.h"
#include "fake_ports.h"
#include "records/records.h"
#include "records/report_text.h"
#include "scenario/input.h"
#include "scenario/wired_engine.h"

namespace ardentix {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct ResultRow {
    const char* name;
    const char* id;
    const char* date;
    const char* elapsed;
    const char* firstShock;
    const char* score;
    const char* line;
};

// Columns: name 0-17, ID 18-32, date 33-42, elapsed 43-47, first shock 50-54, score 57-61.
//                        0         1         2         3         4         5         6
//                        0123456789012345678901234567890123456789012345678901234567890123
const ResultRow kResultRows[] = {
    {"Ann", "77", "12/6/26", "03:07", "01:15", "310",
     "Ann               77             12/6/26   03:07  01:15    310"},
    {"Kim", "", "12/6/26", "12:05", "NO SHOCKS", "-50",
     "Kim                              12/6/26   12:05  ----     -50"},
    // Long fields push the rest to the right; nothing is cut.
    {"Alexandra Richardson", "123456789012345", "12/6/26", "100:05", "00:42", "12345",
     "Alexandra Richardson12345678901234512/6/26 100:05  00:42  12345"},
    // A date that fills its columns; a score of six characters is kept whole.
    {"Ann", "77", "12/06/2026", "03:07", "NO SHOCKS", "-10000",
     "Ann               77             12/06/202603:07  ----   -10000"},
    // Columns count letters: the two bytes of one accented letter take one column.
    {"Zo\xC3\xAB", "", "12/6/26", "00:07", "NO SHOCKS", "0",
     "Zo\xC3\xAB                              12/6/26   00:07  ----       0"},
};

TEST(ResultLine, FixedColumns) {
    for (const ResultRow& row : kResultRows) {
        ScenarioState s;
        s.UserName = row.name;
        s.UserID = row.id;
        s.ScenarioDate = row.date;
        s.ElapsedTimeText = row.elapsed;
        s.FirstShockTimeText = row.firstShock;
        s.ScoreText = row.score;
        EXPECT_EQ(ResultLine(s), row.line) << row.name;
    }
    ScenarioState s;
    s.UserName = "Ann";
    s.ScenarioDate = "12/6/26";
    s.ScoreText = "999";
    EXPECT_EQ(TerminatedLine(s), "Ann                              12/6/26   Scenario terminated");
}

// The heading over result lines: each title over its own field, in a line as wide as the results.
// Checked on real result lines with the widest and the narrowest date the clocks write.
TEST(ResultHeading, EachTitleStandsOverItsField) {
    const std::string heading(kResultHeading);
    for (const char* date : {"31/12/26", "1/1/27"}) {
        ScenarioState s;
        s.UserName = "Kim Lee";
        s.UserID = "AB123456789012";
        s.ScenarioDate = date;
        s.ElapsedTimeText = "03:21";
        s.FirstShockTimeText = "01:05";
        s.ScoreText = "400";
        const std::string line = ResultLine(s);
        SCOPED_TRACE(line);
        ASSERT_EQ(line.size(), heading.size());
        EXPECT_EQ(heading.find("NAME"), line.find("Kim Lee"));
        EXPECT_EQ(heading.find("ID NUMBER"), line.find("AB123456789012"));
        EXPECT_EQ(heading.find("DATE"), line.find(date));
        EXPECT_EQ(heading.find("SHOCK1"), line.find("01:05"));
        // The score ends with its title; the scenario time, two letters wider, is under its
        // title with a letter to spare on either side.
        EXPECT_EQ(heading.find("SCORE") + 5, line.find("400") + 3);
        EXPECT_EQ(heading.find("SCNTIME") + 1, line.find("03:21"));
    }
}

// The rules under the heading: the printed one underlines each title's letters; the viewer's
// runs from each title to one blank before the next, so that the widest value of every field
// (a name of 17, an ID of 14, a date of 8) lies over dashes.
TEST(ResultHeading, RulesFollowTheTitles) {
    const std::string heading(kResultHeading);
    ASSERT_EQ(kResultTitleRule.size(), heading.size());
    ASSERT_EQ(kResultRule.size(), heading.size());
    std::string underlined(heading.size(), ' ');
    std::string runs(heading.size(), ' ');
    const std::vector<std::string> titles = {"NAME",    "ID NUMBER", "DATE",
                                             "SCNTIME", "SHOCK1",    "SCORE"};
    for (size_t t = 0; t < titles.size(); ++t) {
        const size_t at = heading.find(titles[t]);
        ASSERT_NE(at, std::string::npos) << titles[t];
        const size_t next =
            t + 1 < titles.size() ? heading.find(titles[t + 1]) : heading.size() + 1;
        underlined.replace(at, titles[t].size(), titles[t].size(), '-');
        runs.replace(at, next - 1 - at, next - 1 - at, '-');
    }
    EXPECT_EQ(kResultTitleRule, underlined);
    EXPECT_EQ(kResultRule, runs);
    const std::string rule(kResultRule);
    ScenarioState s;
    s.UserName = "Alexandra Richard";
    s.UserID = "AB123456789012";
    s.ScenarioDate = "31/12/26";
    s.ElapsedTimeText = "03:21";
    s.FirstShockTimeText = "01:05";
    s.ScoreText = "-9999";
    const std::string line = ResultLine(s);
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ' ') {
            EXPECT_EQ(rule[i], '-') << "column " << i << " of " << line;
        }
    }
}

// A clock whose short date a test may change.
class DateClock : public testing::FixedClock {
  public:
    std::string date = "12/6/26";
    std::string ShortDate() override { return date; }
};

// A program in a fresh directory of its own, removed afterwards.
class Records : public ::testing::Test {
  protected:
    Records() : dir_(makeDir()), e(ports(), dir_) {}
    ~Records() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }

    // The file's lines; every line must end in CR LF.
    Lines file(const char* name) const {
        std::ifstream in(fs::path(dir_) / name, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        Lines lines;
        size_t start = 0;
        for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            lines.push_back(text.substr(start, end - start));
        EXPECT_EQ(start, text.size()) << name << " does not end in CR LF";
        for (const std::string& line : lines)
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << name << ": " << line;
        return lines;
    }
    void put(const char* name, const Lines& lines) const {
        std::ofstream out(fs::path(dir_) / name, std::ios::binary);
        for (const std::string& line : lines)
            out << line << "\r\n";
    }
    bool exists(const char* name) const { return fs::exists(fs::path(dir_) / name); }

    bool practice(const std::string& name, int score) {
        e.ScriptState().Mode = kPractice;
        e.ScriptState().UserName = name;
        e.ScriptState().Score = static_cast<int16_t>(score);
        e.ScriptState().ScoreText = std::to_string(score);
        return UpdateScoreboard(e);
    }

    const Lines& shown() const { return fakes.dialogs.shown; }

    testing::FakePorts fakes;
    DateClock clock;
    std::string dir_;
    WiredEngine e;

  private:
    static std::string makeDir() {
        std::string pattern = (fs::temp_directory_path() / "ardentix-records-XXXXXX").string();
        if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no temporary directory";
        return pattern;
    }
    Ports ports() { return {&clock, &fakes.sound, &fakes.dialogs, &fakes.pictures, nullptr}; }
};

// A stored entry as an earlier run wrote it: name in 15, date right-aligned in 8, six blanks,
// score in 5.
std::string stored(const char* name, int score) {
    char line[64];
    std::snprintf(line, sizeof line, "  %-15s%8s      %5d", name, "12/5/26", score);
    return line;
}

TEST_F(Records, ScoreboardRanksNewResults) {
    ASSERT_TRUE(practice("Ann", 500));
    EXPECT_EQ(file("SCOREBRD.DAT"), Lines{"  Ann             12/6/26        500"});
    EXPECT_EQ(e.state.UserName, "Ann            ");

    // Equal scores: the new one goes below the older ones. Dates of 6 to 8 characters fill
    // their eight columns from the right.
    clock.date = "1/6/26";
    ASSERT_TRUE(practice("Bob", 300));
    clock.date = "12/16/26";
    ASSERT_TRUE(practice("Cat", 300));
    clock.date = "12/6/26";
    ASSERT_TRUE(practice("Dee", 400));
    ASSERT_TRUE(practice("Eve", -50));
    ASSERT_TRUE(practice("Alexandra Richardson", 350));
    EXPECT_EQ(e.state.UserName, "Alexandra Richa");
    // A date of ten characters is left out together with its six blanks.
    clock.date = "12/06/2026";
    ASSERT_TRUE(practice("Fay", 200));
    EXPECT_EQ(file("SCOREBRD.DAT"), (Lines{
                                        "  Ann             12/6/26        500",
                                        "  Dee             12/6/26        400",
                                        "  Alexandra Richa 12/6/26        350",
                                        "  Bob              1/6/26        300",
                                        "  Cat            12/16/26        300",
                                        "  Fay              200",
                                        "  Eve             12/6/26        -50",
                                    }));
    EXPECT_EQ(e.screen.Get(El::ScoreboardMemo1).lines, file("SCOREBRD.DAT"));
    EXPECT_TRUE(shown().empty());
}

TEST_F(Records, FullScoreboardKeepsTenEntries) {
    Lines ten;
    for (int score = 1000; score >= 100; score -= 100)
        ten.push_back(stored("Old", score));
    put("SCOREBRD.DAT", ten);

    // A tie with the tenth: it lands in the eleventh line, which becomes a blank.
    ASSERT_TRUE(practice("Tie", 100));
    Lines expected = ten;
    expected.push_back(" ");
    EXPECT_EQ(file("SCOREBRD.DAT"), expected);
    // With the board full the same score changes nothing.
    ASSERT_TRUE(practice("Tie", 100));
    EXPECT_EQ(file("SCOREBRD.DAT"), expected);
    // One point more enters; the old tenth becomes one more blank line.
    ASSERT_TRUE(practice("Up", 101));
    expected.insert(expected.begin() + 9, "  Up              12/6/26        101");
    expected[10] = " ";
    EXPECT_EQ(file("SCOREBRD.DAT"), expected);
    EXPECT_EQ(expected.size(), 12u);
}

TEST_F(Records, ScoreboardPassesOverLinesThatAreNoEntries) {
    put("scorebrd.dat", {"", "garbage", stored("Ann", 500), "x", stored("Bob", 300), "   "});
    ASSERT_TRUE(practice("New", 400));
    ASSERT_TRUE(practice("Top", 600));
    // The board's own file, found without regard to case, and no second one.
    EXPECT_EQ(file("scorebrd.dat"),
              (Lines{"  Top             12/6/26        600", "", "garbage", stored("Ann", 500),
                     "  New             12/6/26        400", "x", stored("Bob", 300), "   "}));
    EXPECT_FALSE(exists("SCOREBRD.DAT"));
}

TEST_F(Records, ScoreboardThatCannotBeWrittenStaysAsItWas) {
    const Lines old{stored("Ann", 500)};
    put("SCOREBRD.DAT", old);
    const std::string denied = "Cannot write SCOREBRD.DAT: " + std::string(std::strerror(EACCES));

    // A board the user made read-only is not replaced.
    fs::permissions(fs::path(dir_) / "SCOREBRD.DAT", fs::perms::owner_read);
    const bool rootWrites = std::ofstream(fs::path(dir_) / "SCOREBRD.DAT", std::ios::app).good();
    if (!rootWrites) {
        EXPECT_FALSE(practice("Bob", 900));
        EXPECT_EQ(shown(), Lines{denied});
        EXPECT_EQ(file("SCOREBRD.DAT"), old);
    }
    fs::permissions(fs::path(dir_) / "SCOREBRD.DAT",
                    fs::perms::owner_read | fs::perms::owner_write);

    // Nor is a board in a directory that may not be written.
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    if (!rootWrites) {
        EXPECT_FALSE(practice("Bob", 900));
        EXPECT_EQ(shown().back(), denied);
        EXPECT_EQ(file("SCOREBRD.DAT"), old);
    }
    fs::permissions(dir_, fs::perms::owner_all);

    // A board that cannot be read is not overwritten either (as every user, root too).
    fs::remove(fs::path(dir_) / "SCOREBRD.DAT");
    fs::create_directory(fs::path(dir_) / "SCOREBRD.DAT");
    const size_t before = shown().size();
    EXPECT_FALSE(practice("Bob", 900));
    ASSERT_EQ(shown().size(), before + 1);
    EXPECT_EQ(shown().back(), "Cannot read SCOREBRD.DAT: " + std::string(std::strerror(EISDIR)));
    EXPECT_TRUE(fs::is_directory(fs::path(dir_) / "SCOREBRD.DAT"));
}

TEST_F(Records, PracticeReports) {
    put("aedprac.txt", {"an earlier line"});
    e.ScriptState().Mode = kPractice;
    e.ScriptState().ScoreboardLine = "result 1";
    e.screen.Edit(El::SummaryErrors).lines = {"Did not call for help (-50).",
                                              "Advice used 1 time (-50)."};
    e.screen.Edit(El::SummaryRepeatButton).enabled = false;
    ASSERT_TRUE(AppendReports(e));
    EXPECT_EQ(file("aedprac.txt"), (Lines{"an earlier line", "result 1"}));
    EXPECT_FALSE(exists("AEDPRAC.TXT"));
    EXPECT_EQ(file("AEDPRAC2.TXT"),
              (Lines{"result 1", "Did not call for help (-50).", "Advice used 1 time (-50).", ""}));
    EXPECT_EQ(e.screen.Get(El::SummaryErrors).lines.front(), "Did not call for help (-50).");
    EXPECT_EQ(e.screen.Get(El::SummaryErrors).lines.size(), 2u);
    EXPECT_TRUE(e.screen.Get(El::SummaryRepeatButton).enabled);

    // Without errors: the result line and an empty line. The test files stay untouched.
    e.ScriptState().ScoreboardLine = "result 2";
    e.screen.Edit(El::SummaryErrors).lines.clear();
    ASSERT_TRUE(AppendReports(e));
    EXPECT_EQ(file("AEDPRAC2.TXT"), (Lines{"result 1", "Did not call for help (-50).",
                                           "Advice used 1 time (-50).", "", "result 2", ""}));
    EXPECT_FALSE(exists("AEDTEST.TXT") || exists("AEDTEST2.TXT"));
    EXPECT_TRUE(e.screen.Get(El::OPTIONSHOLD).lines.empty());
    EXPECT_TRUE(shown().empty());
}

TEST_F(Records, TestSeriesReportsAndBuffer) {
    const std::string dashes(62, '-');
    e.settings.SetText(Opt::OPTtestScenarios, "2");
    e.settings.SetOn(Opt::OPTDetailedTestReport, true);
    e.screen.Edit(El::OPTIONSHOLD).lines = {"a series before"};
    e.ScriptState().Mode = kTest;

    auto finish = [this](int count, const char* line, Lines errors) {
        e.ScriptState().TestScenarioCount = static_cast<uint8_t>(count);
        e.ScriptState().ScoreboardLine = line;
        e.screen.Edit(El::SummaryErrors).lines = std::move(errors);
        e.screen.Edit(El::SummaryRepeatButton).enabled = true;
        EXPECT_TRUE(AppendReports(e));
        EXPECT_FALSE(e.screen.Get(El::SummaryRepeatButton).enabled);
    };
    finish(0, "test 1", {"e1", "", "e2"});
    EXPECT_EQ(e.screen.Get(El::SummaryErrors).lines, (Lines{"e1", "", "e2"}));
    finish(1, "test 2", {"e3"});
    // The last scenario of the series ends its block with the separator, on the summary too.
    EXPECT_EQ(e.screen.Get(El::SummaryErrors).lines, (Lines{"e3", dashes}));

    EXPECT_EQ(file("AEDTEST.TXT"), (Lines{"test 1", "test 2"}));
    EXPECT_EQ(file("AEDTEST2.TXT"),
              (Lines{"test 1", "e1", "", "e2", "", "test 2", "e3", dashes, ""}));
    EXPECT_EQ(e.screen.Get(El::OPTIONSHOLD).lines,
              (Lines{"test 1", ">e1", ">e2", "", "test 2", ">e3", ">" + dashes, ""}));
    EXPECT_FALSE(exists("AEDPRAC.TXT") || exists("AEDPRAC2.TXT"));

    // A series of one, without the detailed report: the buffer starts again with the result.
    e.settings.SetText(Opt::OPTtestScenarios, "1");
    e.settings.SetOn(Opt::OPTDetailedTestReport, false);
    finish(0, "test 3", {"e4"});
    EXPECT_EQ(e.screen.Get(El::OPTIONSHOLD).lines, (Lines{"test 3", ""}));
    EXPECT_EQ(file("AEDTEST2.TXT").back(), "");
    EXPECT_EQ(file("AEDTEST2.TXT").size(), 13u);
    EXPECT_EQ(file("AEDTEST2.TXT")[11], dashes);
}

TEST_F(Records, FailedReportWriteIsReported) {
    e.settings.SetOn(Opt::OPTDetailedTestReport, false);
    e.ScriptState().Mode = kTest;
    e.ScriptState().ScoreboardLine = "test 1";
    e.screen.Edit(El::SummaryErrors).lines = {"e1"};
    // A folder where the report file should be: the writing stops at the first file.
    fs::create_directory(fs::path(dir_) / "AEDTEST.TXT");
    EXPECT_FALSE(AppendReports(e));
    EXPECT_EQ(shown(), Lines{"Cannot write AEDTEST.TXT: " + std::string(std::strerror(EISDIR))});
    EXPECT_FALSE(exists("AEDTEST2.TXT"));
    EXPECT_EQ(e.screen.Get(El::SummaryErrors).lines, Lines{"e1"});
    // The series still counts the scenario for its printed and mailed report.
    EXPECT_EQ(e.screen.Get(El::OPTIONSHOLD).lines, (Lines{"test 1", ""}));

    // A full disk.
    if (fs::exists("/dev/full")) {
        e.ScriptState().Mode = kPractice;
        fs::create_symlink("/dev/full", fs::path(dir_) / "AEDPRAC2.TXT");
        EXPECT_FALSE(AppendReports(e));
        EXPECT_EQ(shown().back(),
                  "Cannot write AEDPRAC2.TXT: " + std::string(std::strerror(ENOSPC)));
        EXPECT_EQ(file("AEDPRAC.TXT"), Lines{"test 1"});
    }
}

// While the board is up nothing else takes input; closing it returns to where it was opened.
TEST_F(Records, ScoreboardHoldsTheOtherWindows) {
    e.screen.Edit(El::MENU).visible = false;
    e.screen.Edit(El::SummaryWindow).visible = true;
    ASSERT_EQ(Click(e, "TForm2.SCOREBOARD"), InputResult::Done);
    EXPECT_EQ(e.screen.Focus(), El::ScoreboardOKButton);
    const AvailableInputs inputs = InputsAvailable(e);
    EXPECT_EQ(inputs.clicks, std::vector<El>{El::ScoreboardOKButton});
    EXPECT_TRUE(inputs.menus.empty());
    EXPECT_EQ(Click(e, "TForm2.Next"), InputResult::Unavailable);
    ASSERT_EQ(Click(e, "TScoreboard.OKButton"), InputResult::Done);
    EXPECT_FALSE(e.screen.Get(El::ScoreboardWindow).visible);
    EXPECT_TRUE(e.screen.Get(El::SummaryWindow).enabled);
    const AvailableInputs after = InputsAvailable(e);
    EXPECT_NE(std::find(after.clicks.begin(), after.clicks.end(), El::SummaryNext),
              after.clicks.end());
}

}  // namespace
}  // namespace ardentix
