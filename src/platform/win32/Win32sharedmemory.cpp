#include "platform/win32/Win32sharedmemory.h"

#include <windows.h>
#include <sddl.h>

#include "platform/win32/Wide.h"

namespace {
HANDLE ToHandle(ISharedMemory::THandle h) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(h)); }
ISharedMemory::THandle ToId(HANDLE h) { return static_cast<ISharedMemory::THandle>(reinterpret_cast<intptr_t>(h)); }
}  // namespace

ISharedMemory::THandle TWin32SharedMemory::Create(const std::string& name, size_t size) {
    const uint64_t size64 = size;
    // The program runs elevated, and an elevated token's default security lets only
    // administrators and the system in: an overlay or a script of the user's, unelevated and
    // perhaps at low integrity, could not open the blocks. They may read them; only the
    // system and administrators (this program) may write.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), nullptr, FALSE};
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(kBlockSecurity, SDDL_REVISION_1, &descriptor, nullptr)) {
        attributes.lpSecurityDescriptor = descriptor;
    }
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, descriptor ? &attributes : nullptr, PAGE_READWRITE,
                                        static_cast<DWORD>(size64 >> 32), static_cast<DWORD>(size64),
                                        ToWide(name).c_str());
    if (descriptor) LocalFree(descriptor);
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
