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
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// One timer per thread: a high-resolution one where the system has them (Windows 10 1803 and
// later), else an ordinary one, whose waits round up to the system's timer tick.
struct TThreadTimer {
    TThreadTimer() {
        Handle = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
        if (!Handle) Handle = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
    }
    ~TThreadTimer() {
        if (Handle) CloseHandle(Handle);
    }
    HANDLE Handle = nullptr;
};
}  // namespace

void TWin32Clock::SleepUntilCounter(int64_t ticks) {
    int64_t frequency = 0;
    int64_t now = 0;
    if (!PerformanceFrequency(frequency) || frequency <= 0 || !PerformanceCounter(now) || ticks <= now) return;
    const int64_t remaining100ns = (ticks - now) * 10'000'000 / frequency;
    thread_local TThreadTimer timer;
    LARGE_INTEGER due;
    due.QuadPart = -(remaining100ns > 0 ? remaining100ns : 1);
    if (timer.Handle && SetWaitableTimer(timer.Handle, &due, 0, nullptr, nullptr, FALSE)) {
        WaitForSingleObject(timer.Handle, INFINITE);
    } else {
        ::Sleep(static_cast<DWORD>((remaining100ns + 9'999) / 10'000));
    }
}
