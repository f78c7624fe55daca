#include "platform/sim/Simusb.h"

#include <algorithm>
#include <functional>

#include "mouse/Usbmouse.h"
#include "sys/Bytes.h"

namespace {
constexpr const char* kDevicePrefix = "\\\\.\\";
int g_driverKeyCounter = 0;

std::string NextDriverKey(const char* classGuid) {
    char number[8];
    std::snprintf(number, sizeof(number), "%04d", g_driverKeyCounter++ % 10000);
    return std::string(classGuid) + "\\" + number;
}

std::string HardwareId(uint16_t vid, uint16_t pid, uint16_t rev) {
    char text[64];
    std::snprintf(text, sizeof(text), "USB\\VID_%04X&PID_%04X&REV_%04X", vid, pid, rev);
    return text;
}

std::shared_ptr<TSimUsbDevice> Device(const std::string& description, uint16_t vid, uint16_t pid,
                                      const char* classGuid) {
    auto device = std::make_shared<TSimUsbDevice>();
    device->Description = description;
    device->Descriptor.Vendor = vid;
    device->Descriptor.Product = pid;
    device->Descriptor.Release = 0x0100;
    device->DriverKey = NextDriverKey(classGuid);
    device->HardwareIds = {HardwareId(vid, pid, 0x0100), HardwareId(vid, pid, 0x0100).substr(0, 21)};
    return device;
}

// IOCTL_USB_HUB_CYCLE_PORT: function 273 of the USB device type (0x22), buffered, any access.
constexpr uint32_t kCyclePortCode = (0x22u << 16) | (273u << 2);
// USB_CYCLE_PORT_PARAMS: ULONG ConnectionIndex, ULONG StatusReturned.
constexpr size_t kCyclePortParamsSize = 8;

constexpr const char* kHidClass = "{745a17a0-74d3-11d0-b6fe-00a0c90f57da}";
constexpr const char* kUsbClass = "{36fc9e60-c465-11cf-8056-444553540000}";
}  // namespace

usb::TBytes TSimUsb::Configuration(const std::vector<std::pair<uint8_t, uint8_t>>& interfaces) {
    usb::TBytes bytes = {9, 2, 0, 0, static_cast<uint8_t>(interfaces.size()), 1, 0, 0xA0, 50};
    uint8_t number = 0;
    for (auto [interfaceClass, protocol] : interfaces) {
        // interface descriptor: number, one endpoint, class, subclass 1 for boot HID, protocol
        usb::TBytes interface = {
            9, 4, number++, 0, 1, interfaceClass, static_cast<uint8_t>(interfaceClass == 3 ? 1 : 6), protocol, 0};
        bytes.insert(bytes.end(), interface.begin(), interface.end());
        if (interfaceClass == 3) {
            usb::TBytes hid = {9, 0x21, 0x11, 0x01, 0, 1, 0x22, 52, 0};
            bytes.insert(bytes.end(), hid.begin(), hid.end());
        }
        usb::TBytes endpoint = {7, 5, static_cast<uint8_t>(0x80 | number), 3, 8, 0, 8};
        bytes.insert(bytes.end(), endpoint.begin(), endpoint.end());
    }
    bytes[2] = static_cast<uint8_t>(bytes.size());
    bytes[3] = static_cast<uint8_t>(bytes.size() >> 8);
    return bytes;
}

std::shared_ptr<TSimUsbDevice> TSimUsb::Mouse(uint16_t vid, uint16_t pid, uint8_t speed) {
    auto mouse = Device("USB Input Device", vid, pid, kHidClass);
    mouse->Speed = speed;
    mouse->Configuration = Configuration({{3, 2}});
    return mouse;
}

std::shared_ptr<TSimUsbDevice> TSimUsb::Keyboard(uint16_t vid, uint16_t pid) {
    auto keyboard = Device("USB Input Device", vid, pid, kHidClass);
    keyboard->Speed = usb::kLowSpeed;
    keyboard->Configuration = Configuration({{3, 1}});
    return keyboard;
}

std::shared_ptr<TSimUsbDevice> TSimUsb::KeyboardMouseCombo(uint16_t vid, uint16_t pid) {
    auto combo = Device("USB Composite Device", vid, pid, kUsbClass);
    combo->Configuration = Configuration({{3, 1}, {3, 2}});
    return combo;
}

std::shared_ptr<TSimUsbDevice> TSimUsb::Storage(uint16_t vid, uint16_t pid) {
    auto storage = Device("USB Mass Storage Device", vid, pid, kUsbClass);
    storage->Speed = usb::kHighSpeed;
    storage->Configuration = Configuration({{8, 0x50}});
    return storage;
}

std::shared_ptr<TSimUsbDevice> TSimUsb::Hub(const std::string& name, size_t ports, uint8_t speed) {
    auto hub = Device("Generic USB Hub", 0xE0FF, 0x0401, kUsbClass);
    hub->Speed = speed;
    hub->Descriptor.DeviceClass = 9;
    hub->Configuration = Configuration({{9, 0}});
    hub->Hub = std::make_shared<TSimHub>();
    hub->Hub->Name = name;
    hub->Hub->Ports.resize(ports);
    return hub;
}

