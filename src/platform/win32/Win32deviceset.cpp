#include "platform/win32/Win32deviceset.h"

#include <windows.h>
#include <setupapi.h>

namespace {
HDEVINFO ToInfo(IDeviceSet::TSet set) { return reinterpret_cast<HDEVINFO>(static_cast<uintptr_t>(set)); }

bool Element(IDeviceSet::TSet set, uint32_t index, SP_DEVINFO_DATA& data) {
    if (set == 0) return false;
    data = SP_DEVINFO_DATA{};
    data.cbSize = sizeof(data);
    return SetupDiEnumDeviceInfo(ToInfo(set), index, &data) != FALSE;
}

DWORD PropertyCode(IDeviceSet::TProperty property) {
    switch (property) {
        case IDeviceSet::TProperty::Driver:
            return SPDRP_DRIVER;
        case IDeviceSet::TProperty::HardwareId:
            return SPDRP_HARDWAREID;
        case IDeviceSet::TProperty::LowerFilters:
            return SPDRP_LOWERFILTERS;
        case IDeviceSet::TProperty::DeviceDesc:
            return SPDRP_DEVICEDESC;
    }
    return SPDRP_DRIVER;
}
}  // namespace

IDeviceSet::TSet TWin32DeviceSet::OpenUsbSet(bool presentOnly) {
    DWORD flags = DIGCF_ALLCLASSES | (presentOnly ? DIGCF_PRESENT : 0);
    HDEVINFO set = SetupDiGetClassDevsW(nullptr, L"USB", nullptr, flags);
    if (set == INVALID_HANDLE_VALUE) return 0;
    return static_cast<TSet>(reinterpret_cast<uintptr_t>(set));
}

void TWin32DeviceSet::Release(TSet set) {
    if (set != 0) SetupDiDestroyDeviceInfoList(ToInfo(set));
}

bool TWin32DeviceSet::HasElement(TSet set, uint32_t index) {
    SP_DEVINFO_DATA data;
    return Element(set, index, data);
}

bool TWin32DeviceSet::ReadProperty(TSet set, uint32_t index, TProperty property, size_t bufferSize,
                                   std::vector<uint8_t>& bytes) {
    SP_DEVINFO_DATA data;
    if (!Element(set, index, data)) return false;
    bytes.assign(bufferSize, 0);
    DWORD required = 0;
    if (!SetupDiGetDeviceRegistryPropertyA(ToInfo(set), &data, PropertyCode(property), nullptr, bytes.data(),
                                           static_cast<DWORD>(bytes.size()), &required)) {
        bytes.clear();
        return false;
    }
    bytes.resize(required <= bufferSize ? required : bufferSize);
    return true;
}

bool TWin32DeviceSet::WriteProperty(TSet set, uint32_t index, TProperty property, const std::vector<uint8_t>& bytes) {
    SP_DEVINFO_DATA data;
    if (!Element(set, index, data)) return false;
    return SetupDiSetDeviceRegistryPropertyA(ToInfo(set), &data, PropertyCode(property),
                                             bytes.empty() ? nullptr : bytes.data(),
                                             static_cast<DWORD>(bytes.size())) != FALSE;
}

bool TWin32DeviceSet::RestartDevice(TSet set, uint32_t index) {
    SP_DEVINFO_DATA data;
    if (!Element(set, index, data)) return false;
    SP_PROPCHANGE_PARAMS params{};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
    params.StateChange = DICS_PROPCHANGE;
    params.Scope = DICS_FLAG_CONFIGSPECIFIC;
    params.HwProfile = 0;
    if (!SetupDiSetClassInstallParamsW(ToInfo(set), &data, &params.ClassInstallHeader, sizeof(params))) {
        return false;
    }
    return SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, ToInfo(set), &data) != FALSE;
}

bool TWin32DeviceSet::NeedsReboot(TSet set, uint32_t index) {
    SP_DEVINFO_DATA data;
    if (!Element(set, index, data)) return false;
    SP_DEVINSTALL_PARAMS_W params{};
    params.cbSize = sizeof(params);
    if (!SetupDiGetDeviceInstallParamsW(ToInfo(set), &data, &params)) return false;
    return (params.Flags & (DI_NEEDREBOOT | DI_NEEDRESTART)) != 0;
}

bool TWin32DeviceSet::Started(TSet set, uint32_t index) {
    SP_DEVINFO_DATA data;
    if (!Element(set, index, data)) return false;
    // The node's status and problem code (DEVPKEY_Device_DevNodeStatus and _ProblemCode).
    DEVPROPKEY key{{0x4340a6c5, 0x93fa, 0x4706, {0x97, 0x2c, 0x7b, 0x64, 0x80, 0x08, 0xa5, 0xa7}}, 2};
    DEVPROPTYPE type = 0;
    ULONG status = 0;
    if (!SetupDiGetDevicePropertyW(ToInfo(set), &data, &key, &type, reinterpret_cast<PBYTE>(&status), sizeof(status),
                                   nullptr, 0)) {
        return true;
    }
    key.pid = 3;
    ULONG problem = 0;
    if (!SetupDiGetDevicePropertyW(ToInfo(set), &data, &key, &type, reinterpret_cast<PBYTE>(&problem), sizeof(problem),
                                   nullptr, 0)) {
        problem = 0;
    }
    constexpr ULONG kStarted = 0x00000008;  // DN_STARTED
    return (status & kStarted) != 0 && problem == 0;
}
