#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>

#include "platform/Clock.h"
#include "platform/MouseEvents.h"
#include "platform/sim/Simusb.h"

// The simulated mouse for a real window: while the pointer moves, a report falls due every
// interval its device polls at (the filter's, once bound) and waits in the device's buffer;
// when the pointer rests, reports stop. A wait sleeps until the next report falls due and takes
// every report due by the time it runs, so a late waiter loses none and the count is the
// device's whatever the scheduling. The program times the reports with the clock like any
// others.
class TLiveSimMouse : public IMouseEvents {
public:
    static constexpr uint64_t kMovementLastsMs = 150;
    static constexpr uint32_t kBufferReports = 1024;

    TLiveSimMouse(IClock& clock, const std::shared_ptr<TSimUsbDevice>& device);

    // The pointer moved: reports go on for a little while.
    void Move();
    // Reports taken so far.
    uint64_t Delivered() const;

    bool Setup(TStep) override { return true; }
    uint32_t Wait(TStop stop) override;
    bool TakeOverflow() override;
    TStop CreateStop() override;
    void RaiseStop(TStop stop) override;
    void CloseStop(TStop stop) override;

private:
    int64_t Period() const;
    // Reports due by the given time in the current movement; moves the schedule past them.
    uint64_t Count(int64_t until);
    uint32_t TakeDue(int64_t now);

    IClock& m_Clock;
    std::shared_ptr<TSimUsbDevice> m_Device;
    int64_t m_Frequency = 0;
    mutable std::mutex m_Mutex;
    std::condition_variable m_Changed;
    int64_t m_MovingUntil = 0;  // counter value
    int64_t m_Next = 0;         // when the next report falls due; 0 while the pointer rests
    uint64_t m_Queued = 0;      // due in an earlier movement, not taken yet
    uint64_t m_Delivered = 0;
    bool m_Overflowed = false;
    std::set<TStop> m_Raised;
    TStop m_NextStop = 1;
};
