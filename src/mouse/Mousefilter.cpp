// The operations of TUsbMouse that drive the filter driver: the interval in its service key,
// the filter in the mouse's lower-filter list, and the restart that applies both.
#include <algorithm>

#include "mouse/Usbmouse.h"
#include "platform/Platform.h"
#include "sys/Kytprocess.h"
#include "sys/Osversion.h"

namespace {
constexpr const char* kIntervalValue = "bInterval";
constexpr size_t kFilterBuffer = 1024;
}  // namespace

bool TUsbMouse::WriteInterval(uint32_t intervalMs) {
    // Only into the key the filter's installation made: a service key created here would be a
    // broken service entry of its own.
    return GetPlatform().Registry->SetDword(IRegistry::TRoot::LocalMachine, kFilterServiceKey, kIntervalValue,
                                            intervalMs);
}

bool TUsbMouse::ReadInterval(uint32_t& intervalMs) {
    usb::TBytes data;
    if (!GetPlatform().Registry->QueryValue(IRegistry::TRoot::LocalMachine, kFilterServiceKey, kIntervalValue,
                                            sizeof(uint32_t), data)) {
        return false;
    }
    // The value lands in the 4-byte variable as it is: a shorter value replaces only its low bytes.
    for (size_t i = 0; i < data.size(); ++i) {
        intervalMs = (intervalMs & ~(0xFFu << (8 * i))) | (static_cast<uint32_t>(data[i]) << (8 * i));
    }
    return true;
}

void TUsbMouse::BindFilter(const std::string& name) {
    if (!HasSelection()) return;
    GetPlatform().Devices->WriteProperty(m_DeviceSet, static_cast<uint32_t>(m_Selected),
                                         IDeviceSet::TProperty::LowerFilters, usb::EncodeMultiString({name}));
}

void TUsbMouse::UnbindFilterEverywhere(const std::string& name) {
    IDeviceSet& devices = *GetPlatform().Devices;
    IDeviceSet::TSet set = devices.OpenUsbSet(false);
    for (uint32_t index = 0; devices.HasElement(set, index); ++index) {
        usb::TBytes bytes;
        if (!devices.ReadProperty(set, index, IDeviceSet::TProperty::LowerFilters, kFilterBuffer, bytes)) {
            continue;
        }
        // Only whole entries are ours: other drivers' filters stay, in their order, even when
        // their names contain ours.
        std::vector<std::string> filters = usb::DecodeMultiString(bytes);
        auto kept = std::remove(filters.begin(), filters.end(), name);
        if (kept == filters.end()) continue;
        filters.erase(kept, filters.end());
        devices.WriteProperty(set, index, IDeviceSet::TProperty::LowerFilters,
                              filters.empty() ? usb::TBytes() : usb::EncodeMultiString(filters));
    }
    devices.Release(set);
}

bool TUsbMouse::SelectedStarted() {
    return HasSelection() && GetPlatform().Devices->Started(m_DeviceSet, static_cast<uint32_t>(m_Selected));
}

bool TUsbMouse::SelectedNeedsReboot() {
    return HasSelection() && GetPlatform().Devices->NeedsReboot(m_DeviceSet, static_cast<uint32_t>(m_Selected));
}

bool TUsbMouse::RestartMouse() {
    // A 32-bit build on 64-bit Windows cannot drive the 64-bit class installer: its companion
    // program restarts the bound mouse. Every other build restarts the device itself.
    if (!GetPlatform().Os->ProcessIs64Bit() && GetOsVersion().IsNativeX64()) {
        std::string path = GetModulePath();
        size_t slash = path.find_last_of("\\/");
        std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
        return GetPlatform().Shell->OpenHidden(folder + "\\" + kRestartProgram);
    }
    return HasSelection() && GetPlatform().Devices->RestartDevice(m_DeviceSet, static_cast<uint32_t>(m_Selected));
}
