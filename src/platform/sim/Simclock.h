#pragma once
#include <atomic>

#include "platform/Clock.h"

// Virtual time: a pause advances the clock at once.
class TSimClock : public IClock {
public:
    uint64_t TickMs() override { return m_NowMs.load(); }
    void Sleep(uint32_t ms) override {
        m_NowMs += ms;
        m_Slept += ms;
    }
    void Advance(uint64_t ms) { m_NowMs += ms; }
    // Total of all pauses asked for.
    uint64_t SleptMs() const { return m_Slept.load(); }

private:
    std::atomic<uint64_t> m_NowMs{0};
    std::atomic<uint64_t> m_Slept{0};
};
