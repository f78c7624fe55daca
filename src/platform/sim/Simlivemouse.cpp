#include "platform/sim/Simlivemouse.h"

#include <chrono>

namespace {
constexpr uint64_t kMovementLastsMs = 150;
}

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
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        m_MovingUntilMs = m_Clock.TickMs() + kMovementLastsMs;
    }
    m_Changed.notify_all();
}

void TLiveSimMouse::Report() {
    int64_t frequency = 0;
    m_Clock.PerformanceFrequency(frequency);
    int64_t next = 0;
    std::unique_lock<std::mutex> lock(m_Mutex);
    while (!m_End) {
        if (m_Clock.TickMs() >= m_MovingUntilMs) {
            next = 0;
            m_Changed.wait_for(lock, std::chrono::milliseconds(50));
            continue;
        }
        const uint32_t interval = m_Device && m_Device->ActiveIntervalMs ? m_Device->ActiveIntervalMs : 8;
        int64_t now = 0;
        m_Clock.PerformanceCounter(now);
        // After a pause (or a long stall of this thread) the schedule starts again from now.
        if (next == 0 || now - next > frequency / 20) next = now;
        next += frequency * interval / 1000;
        while (now < next && !m_End) {
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::microseconds(500));
            lock.lock();
            m_Clock.PerformanceCounter(now);
        }
        m_LastReport = next;
        m_Signalled = true;
        m_Changed.notify_all();
    }
}

IMouseEvents::TWait TLiveSimMouse::Wait(TStop stop) {
    std::unique_lock<std::mutex> lock(m_Mutex);
    m_Changed.wait(lock, [&] { return m_Signalled || m_Raised.count(stop) != 0; });
    if (m_Raised.count(stop) != 0) return TWait::Stopped;
    m_Signalled = false;  // an auto-reset event
    return TWait::Notified;
}

IMouseEvents::TStop TLiveSimMouse::CreateStop() {
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_NextStop++;
}

void TLiveSimMouse::RaiseStop(TStop stop) {
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        m_Raised.insert(stop);
    }
    m_Changed.notify_all();
}

void TLiveSimMouse::CloseStop(TStop stop) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Raised.erase(stop);
}
