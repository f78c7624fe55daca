#include "platform/win32/Win32threads.h"

#include <windows.h>

void TWin32Threads::BindCurrentToProcessor0() { SetThreadAffinityMask(GetCurrentThread(), 1); }

void TWin32Threads::RaiseCurrentPriority() { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST); }
