#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <set>

#include "platform/MouseEvents.h"

// A mouse's report buffer as the input system keeps it: reports queue up to a capacity (beyond
// it they are lost and the overflow is flagged); a drain takes every queued report at once. The
// mouse that owns it does the waiting.
class TSimReportQueue {
public:
    static constexpr size_t kDefaultCapacity = 1024;
    using TStop = IMouseEvents::TStop;

    void Deliver(uint32_t reports);
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
    size_t m_Capacity = kDefaultCapacity;
    size_t m_Queued = 0;
    bool m_Overflowed = false;
    std::set<TStop> m_Stops;
    std::set<TStop> m_Raised;
    TStop m_NextStop = 1;
};
