// The pending file's line: a result reads back whole from its line whatever its texts hold, and a
// line that is not whole reads as nothing.
#include <gtest/gtest.h>

#include "core/result_text.h"
#include "sample_result.h"

namespace ardentix {
namespace {

TEST(PendingLine, AResultReadsBackWhole) {
    ScenarioResult r = testing::SampleResult("0b5c3c2e-6c57-4d1f-8e8a-6f2b3a9d1c00", 3, 4);
    r.traineeName = "Kim\tLee|\\n\r\nend=";  // every character the line writes escaped
    r.errors.push_back("");
    r.events[1].text = "a|b\\c\td";
    r.figures.push_back({"HandsOff(1)", "100-12100"});
    const std::string line = PendingLine(r);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    EXPECT_TRUE(line.starts_with("result=1\tuuid=0b5c3c2e-"));
    EXPECT_EQ(ReadPendingLine(line), r);

    // The empty and missing values: no first shock, no verdict of a Practice, no CPR fraction.
    ScenarioResult practice = r;
    practice.firstShockMs.reset();
    practice.passed.reset();
    practice.cprFraction.reset();
    practice.completed = false;
    practice.errors.clear();
    practice.events.clear();
    practice.figures.clear();
    EXPECT_EQ(ReadPendingLine(PendingLine(practice)), practice);
    EXPECT_EQ(PendingLine(practice).find("first_shock_ms"), std::string::npos);
}

TEST(PendingLine, ALineNotWholeReadsAsNothing) {
    const std::string line = PendingLine(testing::SampleResult("u", 2, 2));
    EXPECT_TRUE(ReadPendingLine(line));
    // Cut anywhere before its end, a line lacks a field or holds half of one.
    const size_t lastField = line.rfind('\t');
    for (size_t cut : {size_t{0}, size_t{8}, line.find("\tscore="), line.find("\tevent=") + 12,
                       lastField, line.size() - 1}) {
        EXPECT_FALSE(ReadPendingLine(line.substr(0, cut))) << cut;
    }
    const std::string body = line.substr(0, lastField);
    EXPECT_FALSE(ReadPendingLine("result=2" + line.substr(8)));    // a form this program not knows
    EXPECT_FALSE(ReadPendingLine(body + "\tbroken\tend"));         // a field without its name
    EXPECT_FALSE(ReadPendingLine(body + "\terror=tail\\\tend"));   // an escape cut off
    EXPECT_FALSE(ReadPendingLine(body + "\terror=\\x\tend"));      // an escape that is none
    EXPECT_FALSE(ReadPendingLine(body + "\tevent=1|a|b|c\tend"));  // an event without its points
    EXPECT_FALSE(ReadPendingLine(body + "\tfigure=a|b|c\tend"));   // a figure with a part more
    EXPECT_TRUE(ReadPendingLine(body + "\tcomment=a later field\tend")) << "unknown fields pass";
    EXPECT_FALSE(ReadPendingLine(body + "\tend\tend"));
    std::string badNumber = line;
    badNumber.replace(badNumber.find("score=850"), 9, "score=8x0");
    EXPECT_FALSE(ReadPendingLine(badNumber));
    std::string badOutcome = line;
    badOutcome.replace(badOutcome.find("outcome=completed"), 17, "outcome=abandoned");
    EXPECT_FALSE(ReadPendingLine(badOutcome));
    std::string infinite = line;
    infinite.replace(infinite.find("cpr_fraction=72.5"), 17, "cpr_fraction=inf");
    EXPECT_FALSE(ReadPendingLine(infinite));
}

}  // namespace
}  // namespace ardentix
