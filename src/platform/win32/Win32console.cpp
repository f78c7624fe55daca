#include "platform/win32/Win32console.h"

#include <windows.h>

#include "platform/win32/Wide.h"

bool TWin32Console::Open() {
    BOOL allocated = AllocConsole();
    m_Output = GetStdHandle(STD_OUTPUT_HANDLE);
    return allocated != FALSE;
}

void TWin32Console::Close() {
    FreeConsole();
    m_Output = nullptr;
}

void TWin32Console::Write(const std::string& utf8) {
    if (!m_Output || m_Output == INVALID_HANDLE_VALUE) return;
    std::wstring wide = ToWide(utf8);
    DWORD written = 0;
    if (!WriteConsoleW(m_Output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr)) {
        // Output redirected to a file or pipe: write the bytes as they are.
        WriteFile(m_Output, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    }
}

bool TWin32Console::GetAttribute(uint16_t& attribute) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!m_Output || !GetConsoleScreenBufferInfo(m_Output, &info)) return false;
    attribute = info.wAttributes;
    return true;
}

void TWin32Console::SetAttribute(uint16_t attribute) {
    if (m_Output) SetConsoleTextAttribute(m_Output, attribute);
}
