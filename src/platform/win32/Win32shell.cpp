#include "platform/win32/Win32shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/Wide.h"

bool TWin32Shell::OpenHidden(const std::string& path) {
    HINSTANCE result = ShellExecuteW(nullptr, L"open", ToWide(path).c_str(), nullptr, nullptr, SW_HIDE);
    return reinterpret_cast<intptr_t>(result) > 32;
}
