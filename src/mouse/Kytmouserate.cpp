#include "mouse/Kytmouserate.h"

#include <algorithm>

#include "platform/Platform.h"
#include "sys/Debugconsole.h"
#include "sys/Singletons.h"

namespace {
constexpr const char* kWarning = "Warning";

int64_t WindowThreshold(int64_t frequency) { return static_cast<int64_t>(static_cast<double>(frequency) * 0.35); }

void Warn(const std::string& text) {
    GetPlatform().Windows->ShowMessageBox(kWarning, text, IWindowSystem::TBoxIcon::None, false);
}
}  // namespace

void TKytMouseRate::ResetCounters() {
    m_OutputRate = 0;
    m_InstantRate = 0;
    m_WindowRate = 0;
    m_EventCount = 0;
    m_PeakRate = 0;
    m_MaxWindowRate = 0;
    m_AccumulatedTicks = 0;
    m_SettleCountdown = 0;
    m_InstantCap = 1250;
    m_Estimate = 10.0f;
    m_Error = 50.0f;
    m_StartAfterPause = false;
    ForgetRecent();
    GetPlatform().Clock->PerformanceCounter(m_LastCounter);
    m_WindowThreshold = WindowThreshold(m_Frequency);
}

bool TKytMouseRate::OpenMouse() {
    ResetCounters();
    using TStep = IMouseEvents::TStep;
    struct TSetup {
        TStep Step;
        const char* Failure;
    };
    static const TSetup kSetup[] = {
        {TStep::Input, "DirectInput8Create Error!!\n"},
        {TStep::Device, "DInput->CreateDevice Error!!\n"},
        {TStep::DataFormat, "SetDataFormat Error!!\n"},
        {TStep::Notification, "SetEventNotification Error!!\n"},
    };
    IMouseEvents& mouse = *GetPlatform().Mouse;
    IClock& clock = *GetPlatform().Clock;
    // Without its event the device cannot notify: that shows at the notification step.
    const bool haveEvent = mouse.Setup(TStep::Event);
    const char* failure = nullptr;
    for (const TSetup& setup : kSetup) {
        bool ok = (setup.Step != TStep::Notification || haveEvent) && mouse.Setup(setup.Step);
        if (!ok) {
            failure = setup.Failure;
            break;
        }
    }
    if (!failure && !clock.PerformanceFrequency(m_Frequency)) failure = "QueryPerformanceFrequency Error!!\n";
    if (!failure && !clock.PerformanceCounter(m_LastCounter)) failure = "QueryPerformanceCounter Error!!\n";
    if (!failure && !mouse.Setup(TStep::Acquire)) failure = "pDIMouDev->Acquire Error!!\n";
    if (failure) {
        Warn(failure);
        Warn("Please re-plug in your mouse.");
        return false;
    }
    m_WindowThreshold = WindowThreshold(m_Frequency);
    return true;
}

int32_t TKytMouseRate::Sample(IMouseEvents::TStop stop) {
    TPlatform& platform = GetPlatform();
    const uint32_t reports = platform.Mouse->Wait(stop);
    if (reports == 0) return kStopped;
    // The counter is read before anything else: a lock or a call in between that made this
    // thread wait would date the reports late and stretch one window at the cost of the next.
    int64_t counter = 0;
    if (!platform.Clock->PerformanceCounter(counter)) {
        m_LastWake = {};  // nothing measured: no intervals either
        return -1;
    }
    platform.Threads->BindCurrentToProcessor0();
    if (platform.Mouse->TakeOverflow() && !m_OverflowLogged) {
        // Once a session: the reports the device had to drop before this wake are lost.
        m_OverflowLogged = true;
        GetDebugConsole().WriteTagged("MouseBuffer", "overflow", kColorRed);
    }
    return Measure(counter, reports);
}

int32_t TKytMouseRate::Measure(int64_t counter, uint32_t reports) {
    if (m_StartAfterPause) {
        m_StartAfterPause = false;
        ForgetRecent();
        m_LastCounter = counter;
        m_LastWake = {counter, 0, 0};
        return m_OutputRate;
    }
    m_LastWake = {counter, counter - m_LastCounter, reports};
    if (reports <= 1) return MeasureOne(counter);
    // A late wake that brings k reports over a gap g: k reports at even steps of g / k.
    const int64_t first = m_LastCounter;
    const int64_t gap = counter - first;
    int32_t rate = m_OutputRate;
    for (uint32_t i = 1; i <= reports; ++i) rate = MeasureOne(first + gap * i / reports);
    return rate;
}

