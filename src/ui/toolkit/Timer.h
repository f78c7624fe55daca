#pragma once
#include <cstdint>
#include <functional>

// A repeating timer on the GUI thread. Enabling a running timer does not restart it; a new
// interval restarts it.
class TTimer {
public:
    TTimer() = default;
    ~TTimer() { Stop(); }
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    bool Enabled() const { return m_Enabled; }
    void SetEnabled(bool enabled);
    uint32_t Interval() const { return m_Interval; }
    void SetInterval(uint32_t interval);

    std::function<void()> OnTimer;

private:
    void Start();
    void Stop();

    bool m_Enabled = false;
    uint32_t m_Interval = 1000;
    uint64_t m_Running = 0;
};
