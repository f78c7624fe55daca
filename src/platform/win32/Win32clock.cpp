#include "platform/win32/Win32clock.h"

#include <windows.h>

uint64_t TWin32Clock::TickMs() { return GetTickCount64(); }

void TWin32Clock::Sleep(uint32_t ms) { ::Sleep(ms); }
