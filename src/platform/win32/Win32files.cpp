#include "platform/win32/Win32files.h"

#include <windows.h>

#include "platform/win32/Wide.h"

IFileSystem::TOpen TWin32FileSystem::ProbeExisting(const std::string& path) {
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND ? TOpen::NotFound : TOpen::Failed;
    CloseHandle(file);
    return TOpen::Opened;
}

int64_t TWin32FileSystem::WriteWhole(const std::string& path, const uint8_t* bytes, size_t size) {
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    DWORD written = 0;
    if (!WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr)) written = 0;
    CloseHandle(file);
    return written;
}

bool TWin32FileSystem::Remove(const std::string& path) { return DeleteFileW(ToWide(path).c_str()) != FALSE; }
