// Included files of scenario scripts: where their lines run, how paths are found, how their
// parameters are filled, and the errors that name the included file's own line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

#include "script/parser.h"
#include "script/runner.h"

namespace ardentix::script {
namespace {

namespace fs = std::filesystem;

// Files held in memory; remembers which paths were asked for.
struct Files {
    std::map<std::string, std::string> texts;
    std::vector<std::string> asked;

    FileReader reader() {
        return [this](const std::string& path) -> std::optional<std::string> {
            asked.push_back(path);
            auto found = texts.find(path);
            if (found == texts.end()) return std::nullopt;
            return found->second;
        };
    }
};

// Each command as "file:line words...".
std::vector<std::string> listed(const std::vector<Command>& commands) {
    std::vector<std::string> lines;
    for (const Command& c : commands) {
        std::string line = c.where.file + ":" + std::to_string(c.where.line);
        for (const std::string& w : c.words)
            line += " " + w;
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> parsed(std::string_view text, Files& files,
                                const std::string& name = "t.scn") {
    ParseError error;
    auto commands = ParseScript(text, name, error, files.reader());
    EXPECT_TRUE(commands.has_value()) << Report(error.where, error.message);
    return commands ? listed(*commands) : std::vector<std::string>{};
}

// The report of the error the script gives.
std::string failure(std::string_view text, Files& files, const std::string& name = "t.scn") {
    ParseError error;
    EXPECT_FALSE(ParseScript(text, name, error, files.reader()).has_value());
    return Report(error.where, error.message);
}

TEST(ScriptInclude, IncludedLinesRunInPlaceWithTheirOwnLines) {
    Files files;
    files.texts["fix/a.scn"] = "# a fixture\nclick X\n\nwait 1   # its own comment\n";
    EXPECT_EQ(
        parsed("start\ninclude fix/a.scn\nwait 5\ninclude fix/a.scn\n", files),
        (std::vector<std::string>{"t.scn:1 start", "fix/a.scn:2 click X", "fix/a.scn:4 wait 1",
                                  "t.scn:3 wait 5", "fix/a.scn:2 click X", "fix/a.scn:4 wait 1"}));
    // The same file twice is no cycle; it is read for each include.
    EXPECT_EQ(files.asked, (std::vector<std::string>{"fix/a.scn", "fix/a.scn"}));
}

TEST(ScriptInclude, EachIncludedLineKnowsTheLinesThatBroughtItIn) {
    Files files;
    files.texts["fix/a.scn"] = "wait 1\ninclude b.scn\n";
    files.texts["fix/b.scn"] = "\nwait 2\n";
    ParseError error;
    auto commands = ParseScript("\ninclude fix/a.scn\n", "t.scn", error, files.reader());
    ASSERT_TRUE(commands.has_value());
    ASSERT_EQ(commands->size(), 2u);
    using From = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ((*commands)[0].where.includedFrom, (From{{"t.scn", 2}}));
    EXPECT_EQ((*commands)[1].where.includedFrom, (From{{"fix/a.scn", 2}, {"t.scn", 2}}));
    EXPECT_EQ(Report((*commands)[1].where, "a failure"),
              "fix/b.scn:2: a failure (included from fix/a.scn:2, t.scn:2)");
    EXPECT_EQ(Report(Origin{"t.scn", 4, {}}, "a failure"), "t.scn:4: a failure");
}

// A path is taken from the folder of the file that holds the include line.
TEST(ScriptInclude, PathsAreRelativeToTheIncludingFile) {
    Files files;
    files.texts["tests/fix/a.scn"] = "include b.scn\n";
    files.texts["tests/fix/b.scn"] = "include ../c.scn\n";
    files.texts["tests/c.scn"] = "wait 3\n";
    EXPECT_EQ(parsed("include fix/a.scn\n", files, "tests/t.scn"),
              (std::vector<std::string>{"tests/c.scn:1 wait 3"}));
    EXPECT_EQ(files.asked,
              (std::vector<std::string>{"tests/fix/a.scn", "tests/fix/b.scn", "tests/c.scn"}));
    files.asked.clear();
    files.texts["/abs/d.scn"] = "wait 4\n";
    EXPECT_EQ(parsed("include /abs/d.scn\n", files, "tests/t.scn"),
              (std::vector<std::string>{"/abs/d.scn:1 wait 4"}));
}

TEST(ScriptInclude, AMissingFileIsNamedWithTheIncludeLine) {
    Files files;
    EXPECT_EQ(failure("start\ninclude fix/none.scn\n", files), "t.scn:2: cannot read fix/none.scn");
    files.texts["fix/a.scn"] = "wait 1\n\ninclude gone.scn\n";
    EXPECT_EQ(failure("start\ninclude fix/a.scn\n", files),
              "fix/a.scn:3: cannot read fix/gone.scn (included from t.scn:2)");
    EXPECT_EQ(failure("include\n", files),
              "t.scn:1: include takes a file and KEY=VALUE parameters");
}

TEST(ScriptInclude, ACycleIsRefusedWithItsPath) {
    Files files;
    files.texts["fix/a.scn"] = "wait 1\ninclude b.scn\n";
    files.texts["fix/b.scn"] = "include ./a.scn\n";
    EXPECT_EQ(failure("include fix/a.scn\n", files),
              "fix/b.scn:1: include cycle: fix/a.scn -> fix/b.scn -> fix/a.scn (included from "
              "fix/a.scn:2, t.scn:1)");
    files.texts["self.scn"] = "wait 1\ninclude self.scn\n";
    EXPECT_EQ(failure("include self.scn\n", files),
              "self.scn:2: include cycle: self.scn -> self.scn (included from t.scn:1)");
    // The script itself, named with a folder, is part of the cycle as well.
    files.texts["dir/t.scn"] = "include fix/../t.scn\n";
    EXPECT_EQ(failure("include fix/../t.scn\n", files, "dir/./t.scn"),
              "dir/./t.scn:1: include cycle: dir/t.scn -> dir/t.scn");
}

// A chain of files f1.scn ... fN.scn, each including the next; the last waits.
Files chain(int length) {
    Files files;
    for (int i = 1; i < length; ++i)
        files.texts["f" + std::to_string(i) + ".scn"] =
            "include f" + std::to_string(i + 1) + ".scn\n";
    files.texts["f" + std::to_string(length) + ".scn"] = "wait 1\n";
    return files;
}

TEST(ScriptInclude, IncludesNestAsDeepAsTheLimitAndNoDeeper) {
    Files deepest = chain(kMaxIncludeDepth);
    EXPECT_EQ(parsed("include f1.scn\n", deepest),
              (std::vector<std::string>{"f" + std::to_string(kMaxIncludeDepth) + ".scn:1 wait 1"}));
    Files beyond = chain(kMaxIncludeDepth + 1);
    const std::string report = failure("include f1.scn\n", beyond);
    EXPECT_EQ(report.substr(0, report.find(" (")),
              "f8.scn:1: includes nested more than 8 deep: f9.scn");
    EXPECT_EQ(beyond.asked.size(), static_cast<size_t>(kMaxIncludeDepth));  // f9 never read
    EXPECT_EQ(kMaxIncludeDepth, 8);
}

TEST(ScriptInclude, ErrorsInAnIncludedFileNameItsLine) {
    Files files;
    files.texts["fix/a.scn"] = "wait 1\nwait 2\nexpect X \"open\n";
    files.texts["fix/b.scn"] = "# b\ninclude a.scn\n";
    EXPECT_EQ(failure("start\ninclude fix/a.scn\n", files),
              "fix/a.scn:3: unterminated quoted string (included from t.scn:2)");
    EXPECT_EQ(failure("start\n\ninclude fix/b.scn\n", files),
              "fix/a.scn:3: unterminated quoted string (included from fix/b.scn:2, t.scn:3)");
}

TEST(ScriptInclude, ParametersFillTheIncludedWords) {
    Files files;
    files.texts["fix/login.scn"] =
        "type NAMEEdit \"@NAME@\"\nexpect Who \"@NAME@ (@ID_2@)\"\nput A.TXT boss@example.org "
        "@lower@ \"@@\"\n";
    EXPECT_EQ(parsed("include fix/login.scn \"NAME=Kim, \\\"K\\\"\" ID_2=7=8\n", files),
              (std::vector<std::string>{"fix/login.scn:1 type NAMEEdit Kim, \"K\"",
                                        "fix/login.scn:2 expect Who Kim, \"K\" (7=8)",
                                        "fix/login.scn:3 put A.TXT boss@example.org @lower@ @@"}));
    // A value may be empty; the script's own lines are never filled.
    EXPECT_EQ(parsed("expect X \"@NAME@\"\ninclude fix/login.scn NAME= ID_2=@NAME@\n", files),
              (std::vector<std::string>{"t.scn:1 expect X @NAME@", "fix/login.scn:1 type NAMEEdit ",
                                        "fix/login.scn:2 expect Who  (@NAME@)",
                                        "fix/login.scn:3 put A.TXT boss@example.org @lower@ @@"}));
}

TEST(ScriptInclude, ParametersMustMatchTheIncludedFile) {
    Files files;
    files.texts["fix/login.scn"] = "wait 1\ntype NAMEEdit \"@NAME@\"\n";
    files.texts["fix/outer.scn"] = "include login.scn\n";
    files.texts["fix/passing.scn"] = "include login.scn NAME=@WHO@\n";
    EXPECT_EQ(failure("include fix/login.scn\n", files),
              "fix/login.scn:2: no value for @NAME@; the include line must give NAME=VALUE "
              "(included from t.scn:1)");
    EXPECT_EQ(failure("include fix/login.scn NAME=Kim NAEM=Kim\n", files),
              "t.scn:1: parameter NAEM is not used in fix/login.scn");
    EXPECT_EQ(failure("include fix/login.scn NAME=Kim NAME=Ann\n", files),
              "t.scn:1: parameter NAME is given twice");
    EXPECT_EQ(failure("include fix/login.scn name=Kim\n", files),
              "t.scn:1: a parameter is KEY=VALUE with a key in capitals, digits and _: name=Kim");
    EXPECT_EQ(failure("include fix/login.scn NAME\n", files),
              "t.scn:1: a parameter is KEY=VALUE with a key in capitals, digits and _: NAME");
    EXPECT_EQ(failure("include fix/login.scn =Kim\n", files),
              "t.scn:1: a parameter is KEY=VALUE with a key in capitals, digits and _: =Kim");
    // Parameters reach only the file they are given to; an include passes them on by name.
    EXPECT_EQ(failure("include fix/outer.scn NAME=Kim\n", files),
              "fix/login.scn:2: no value for @NAME@; the include line must give NAME=VALUE "
              "(included from fix/outer.scn:1, t.scn:1)");
    EXPECT_EQ(
        parsed("include fix/passing.scn WHO=Ann\n", files),
        (std::vector<std::string>{"fix/login.scn:1 wait 1", "fix/login.scn:2 type NAMEEdit Ann"}));
}

TEST(ScriptInclude, ReadScriptFileReadsFilesOnly) {
    const fs::path dir =
        fs::temp_directory_path() / ("ardentix-include-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "a.scn", std::ios::binary) << "wait 1\r\n";
    std::ofstream(dir / "empty.scn", std::ios::binary);
    EXPECT_EQ(ReadScriptFile((dir / "a.scn").string()), std::optional<std::string>("wait 1\r\n"));
    EXPECT_EQ(ReadScriptFile((dir / "empty.scn").string()), std::optional<std::string>(""));
    EXPECT_FALSE(ReadScriptFile((dir / "none.scn").string()).has_value());
    EXPECT_FALSE(ReadScriptFile(dir.string()).has_value());
    fs::remove_all(dir);
}

// The runner reports a check of an included file with that file's line and where it was
// included, and counts it each time the file is included.
TEST(ScriptInclude, TheRunnerReportsIncludedLines) {
    const fs::path dir =
        fs::temp_directory_path() / ("ardentix-include-run-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    Files files;
    files.texts["fix/check.scn"] = "expect Score \"25\"\nexpect Score \"30\"\n";
    files.texts["fix/answer.scn"] = "answer yes\n";
    std::ostringstream out;
    const RunResult r = RunScript(
        "poke Score 25\ninclude fix/check.scn\ninclude fix/check.scn\ninclude fix/answer.scn\n",
        "t.scn", dir.string(), out, files.reader());
    EXPECT_EQ(r.passed, 2);
    EXPECT_EQ(r.failed, 3);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(out.str(),
              "fix/check.scn:2: expected Score \"30\", got \"25\" (included from t.scn:2)\n"
              "fix/check.scn:2: expected Score \"30\", got \"25\" (included from t.scn:3)\n"
              "fix/answer.scn:1: answer \"yes\" was never asked for (included from t.scn:4)\n");

    std::ostringstream malformed;
    files.texts["fix/bad.scn"] = "wait soon\n";
    const RunResult m = RunScript("expect Score \"0\"\ninclude fix/bad.scn\nexpect Score \"0\"\n",
                                  "t.scn", dir.string(), malformed, files.reader());
    EXPECT_EQ(m.status, 2);
    EXPECT_EQ(m.passed, 1);
    EXPECT_EQ(malformed.str(),
              "fix/bad.scn:1: wait must be a whole number: soon (included from t.scn:2)\n");

    std::ostringstream missing;
    const RunResult n = RunScript("expect Score \"0\"\ninclude fix/none.scn\n", "t.scn",
                                  dir.string(), missing, files.reader());
    EXPECT_EQ(n.status, 2);
    EXPECT_EQ(n.passed, 0);  // nothing runs when the script cannot be read whole
    EXPECT_EQ(missing.str(), "t.scn:2: cannot read fix/none.scn\n");
    fs::remove_all(dir);
}

}  // namespace
}  // namespace ardentix::script
