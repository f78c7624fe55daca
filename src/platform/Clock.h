#pragma once
#include <cstdint>

// Time as the program sees it: a millisecond tick count, a pause on the calling thread and
// the performance counter.
class IClock {
public:
    virtual ~IClock() = default;
    virtual uint64_t TickMs() = 0;
    virtual void Sleep(uint32_t ms) = 0;
    // The high-resolution performance counter.
    virtual bool PerformanceFrequency(int64_t& ticksPerSecond) = 0;
    virtual bool PerformanceCounter(int64_t& ticks) = 0;
};
