#include "platform/win32/Systemdll.h"

#include <string>

HMODULE SystemLibrary(const wchar_t* name) {
    if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    // Windows without the search flags (an old Windows 7 without its update): the full path,
    // and the DLLs it loads in turn are looked for beside it, in the system folder, not beside
    // the program.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryExW((std::wstring(folder, length) + L"\\" + name).c_str(), nullptr,
                          LOAD_WITH_ALTERED_SEARCH_PATH);
}

void RestrictDllSearchToSystem() {
    using TSetDirectories = BOOL(WINAPI*)(DWORD);
    // Looked up, not imported: the function is missing on a Windows 7 without its update.
    const auto set = reinterpret_cast<TSetDirectories>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryW(L"");  // the current folder leaves the search order too
}
