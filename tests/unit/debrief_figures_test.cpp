// The debrief's judgement: the first shock's scored time against the monitor's own limit, and the
// figures of CPR judged only where the protocol asked for CPR.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/event_log.h"
#include "records/debrief.h"
#include "records/first_shock.h"

namespace ardentix {
namespace {

const FigureRow& row(const std::vector<FigureRow>& rows, const std::string& name) {
    const auto found =
        std::find_if(rows.begin(), rows.end(), [&](const FigureRow& r) { return r.name == name; });
    if (found == rows.end()) throw std::runtime_error("no figure " + name);
    return *found;
}

TEST(FirstShock, ScoredTimeIsTheElapsedSecondsLessSeven) {
    EXPECT_EQ(ScoredFirstShock(127), 120);
    EXPECT_EQ(ScoredFirstShock(7), 0);
}

TEST(FirstShock, OnlyOverTwoMinutesIsSlow) {
    EXPECT_FALSE(SlowFirstShock(119));
    EXPECT_FALSE(SlowFirstShock(120));
    EXPECT_TRUE(SlowFirstShock(121));
}

TEST(FirstShock, TextHasMinutesWithOneLeadingZero) {
    EXPECT_EQ(FirstShockText(9), "00:09");
    EXPECT_EQ(FirstShockText(10), "00:10");
    EXPECT_EQ(FirstShockText(52), "00:52");
    EXPECT_EQ(FirstShockText(53), "00:53");
    EXPECT_EQ(FirstShockText(60), "01:00");
    EXPECT_EQ(FirstShockText(126), "02:06");
    EXPECT_EQ(FirstShockText(605), "010:05");
}

TEST(FirstShock, ShownWithTheClickAndTheScoredTime) {
    EXPECT_EQ(FirstShockShown(133900, 126), "2:13.9 (scored as 02:06)");
    EXPECT_EQ(FirstShockTarget(), "scored ≤ 02:00");
}

DebriefFigures shockAt(int scored, bool timed) {
    DebriefFigures f;
    f.timeToFirstShock = (scored + 7) * 1000 + 500;
    f.firstShockScored = scored;
    f.firstShockTimed = timed;
    return f;
}

TEST(FigureRows, FirstShockVerdictIsTheMonitorsLimit) {
    // The verdict follows the scored seconds, the monitor's, whatever the click.
    EXPECT_EQ(row(FigureRows(shockAt(119, true)), "TimeToFirstShock").met, true);
    EXPECT_EQ(row(FigureRows(shockAt(120, true)), "TimeToFirstShock").met, true);
    const FigureRow over = row(FigureRows(shockAt(121, true)), "TimeToFirstShock");
    EXPECT_EQ(over.met, false);
    EXPECT_EQ(over.shown, "2:08.5 (scored as 02:01)");
    EXPECT_EQ(over.target, "scored ≤ 02:00");
    EXPECT_EQ(over.value, "128500");
}

TEST(FigureRows, FirstShockWithoutTheRuleHasNoVerdict) {
    const FigureRow r = row(FigureRows(shockAt(300, false)), "TimeToFirstShock");
    EXPECT_FALSE(r.met.has_value());
    EXPECT_EQ(r.target, "not required");
    EXPECT_EQ(r.shown, "5:07.5 (scored as 05:00)");
}

TEST(FigureRows, NoShockNoVerdict) {
    const FigureRow r = row(FigureRows(DebriefFigures{}), "TimeToFirstShock");
    EXPECT_FALSE(r.met.has_value());
    EXPECT_EQ(r.shown, "—");
}

DebriefFigures withoutCPR(bool required) {
    DebriefFigures f;
    f.noPulse = {1000, 31000};
    f.cprFraction = 0.0;
    f.longestHandsOff = 30000;
    f.handsOff = {{1000, 31000}};
    f.shocks = {20000};
    f.preShockPause = {5000};
    f.postShockPause = {3000};
    f.cprRequired = required;
    return f;
}

TEST(FigureRows, FiguresOfCPRAreJudgedOnlyWhereCPRWasRequired) {
    const char* cprFigures[] = {"CPRFraction", "LongestHandsOff", "HandsOffCount",
                                "PreShockPause(1)", "PostShockPause(1)"};
    const std::vector<FigureRow> free = FigureRows(withoutCPR(false));
    for (const char* name : cprFigures) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(row(free, name).met.has_value());
        EXPECT_EQ(row(free, name).target, "not required");
    }
    EXPECT_EQ(row(free, "CPRFraction").shown, "0.0 %");
    const std::vector<FigureRow> due = FigureRows(withoutCPR(true));
    EXPECT_EQ(row(due, "CPRFraction").met, false);
    EXPECT_EQ(row(due, "CPRFraction").target, "≥ 80 %");
    EXPECT_EQ(row(due, "LongestHandsOff").met, false);
    EXPECT_EQ(row(due, "HandsOffCount").met, false);
    EXPECT_EQ(row(due, "PreShockPause(1)").met, true);
    EXPECT_EQ(row(due, "PostShockPause(1)").met, true);
    // Deductions are the monitor's own verdict either way.
    EXPECT_EQ(row(free, "Deductions").met, true);
}

TEST(ComputeFigures, TakesTheProtocolsNotesAndForgetsThemOnClear) {
    EventLog log;
    log.Clear(5000, "9:00:00 AM");
    log.NoteFirstShock(5000 + 130400, 123, false);
    log.NoteCPRRequired();
    log.Add(5000 + 130400, "device", "Shock delivered");
    DebriefFigures f = ComputeFigures(log);
    EXPECT_EQ(f.timeToFirstShock, 130400);
    EXPECT_EQ(f.firstShockScored, 123);
    EXPECT_FALSE(f.firstShockTimed);
    EXPECT_TRUE(f.cprRequired);
    ASSERT_TRUE(log.Notes().firstShock.has_value());
    EXPECT_EQ(log.Notes().firstShock->ms, 130400);

    log.Clear(200000, "9:03:20 AM");
    f = ComputeFigures(log);
    EXPECT_FALSE(f.firstShockScored.has_value());
    EXPECT_FALSE(f.cprRequired);
    EXPECT_FALSE(log.Notes().firstShock.has_value());
}

}  // namespace
}  // namespace ardentix
