#include "mouse/Reportintervals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "mouse/Ratestatsblock.h"

namespace {
// The intervals of a hand that moves at random moments, in a poll's share p of the polls at a
// poll interval: whole multiples k of the poll interval with probability p (1 - p)^(k - 1), as
// evenly spaced quantiles.
std::vector<double> GeometricPolls(double p, double pollMs) {
    std::vector<double> intervals;
    for (int i = 0; i < 500; ++i) {
        const double q = (i + 0.5) / 500;
        intervals.push_back(pollMs * std::ceil(std::log(1 - q) / std::log(1 - p)));
    }
    return intervals;
}

TIntervalStats StatsOf(std::initializer_list<double> intervals) {
    TReportIntervals ring;
    for (double ms : intervals) ring.Add(ms, 1);
    return ring.Stats();
}
}  // namespace

TEST(ReportIntervalsTest, MedianAndPercentilesOfKnownSchedules) {
    TReportIntervals hundred;
    for (int i = 100; i >= 1; --i) hundred.Add(i, 1);  // order does not matter
    TIntervalStats stats = hundred.Stats();
    EXPECT_EQ(stats.Intervals, 100u);
    EXPECT_DOUBLE_EQ(stats.MedianMs, 50.5);  // an even count: the mean of the middle two
    EXPECT_DOUBLE_EQ(stats.P1Ms, 1);
    EXPECT_DOUBLE_EQ(stats.P99Ms, 99);

    TReportIntervals odd;
    for (int i = 1; i <= 101; ++i) odd.Add(i, 1);
    stats = odd.Stats();
    EXPECT_DOUBLE_EQ(stats.MedianMs, 51);
    EXPECT_DOUBLE_EQ(stats.P1Ms, 2);  // nearest rank: ceil(1.01) is the 2nd value
    EXPECT_DOUBLE_EQ(stats.P99Ms, 100);

    stats = StatsOf({4.0});
    EXPECT_DOUBLE_EQ(stats.MedianMs, 4);
    EXPECT_DOUBLE_EQ(stats.P1Ms, 4);
    EXPECT_DOUBLE_EQ(stats.P99Ms, 4);
    EXPECT_DOUBLE_EQ(stats.RateHz, 250);

    stats = TReportIntervals().Stats();
    EXPECT_EQ(stats.Intervals, 0u);
    EXPECT_EQ(stats.RateHz, 0);
}

TEST(ReportIntervalsTest, MergedWakesPausesAndTheRingKeepTheNewest) {
    TReportIntervals ring;
    ring.Add(8.0, 8);   // a late wake: eight reports over 8 ms are eight 1 ms intervals
    ring.Add(2000, 1);  // the pointer rested: the report counts, the gap is no interval
    ring.Add(0, 1);     // two wakes at one counter value: nothing to divide
    EXPECT_EQ(ring.Size(), 8u);
    EXPECT_EQ(ring.Reports(), 10u);
    EXPECT_DOUBLE_EQ(ring.Stats().MedianMs, 1.0);

    for (int i = 0; i < 3000; ++i) ring.Add(i % 2 ? 2.0 : 4.0, 1);
    EXPECT_EQ(ring.Size(), TReportIntervals::kCapacity);
    double recent[3] = {};
    ASSERT_EQ(ring.CopyRecent(recent, 3), 3u);
    EXPECT_EQ(recent[0], 2.0);
    EXPECT_EQ(recent[1], 4.0);
    EXPECT_EQ(recent[2], 2.0) << "the last interval added is the last copied";
    EXPECT_DOUBLE_EQ(ring.Stats().MedianMs, 3.0);

    ring.Clear();
    EXPECT_EQ(ring.Size(), 0u);
    EXPECT_EQ(ring.Reports(), 0u);
}

