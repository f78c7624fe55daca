#include "platform/win32/Win32mutexes.h"

#include <windows.h>

#include "platform/win32/Wide.h"

bool TWin32Mutexes::OpenExisting(const std::string& name) {
    HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, ToWide(name).c_str());
    if (!mutex) return false;
    CloseHandle(mutex);
    return true;
}

IMutexes::TCreate TWin32Mutexes::Create(const std::string& name) {
    // The handle is held until the process ends: it is what marks this instance as running.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, ToWide(name).c_str());
    if (!mutex) return TCreate::Failed;
    return GetLastError() == ERROR_ALREADY_EXISTS ? TCreate::AlreadyExisted : TCreate::Created;
}
