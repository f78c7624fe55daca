#pragma once
#include <cstdint>
#include <string>

// CreateFile on a device path and one buffered DeviceIoControl: what the USB host and the
// hardware-access driver adapters share. Handles travel as integers, -1 meaning none.
int64_t OpenDevicePath(const std::string& path, uint32_t access, uint32_t share);
void CloseDevice(int64_t handle);
bool DeviceControl(int64_t handle, uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize,
                   uint32_t& returned);
