#include "platform/win32/Win32sharedmemory.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace {
HANDLE ToHandle(ISharedMemory::THandle h) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(h)); }
ISharedMemory::THandle ToId(HANDLE h) { return static_cast<ISharedMemory::THandle>(reinterpret_cast<intptr_t>(h)); }
}  // namespace

ISharedMemory::THandle TWin32SharedMemory::Create(const std::string& name, size_t size) {
    const uint64_t size64 = size;
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(size64 >> 32),
                                        static_cast<DWORD>(size64), ToWide(name).c_str());
    return mapping ? ToId(mapping) : kNone;
}

ISharedMemory::THandle TWin32SharedMemory::Open(const std::string& name) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, ToWide(name).c_str());
    return mapping ? ToId(mapping) : kNone;
}

void* TWin32SharedMemory::Map(THandle mapping) {
    return MapViewOfFile(ToHandle(mapping), FILE_MAP_ALL_ACCESS, 0, 0, 0);
}

void TWin32SharedMemory::Unmap(void* view) {
    if (view) UnmapViewOfFile(view);
}

void TWin32SharedMemory::Close(THandle mapping) {
    if (mapping != kNone) CloseHandle(ToHandle(mapping));
}
