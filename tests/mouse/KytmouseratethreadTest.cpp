#include "mouse/Kytmouseratethread.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "MachineTest.h"
#include "mouse/Kytmouserate.h"

namespace {
class SamplerTest : public TMachineTest {
protected:
    // What another reader of the block sees: its own mapping opened by name.
    RateRecord ReadByName() {
        TKytShareMem reader;
        EXPECT_TRUE(reader.OpenMapping(kRateBlockName, 0, kRateBlockSize, false));
        EXPECT_TRUE(reader.MapView());
        return reader.Unmapped() ? RateRecord{} : LoadRateRecord(reader.View());
    }
    static bool IsZero(const RateRecord& r) {
        return r.OutputRate == 0 && r.InstantRate == 0 && r.PeakRate == 0 && r.MaxWindowRate == 0;
    }
};
}  // namespace

TEST_F(SamplerTest, TheWorkerPublishesEveryReportIntoTheNamedBlock) {
    TKytMouseRateThread sampler(false);
    Machine.Mouse.PlayRate(1000, 2000);
    Machine.Mouse.WaitUntilIdle();

    RateRecord record{};
    ASSERT_TRUE(sampler.TryReadRecord(record));
    EXPECT_GE(record.OutputRate, 999);
    EXPECT_EQ(record.InstantRate, 1000);
    EXPECT_GE(record.PeakRate, 999);
    EXPECT_NEAR(record.MaxWindowRate, 1000, 0.01);
    RateRecord other = ReadByName();
    EXPECT_EQ(std::memcmp(&other, &record, sizeof(record)), 0);
    EXPECT_EQ(Machine.Threads.PriorityRaises, 1);
    EXPECT_EQ(Machine.Threads.Bindings, 2000);
}

TEST_F(SamplerTest, DestroyingAWorkerThatWaitsForAReportReturnsAtOnce) {
    {
        TKytMouseRateThread running(false);
        TKytMouseRateThread suspended(true);
    }
    // The workers let go of their views; only the blocks' keeper holds them open.
    EXPECT_EQ(Machine.SharedMemory.MappedViews(), 0u);
    EXPECT_EQ(Machine.SharedMemory.OpenHandles(), 2u);
}

TEST_F(SamplerTest, SamplersOneAfterTheOtherShareTheBlock) {
    {
        TKytMouseRateThread first(false);
        Machine.Mouse.PlayRate(500, 1000);
        Machine.Mouse.WaitUntilIdle();
    }
    TKytMouseRateThread second(true);
    RateRecord record{};
    ASSERT_TRUE(second.TryReadRecord(record));
    EXPECT_EQ(record.InstantRate, 500);
    second.ClearResults();
    EXPECT_TRUE(IsZero(ReadByName()));
}

TEST_F(SamplerTest, ASuspendedWorkerPublishesNothingUntilResumed) {
    TKytMouseRateThread sampler(true);
    sampler.DisplayTicks = 7;
    sampler.RestartMeasurement();
    Machine.Mouse.PlayRate(1000, 100);
    EXPECT_TRUE(IsZero(ReadByName()));
    EXPECT_EQ(Machine.Mouse.Pending(), 100u);  // the suspended worker took none
    EXPECT_EQ(sampler.DisplayTicks, 7);

    EXPECT_EQ(sampler.ResumeSampling(), 1);
    Machine.Mouse.WaitUntilIdle();
    RateRecord record{};
    ASSERT_TRUE(sampler.TryReadRecord(record));
    EXPECT_EQ(record.InstantRate, 1000);

    EXPECT_EQ(sampler.SuspendSampling(), 0);
    EXPECT_EQ(sampler.SuspendSampling(), 1);
    EXPECT_EQ(sampler.ResumeSampling(), 2);
    sampler.ClearResults();
    EXPECT_EQ(sampler.DisplayTicks, 0);
    EXPECT_TRUE(IsZero(ReadByName()));
}

TEST_F(SamplerTest, RestartResetsTheSharedMeasurementOnce) {
    TKytMouseRateThread first(true);
    TKytMouseRateThread second(true);
    EXPECT_TRUE(MouseRateExists());
    EXPECT_TRUE(Machine.Windows.Boxes.empty());
    EXPECT_EQ(Machine.Clock.SleptMs(), 200u);  // each start lets its worker settle for 100 ms
}

