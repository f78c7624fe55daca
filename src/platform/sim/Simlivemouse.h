#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>

#include "platform/Clock.h"
#include "platform/MouseEvents.h"
#include "platform/sim/Simhand.h"
#include "platform/sim/Simusb.h"

// The simulated mouse for a real window, on the real clock. The host polls it every interval
// its device polls at now (the filter's, once bound), on the bus's fixed frame phase; a poll
// brings a report only when the sensor gained a count since the last report, and the report
// waits in the device's buffer until it is drained. The sensor's counts come from a hand of the
// board's, which moves while the pointer is over the program's window, or else from the
// pointer's own travel, a count a pixel at the speed of its last step. Which polls bring a
// report is a matter of the clock alone, never of when a waiter runs: a late waiter takes every
// report due by then, and the program times them with the clock like any others.
class TLiveSimMouse : public IMouseEvents {
public:
    static constexpr uint32_t kBufferReports = 1024;
    // A step of the pointer moves the sensor as long as the step took, at most this long.
    static constexpr int64_t kLongestStepMs = 100;

    TLiveSimMouse(IClock& clock, const std::shared_ptr<TSimUsbDevice>& device, TSimHand hand = {});

    // The pointer is over the program's window, or left it: a hand of the board's moves only
    // while it is there, from where it left off.
    void PointerOver(bool over);
    // The pointer's position, in screen pixels.
    void PointerAt(int x, int y);
    // Reports taken so far.
    uint64_t Delivered() const;

    bool Setup(TStep) override { return true; }
    uint32_t Wait(TStop stop) override;
    bool TakeOverflow() override;
    void Discard() override;
    TStop CreateStop() override;
    void RaiseStop(TStop stop) override;
    void CloseStop(TStop stop) override;

private:
    int64_t Period() const;
    int64_t NsOf(int64_t ticks) const;
    // The sensor's counts from the start until a counter value.
    double HandCounts(int64_t counter);
    double PointerCounts(int64_t counter) const;
    // Whether a source may still gain counts after a counter value.
    bool Moving(int64_t counter) const;
    // Goes through the polls due by now: the reports they bring queue in the buffer.
    void Advance(int64_t now);
    int64_t Now() const;

    IClock& m_Clock;
    std::shared_ptr<TSimUsbDevice> m_Device;
    int64_t m_Frequency = 0;
    mutable std::mutex m_Mutex;
    std::condition_variable m_Changed;
    // The board's hand: a fresh one each time the pointer comes over the window.
    const TSimHand m_HandDescription;
    TSimHand m_Hand;
    bool m_HandOn = false;
    int64_t m_HandStart = 0;     // counter
    double m_HandBefore = 0;     // counts of the hand's earlier visits
    // The pointer's last step: its counts before it, and its speed in counts a tick.
    bool m_HavePointer = false;
    int m_PointerX = 0, m_PointerY = 0;
    int64_t m_PointerAt = 0;
    double m_StepBefore = 0;
    double m_StepSpeed = 0;
    int64_t m_StepFrom = 0, m_StepUntil = 0;
    // The polls.
    int64_t m_NextPoll = 0;      // counter; 0 until the first look
    double m_Reported = 0;       // the sensor's counts at the last report
    uint64_t m_Queued = 0;       // in the buffer, not taken yet
    uint64_t m_Delivered = 0;
    bool m_Overflowed = false;
    std::set<TStop> m_Raised;
    TStop m_NextStop = 1;
};
