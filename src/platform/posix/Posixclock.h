#pragma once
#include "platform/Clock.h"

// The host's monotonic clock; its performance counter counts nanoseconds.
class TPosixClock : public IClock {
public:
    uint64_t TickMs() override;
    void Sleep(uint32_t ms) override;
    bool PerformanceFrequency(int64_t& ticksPerSecond) override;
    bool PerformanceCounter(int64_t& ticks) override;
    void SleepUntilCounter(int64_t ticks) override;
};
