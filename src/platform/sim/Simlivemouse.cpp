#include "platform/sim/Simlivemouse.h"

#include <algorithm>

namespace {
// The longest a wait sleeps at once, so that a raised stop ends it soon.
constexpr int64_t kSliceMs = 10;
}  // namespace

TLiveSimMouse::TLiveSimMouse(IClock& clock, const std::shared_ptr<TSimUsbDevice>& device)
    : m_Clock(clock), m_Device(device) {
    if (!m_Clock.PerformanceFrequency(m_Frequency) || m_Frequency <= 0) m_Frequency = 1'000'000'000;
}

void TLiveSimMouse::Move() {
    int64_t now = 0;
    if (!m_Clock.PerformanceCounter(now)) return;
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        if (now >= m_MovingUntil) {
            // A new movement: what fell due in the last one waits in the buffer, and reports
            // fall due again from now on.
            m_Queued += Count(m_MovingUntil);
            m_Next = now + Period();
        }
        m_MovingUntil = now + m_Frequency * static_cast<int64_t>(kMovementLastsMs) / 1000;
    }
    m_Changed.notify_all();
}

uint64_t TLiveSimMouse::Delivered() const {
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_Delivered;
}

int64_t TLiveSimMouse::Period() const {
    const uint32_t interval = m_Device ? m_Device->ActiveIntervalUs.load() : 0;
    return std::max<int64_t>(1, m_Frequency * (interval ? interval : 8000) / 1'000'000);
}

uint64_t TLiveSimMouse::Count(int64_t until) {
    uint64_t due = 0;
    while (m_Next != 0 && m_Next <= until && m_Next <= m_MovingUntil) {
        ++due;
        m_Next += Period();
    }
    return due;
}

uint32_t TLiveSimMouse::TakeDue(int64_t now) {
    // Every report that fell due while the pointer moved, also those the waiter was too late
    // for; the buffer keeps what it has room for.
    uint64_t due = m_Queued + Count(now);
    m_Queued = 0;
    if (due > kBufferReports) {
        m_Overflowed = true;
        due = kBufferReports;
    }
    m_Delivered += due;
    return static_cast<uint32_t>(due);
}

uint32_t TLiveSimMouse::Wait(TStop stop) {
    std::unique_lock<std::mutex> lock(m_Mutex);
    for (;;) {
        if (m_Raised.count(stop) != 0) return 0;
        int64_t now = 0;
        m_Clock.PerformanceCounter(now);
        if (const uint32_t due = TakeDue(now)) return due;
        if (now >= m_MovingUntil || m_Next == 0) {
            // Resting: nothing falls due until the pointer moves again.
            m_Changed.wait(lock);
            continue;
        }
        const int64_t until = std::min(m_Next, now + m_Frequency * kSliceMs / 1000);
        lock.unlock();
        m_Clock.SleepUntilCounter(until);
        lock.lock();
    }
}

bool TLiveSimMouse::TakeOverflow() {
    std::lock_guard<std::mutex> guard(m_Mutex);
    const bool overflowed = m_Overflowed;
    m_Overflowed = false;
    return overflowed;
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
