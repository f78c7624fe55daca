#include "mouse/Reportintervals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "mouse/Ratestatsblock.h"

namespace {
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

TEST(ReportIntervalsTest, TheVerdictAtItsEdges) {
    const auto judge = [](double rateHz, size_t intervals, uint32_t applied) {
        TIntervalStats stats;
        stats.RateHz = rateHz;
        stats.Intervals = intervals;
        return JudgeRate(stats, applied);
    };
    struct TCase {
        double Rate;
        size_t Intervals;
        uint32_t Applied;
        TRateVerdict Verdict;
    } cases[] = {
        {1000, 200, 1000, TRateVerdict::Confirmed},     {950, 2048, 1000, TRateVerdict::Confirmed},
        {1050, 2048, 1000, TRateVerdict::Confirmed},    {949.9, 2048, 1000, TRateVerdict::Differs},
        {1050.1, 2048, 1000, TRateVerdict::Differs},    {125, 2048, 1000, TRateVerdict::Differs},
        {1000, 199, 1000, TRateVerdict::NotEnoughData}, {1000, 2048, 0, TRateVerdict::NotEnoughData},
        {31.25, 400, 31, TRateVerdict::Confirmed},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(judge(c.Rate, c.Intervals, c.Applied), c.Verdict) << c.Rate << " Hz of " << c.Applied;
    }
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
