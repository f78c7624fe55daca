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

// The intervals a USB mouse can be polled at: a high-speed frame of 125 µs up to 32 ms, in
// powers of two (a full-speed interval is rounded down to one of them).
constexpr double kShortestPollMs = 0.125;
constexpr int kPollSteps = 9;
// A report may be delivered up to a fifth of an interval early or late, so an interval of one
// poll lies within 0.6 to 1.4 polls; the band around a poll interval is narrower than that, so
// that it never reaches the intervals of two polls.
constexpr double kBandLow = 0.7;
constexpr double kBandHigh = 1.3;
// The share of intervals that must lie in the poll interval's band, at least twice the share
// below it: a hand that moves at random moments spreads its intervals over many polls (a
// geometric spread), which never puts that much in one band with so little below it.
constexpr double kPollShare = 0.15;
constexpr double kMostBelow = 0.2;
// The intervals up to one and a half polls have a mean within a tenth of the poll interval,
// else they only happen to fall in its band (a steady hand at a third of the polls): a late
// wake lengthens its own intervals and shortens the next one by as much, so a mean keeps to
// the mouse's time where a median leans to the late side.
constexpr double kMeanBelow = 1.5;
constexpr double kCentreTolerance = 0.1;
// The poll interval is measured on the bus's grid: the time of stretches of at least eight
// polls over the whole number of polls they span. A stretch whose span lies far from a whole
// number is left out; a late report that lengthens one stretch shortens the next, so the two
// keep the mouse's time together, skipped polls or not.
constexpr double kStretchPolls = 8;
constexpr double kOffGrid = 0.35;
// Reports at the applied interval, as many as its band holds at a poll interval, rule out a
// longer one (a hand that moved fast for a while).
constexpr double kSomeAtApplied = kPollShare;

double MedianOf(double* values, size_t n) {
    const size_t mid = n / 2;
    std::nth_element(values, values + mid, values + n);
    return n % 2 ? values[mid] : (*std::max_element(values, values + mid) + values[mid]) / 2;
}

// The poll interval near `poll` that the intervals, in the order they came, keep to.
double OnTheGrid(const double* intervals, size_t n, double poll) {
    double spans = 0, polls = 0, span = 0;
    for (size_t i = 0; i < n; ++i) {
        span += intervals[i];
        if (span < kStretchPolls * poll) continue;
        const double whole = std::round(span / poll);
        if (std::fabs(span / poll - whole) <= kOffGrid) {
            spans += span;
            polls += whole;
        }
        span = 0;
    }
    return polls > 0 ? spans / polls : poll;
}
}  // namespace

double FindPollInterval(const double* intervals, size_t n) {
    if (n == 0) return 0;
    const double total = static_cast<double>(n);
    double poll = kShortestPollMs;
    for (int step = 0; step < kPollSteps; ++step, poll *= 2) {
        const double low = poll * kBandLow, high = poll * kBandHigh, meanBelow = poll * kMeanBelow;
        size_t below = 0, band = 0, shorter = 0;
        double sum = 0;
        for (size_t i = 0; i < n; ++i) {
            const double x = intervals[i];
            below += x < low;
            band += x >= low && x < high;
            if (x < meanBelow) {
                ++shorter;
                sum += x;
            }
        }
        // More reports come faster than this interval: it is no poll interval, nor is any longer one.
        if (static_cast<double>(below) > kMostBelow * total) return 0;
        if (static_cast<double>(band) < kPollShare * total || band < 2 * below) continue;
        if (std::fabs(sum / static_cast<double>(shorter) / poll - 1) <= kCentreTolerance) {
            return OnTheGrid(intervals, n, poll);
        }
    }
    return 0;
}

TRateVerdict JudgeRate(const double* intervals, size_t n, uint32_t appliedHz, double pollMs) {
    if (appliedHz == 0 || n < kVerdictIntervals) return TRateVerdict::NotEnoughData;
    const double applied = 1000.0 / appliedHz;
    if (pollMs <= 0) return TRateVerdict::MoveFaster;
    const double ratio = pollMs / applied;
    if (ratio >= 0.95 && ratio <= 1.05) return TRateVerdict::Confirmed;
    if (ratio < 0.95) return TRateVerdict::Differs;
    size_t atApplied = 0;
    for (size_t i = 0; i < n; ++i) {
        atApplied += intervals[i] >= applied * kBandLow && intervals[i] < applied * kBandHigh;
    }
    return static_cast<double>(atApplied) < kSomeAtApplied * static_cast<double>(n) ? TRateVerdict::Differs
                                                                                    : TRateVerdict::MoveFaster;
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

TIntervalStats TReportIntervals::Stats(uint32_t appliedHz) {
    TIntervalStats stats;
    stats.Reports = m_Reports;
    stats.Intervals = m_Size;
    if (m_Size == 0) return stats;
    const size_t n = CopyRecent(m_Scratch.data(), m_Size);
    // In the order they came, before the selections below reorder them.
    stats.PollMs = FindPollInterval(m_Scratch.data(), n);
    // Three selections instead of a sort: after the first, everything left of the middle is no
    // larger and everything right of it no smaller, so each percentile is found on its side.
    double* begin = m_Scratch.data();
    double* end = begin + n;
    const size_t mid = n / 2;
    stats.MedianMs = MedianOf(begin, n);
    const size_t lo = RankIndex(n, 1);
    const size_t hi = RankIndex(n, 99);
    if (lo < mid) std::nth_element(begin, begin + lo, begin + mid);
    if (hi > mid) std::nth_element(begin + mid + 1, begin + hi, end);
    stats.P1Ms = begin[lo];
    stats.P99Ms = begin[hi];
    stats.RateHz = stats.PollMs > 0 ? 1000.0 / stats.PollMs : 0;
    stats.Verdict = JudgeRate(begin, n, appliedHz, stats.PollMs);
    return stats;
}
