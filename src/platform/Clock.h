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
    // Pauses the calling thread until the performance counter reaches the given value, as
    // precisely as the system's timers allow (never by spinning).
    virtual void SleepUntilCounter(int64_t ticks) = 0;
};