TSimController& TSimUsb::AddController(const std::string& path, const std::string& rootHubName, size_t ports) {
    auto root = std::make_shared<TSimHub>();
    root->Name = rootHubName;
    root->Ports.resize(ports);
    Controllers.push_back({path, root});
    return Controllers.back();
}

std::vector<std::string> TSimUsb::HostControllerPaths() {
    EndPortCycles();
    std::vector<std::string> paths;
    for (const TSimController& controller : Controllers) paths.push_back(controller.Path);
    return paths;
}

std::shared_ptr<TSimHub> TSimUsb::FindHub(const std::string& name) const {
    std::shared_ptr<TSimHub> found;
    std::function<void(const std::shared_ptr<TSimHub>&)> walk = [&](const std::shared_ptr<TSimHub>& hub) {
        if (!hub || found) return;
        if (hub->Name == name) found = hub;
        for (const auto& device : hub->Ports) {
            if (device) walk(device->Hub);
        }
    };
    for (const TSimController& controller : Controllers) walk(controller.RootHub);
    return found;
}

IUsbHost::THandle TSimUsb::Open(const std::string& path) {
    TTarget target;
    for (TSimController& controller : Controllers) {
        if (controller.Path == path) target.Controller = &controller;
    }
    if (!target.Controller && path.rfind(kDevicePrefix, 0) == 0) {
        target.Hub = FindHub(path.substr(4));
    }
    if (!target.Controller && !target.Hub) return kInvalid;
    m_Handles[m_NextHandle] = target;
    return m_NextHandle++;
}

bool TSimUsb::IoControl(THandle handle, uint32_t code, const std::vector<uint8_t>& in, size_t outSize,
                        std::vector<uint8_t>& out) {
    auto it = m_Handles.find(handle);
    if (it == m_Handles.end()) return false;
    ++Requests[code];
    if (FailingCodes.count(code)) return false;
    const TTarget& target = it->second;
    if (target.Controller) {
        if (code != usb::kGetRootHubName || !target.Controller->RootHub) return false;
        out = usb::EncodeRootHubName(target.Controller->RootHub->Name);
    } else {
        const TSimHub& hub = *target.Hub;
        if (code == kCyclePortCode) {
            return CyclePort(*target.Hub, in, out);
        } else if (code == usb::kGetNodeInformation) {
            out = usb::EncodeNodeInformation(static_cast<uint8_t>(hub.Ports.size()));
        } else {
            uint32_t port = usb::RequestedPort(in);
            if (port < 1 || port > hub.Ports.size()) return false;
            // A device whose stack did not start answers as an empty port.
            const std::shared_ptr<TSimUsbDevice>& slot = hub.Ports[port - 1];
            const std::shared_ptr<TSimUsbDevice> device = slot && !slot->Stopped && !slot->OffPort ? slot : nullptr;
            switch (code) {
                case usb::kGetNodeConnectionInformationEx: {
                    usb::TConnectionInfo info;
                    info.ConnectionIndex = port;
                    if (device) {
                        info.ConnectionStatus = usb::kDeviceConnected;
                        info.Device = device->Descriptor;
                        info.Speed = device->Speed;
                        info.DeviceIsHub = device->Hub != nullptr;
                    }
                    out = usb::EncodeConnectionInfo(info);
                    break;
                }
                case usb::kGetNodeConnectionDriverKeyName:
                    if (!device) return false;
                    out = usb::EncodeConnectionName(port, device->DriverKey);
                    break;
                case usb::kGetNodeConnectionName:
                    if (!device || !device->Hub) return false;
                    out = usb::EncodeConnectionName(port, device->Hub->Name);
                    break;
                case usb::kGetDescriptorFromNodeConnection:
                    if (!device) return false;
                    out = usb::EncodeDescriptorAnswer(in, device->Configuration);
                    break;
                default:
                    return false;
            }
        }
    }
    if (out.size() > outSize) out.resize(outSize);
    return true;
}

std::vector<std::shared_ptr<TSimUsbDevice>> TSimUsb::PluggedDevices(bool stopped) const {
    std::vector<std::shared_ptr<TSimUsbDevice>> devices;
    std::function<void(const std::shared_ptr<TSimHub>&)> walk = [&](const std::shared_ptr<TSimHub>& hub) {
        if (!hub) return;
        for (const auto& device : hub->Ports) {
            // A device off its port for a cycle is, for the moment, not there at all.
            if (!device || device->OffPort || device->Stopped != stopped) continue;
            devices.push_back(device);
            walk(device->Hub);
        }
    };
    for (const TSimController& controller : Controllers) walk(controller.RootHub);
    return devices;
}

std::vector<std::shared_ptr<TSimUsbDevice>> TSimUsb::PresentDevices() const { return PluggedDevices(false); }

