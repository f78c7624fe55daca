#pragma once
#include <atomic>

#include "platform/Clock.h"

// Virtual time in nanoseconds: a pause advances the clock at once. The performance counter
// runs at 10 MHz, as on most Windows machines.
class TSimClock : public IClock {
public:
    static constexpr int64_t kCounterFrequency = 10'000'000;

    uint64_t TickMs() override { return static_cast<uint64_t>(m_NowNs.load() / 1'000'000); }
    void Sleep(uint32_t ms) override {
        m_NowNs += static_cast<int64_t>(ms) * 1'000'000;
        m_Slept += ms;
        ThreadSlept() += ms;
    }
    // What the calling thread asked to sleep, on every simulated clock: how long a call made
    // the window's thread wait while workers slept on their own.
    static uint64_t SleptMsOnThisThread() { return ThreadSlept(); }
    bool PerformanceFrequency(int64_t& ticksPerSecond) override {
        ticksPerSecond = kCounterFrequency;
        return true;
    }
    bool PerformanceCounter(int64_t& ticks) override {
        if (CounterFails) return false;
        ticks = m_NowNs.load() / 100;
        return true;
    }

    void SleepUntilCounter(int64_t ticks) override { AdvanceTo(ticks * 100); }

    void AdvanceMs(int64_t ms) { m_NowNs += ms * 1'000'000; }
    void AdvanceNs(int64_t ns) { m_NowNs += ns; }
    int64_t NowNs() const { return m_NowNs.load(); }
    // Moves the clock forward to the given time (never back).
    void AdvanceTo(int64_t ns) {
        int64_t now = m_NowNs.load();
        while (ns > now && !m_NowNs.compare_exchange_weak(now, ns)) {
        }
    }
    static uint64_t& ThreadSlept() {
        static thread_local uint64_t slept = 0;
        return slept;
    }
    // Total of all pauses asked for.
    uint64_t SleptMs() const { return m_Slept.load(); }

    std::atomic<bool> CounterFails{false};

private:
    std::atomic<int64_t> m_NowNs{0};
    std::atomic<uint64_t> m_Slept{0};
};
