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
