#include "platform/win32/Win32shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/Wide.h"

namespace {
// The companion restarts the mouse in a second or two; a program that hangs is not waited for
// longer than this.
constexpr DWORD kLongestRunMs = 10000;
}  // namespace

bool TWin32Shell::OpenHidden(const std::string& path) {
    const std::wstring file = ToWide(path);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info)) return false;
    // Whoever asked looks at the result next (is the mouse back?): not before the program is done.
    if (info.hProcess) {
        WaitForSingleObject(info.hProcess, kLongestRunMs);
        CloseHandle(info.hProcess);
    }
    return true;
}