TEST_F(SamplerTest, AFailedOpenWarnsOnceAndTheSamplerStillRuns) {
    Machine.Mouse.FailSetup = true;
    Machine.Mouse.FailingStep = IMouseEvents::TStep::Acquire;
    TKytMouseRateThread first(false);
    TKytMouseRateThread second(false);
    EXPECT_EQ(Machine.Windows.Boxes.size(), 2u);
}

TEST_F(SamplerTest, WithoutAMappingThePageReadsNothing) {
    Machine.SharedMemory.FailCreate = true;
    TKytMouseRateThread sampler(false);
    EXPECT_TRUE(sampler.Unmapped());
    RateRecord record{};
    EXPECT_FALSE(sampler.TryReadRecord(record));
    sampler.ClearResults();
    Machine.Mouse.PlayRate(1000, 10);
    Machine.Mouse.WaitUntilIdle();
}

TEST_F(SamplerTest, TheStatisticsBlockTellsWhetherTheAppliedRateTook) {
    const auto readStats = [] {
        TKytShareMem reader;
        RateStatsRecord stats{};
        EXPECT_TRUE(reader.OpenMapping(kRateStatsBlockName, 0, kRateStatsBlockSize, false));
        EXPECT_TRUE(reader.MapView());
        EXPECT_TRUE(!reader.Unmapped() && LoadRateStats(reader.View(), stats));
        return stats;
    };
    {
        TKytMouseRateThread sampler(false);
        sampler.SetAppliedRate(1000);
        // Late wakes of 1 to 6 reports: every report still counts, as an even share of its gap.
        Machine.Mouse.SetMergePattern({1, 3, 6, 2});
        Machine.Mouse.PlayRate(1000, 1000, 5.0);
        Machine.Mouse.WaitUntilIdle();
        const RateStatsRecord stats = readStats();
        EXPECT_EQ(stats.Version, 1u);
        EXPECT_EQ(stats.AppliedHz, 1000u);
        EXPECT_GT(stats.Reports, 900u);
        EXPECT_NEAR(stats.MedianMs, 1.0, 0.02);
        EXPECT_LT(stats.P1Ms, stats.MedianMs);
        EXPECT_GT(stats.P99Ms, stats.MedianMs);
        EXPECT_NEAR(stats.RateHz, 1000, 20);
        EXPECT_EQ(stats.Verdict, 1);
        EXPECT_EQ(stats.Sequence % 2, 0u);
    }
    // The mouse stayed at its own 125 Hz.
    TKytMouseRateThread sampler(false);
    sampler.SetAppliedRate(1000);
    sampler.RestartMeasurement();
    EXPECT_EQ(readStats().Reports, 0u) << "a new measurement starts from nothing";
    Machine.Mouse.PlayRate(125, 3000, 3.0);
    Machine.Mouse.WaitUntilIdle();
    const RateStatsRecord stats = readStats();
    EXPECT_NEAR(stats.RateHz, 125, 3);
    EXPECT_EQ(stats.Verdict, 2);
    double recent[4] = {};
    ASSERT_EQ(sampler.TryCopyRecentIntervals(recent, 4), 4u);
    EXPECT_NEAR(recent[3], 8.0, 0.5);
}

