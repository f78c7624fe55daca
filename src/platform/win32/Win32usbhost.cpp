#include "platform/win32/Win32usbhost.h"

#include <windows.h>
#include <setupapi.h>

#include "platform/win32/Wide.h"

namespace {
// The host-controller device interface class.
const GUID kHostControllerInterface = {0x3ABF6F2D, 0x71C4, 0x462A, {0x8A, 0x92, 0x1E, 0x68, 0x61, 0xE6, 0xAF, 0x27}};
}

std::vector<std::string> TWin32UsbHost::HostControllerPaths() {
    std::vector<std::string> paths;
    HDEVINFO set = SetupDiGetClassDevsW(&kHostControllerInterface, nullptr, nullptr,
                                        DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return paths;
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &kHostControllerInterface, index, &data);
         ++index) {
        DWORD required = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr);
        if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
            paths.emplace_back();
            continue;
        }
        std::vector<unsigned char> buffer(required);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (SetupDiGetDeviceInterfaceDetailW(set, &data, detail, required, nullptr, nullptr)) {
            paths.push_back(ToUtf8(detail->DevicePath));
        } else {
            paths.emplace_back();
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return paths;
}

IUsbHost::THandle TWin32UsbHost::Open(const std::string& path) {
    HANDLE handle = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return kInvalid;
    return static_cast<THandle>(reinterpret_cast<intptr_t>(handle));
}

void TWin32UsbHost::Close(THandle handle) {
    if (handle != kInvalid) CloseHandle(reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle)));
}

bool TWin32UsbHost::IoControl(THandle handle, uint32_t code, const std::vector<uint8_t>& in,
                              size_t outSize, std::vector<uint8_t>& out) {
    std::vector<uint8_t> inCopy = in;
    out.assign(outSize, 0);
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(reinterpret_cast<HANDLE>(static_cast<intptr_t>(handle)), code,
                              inCopy.empty() ? nullptr : inCopy.data(), static_cast<DWORD>(inCopy.size()),
                              out.empty() ? nullptr : out.data(), static_cast<DWORD>(out.size()),
                              &returned, nullptr);
    out.resize(ok ? returned : 0);
    return ok != FALSE;
}
