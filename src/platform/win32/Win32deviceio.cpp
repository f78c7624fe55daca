#include "platform/win32/Win32deviceio.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace {
HANDLE ToHandle(int64_t handle) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle)); }
}  // namespace

int64_t OpenDevicePath(const std::string& path, uint32_t access, uint32_t share) {
    HANDLE handle =
        CreateFileW(ToWide(path).c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? -1 : static_cast<int64_t>(reinterpret_cast<intptr_t>(handle));
}

void CloseDevice(int64_t handle) {
    if (handle != -1) CloseHandle(ToHandle(handle));
}

bool DeviceControl(int64_t handle, uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                   uint32_t& returned) {
    DWORD got = 0;
    BOOL ok = DeviceIoControl(ToHandle(handle), code, const_cast<void*>(in), inSize, out, outSize, &got, nullptr);
    returned = got;
    return ok != FALSE;
}
