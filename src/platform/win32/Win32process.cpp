#include "platform/win32/Win32process.h"

#include <windows.h>

#include <vector>

#include "platform/win32/Systemdll.h"
#include "platform/win32/Wide.h"

std::string TWin32Process::CommandLine() { return ToUtf8(GetCommandLineW()); }

std::string TWin32Process::ModulePath() {
    std::wstring path(32768, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return ToUtf8(path);
}

bool TWin32Process::FileVersion(const std::string& path, uint32_t& ms, uint32_t& ls) {
    static const auto sizeOf =
        SystemFunction<decltype(&GetFileVersionInfoSizeW)>(L"version.dll", "GetFileVersionInfoSizeW");
    static const auto infoOf = SystemFunction<decltype(&GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
    static const auto query = SystemFunction<decltype(&VerQueryValueW)>(L"version.dll", "VerQueryValueW");
    if (!sizeOf || !infoOf || !query) return false;
    std::wstring wide = ToWide(path);
    DWORD ignored = 0;
    DWORD size = sizeOf(wide.c_str(), &ignored);
    if (size == 0) return false;
    std::vector<unsigned char> buffer(size);
    if (!infoOf(wide.c_str(), 0, size, buffer.data())) return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT infoSize = 0;
    if (!query(buffer.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || !info ||
        infoSize < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    ms = info->dwFileVersionMS;
    ls = info->dwFileVersionLS;
    return true;
}
