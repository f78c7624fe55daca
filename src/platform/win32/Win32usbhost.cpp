#include "platform/win32/Win32usbhost.h"

#include <windows.h>
#include <setupapi.h>

#include "platform/win32/Wide.h"
#include "platform/win32/Win32deviceio.h"

namespace {
// The host-controller device interface class.
const GUID kHostControllerInterface = {0x3ABF6F2D, 0x71C4, 0x462A, {0x8A, 0x92, 0x1E, 0x68, 0x61, 0xE6, 0xAF, 0x27}};
}  // namespace

std::vector<std::string> TWin32UsbHost::HostControllerPaths() {
    std::vector<std::string> paths;
    HDEVINFO set =
        SetupDiGetClassDevsW(&kHostControllerInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return paths;
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof(data);
    for (DWORD index = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &kHostControllerInterface, index, &data); ++index) {
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
    return OpenDevicePath(path, GENERIC_WRITE, FILE_SHARE_WRITE);
}

void TWin32UsbHost::Close(THandle handle) { CloseDevice(handle); }

bool TWin32UsbHost::IoControl(THandle handle, uint32_t code, const std::vector<uint8_t>& in, size_t outSize,
                              std::vector<uint8_t>& out) {
    out.assign(outSize, 0);
    uint32_t returned = 0;
    bool ok = DeviceControl(handle, code, in.empty() ? nullptr : in.data(), static_cast<uint32_t>(in.size()),
                            out.empty() ? nullptr : out.data(), static_cast<uint32_t>(out.size()), returned);
    out.resize(ok ? returned : 0);
    return ok;
}
