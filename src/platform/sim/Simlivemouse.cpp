#include "platform/sim/Simlivemouse.h"

#include <chrono>

TLiveSimMouse::TLiveSimMouse(IClock& clock, const std::shared_ptr<TSimUsbDevice>& device)
    : m_Clock(clock), m_Device(device), m_Reporter(&TLiveSimMouse::Report, this) {}

TLiveSimMouse::~TLiveSimMouse() {
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        m_End = true;
    }
    m_Changed.notify_all();
    m_Reporter.join();
}

void TLiveSimMouse::Move() {
    int64_t frequency = 0;
    int64_t now = 0;
    if (!m_Clock.PerformanceFrequency(frequency) || !m_Clock.PerformanceCounter(now)) return;
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        m_MovingUntil = now + frequency * static_cast<int64_t>(kMovementLastsMs) / 1000;
    }
    m_Changed.notify_all();
}

uint64_t TLiveSimMouse::Delivered() const {
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_Delivered;
}

int64_t TLiveSimMouse::Period(int64_t frequency) const {
    const uint32_t interval = m_Device ? m_Device->ActiveIntervalUs.load() : 0;
    return frequency * (interval ? interval : 8000) / 1'000'000;
}

void TLiveSimMouse::Report() {
    int64_t frequency = 0;
    m_Clock.PerformanceFrequency(frequency);
    int64_t next = 0;  // when the next report falls due; 0 while the pointer rests
    std::unique_lock<std::mutex> lock(m_Mutex);
    while (!m_End) {
        int64_t now = 0;
        m_Clock.PerformanceCounter(now);
        if (now >= m_MovingUntil) {
            next = 0;
            // Resting: nothing to do until the pointer moves (the time-out only guards a Move
            // whose deadline lies in the past by the time it is seen).
            m_Changed.wait_for(lock, std::chrono::milliseconds(50));
            continue;
        }
        if (next == 0) next = now + Period(frequency);
        const int64_t until = m_MovingUntil;
        lock.unlock();
        if (now < next) m_Clock.SleepUntilCounter(next);
        m_Clock.PerformanceCounter(now);
        // Every report that fell due while the pointer moved, also those this thread was
        // too late for.
        uint32_t due = 0;
        while (next <= now && next <= until) {
            ++due;
            next += Period(frequency);
        }
        m_Buffer.Deliver(due);
        lock.lock();
        m_Delivered += due;
    }
}
