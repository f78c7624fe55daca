#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <set>

#include "platform/MouseEvents.h"

// A mouse's report buffer as the input system keeps it: reports queue up to a capacity (beyond
// it they are lost and the overflow is flagged) and each delivery signals an auto-reset
// notification; a waiter drains every queued report at once.
class TSimReportQueue {
public:
    static constexpr size_t kDefaultCapacity = 1024;
    using TStop = IMouseEvents::TStop;

    void Deliver(uint32_t reports);
    // Blocks until reports are queued or the stop is raised; answers the reports drained, or 0
    // when stopped (a raised stop wins over queued reports).
    uint32_t Wait(TStop stop);
    // Drains without blocking: the reports queued now.
    uint32_t Drain();
    bool TakeOverflow();
    size_t Queued() const;
    void SetCapacity(size_t capacity);

    TStop CreateStop();
    void RaiseStop(TStop stop);
    void CloseStop(TStop stop);
    bool Raised(TStop stop) const;

private:
    mutable std::mutex m_Mutex;
    std::condition_variable m_Changed;
    size_t m_Capacity = kDefaultCapacity;
    size_t m_Queued = 0;
    bool m_Overflowed = false;
    std::set<TStop> m_Stops;
    std::set<TStop> m_Raised;
    TStop m_NextStop = 1;
};
