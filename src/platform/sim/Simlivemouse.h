#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/Clock.h"
#include "platform/MouseEvents.h"
#include "platform/sim/Simreportqueue.h"
#include "platform/sim/Simusb.h"

// The simulated mouse for a real window: while the pointer moves, its reporter falls due every
// interval its device polls at (the filter's, once bound) and queues the report in the device's
// buffer; when the pointer rests it stops. The reporter sleeps between reports and, when it
// wakes late, delivers every report that fell due meanwhile, so the count is the device's
// whatever the scheduling; the program times the reports with the clock like any others.
class TLiveSimMouse : public IMouseEvents {
public:
    TLiveSimMouse(IClock& clock, const std::shared_ptr<TSimUsbDevice>& device);
    ~TLiveSimMouse() override;

    // The pointer moved: reports go on for a little while.
    void Move();
    // Reports delivered so far.
    uint64_t Delivered() const;

    bool Setup(TStep) override { return true; }
    uint32_t Wait(TStop stop) override { return m_Buffer.Wait(stop); }
    bool TakeOverflow() override { return m_Buffer.TakeOverflow(); }
    TStop CreateStop() override { return m_Buffer.CreateStop(); }
    void RaiseStop(TStop stop) override { m_Buffer.RaiseStop(stop); }
    void CloseStop(TStop stop) override { m_Buffer.CloseStop(stop); }

    static constexpr uint64_t kMovementLastsMs = 150;

private:
    void Report();
    int64_t Period(int64_t frequency) const;

    IClock& m_Clock;
    std::shared_ptr<TSimUsbDevice> m_Device;
    TSimReportQueue m_Buffer;
    mutable std::mutex m_Mutex;
    std::condition_variable m_Changed;
    int64_t m_MovingUntil = 0;  // counter value
    uint64_t m_Delivered = 0;
    bool m_End = false;
    std::thread m_Reporter;
};