IDeviceSet::TSet TSimUsb::OpenUsbSet(bool presentOnly) {
    EndPortCycles();
    std::vector<std::shared_ptr<TSimUsbDevice>> devices = PresentDevices();
    if (!presentOnly) {
        // Devices that did not start are known to the system, like unplugged ones.
        const auto stopped = PluggedDevices(true);
        devices.insert(devices.end(), stopped.begin(), stopped.end());
        devices.insert(devices.end(), Absent.begin(), Absent.end());
    }
    m_Sets[m_NextSet] = devices;
    return m_NextSet++;
}

std::shared_ptr<TSimUsbDevice> TSimUsb::Element(TSet set, uint32_t index) const {
    auto it = m_Sets.find(set);
    if (it == m_Sets.end() || index >= it->second.size()) return nullptr;
    return it->second[index];
}

bool TSimUsb::HasElement(TSet set, uint32_t index) { return Element(set, index) != nullptr; }

bool TSimUsb::ReadProperty(TSet set, uint32_t index, TProperty property, size_t bufferSize,
                           std::vector<uint8_t>& bytes) {
    auto device = Element(set, index);
    if (!device) return false;
    switch (property) {
        case TProperty::Driver:
            bytes.assign(device->DriverKey.begin(), device->DriverKey.end());
            bytes.push_back(0);
            break;
        case TProperty::DeviceDesc:
            bytes.assign(device->Description.begin(), device->Description.end());
            bytes.push_back(0);
            break;
        case TProperty::HardwareId:
            bytes = usb::EncodeMultiString(device->HardwareIds);
            break;
        case TProperty::LowerFilters:
            if (device->LowerFilters.empty()) return false;
            bytes = usb::EncodeMultiString(device->LowerFilters);
            break;
    }
    return bytes.size() <= bufferSize;
}

bool TSimUsb::WriteProperty(TSet set, uint32_t index, TProperty property, const std::vector<uint8_t>& bytes) {
    auto device = Element(set, index);
    if (!device || property != TProperty::LowerFilters) return false;
    device->LowerFilters = usb::DecodeMultiString(bytes);
    return true;
}

void TSimUsb::Restart(TSimUsbDevice& device, bool replugged) {
    if (!replugged) ++device.Restarts;
    // The change waits for the next boot: the stack keeps running with what it had.
    if (device.NeedsReboot) return;
    // A lower filter whose service is not installed keeps the whole stack from starting.
    device.Stopped = ServiceStarts && std::any_of(device.LowerFilters.begin(), device.LowerFilters.end(),
                                                  [&](const std::string& name) { return !ServiceStarts(name); });
    // The filter, when it is in the stack, applies the interval stored in its service key.
    device.ActiveIntervalUs = device.NativeIntervalUs;
    bool bound =
        std::find(device.LowerFilters.begin(), device.LowerFilters.end(), kFilterName) != device.LowerFilters.end();
    std::vector<uint8_t> data;
    if (bound && (device.FilterTakes || replugged) &&
        m_Registry.QueryValue(IRegistry::TRoot::LocalMachine, kFilterServiceKey, "bInterval", 4, data) &&
        data.size() == 4) {
        device.ActiveIntervalUs = bytes::Get32(data.data()) * 1000;
    }
}

bool TSimUsb::RestartDevice(TSet set, uint32_t index) {
    auto device = Element(set, index);
    if (!device || RestartsFail) return false;
    Restart(*device);
    return true;
}

bool TSimUsb::NeedsReboot(TSet set, uint32_t index) {
    auto device = Element(set, index);
    return device && device->NeedsReboot && device->Restarts > 0;
}

bool TSimUsb::Started(TSet set, uint32_t index) {
    auto device = Element(set, index);
    return device && !device->Stopped;
}

void TSimUsb::RestartBoundDevices() {
    for (const auto& device : PresentDevices()) {
        if (std::find(device->LowerFilters.begin(), device->LowerFilters.end(), kFilterName) !=
            device->LowerFilters.end()) {
            Restart(*device);
        }
    }
}

bool TSimUsb::CyclePort(TSimHub& hub, const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    if (in.size() < kCyclePortParamsSize) return false;
    const uint32_t port = bytes::Get32(in.data());
    if (port < 1 || port > hub.Ports.size() || !hub.Ports[port - 1]) return false;
    TSimUsbDevice& device = *hub.Ports[port - 1];
    // The device leaves the bus at once and comes back as a new arrival a moment later.
    ++device.Cycles;
    device.BackAtMs = Clock->TickMs() + kCycleTakesMs;
    device.OffPort = true;
    out.assign(kCyclePortParamsSize, 0);
    bytes::Put32(out.data(), port);  // StatusReturned stays 0
    return true;
}

void TSimUsb::EndPortCycles() {
    const uint64_t now = Clock->TickMs();
    std::function<void(const std::shared_ptr<TSimHub>&)> walk = [&](const std::shared_ptr<TSimHub>& hub) {
        if (!hub) return;
        for (const auto& device : hub->Ports) {
            if (!device) continue;
            if (device->OffPort && now >= device->BackAtMs) {
                Restart(*device, true);
                device->OffPort = false;
            }
            walk(device->Hub);
        }
    };
    for (const TSimController& controller : Controllers) walk(controller.RootHub);
}
