#include "platform/sim/Simmouse.h"

bool TSimMouse::Setup(TStep step) { return !(FailSetup && step == FailingStep); }

IMouseEvents::TWait TSimMouse::Wait(TStop stop) {
    std::unique_lock<std::mutex> lock(m_Mutex);
    ++m_Waiters;
    m_Changed.notify_all();
    m_Changed.wait(lock, [&] { return m_Raised.count(stop) != 0 || !m_Reports.empty(); });
    --m_Waiters;
    if (m_Raised.count(stop) != 0) return TWait::Stopped;
    m_Clock.AdvanceTo(m_Reports.front());
    m_Reports.pop_front();
    m_Changed.notify_all();
    return TWait::Notified;
}

IMouseEvents::TStop TSimMouse::CreateStop() {
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Stops.insert(m_NextStop);
    return m_NextStop++;
}

void TSimMouse::RaiseStop(TStop stop) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    if (m_Stops.count(stop)) m_Raised.insert(stop);
    m_Changed.notify_all();
}

void TSimMouse::CloseStop(TStop stop) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_Stops.erase(stop);
    m_Raised.erase(stop);
}

int64_t TSimMouse::ScheduleEnd() const {
    return m_LastScheduled > m_Clock.NowNs() ? m_LastScheduled : m_Clock.NowNs();
}

void TSimMouse::PlayRate(double hz, int64_t durationMs, double jitterPercent) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    const int64_t start = ScheduleEnd();
    const int64_t end = start + durationMs * 1'000'000;
    const double gap = 1e9 / hz;
    int64_t at = start;
    for (int64_t n = 1;; ++n) {
        // A linear congruential sequence keeps runs repeatable.
        m_Random = m_Random * 1103515245u + 12345u;
        double unit = static_cast<double>((m_Random >> 8) & 0xFFFF) / 65535.0 * 2.0 - 1.0;
        at = start + static_cast<int64_t>(gap * static_cast<double>(n) + gap * unit * jitterPercent / 100.0);
        if (at > end) break;
        if (at <= m_LastScheduled) at = m_LastScheduled + 1;
        m_Reports.push_back(at);
        m_LastScheduled = at;
    }
    m_LastScheduled = end;
    m_Changed.notify_all();
}

void TSimMouse::PlayPause(int64_t ms) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    m_LastScheduled = ScheduleEnd() + ms * 1'000'000;
}

void TSimMouse::PlayGaps(const std::deque<int64_t>& gapsNs) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    int64_t at = ScheduleEnd();
    for (int64_t gap : gapsNs) {
        at += gap;
        m_Reports.push_back(at);
    }
    m_LastScheduled = at;
    m_Changed.notify_all();
}

void TSimMouse::WaitUntilIdle() {
    std::unique_lock<std::mutex> lock(m_Mutex);
    m_Changed.wait(lock, [&] { return m_Reports.empty() && m_Waiters > 0; });
}

size_t TSimMouse::Pending() const {
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_Reports.size();
}
