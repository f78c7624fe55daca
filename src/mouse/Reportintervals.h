#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// Whether the mouse reports at the rate that was applied: the block's codes.
enum class TRateVerdict : int32_t { NotEnoughData = 0, Confirmed = 1, Differs = 2, MoveFaster = 3 };

// What the recent report intervals say about the mouse.
struct TIntervalStats {
    uint64_t Reports = 0;  // reports counted since the sampler started
    size_t Intervals = 0;  // intervals the figures below are taken from
    double MedianMs = 0;
    double P1Ms = 0;
    double P99Ms = 0;
    // The interval the mouse is polled at: the shortest one at which reports keep coming
    // (0 while the hand moves too slowly to tell), and its rate.
    double PollMs = 0;
    double RateHz = 0;
    TRateVerdict Verdict = TRateVerdict::NotEnoughData;
};

// Fewer intervals than this say nothing; a poll interval within ±5 % of the applied one is the
// applied rate.
inline constexpr size_t kVerdictIntervals = 200;

// A mouse reports at a poll only when its sensor moved since its last report, so its
// intervals are whole multiples of the poll interval: a fast hand gives one report every poll,
// a slow one skips polls. The poll interval is found as the shortest interval at which reports
// keep coming, among the intervals a USB mouse can be polled at (125 µs to 32 ms in powers of
// two), and measured on the bus's grid: the time of stretches of polls over the number of polls
// they span. Answers 0 when the intervals show no such interval (the hand was too slow or too
// unsteady to tell). The intervals come oldest first.
double FindPollInterval(const double* intervals, size_t n);

// The verdict on the applied rate from the intervals: confirmed when the poll interval found
// is the applied one; differs when reports come often enough to show another one and none
// come at the applied interval (or they come faster); move faster when the hand was too slow.
TRateVerdict JudgeRate(const double* intervals, size_t n, uint32_t appliedHz, double pollMs);

// The last report intervals in a ring that never allocates, and their statistics.
class TReportIntervals {
public:
    static constexpr size_t kCapacity = 2048;

    void Clear();
    // A wake that brought `reports` reports `gapMs` after the previous one: as many intervals
    // of gapMs / reports. A gap of half a second or more is a pause of the pointer, not an
    // interval of the mouse: its reports count, its intervals do not.
    void Add(double gapMs, uint32_t reports);
    size_t Size() const { return m_Size; }
    uint64_t Reports() const { return m_Reports; }
    // The newest intervals, oldest first, at most `room` of them; answers how many it copied.
    size_t CopyRecent(double* out, size_t room) const;
    // Median (the mean of the middle two for an even count), the nearest-rank 1st and 99th
    // percentiles, the poll interval and the verdict on the applied rate (0: none applied).
    // Not const: it selects in a scratch ring of its own.
    TIntervalStats Stats(uint32_t appliedHz = 0);

private:
    std::array<double, kCapacity> m_Ring{};
    std::array<double, kCapacity> m_Scratch{};
    size_t m_Next = 0;
    size_t m_Size = 0;
    uint64_t m_Reports = 0;
};