TEST(ReportIntervalsTest, ThePollIntervalIsTheShortestAtWhichReportsKeepComing) {
    // Intervals in ms, repeated to fill a ring: what poll interval they show, and the verdict
    // on an applied 1000 Hz.
    struct TCase {
        const char* Name;
        std::vector<double> Pattern;
        double PollMs;  // 0: none can be told
        TRateVerdict At1000Hz;
    } cases[] = {
        {"every poll at 1 ms", {0.9, 1.0, 1.1, 1.0}, 1.0, TRateVerdict::Confirmed},
        {"a fifth of the wakes late, and the next early", {1.0, 1.0, 1.0, 1.4, 0.6}, 1.0, TRateVerdict::Confirmed},
        {"skipped polls: whole multiples of 1 ms", {1, 1, 2, 1, 3, 1, 2, 5, 1, 4}, 1.0, TRateVerdict::Confirmed},
        {"every poll at 8 ms", {7.9, 8.0, 8.1}, 8.0, TRateVerdict::Differs},
        {"every poll at 0.5 ms: faster than applied", {0.5}, 0.5, TRateVerdict::Differs},
        {"a steady hand at a third of the polls", {3, 3, 4}, 0, TRateVerdict::MoveFaster},
        {"2 ms, and 1 ms after each late wake", {2, 2, 2, 2, 2, 2, 2, 2, 3, 1}, 2.0, TRateVerdict::Differs},
        {"a fifth of the reports one poll apart, the rest two", {2, 2, 2, 2, 1, 2, 2, 2, 2, 1}, 1.0, TRateVerdict::Confirmed},
        {"a hand at a tenth of the polls, at random", GeometricPolls(0.1, 1.0), 0, TRateVerdict::MoveFaster},
        {"a hand at a third of the polls, at random", GeometricPolls(0.3, 1.0), 1.0, TRateVerdict::Confirmed},
    };
    for (const TCase& c : cases) {
        TReportIntervals ring;
        for (size_t i = 0; i < TReportIntervals::kCapacity; ++i) ring.Add(c.Pattern[i % c.Pattern.size()], 1);
        const TIntervalStats stats = ring.Stats(1000);
        EXPECT_NEAR(stats.PollMs, c.PollMs, 0.01) << c.Name;
        EXPECT_NEAR(stats.RateHz, c.PollMs > 0 ? 1000 / c.PollMs : 0, 1) << c.Name;
        EXPECT_EQ(stats.Verdict, c.At1000Hz) << c.Name;
    }
    TReportIntervals few;
    for (int i = 0; i < 199; ++i) few.Add(1.0, 1);
    EXPECT_EQ(few.Stats(1000).Verdict, TRateVerdict::NotEnoughData) << "199 intervals say nothing";
    few.Add(1.0, 1);
    EXPECT_EQ(few.Stats(1000).Verdict, TRateVerdict::Confirmed);
    EXPECT_EQ(few.Stats(0).Verdict, TRateVerdict::NotEnoughData) << "no rate applied";
    EXPECT_DOUBLE_EQ(few.Stats(0).PollMs, 1.0) << "the poll interval is found all the same";
    TReportIntervals slow;
    for (int i = 0; i < 400; ++i) slow.Add(32.0, 1);
    EXPECT_EQ(slow.Stats(31).Verdict, TRateVerdict::Confirmed) << "31 Hz is a 32 ms interval";
}

TEST(RateStatsBlockTest, TheLayoutOtherProgramsRead) {
    RateStatsRecord record{};
    record.Version = kRateStatsVersion;
    record.AppliedHz = 1000;
    record.Reports = 0x0102030405060708ull;
    record.MedianMs = 1.0;
    record.Verdict = 1;
    alignas(8) unsigned char block[kRateStatsBlockSize] = {};
    StoreRateStats(block, record);
    EXPECT_EQ(block[0], 1);
    EXPECT_EQ(block[4] | block[5] << 8, 1000);
    EXPECT_EQ(block[8], 0x08);
    EXPECT_EQ(block[15], 0x01);
    EXPECT_EQ(block[23], 0x3F);  // 1.0 as a little-endian double: 00 .. F0 3F
    EXPECT_EQ(block[48], 1);
    EXPECT_EQ(block[52], 2) << "one write: odd, then even";
    for (int i = 56; i < 64; ++i) EXPECT_EQ(block[i], 0);
    RateStatsRecord back{};
    ASSERT_TRUE(LoadRateStats(block, back));
    EXPECT_EQ(back.Reports, record.Reports);
    EXPECT_EQ(back.Sequence, 2u);

    block[52] = 3;  // a writer that stopped halfway
    EXPECT_FALSE(LoadRateStats(block, back, 4));
}

TEST(RateStatsBlockTest, AReaderNeverSeesATornBlock) {
    alignas(8) static unsigned char block[kRateStatsBlockSize];
    std::atomic<bool> done{false};
    std::atomic<int> whole{0};
    // The writer goes on until the reader has copied enough blocks: on a busy machine the
    // writer's first 20000 writes can otherwise finish before the reader runs at all.
    std::thread writer([&] {
        for (uint32_t k = 1; k <= 20000 || (whole < 1000 && k < 20000000); ++k) {
            RateStatsRecord record{};
            record.Version = k;
            record.AppliedHz = k;
            record.Reports = k;
            record.MedianMs = record.P1Ms = record.P99Ms = record.RateHz = k;
            record.Verdict = static_cast<int32_t>(k);
            StoreRateStats(block, record);
        }
        done = true;
    });
    std::string torn;
    while (!done && torn.empty()) {
        RateStatsRecord record{};
        if (!LoadRateStats(block, record)) continue;
        const uint32_t k = record.Version;
        const bool same = record.AppliedHz == k && record.Reports == k && record.MedianMs == k && record.P1Ms == k &&
                          record.P99Ms == k && record.RateHz == k && record.Verdict == static_cast<int32_t>(k);
        if (!same) torn = "a copy mixed two writes at " + std::to_string(k);
        ++whole;
    }
    const int copied = whole.exchange(1000000);  // a torn copy stops the writer at once
    writer.join();
    EXPECT_EQ(torn, "");
    EXPECT_GT(copied, 0);
}
