#include "platform/sim/Simmouse.h"

#include <algorithm>
#include <cmath>

bool TSimMouse::Setup(TStep step) { return !(FailSetup && step == FailingStep); }

uint32_t TSimMouse::Wait(TStop stop) {
    std::unique_lock<std::mutex> lock(m_Mutex);
    ++m_Waiters;
    m_Changed.notify_all();
    m_Changed.wait(lock, [&] { return Buffer.Raised(stop) || !m_Reports.empty() || Buffer.Queued() > 0; });
    --m_Waiters;
    if (Buffer.Raised(stop)) return 0;
    if (!m_Reports.empty()) {
        const uint32_t k = m_Pattern[m_NextMerge % m_Pattern.size()];
        const int64_t latency = m_Latencies[m_NextMerge % m_Latencies.size()];
        ++m_NextMerge;
        const size_t last = std::min<size_t>(k, m_Reports.size()) - 1;
        m_Clock.AdvanceTo(m_Reports[last] + latency);
        DeliverDue();
    }
    m_Changed.notify_all();
    return Buffer.Drain();
}

void TSimMouse::RaiseStop(TStop stop) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    Buffer.RaiseStop(stop);
    m_Changed.notify_all();
}

uint32_t TSimMouse::DeliverDue() {
    uint32_t due = 0;
    while (!m_Reports.empty() && m_Reports.front() <= m_Clock.NowNs()) {
        m_Reports.pop_front();
        ++due;
    }
    Buffer.Deliver(due);
    return due;
}

void TSimMouse::Discard() {
    {
        std::lock_guard<std::mutex> guard(m_Mutex);
        DeliverDue();
        Buffer.Drain();
        Buffer.TakeOverflow();
    }
    m_Changed.notify_all();
}

double TSimMouse::NextUnit() {
    // A linear congruential sequence keeps runs repeatable.
    m_Random = m_Random * 1103515245u + 12345u;
    return static_cast<double>((m_Random >> 8) & 0xFFFF) / 65535.0 * 2.0 - 1.0;
}

int64_t TSimMouse::ScheduleEnd() const { return m_LastScheduled > m_Clock.NowNs() ? m_LastScheduled : m_Clock.NowNs(); }

void TSimMouse::PlayRate(double hz, int64_t durationMs, double jitterPercent) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    const int64_t start = ScheduleEnd();
    const int64_t end = start + durationMs * 1'000'000;
    const double gap = 1e9 / hz;
    int64_t at = start;
    for (int64_t n = 1;; ++n) {
        const double unit = NextUnit();
        at = start + static_cast<int64_t>(gap * static_cast<double>(n) + gap * unit * jitterPercent / 100.0);
        if (at > end) break;
        if (at <= m_LastScheduled) at = m_LastScheduled + 1;
        m_Reports.push_back(at);
        m_LastScheduled = at;
    }
    m_LastScheduled = end;
    m_Changed.notify_all();
}

void TSimMouse::PlayHand(double pollHz, TSimHand hand, int64_t durationMs, double jitterPercent) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    const int64_t start = ScheduleEnd();
    const int64_t end = start + durationMs * 1'000'000;
    const double period = 1e9 / pollHz;
    uint64_t reported = 0;
    for (auto poll = static_cast<int64_t>(std::floor(static_cast<double>(start) / period)) + 1;; ++poll) {
        const double at = period * static_cast<double>(poll);
        if (at > static_cast<double>(end)) break;
        const uint64_t counts = hand.CountsBy(static_cast<int64_t>(at) - start);
        if (counts <= reported) continue;
        reported = counts;
        auto delivered = static_cast<int64_t>(at + period * NextUnit() * jitterPercent / 100.0);
        if (delivered <= m_LastScheduled) delivered = m_LastScheduled + 1;
        m_Reports.push_back(delivered);
        m_LastScheduled = delivered;
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

void TSimMouse::SetMergePattern(std::vector<uint32_t> pattern, std::vector<int64_t> latenciesNs) {
    std::lock_guard<std::mutex> guard(m_Mutex);
    pattern.erase(std::remove(pattern.begin(), pattern.end(), 0u), pattern.end());
    m_Pattern = pattern.empty() ? std::vector<uint32_t>{1} : std::move(pattern);
    m_NextMerge = 0;
    m_Latencies = latenciesNs.empty() ? std::vector<int64_t>{0} : std::move(latenciesNs);
}

void TSimMouse::WaitUntilIdle() {
    std::unique_lock<std::mutex> lock(m_Mutex);
    m_Changed.wait(lock, [&] { return m_Reports.empty() && Buffer.Queued() == 0 && m_Waiters > 0; });
}

size_t TSimMouse::Pending() const {
    std::lock_guard<std::mutex> guard(m_Mutex);
    return m_Reports.size() + Buffer.Queued();
}
