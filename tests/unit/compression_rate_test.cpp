// The rate of compressions given by key: the window of the last ten, the rounding that decides
// the colour at 100 and 120 a minute, and the debrief's median and share for each stretch of CPR,
// from the compressions a log noted.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/compression_rate.h"
#include "core/event_log.h"
#include "records/debrief.h"

namespace ardentix {
namespace {

// Times of a series: the first at `start`, then one after each interval.
std::vector<int32_t> pressTimes(int32_t start, const std::vector<int32_t>& intervals) {
    std::vector<int32_t> times = {start};
    for (int32_t gap : intervals)
        times.push_back(times.back() + gap);
    return times;
}

TEST(CompressionRate, NoneForTheFirstOfASeries) {
    const std::vector<int32_t> one = {4000};
    EXPECT_FALSE(CompressionRateAt(one, 0));
    EXPECT_FALSE(CompressionRateAt(one, 1)) << "no compression there";
    const std::vector<int32_t> two = {4000, 4600};
    EXPECT_FALSE(CompressionRateAt(two, 0));
    EXPECT_EQ(CompressionRateAt(two, 1), 100);
    EXPECT_FALSE(CompressionRateAt(two, 2));
}

TEST(CompressionRate, RoundedAtTheLimitsOfTheTarget) {
    // Nine intervals: 5427 ms is 99.50 a minute (100), 5428 ms 99.48 (99).
    const auto at = [](std::vector<int32_t> intervals) {
        const std::vector<int32_t> s = pressTimes(0, intervals);
        return *CompressionRateAt(s, s.size() - 1);
    };
    EXPECT_EQ(at({603, 603, 603, 603, 603, 603, 603, 603, 603}), 100);
    EXPECT_EQ(at({603, 603, 603, 603, 603, 603, 603, 603, 604}), 99);
    // 4482 ms is 120.48 (120), 4481 ms 120.51 (121).
    EXPECT_EQ(at({498, 498, 498, 498, 498, 498, 498, 498, 498}), 120);
    EXPECT_EQ(at({498, 498, 498, 498, 498, 498, 498, 498, 497}), 121);
    // A half rounds up: 60000 / 1600 = 37.5; 60000 * 2 / 1041 = 115.27; 60000 / 800 = 75.
    EXPECT_EQ(at({1600}), 38);
    EXPECT_EQ(at({520, 521}), 115);
    EXPECT_EQ(at({800}), 75);
    EXPECT_FALSE(RateInTarget(99));
    EXPECT_TRUE(RateInTarget(100));
    EXPECT_TRUE(RateInTarget(120));
    EXPECT_FALSE(RateInTarget(121));
}

TEST(CompressionRate, OverTheLastTenOnly) {
    // A slow start drops out of the window once ten compressions follow it.
    std::vector<int32_t> intervals = {2000};
    intervals.insert(intervals.end(), 9, 500);
    const std::vector<int32_t> s = pressTimes(1000, intervals);
    ASSERT_EQ(s.size(), 11u);
    EXPECT_EQ(CompressionRateAt(s, 9), 90);    // nine intervals in 6000 ms: the 2000 inside
    EXPECT_EQ(CompressionRateAt(s, 10), 120);  // the last ten: nine of 500
    // Two compressions in the same ms count as 1 ms apart.
    const std::vector<int32_t> same = {700, 700};
    EXPECT_EQ(CompressionRateAt(same, 1), 60000);
}

TEST(CompressionRate, LogNotesSeriesAndForgetsThemOnClear) {
    EventLog log;
    log.Clear(10000, "9:00:00 AM");
    log.NoteCompression(10500, false);  // the first opens a series even when not asked to
    log.NoteCompression(11000, false);
    log.NoteCompression(20000, true);
    ASSERT_EQ(log.CompressionSeries().size(), 2u);
    EXPECT_EQ(log.CompressionSeries()[0], (std::vector<int32_t>{500, 1000}));
    EXPECT_EQ(log.CompressionSeries()[1], (std::vector<int32_t>{10000}));
    log.Clear(50000, "9:00:40 AM");
    EXPECT_TRUE(log.CompressionSeries().empty());
}

const FigureRow* rateRow(const std::vector<FigureRow>& rows, const std::string& name) {
    const auto found =
        std::find_if(rows.begin(), rows.end(), [&](const FigureRow& r) { return r.name == name; });
    return found == rows.end() ? nullptr : &*found;
}

// A log with CPR from 0 to 30 s and again from 30 s (started as it stopped) to 40 s, and from 50
// to 60 s without a compression by key.
EventLog cprLog() {
    EventLog log;
    log.Clear(0, "9:00:00 AM");
    log.Add(0, "cpr", "CPR running");
    // The first stretch: two series, rates 100, 100 and 120, 120, 122 (three in 1480 ms).
    for (int32_t t : pressTimes(1000, {600, 600}))
        log.NoteCompression(t, t == 1000);
    for (int32_t t : pressTimes(10000, {500, 500, 480}))
        log.NoteCompression(t, t == 10000);
    log.Add(30000, "cpr", "CPR stopped");
    log.Add(30000, "cpr", "CPR running");
    // The second, from the moment the first stopped: 86 twice.
    for (int32_t t : pressTimes(30000, {700, 700}))
        log.NoteCompression(t, t == 30000);
    log.Add(40000, "cpr", "CPR stopped");
    log.Add(50000, "cpr", "CPR running");
    log.Add(60000, "cpr", "CPR stopped");
    log.Add(61000, "scenario", "End");
    return log;
}

TEST(CompressionFigures, MedianAndShareForEachStretchOfCPRWithCompressions) {
    const DebriefFigures f = ComputeFigures(cprLog());
    ASSERT_EQ(f.cpr.size(), 3u);
    ASSERT_EQ(f.compressionCycles.size(), 2u) << "the stretch without compressions has none";
    const auto& first = f.compressionCycles[0];
    EXPECT_EQ(first.rates, (std::vector<int>{100, 100, 120, 120, 122}));
    EXPECT_EQ(first.medianRate, 120);
    ASSERT_TRUE(first.shareInTarget);
    EXPECT_DOUBLE_EQ(*first.shareInTarget, 80.0);
    const auto& second = f.compressionCycles[1];
    EXPECT_EQ(second.rates, (std::vector<int>{86, 86}));
    EXPECT_EQ(second.medianRate, 86);
    EXPECT_DOUBLE_EQ(*second.shareInTarget, 0.0);
}

TEST(CompressionFigures, MedianOfAnEvenCountRoundsAHalfUp) {
    EventLog log;
    log.Clear(0, "9:00:00 AM");
    log.Add(0, "cpr", "CPR running");
    // Rates 100 and 107 (two in 1121 ms): their median 103.5 is shown as 104.
    for (int32_t t : pressTimes(0, {600, 521}))
        log.NoteCompression(t, t == 0);
    log.Add(5000, "cpr", "CPR stopped");
    const DebriefFigures f = ComputeFigures(log);
    ASSERT_EQ(f.compressionCycles.size(), 1u);
    EXPECT_EQ(f.compressionCycles[0].rates, (std::vector<int>{100, 107}));
    EXPECT_EQ(f.compressionCycles[0].medianRate, 104);
}

TEST(CompressionFigures, RowsJudgedWhereCPRWasRequired) {
    DebriefFigures f = ComputeFigures(cprLog());
    f.cprRequired = true;
    std::vector<FigureRow> rows = FigureRows(f);
    ASSERT_TRUE(rateRow(rows, "CompressionRate(1)"));
    EXPECT_EQ(rateRow(rows, "CompressionRate(1)")->value, "120");
    EXPECT_EQ(rateRow(rows, "CompressionRate(1)")->shown, "120/min");
    EXPECT_EQ(rateRow(rows, "CompressionRate(1)")->target, "100–120/min");
    EXPECT_EQ(rateRow(rows, "CompressionRate(1)")->met, true);
    EXPECT_EQ(rateRow(rows, "RateInTarget(1)")->value, "80.0");
    EXPECT_EQ(rateRow(rows, "RateInTarget(1)")->shown, "80.0 %");
    EXPECT_EQ(rateRow(rows, "RateInTarget(1)")->target, "≥ 80 %");
    EXPECT_EQ(rateRow(rows, "RateInTarget(1)")->met, true);
    EXPECT_EQ(rateRow(rows, "CompressionRate(2)")->met, false);
    EXPECT_EQ(rateRow(rows, "RateInTarget(2)")->met, false);
    EXPECT_FALSE(rateRow(rows, "CompressionRate(3)"));
    // The rows stand before the deductions, after the pauses of CPR.
    const auto at = [&rows](const std::string& name) { return rateRow(rows, name) - rows.data(); };
    EXPECT_LT(at("HandsOffCount"), at("CompressionRate(1)"));
    EXPECT_LT(at("RateInTarget(2)"), at("Deductions"));

    f.cprRequired = false;
    rows = FigureRows(f);
    EXPECT_EQ(rateRow(rows, "CompressionRate(1)")->target, "not required");
    EXPECT_FALSE(rateRow(rows, "CompressionRate(1)")->met.has_value());
    EXPECT_EQ(rateRow(rows, "CompressionRate(1)")->shown, "120/min");

    // Without compressions by key there are no such rows.
    EventLog plain;
    plain.Clear(0, "9:00:00 AM");
    plain.Add(0, "cpr", "CPR running");
    plain.Add(9000, "cpr", "CPR stopped");
    const std::vector<FigureRow> none = FigureRows(ComputeFigures(plain));
    EXPECT_FALSE(rateRow(none, "CompressionRate(1)"));
    EXPECT_FALSE(rateRow(none, "RateInTarget(1)"));
}

}  // namespace
}  // namespace ardentix