// The verdict as the block gives it, for mice moved by a hand: at 125 to 8000 Hz, each report
// delivered up to a fifth of an interval off its poll, and a worker that wakes late by turns,
// sometimes so late that it finds several reports.
TEST_F(SamplerTest, TheVerdictComesFromTheIntervalsAHandGives) {
    using TVerdicts = std::vector<int32_t>;
    const TVerdicts confirmed{1}, confirmedOrMoveFaster{1, 3}, differs{2}, differsOrMoveFaster{2, 3};
    struct TCase {
        double PollHz;
        uint32_t AppliedHz;
        double PollsMoved;  // the share of polls at which the sensor gains a count; 1: a fast hand
        const TVerdicts* Allowed;
    };
    std::vector<TCase> cases;
    for (double hz : {125, 250, 500, 1000, 2000, 4000, 8000}) {
        const auto applied = static_cast<uint32_t>(hz);
        cases.push_back({hz, applied, 1.0, &confirmed});
        cases.push_back({hz, applied, 0.3, &confirmedOrMoveFaster});
        cases.push_back({hz, applied, 0.1, &confirmedOrMoveFaster});
    }
    cases.push_back({125, 1000, 1.0, &differs});
    cases.push_back({125, 1000, 0.3, &differsOrMoveFaster});
    cases.push_back({125, 1000, 0.1, &differsOrMoveFaster});
    cases.push_back({500, 1000, 1.0, &differs});
    cases.push_back({1000, 500, 1.0, &differs});
    cases.push_back({8000, 1000, 1.0, &differs});

    TKytMouseRateThread sampler(false);
    for (const TCase& c : cases) {
        sampler.RestartMeasurement();
        sampler.SetAppliedRate(c.AppliedHz);
        const auto period = static_cast<int64_t>(1e9 / c.PollHz);
        // Late by up to two and a half polls: a late wake takes every report due by then.
        Machine.Mouse.SetMergePattern({1}, {0, period * 3 / 10, 0, period * 5 / 2, period / 10, 0, period * 6 / 5});
        // A fast hand moves the sensor five counts a poll; a slow one at random moments.
        const TSimHand hand = c.PollsMoved >= 1 ? TSimHand(5 * c.PollHz)
                                                : TSimHand(-std::log(1 - c.PollsMoved) * c.PollHz, TSimHand::TPattern::Slow);
        const double polls = 2600 / c.PollsMoved;
        Machine.Mouse.PlayHand(c.PollHz, hand, static_cast<int64_t>(polls * 1000 / c.PollHz), 20.0);
        Machine.Mouse.WaitUntilIdle();
        RateStatsRecord stats{};
        ASSERT_TRUE(sampler.ReadStats(stats));
        const std::string name = std::to_string(static_cast<int>(c.PollHz)) + " Hz polled, " +
                                 std::to_string(c.AppliedHz) + " Hz applied, " +
                                 std::to_string(static_cast<int>(c.PollsMoved * 100)) + " % of polls moved";
        EXPECT_NE(std::find(c.Allowed->begin(), c.Allowed->end(), stats.Verdict), c.Allowed->end())
            << name << ": verdict " << stats.Verdict << ", " << stats.RateHz << " Hz";
        EXPECT_LT(stats.Reports, polls * 1.01) << name << ": a report at a poll at most";
        if (stats.Verdict == 1 || stats.Verdict == 2) {
            // The rate found is the mouse's: within 1 % when confirmed, 2 % when it differs.
            EXPECT_NEAR(stats.RateHz, c.PollHz, c.PollHz * (stats.Verdict == 1 ? 0.01 : 0.02)) << name;
        }
        if (c.PollsMoved < 1) {
            EXPECT_LT(stats.Reports, polls * c.PollsMoved * 1.2) << name << ": the slow hand skips polls";
        }
    }
}

TEST_F(SamplerTest, WhatTheDeviceBufferedDuringAPauseIsDroppedAtTheResume) {
    TKytMouseRateThread sampler(false);
    sampler.SetAppliedRate(125);
    Machine.Mouse.PlayRate(125, 2000);
    Machine.Mouse.WaitUntilIdle();
    // The pointer leaves the pad; the mouse goes on at 1000 Hz elsewhere on the desktop, and
    // the device buffers what nobody drains.
    sampler.SuspendSampling();
    Machine.Mouse.PlayRate(1000, 400);
    while (Machine.Mouse.Pending() > 399) std::this_thread::yield();  // the worker saw one and stopped
    Machine.Clock.AdvanceMs(450);
    sampler.ResumeSampling();
    Machine.Mouse.PlayRate(125, 2000);
    Machine.Mouse.WaitUntilIdle();

    RateStatsRecord stats{};
    ASSERT_TRUE(sampler.ReadStats(stats));
    // The first report after the pause only starts the clock; none of the 400 counts (the
    // block is published every 100 ms, so its count may lag a report or two).
    EXPECT_GE(stats.Reports, 250u + 249u - 3u);
    EXPECT_LE(stats.Reports, 250u + 249u);
    EXPECT_EQ(stats.Verdict, 1);
    EXPECT_NEAR(stats.RateHz, 125, 1);
    double recent[300] = {};
    const size_t n = sampler.TryCopyRecentIntervals(recent, 300);
    ASSERT_GT(n, 0u);
    EXPECT_NEAR(*std::min_element(recent, recent + n), 8.0, 0.01);
    EXPECT_NEAR(*std::max_element(recent, recent + n), 8.0, 0.01);
    RateRecord record{};
    ASSERT_TRUE(sampler.TryReadRecord(record));
    EXPECT_EQ(record.InstantRate, 125);
}
