// Compressions by key make the debrief's CPR: stretches from press to press at most 2 s apart
// (10 s across the breaths of CPR), and the figures of CPR taken from them instead of the time the
// CPR button let CPR run.
#include <gtest/gtest.h>

#include <vector>

#include "core/event_log.h"
#include "records/debrief.h"

namespace ardentix {
namespace {

void expectSpans(const std::vector<Span>& got, const std::vector<Span>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].from, want[i].from) << "stretch " << i;
        EXPECT_EQ(got[i].to, want[i].to) << "stretch " << i;
    }
}

TEST(PressStretches, TwoSecondsApartAtMost) {
    // 2000 ms joins, 2001 ms parts; a press alone is a stretch of no length.
    expectSpans(PressStretches({{1000, 3000, 5001, 7001}}, {}), {{1000, 3000}, {5001, 7001}});
    expectSpans(PressStretches({{1000}}, {}), {{1000, 1000}});
    expectSpans(PressStretches({{1000, 1500, 9000, 20000, 21999}}, {}),
                {{1000, 1500}, {9000, 9000}, {20000, 21999}});
    EXPECT_TRUE(PressStretches({}, {}).empty());
    EXPECT_TRUE(PressStretches({{}, {}}, {}).empty());
}

TEST(PressStretches, TheBreathsOfCPRKeepTheStretchForTenSeconds) {
    // The series' last press brought the breaths: 10,000 ms to the next press joins, 10,001 parts.
    expectSpans(PressStretches({{1000, 2000}, {12000, 13000}}, {2000}), {{1000, 13000}});
    expectSpans(PressStretches({{1000, 2000}, {12001, 13000}}, {2000}),
                {{1000, 2000}, {12001, 13000}});
    // Only after the press that brought them: a new series for another reason keeps 2 s.
    expectSpans(PressStretches({{1000, 2000}, {5000}}, {}), {{1000, 2000}, {5000, 5000}});
    expectSpans(PressStretches({{1000, 2000}, {4000}}, {}), {{1000, 4000}});
    // Twice in a row, each breaths its own.
    expectSpans(PressStretches({{0, 500}, {9000, 9500}, {19500, 20000}}, {500, 9500}),
                {{0, 20000}});
    expectSpans(PressStretches({{0, 500}, {9000, 9500}, {19501, 20000}}, {500, 9500}),
                {{0, 9500}, {19501, 20000}});
}

// CPR by the button from 10 s to 60 s, a shock at 40 s; the scenario ends at 100 s. The check
// of responsiveness at 0 begins the time without a pulse.
EventLog buttonLog(bool byKey) {
    EventLog log;
    log.Clear(1000, "9:00:00 AM");
    if (byKey) log.NoteCompressionsByKey();
    log.Add(1000, "action", "Response");
    log.Add(1000 + 10000, "cpr", "CPR running");
    return log;
}

void finish(EventLog& log) {
    log.Add(1000 + 40000, "device", "Shock delivered");
    log.Add(1000 + 60000, "cpr", "CPR stopped");
    log.Finishing(1000 + 100000);
}

TEST(ComputeFigures, TheButtonAloneIsNoCPRWithCompressionsByKey) {
    EventLog button = buttonLog(false);
    finish(button);
    const DebriefFigures plain = ComputeFigures(button);
    ASSERT_TRUE(plain.cprFraction);
    EXPECT_DOUBLE_EQ(*plain.cprFraction, 50.0);
    EXPECT_EQ(plain.timeToCompression, 10000);

    EventLog keyed = buttonLog(true);
    finish(keyed);
    const DebriefFigures none = ComputeFigures(keyed);
    ASSERT_TRUE(none.cprFraction);
    EXPECT_DOUBLE_EQ(*none.cprFraction, 0.0);
    EXPECT_FALSE(none.timeToCompression);
    EXPECT_EQ(none.longestHandsOff, 100000);
    ASSERT_EQ(none.preShockPause.size(), 1u);
    EXPECT_FALSE(none.preShockPause[0]);
    EXPECT_FALSE(none.postShockPause[0]);
}

TEST(ComputeFigures, ThePressesMakeTheFiguresOfCPR) {
    EventLog log = buttonLog(true);
    // Presses from 12 s to 30 s, each 2 s, then 45 s to 59 s: the shock at 40 s between them.
    for (int32_t t = 12000; t <= 30000; t += 2000)
        log.NoteCompression(1000 + t, t == 12000);
    for (int32_t t = 45000; t <= 59000; t += 1000)
        log.NoteCompression(1000 + t, t == 45000);
    finish(log);
    const DebriefFigures f = ComputeFigures(log);
    expectSpans(f.cpr, {{12000, 30000}, {45000, 59000}});
    ASSERT_TRUE(f.cprFraction);
    EXPECT_DOUBLE_EQ(*f.cprFraction, 32.0);
    EXPECT_EQ(f.timeToCompression, 12000);
    EXPECT_EQ(f.longestHandsOff, 41000);  // from the last press to the end
    EXPECT_EQ(f.handsOff.size(), 3u);     // 12 s, 15 s and 41 s
    ASSERT_EQ(f.preShockPause.size(), 1u);
    EXPECT_EQ(f.preShockPause[0], 10000);
    EXPECT_EQ(f.postShockPause[0], 5000);
    // The rates stay grouped by the button's stretch: both series in one.
    ASSERT_EQ(f.compressionCycles.size(), 1u);
    EXPECT_EQ(f.compressionCycles[0].rates.size(), 9u + 14u);
}

TEST(ComputeFigures, AStretchOverTheShockLeavesItNoPause) {
    EventLog log = buttonLog(true);
    log.NoteCompression(1000 + 39000, true);
    log.NoteCompression(1000 + 41000, false);
    finish(log);
    const DebriefFigures f = ComputeFigures(log);
    ASSERT_EQ(f.preShockPause.size(), 1u);
    EXPECT_EQ(f.preShockPause[0], 0);
    EXPECT_FALSE(f.postShockPause[0]);
}

TEST(EventLog, ClearForgetsCompressionsByKeyAndTheBreaths) {
    EventLog log = buttonLog(true);
    log.NoteCompression(1000 + 12000, true);
    log.NoteBreathsOfCPR(1000 + 12000);
    EXPECT_TRUE(log.Notes().compressionsByKey);
    EXPECT_EQ(log.BreathsOfCPR(), std::vector<int32_t>{12000});
    log.Clear(5000, "9:01:00 AM");
    EXPECT_FALSE(log.Notes().compressionsByKey);
    EXPECT_TRUE(log.BreathsOfCPR().empty());
    EXPECT_TRUE(log.CompressionSeries().empty());
}

}  // namespace
}  // namespace ardentix
