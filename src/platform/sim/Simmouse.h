#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/MouseEvents.h"
#include "platform/sim/Simclock.h"
#include "platform/sim/Simhand.h"
#include "platform/sim/Simreportqueue.h"

// The system mouse of the simulated machine in virtual time: reports fall due on a schedule and
// queue in the device's buffer, which fills while nobody drains it. The waiter is as late as the merge pattern says: each wake
// happens when the next k reports have fallen due (plus a latency), the clock moves there, and
// every report due by then is drained at once. With nothing scheduled a wait blocks until its
// stop is raised or more reports are scheduled.
class TSimMouse : public IMouseEvents {
public:
    explicit TSimMouse(TSimClock& clock) : m_Clock(clock) {}

    bool Setup(TStep step) override;
    uint32_t Wait(TStop stop) override;
    bool TakeOverflow() override { return Buffer.TakeOverflow(); }
    TStop CreateStop() override { return Buffer.CreateStop(); }
    void RaiseStop(TStop stop) override;
    void CloseStop(TStop stop) override { Buffer.CloseStop(stop); }

    // Schedules reports at a rate for a duration after the last scheduled report (or now), as
    // a hand fast enough for a report at every poll gives them, each report placed up to
    // ±jitterPercent of a gap off its ideal time, with a fixed pseudo-random sequence.
    void PlayRate(double hz, int64_t durationMs, double jitterPercent = 0);
    // A hand moves the mouse for a duration after the last scheduled report (or now): the host
    // polls it at pollHz on the bus's fixed frame phase (whole multiples of the poll interval
    // from time 0), and a poll brings a report only when the sensor gained a count since the
    // last report; each report is delivered up to ±jitterPercent of an interval off its poll.
    void PlayHand(double pollHz, TSimHand hand, int64_t durationMs, double jitterPercent = 0);
    // Leaves a gap with no report.
    void PlayPause(int64_t ms);
    // Reports after the given gaps, in nanoseconds.
    void PlayGaps(const std::deque<int64_t>& gapsNs);
    // How many reports each wake finds due, used in turn (1 by default: the waiter is never
    // late); and how long after the last of them the waiter runs, also used in turn.
    void SetMergePattern(std::vector<uint32_t> pattern, std::vector<int64_t> latenciesNs = {0});
    // Blocks until every scheduled report was taken and a waiter is back waiting for more:
    // whoever waits has handled all reports.
    void WaitUntilIdle();
    size_t Pending() const;
    // Drops what the buffer holds and every report due by now, unseen.
    void Discard() override;

    TSimReportQueue Buffer;
    TStep FailingStep = TStep::Event;
    bool FailSetup = false;

private:
    int64_t ScheduleEnd() const;
    // A step of the fixed pseudo-random sequence: a value in [-1, 1].
    double NextUnit();
    // Queues the scheduled reports due by now into the buffer.
    uint32_t DeliverDue();

    TSimClock& m_Clock;
    mutable std::mutex m_Mutex;
    std::condition_variable m_Changed;
    std::deque<int64_t> m_Reports;  // due times, ns
    int64_t m_LastScheduled = -1;
    int m_Waiters = 0;
    std::vector<uint32_t> m_Pattern{1};
    size_t m_NextMerge = 0;
    std::vector<int64_t> m_Latencies{0};
    uint32_t m_Random = 12345;
};
