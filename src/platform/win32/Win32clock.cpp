#include "platform/win32/Win32clock.h"

#include <windows.h>

uint64_t TWin32Clock::TickMs() { return GetTickCount64(); }

void TWin32Clock::Sleep(uint32_t ms) { ::Sleep(ms); }

bool TWin32Clock::PerformanceFrequency(int64_t& ticksPerSecond) {
    LARGE_INTEGER value;
    if (!QueryPerformanceFrequency(&value)) return false;
    ticksPerSecond = value.QuadPart;
    return true;
}

bool TWin32Clock::PerformanceCounter(int64_t& ticks) {
    LARGE_INTEGER value;
    if (!QueryPerformanceCounter(&value)) return false;
    ticks = value.QuadPart;
    return true;
}

namespace {
using TDelayExecution = LONG(WINAPI*)(BOOLEAN alertable, PLARGE_INTEGER interval);
using TSetTimerResolution = LONG(WINAPI*)(ULONG desired, BOOLEAN set, PULONG current);

// The system's own delay, in 100 ns units: it sleeps as finely as the timer resolution, which is
// raised to its finest for the process the first time (as timeBeginPeriod does, without winmm).
TDelayExecution DelayExecution() {
    static const TDelayExecution delay = [] {
        HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        if (!ntdll) return TDelayExecution{};
        if (auto resolution = reinterpret_cast<TSetTimerResolution>(
                reinterpret_cast<void*>(GetProcAddress(ntdll, "NtSetTimerResolution")))) {
            ULONG current = 0;
            resolution(5000, TRUE, &current);
        }
        return reinterpret_cast<TDelayExecution>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtDelayExecution")));
    }();
    return delay;
}
}  // namespace

void TWin32Clock::SleepUntilCounter(int64_t ticks) {
    int64_t frequency = 0;
    int64_t now = 0;
    if (!PerformanceFrequency(frequency) || frequency <= 0 || !PerformanceCounter(now) || ticks <= now) return;
    const int64_t remaining100ns = (ticks - now) * 10'000'000 / frequency;
    if (TDelayExecution delay = DelayExecution()) {
        LARGE_INTEGER interval;
        interval.QuadPart = -(remaining100ns > 0 ? remaining100ns : 1);
        delay(FALSE, &interval);
    } else {
        ::Sleep(static_cast<DWORD>((remaining100ns + 9'999) / 10'000));
    }
}
