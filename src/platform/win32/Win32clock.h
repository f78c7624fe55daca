#pragma once
#include "platform/Clock.h"

class TWin32Clock : public IClock {
public:
    uint64_t TickMs() override;
    void Sleep(uint32_t ms) override;
    bool PerformanceFrequency(int64_t& ticksPerSecond) override;
    bool PerformanceCounter(int64_t& ticks) override;
    void SleepUntilCounter(int64_t ticks) override;
};
