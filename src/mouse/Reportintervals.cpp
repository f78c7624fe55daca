#include "mouse/Reportintervals.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPauseMs = 500.0;

// The nearest-rank percentile of n sorted values: the smallest value with at least p % of
// the values at or below it.
size_t RankIndex(size_t n, double percent) {
    const auto rank = static_cast<size_t>(std::ceil(percent / 100.0 * static_cast<double>(n)));
    return rank == 0 ? 0 : std::min(rank, n) - 1;
}
}  // namespace

TRateVerdict JudgeRate(const TIntervalStats& stats, uint32_t appliedHz) {
    if (appliedHz == 0 || stats.Intervals < kVerdictIntervals || stats.RateHz <= 0) {
        return TRateVerdict::NotEnoughData;
    }
    const double ratio = stats.RateHz / appliedHz;
    return ratio >= 0.95 && ratio <= 1.05 ? TRateVerdict::Confirmed : TRateVerdict::Differs;
}

void TReportIntervals::Clear() {
    m_Next = 0;
    m_Size = 0;
    m_Reports = 0;
}

void TReportIntervals::Add(double gapMs, uint32_t reports) {
    m_Reports += reports;
    if (reports == 0 || !(gapMs > 0) || gapMs >= kPauseMs) return;
    const double interval = gapMs / reports;
    for (uint32_t i = 0; i < reports; ++i) {
        m_Ring[m_Next] = interval;
        m_Next = (m_Next + 1) % kCapacity;
        if (m_Size < kCapacity) ++m_Size;
    }
}

size_t TReportIntervals::CopyRecent(double* out, size_t room) const {
    const size_t n = std::min(room, m_Size);
    const size_t start = (m_Next + kCapacity - n) % kCapacity;
    for (size_t i = 0; i < n; ++i) out[i] = m_Ring[(start + i) % kCapacity];
    return n;
}

TIntervalStats TReportIntervals::Stats() {
    TIntervalStats stats;
    stats.Reports = m_Reports;
    stats.Intervals = m_Size;
    if (m_Size == 0) return stats;
    const size_t n = CopyRecent(m_Scratch.data(), m_Size);
    // Three selections instead of a sort: after the first, everything left of the middle is no
    // larger and everything right of it no smaller, so each percentile is found on its side.
    double* begin = m_Scratch.data();
    double* end = begin + n;
    const size_t mid = n / 2;
    std::nth_element(begin, begin + mid, end);
    stats.MedianMs = n % 2 ? begin[mid] : (*std::max_element(begin, begin + mid) + begin[mid]) / 2;
    const size_t lo = RankIndex(n, 1);
    const size_t hi = RankIndex(n, 99);
    if (lo < mid) std::nth_element(begin, begin + lo, begin + mid);
    if (hi > mid) std::nth_element(begin + mid + 1, begin + hi, end);
    stats.P1Ms = begin[lo];
    stats.P99Ms = begin[hi];
    stats.RateHz = stats.MedianMs > 0 ? 1000.0 / stats.MedianMs : 0;
    return stats;
}
