#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

// What the recent report intervals say about the mouse.
struct TIntervalStats {
    uint64_t Reports = 0;  // reports counted since the sampler started
    size_t Intervals = 0;  // intervals the figures below are taken from
    double MedianMs = 0;
    double P1Ms = 0;
    double P99Ms = 0;
    double RateHz = 0;  // 1 / median; 0 without intervals
};

// Whether the mouse reports at the rate that was applied: the block's codes.
enum class TRateVerdict : int32_t { NotEnoughData = 0, Confirmed = 1, Differs = 2 };

// Fewer intervals than this say nothing; a measured rate within ±5 % of the applied one is
// the applied rate.
inline constexpr size_t kVerdictIntervals = 200;
TRateVerdict JudgeRate(const TIntervalStats& stats, uint32_t appliedHz);

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
    // Median (the mean of the middle two for an even count) and the nearest-rank 1st and 99th
    // percentiles. Not const: it selects in a scratch ring of its own.
    TIntervalStats Stats();

private:
    std::array<double, kCapacity> m_Ring{};
    std::array<double, kCapacity> m_Scratch{};
    size_t m_Next = 0;
    size_t m_Size = 0;
    uint64_t m_Reports = 0;
};
