#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>

#include "platform/MouseEvents.h"
#include "platform/sim/Simclock.h"

// The system mouse of the simulated machine: it reports on a schedule in virtual time. A wait
// moves the clock to the next report; with no report left it blocks until its stop is raised
// or more reports are scheduled.
class TSimMouse : public IMouseEvents {
public:
    explicit TSimMouse(TSimClock& clock) : m_Clock(clock) {}

    bool Setup(TStep step) override;
    TWait Wait(TStop stop) override;
    void ResetNotification() override {}
    TStop CreateStop() override;
    void RaiseStop(TStop stop) override;
    void CloseStop(TStop stop) override;

    // Schedules reports at a rate for a duration after the last scheduled report (or now),
    // each gap varied by up to ±jitterPercent with a fixed pseudo-random sequence.
    void PlayRate(double hz, int64_t durationMs, double jitterPercent = 0);
    // Leaves a gap with no report.
    void PlayPause(int64_t ms);
    // Reports after the given gaps, in nanoseconds.
    void PlayGaps(const std::deque<int64_t>& gapsNs);
    // Blocks until every scheduled report was taken and a waiter is back waiting for more:
    // whoever waits has handled all reports.
    void WaitUntilIdle();
    size_t Pending() const;

    TStep FailingStep = TStep::Event;
    bool FailSetup = false;

private:
    int64_t ScheduleEnd() const;

    TSimClock& m_Clock;
    mutable std::mutex m_Mutex;
    std::condition_variable m_Changed;
    std::deque<int64_t> m_Reports;  // absolute times, ns
    int64_t m_LastScheduled = -1;
    int m_Waiters = 0;
    std::set<TStop> m_Stops;
    std::set<TStop> m_Raised;
    TStop m_NextStop = 1;
    uint32_t m_Random = 12345;
};
