#pragma once
#include <windows.h>

// Libraries that are not among Windows' known DLLs are taken from the system folder only: the
// loader looks beside the program first, and a copy planted there would run with the
// program's administrator rights.
HMODULE SystemLibrary(const wchar_t* name);

// A function of a system library; null when the library or the function is missing.
template <class TFunction>
TFunction SystemFunction(const wchar_t* library, const char* name) {
    HMODULE module = SystemLibrary(library);
    return module ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// First thing in every program: every later load, also by system libraries on the program's
// behalf, searches the system folder only.
void RestrictDllSearchToSystem();
