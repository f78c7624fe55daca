#include "platform/win32/Win32os.h"

#include <windows.h>

#include "platform/win32/Wide.h"

bool TWin32Os::QueryVersion(TOsVersionRecord& record) {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info)) != TRUE) return false;
    record.PlatformId = info.dwPlatformId;
    record.Major = info.dwMajorVersion;
    record.Minor = info.dwMinorVersion;
    record.Build = info.dwBuildNumber;
    return true;
}

bool TWin32Os::HasEntryPoint(const std::string& module, const std::string& name) {
    HMODULE handle = GetModuleHandleW(ToWide(module).c_str());
    return handle && GetProcAddress(handle, name.c_str()) != nullptr;
}

uint16_t TWin32Os::ProcessorArchitecture(bool native) {
    SYSTEM_INFO info{};
    if (native) {
        GetNativeSystemInfo(&info);
    } else {
        GetSystemInfo(&info);
    }
    return info.wProcessorArchitecture;
}

bool TWin32Os::IsWow64Process() {
    BOOL wow64 = FALSE;
    ::IsWow64Process(GetCurrentProcess(), &wow64);
    return wow64 != FALSE;
}

std::string TWin32Os::SystemDirectory() {
    wchar_t folder[MAX_PATH];
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? ToUtf8(std::wstring(folder, length)) : std::string();
}

std::string TWin32Os::WindowsDirectory() {
    wchar_t folder[MAX_PATH];
    UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? ToUtf8(std::wstring(folder, length)) : std::string();
}

uint32_t TWin32Os::SystemFirmwareTable(uint32_t provider, uint32_t id, uint8_t* buffer, uint32_t size) {
    using TQuery = UINT(WINAPI*)(DWORD, DWORD, PVOID, DWORD);
    auto query = reinterpret_cast<TQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemFirmwareTable")));
    return query ? query(provider, id, buffer, size) : 0;
}

uint16_t TWin32Os::UserDefaultUILanguage() { return GetUserDefaultUILanguage(); }
