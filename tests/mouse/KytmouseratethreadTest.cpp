#include "mouse/Kytmouseratethread.h"

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
    // The workers let go of their views; only the block's keeper holds it open.
    EXPECT_EQ(Machine.SharedMemory.MappedViews(), 0u);
    EXPECT_EQ(Machine.SharedMemory.OpenHandles(), 1u);
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
