#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/MouseEvents.h"

// Measures how often the mouse reports: it counts the system mouse's reports, times the gaps
// between them with the performance counter and derives instantaneous, windowed, smoothed and
// peak rates.
class TKytMouseRate {
public:
    // Sample's answer when its stop signal ended the wait before any report.
    static constexpr int32_t kStopped = INT32_MIN;
    // The reports whose rate the output follows between windows: about the last 8 ms at 1000 Hz.
    static constexpr size_t kRecentReports = 8;

    // What the output rate follows between windows, when it passes the 0.6 / 1.2 test: the rate
    // of the latest report alone, as first designed; or that of the last few reports, which a
    // late wake cannot pull down (its long gap and the short one after it fall in one span).
    // The bench compares the two.
    enum class TFollow { LatestReport, RecentReports };
    void SetFollow(TFollow follow) { m_Follow = follow; }

    TKytMouseRate() = default;
    TKytMouseRate(const TKytMouseRate&) = delete;
    TKytMouseRate& operator=(const TKytMouseRate&) = delete;

    bool OpenMouse();
    void ResetCounters();
    // Waits for the next reports (or the stop signal), then answers the new output rate, or -1
    // when the counter cannot be read.
    int32_t Sample(IMouseEvents::TStop stop = 0);
    // The next wake only dates its reports: the gap before it spans a pause of the sampler,
    // not an interval of the mouse.
    void StartAfterPause() { m_StartAfterPause = true; }
    // The measurement step of Sample for the reports taken at the given counter value.
    int32_t Measure(int64_t counter, uint32_t reports = 1);

    double InstantRate() const { return m_InstantRate; }
    double PeakRate() const { return m_PeakRate; }
    double MaxWindowRate() const { return m_MaxWindowRate; }
    int32_t OutputRate() const { return m_OutputRate; }
    double WindowRate() const { return m_WindowRate; }
    int64_t Frequency() const { return m_Frequency; }

    // What the latest measurement was given: its counter value, the gap since the wake before
    // it and the reports it brought (none when the latest wait measured nothing).
    struct TWake {
        int64_t Counter = 0;
        int64_t GapTicks = 0;
        uint32_t Reports = 0;
    };
    TWake LastWake() const { return m_LastWake; }

private:
    int32_t MeasureOne(int64_t counter);
    // The rate of the reports in the recent ring, or 0 with fewer than two.
    int32_t RecentRate() const;
    // The recent ring starts over: empty, or with one report at the given counter value.
    void ForgetRecent() { m_RecentCount = 0; }
    void RestartRecent(int64_t counter) {
        m_Recent[0] = counter;
        m_RecentNext = 1;
        m_RecentCount = 1;
    }
    float Smooth(float measurement);

    int64_t m_Frequency = 0;
    int64_t m_LastCounter = 0;
    int64_t m_CurrentCounter = 0;
    int32_t m_OutputRate = 0;
    int32_t m_InstantRate = 0;
    double m_WindowRate = 0;
    int32_t m_EventCount = 0;
    double m_PeakRate = 0;
    double m_MaxWindowRate = 0;
    int64_t m_WindowThreshold = 0;
    int64_t m_AccumulatedTicks = 0;
    uint8_t m_SettleCountdown = 0;
    int32_t m_InstantCap = 1250;
    float m_Estimate = 10.0f;
    float m_Error = 50.0f;
    float m_ProcessNoise = 0.01f;
    float m_MeasurementNoise = 0.005f;
    bool m_OverflowLogged = false;
    bool m_StartAfterPause = false;
    TFollow m_Follow = TFollow::RecentReports;
    std::array<int64_t, kRecentReports> m_Recent{};  // counter values of the latest reports
    size_t m_RecentNext = 0;
    size_t m_RecentCount = 0;
    TWake m_LastWake;
};

// The one measurement of the process, shared by every sampler; created (not opened) on first use.
TKytMouseRate& GetMouseRate();
bool MouseRateExists();
