#include "platform/win32/Win32threads.h"

#include <windows.h>

void TWin32Threads::BindCurrentToProcessor0() {
    // Asked for on every sample, a thousand times a second and more: the system is asked once
    // per thread, as nothing else moves the thread afterwards.
    thread_local bool bound = false;
    if (!bound) bound = SetThreadAffinityMask(GetCurrentThread(), 1) != 0;
}

void TWin32Threads::RaiseCurrentPriority() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST); }
