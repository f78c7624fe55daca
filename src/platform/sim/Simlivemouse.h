#pragma once
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "platform/Clock.h"
#include "platform/MouseEvents.h"
#include "platform/sim/Simusb.h"

// The simulated mouse for a real window: while the pointer moves, it reports in real time at
// the interval its device polls at (the filter's, once bound); when the pointer rests it stops.
// Each report carries the moment it was due on the performance counter, and the clock below
// answers that moment: the measured rate is the simulated device's, not the host's scheduling.
class TLiveSimMouse : public IMouseEvents {
public:
    TLiveSimMouse(IClock& clock, const std::shared_ptr<TSimUsbDevice>& device);
    ~TLiveSimMouse() override;

    // The pointer moved: reports go on for a little while.
    void Move();

    bool Setup(TStep) override { return true; }
    TWait Wait(TStop stop) override;
    void ResetNotification() override {}
    TStop CreateStop() override;
    void RaiseStop(TStop stop) override;
    void CloseStop(TStop stop) override;

    // The counter value at which the latest report was due; 0 before the first.
    int64_t LastReportCounter() const { return m_LastReport.load(); }

private:
    void Report();

    IClock& m_Clock;
    std::shared_ptr<TSimUsbDevice> m_Device;
    std::mutex m_Mutex;
    std::condition_variable m_Changed;
    bool m_Signalled = false;
    uint64_t m_MovingUntilMs = 0;
    bool m_End = false;
    std::set<TStop> m_Raised;
    TStop m_NextStop = 1;
    std::atomic<int64_t> m_LastReport{0};
    std::thread m_Reporter;
};

// The real clock, except that the performance counter stands at the latest simulated report.
class TLiveSimClock : public IClock {
public:
    TLiveSimClock(IClock& real, const TLiveSimMouse& mouse) : m_Real(real), m_Mouse(mouse) {}
    uint64_t TickMs() override { return m_Real.TickMs(); }
    void Sleep(uint32_t ms) override { m_Real.Sleep(ms); }
    bool PerformanceFrequency(int64_t& ticksPerSecond) override { return m_Real.PerformanceFrequency(ticksPerSecond); }
    bool PerformanceCounter(int64_t& ticks) override {
        ticks = m_Mouse.LastReportCounter();
        return ticks != 0 || m_Real.PerformanceCounter(ticks);
    }

private:
    IClock& m_Real;
    const TLiveSimMouse& m_Mouse;
};
