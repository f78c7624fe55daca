#include "platform/win32/Win32driverdevice.h"

#include <windows.h>

#include "platform/win32/Win32deviceio.h"

IDriverDevice::THandle TWin32DriverDevice::Open(const std::string& path) {
    return OpenDevicePath(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

void TWin32DriverDevice::Close(THandle handle) { CloseDevice(handle); }

bool TWin32DriverDevice::IoControl(THandle handle, uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out,
                                   uint32_t outSize, uint32_t& returned) {
    return DeviceControl(handle, code, in, inSize, out, outSize, returned);
}
