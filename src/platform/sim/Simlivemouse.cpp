#include "platform/sim/Simlivemouse.h"

#include <algorithm>
#include <cmath>

namespace {
// The longest a wait sleeps at once, so that a raised stop ends it soon.
constexpr int64_t kSliceMs = 10;
}  // namespace

TLiveSimMouse::TLiveSimMouse(IClock& clock, const std::shared_ptr<TSimUsbDevice>& device, TSimHand hand)
    : m_Clock(clock), m_Device(device), m_HandDescription(hand) {
    if (!m_Clock.PerformanceFrequency(m_Frequency) || m_Frequency <= 0) m_Frequency = 1'000'000'000;
}

int64_t TLiveSimMouse::Now() const {
    int64_t now = 0;
    m_Clock.PerformanceCounter(now);
    return now;
}

int64_t TLiveSimMouse::NsOf(int64_t ticks) const {
    return static_cast<int64_t>(static_cast<double>(ticks) * 1e9 / static_cast<double>(m_Frequency));
}

void TLiveSimMouse::PointerOver(bool over) {
    const int64_t now = Now();
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        if (over == m_HandOn || !m_HandDescription.Moves()) return;
        Advance(now);
        if (over) {
            m_Hand = m_HandDescription;
            m_HandStart = now;
        } else {
            m_HandBefore = HandCounts(now);
        }
        m_HandOn = over;
    }
    m_Changed.notify_all();
}

void TLiveSimMouse::PointerAt(int x, int y) {
    const int64_t now = Now();
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        if (m_HandDescription.Moves()) return;  // the board's hand moves the mouse, not the pointer
        Advance(now);
        if (m_HavePointer) {
            // The step just made moves the sensor from now on, at the speed it was made with.
            const double pixels = std::hypot(static_cast<double>(x - m_PointerX), static_cast<double>(y - m_PointerY));
            const int64_t took = std::min(now - m_PointerAt, m_Frequency * kLongestStepMs / 1000);
            m_StepBefore = PointerCounts(now);
            m_StepFrom = now;
            m_StepUntil = took > 0 ? now + took : now;
            m_StepSpeed = took > 0 ? pixels / static_cast<double>(took) : 0;
            if (took <= 0) m_StepBefore += pixels;
        }
        m_HavePointer = true;
        m_PointerX = x;
        m_PointerY = y;
        m_PointerAt = now;
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

double TLiveSimMouse::HandCounts(int64_t counter) {
    if (!m_HandOn) return m_HandBefore;
    return m_HandBefore + static_cast<double>(m_Hand.CountsBy(NsOf(counter - m_HandStart)));
}

double TLiveSimMouse::PointerCounts(int64_t counter) const {
    const int64_t moved = std::clamp(counter, m_StepFrom, m_StepUntil) - m_StepFrom;
    return m_StepBefore + m_StepSpeed * static_cast<double>(moved);
}

bool TLiveSimMouse::Moving(int64_t counter) const { return m_HandOn || counter < m_StepUntil; }

void TLiveSimMouse::Advance(int64_t now) {
    const int64_t period = Period();
    const int64_t firstAfterNow = (now / period + 1) * period;
    if (m_NextPoll == 0) m_NextPoll = firstAfterNow;
    const bool onPort = !m_Device || !m_Device->OffPort.load();
    while (m_NextPoll <= now) {
        const double counts = std::floor(HandCounts(m_NextPoll) + PointerCounts(m_NextPoll));
        if (counts > m_Reported) {
            // A whole count since the last report: this poll brings one, while the device is
            // on its port (during a port cycle the motion is lost) and its buffer has room.
            m_Reported = counts;
            if (onPort) {
                if (m_Queued < kBufferReports) {
                    ++m_Queued;
                } else {
                    m_Overflowed = true;
                }
            }
        }
        if (!Moving(m_NextPoll)) {
            // At rest: no poll brings anything until a source moves again.
            m_NextPoll = firstAfterNow;
            break;
        }
        m_NextPoll += period;
    }
}

uint32_t TLiveSimMouse::Wait(TStop stop) {
    std::unique_lock<std::mutex> lock(m_Mutex);
    for (;;) {
        if (m_Raised.count(stop) != 0) return 0;
        const int64_t now = Now();
        Advance(now);
        if (m_Queued > 0) {
            const auto taken = static_cast<uint32_t>(m_Queued);
            m_Queued = 0;
            m_Delivered += taken;
            return taken;
        }
        if (!Moving(now)) {
            // Resting: nothing falls due until a source moves again.
            m_Changed.wait(lock);
            continue;
        }
        const int64_t until = std::min(m_NextPoll, now + m_Frequency * kSliceMs / 1000);
        lock.unlock();
        m_Clock.SleepUntilCounter(until);
        lock.lock();
    }
}

void TLiveSimMouse::Discard() {
    const int64_t now = Now();
    std::lock_guard<std::mutex> guard(m_Mutex);
    Advance(now);
    m_Queued = 0;
    m_Overflowed = false;
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
