#include "ui/toolkit/Timer.h"

#include "platform/Platform.h"

void TTimer::SetEnabled(bool enabled) {
    if (enabled == m_Enabled) return;
    m_Enabled = enabled;
    if (enabled) {
        Start();
    } else {
        Stop();
    }
}

void TTimer::SetInterval(uint32_t interval) {
    if (interval == m_Interval) return;
    m_Interval = interval;
    if (m_Enabled) {
        Stop();
        Start();
    }
}

void TTimer::Start() {
    if (m_Running != 0 || m_Interval == 0) return;
    m_Running = GetPlatform().Windows->StartTimer(m_Interval, [this] {
        if (OnTimer) OnTimer();
    });
}

void TTimer::Stop() {
    if (m_Running == 0) return;
    GetPlatform().Windows->StopTimer(m_Running);
    m_Running = 0;
}