int32_t TKytMouseRate::MeasureOne(int64_t counter) {
    m_CurrentCounter = counter;
    const int64_t gap = m_CurrentCounter - m_LastCounter;
    // Two notifications at the same counter value (or a counter that went back) give no gap
    // to divide by: the report is not measured and the output stays as it was.
    if (gap <= 0) return m_OutputRate;

    const int32_t unclamped = static_cast<int32_t>(m_Frequency / gap);
    m_InstantRate = unclamped;
    if (static_cast<double>(m_InstantCap) * 0.9 < m_PeakRate) m_InstantCap += 50;
    if (m_InstantRate > m_InstantCap) m_InstantRate = m_InstantCap;

    m_AccumulatedTicks += gap;
    m_LastCounter = m_CurrentCounter;
    m_EventCount += 1;
    m_Recent[m_RecentNext] = m_CurrentCounter;
    m_RecentNext = (m_RecentNext + 1) % kRecentReports;
    if (m_RecentCount < kRecentReports) ++m_RecentCount;

    if (m_AccumulatedTicks >= m_Frequency / 2) {
        // A long window, after a pause: its figure is the raw count, not a rate.
        m_WindowRate = m_EventCount;
        m_OutputRate = static_cast<int32_t>(m_WindowRate);
        if (m_WindowRate > m_MaxWindowRate) m_MaxWindowRate = m_WindowRate;
        m_EventCount = 0;
        m_AccumulatedTicks = 0;
        m_SettleCountdown = 5;
        // The pause is no part of the recent reports' span.
        RestartRecent(m_CurrentCounter);
    } else if (m_SettleCountdown > 0) {
        m_SettleCountdown -= 1;
        if (m_WindowRate > m_MaxWindowRate) m_MaxWindowRate = m_WindowRate;
        m_OutputRate = m_EventCount;
    } else {
        if (m_AccumulatedTicks >= m_WindowThreshold) {
            // The window closes at the first report past 0.35 s: its rate is over the time it
            // really spans, not the nominal 0.35 s.
            m_WindowRate = static_cast<double>(m_EventCount) * static_cast<double>(m_Frequency) /
                           static_cast<double>(m_AccumulatedTicks);
            m_OutputRate = static_cast<int32_t>(m_WindowRate);
            if (m_WindowRate > m_MaxWindowRate) m_MaxWindowRate = m_WindowRate;
            m_EventCount = 0;
            m_AccumulatedTicks = 0;
        }
        int32_t follow = m_InstantRate;
        if (m_Follow == TFollow::RecentReports && m_RecentCount >= 2) follow = std::min(RecentRate(), m_InstantCap);
        if (m_MaxWindowRate * 1.2 > follow && follow > m_WindowRate * 0.6) m_OutputRate = follow;
    }

    m_OutputRate = static_cast<int32_t>(Smooth(static_cast<float>(m_OutputRate)));
    m_InstantRate = unclamped;
    if (m_OutputRate > m_PeakRate && m_OutputRate <= m_MaxWindowRate * 1.05) m_PeakRate = m_OutputRate;
    return m_OutputRate;
}

int32_t TKytMouseRate::RecentRate() const {
    if (m_RecentCount < 2) return 0;
    const int64_t newest = m_Recent[(m_RecentNext + kRecentReports - 1) % kRecentReports];
    const int64_t oldest = m_Recent[(m_RecentNext + kRecentReports - m_RecentCount) % kRecentReports];
    // At a steady rate this is exactly frequency / gap, as for the latest report alone.
    const int64_t span = newest - oldest;
    return span > 0 ? static_cast<int32_t>(static_cast<int64_t>(m_RecentCount - 1) * m_Frequency / span) : 0;
}

float TKytMouseRate::Smooth(float measurement) {
    m_ProcessNoise = 0.01f;
    m_MeasurementNoise = 0.005f;
    const float predicted = m_Error + m_ProcessNoise;
    const float gain = predicted * (1.0f / (predicted + m_MeasurementNoise));
    m_Estimate = m_Estimate + (measurement - m_Estimate) * gain;
    m_Error = (1.0f - gain) * predicted;
    return m_Estimate;
}

TKytMouseRate& GetMouseRate() { return SingletonOf<TKytMouseRate>(); }

bool MouseRateExists() { return SingletonExists<TKytMouseRate>(); }
