#include "mouse/Usbmouse.h"

#include "platform/Platform.h"
#include "sys/Debugconsole.h"
#include "sys/Kytprocess.h"

namespace {
constexpr const char* kDevicePrefix = "\\\\.\\";

void Log(const std::string& name, const std::string& value, uint16_t colour) {
    GetDebugConsole(false).WriteTagged(name, value, colour);
}

// One hub request with a fresh output buffer; false when the request fails.
bool Request(IUsbHost::THandle hub, uint32_t code, const usb::TBytes& in, size_t outSize, usb::TBytes& out) {
    out.clear();
    return GetPlatform().Usb->IoControl(hub, code, in, outSize, out);
}
}  // namespace

TUsbMouse::~TUsbMouse() { ReleaseDeviceList(); }

bool TUsbMouse::LocateMouse(int32_t hostIndex, const std::string& hostFilter, int32_t hubLevel, int32_t portNumber) {
    m_Depth = 0;
    m_FirstHubLevel = 0;
    m_MatchedPort = 0;
    m_AtRoot = true;
    m_RequestedHubLevel = hubLevel;
    Log("USB Check Port NO =", std::to_string(portNumber), kColorYellow);
    Log("USB Check Hub NO =", std::to_string(hubLevel), kColorYellow);
    Log("USB Check Host Controller =", hostFilter, kColorYellow);

    IUsbHost& host = *GetPlatform().Usb;
    const std::vector<std::string> controllers = host.HostControllerPaths();
    bool found = false;
    for (size_t index = hostIndex < 0 ? 0 : static_cast<size_t>(hostIndex); index < controllers.size(); ++index) {
        const std::string& path = controllers[index];
        Log("Current Host index: ", std::to_string(index), kColorBlue);
        Log("Current Host Controller: ", path, kColorBlue);
        if (!hostFilter.empty() && UpperCase(path).find(hostFilter) == std::string::npos) continue;

        Log("Found index: ", std::to_string(index), kColorRed);
        IUsbHost::THandle controller = host.Open(path);
        if (controller != IUsbHost::kInvalid) {
            m_AtRoot = true;
            usb::TBytes out;
            std::string rootHub;
            if (Request(controller, usb::kGetRootHubName, usb::TBytes(), usb::kRootHubNameSize, out)) {
                rootHub = usb::DecodeRootHubName(out);
            }
            found = !rootHub.empty() && ScanHub(rootHub, static_cast<uint32_t>(portNumber));
            host.Close(controller);
            if (found) m_FoundHostIndex = static_cast<int32_t>(index);
        }
        if (found || hostIndex != -1) break;
    }
    return found;
}

bool TUsbMouse::ScanHub(const std::string& hubName, uint32_t portNumber) {
    m_Depth = m_AtRoot ? 0 : m_Depth + 1;
    m_AtRoot = false;

    IUsbHost& host = *GetPlatform().Usb;
    IUsbHost::THandle hub = host.Open(kDevicePrefix + hubName);
    if (hub == IUsbHost::kInvalid) return false;

    usb::TBytes out;
    uint8_t ports = 0;
    if (!Request(hub, usb::kGetNodeInformation, usb::TBytes(usb::kNodeInformationSize, 0), usb::kNodeInformationSize,
                 out) ||
        !usb::DecodeNodeInformation(out, ports)) {
        host.Close(hub);
        return false;
    }
    Log("FindUsbInHubPorts", std::to_string(ports), kColorBlue);

    for (uint32_t i = 1; i <= ports; ++i) {
        m_CurrentPort = i;
        if (!Request(hub, usb::kGetNodeConnectionInformationEx,
                     usb::ConnectionIndexRequest(i, usb::kConnectionInformationSize), usb::kConnectionInformationSize,
                     out) ||
            !usb::DecodeConnectionInfo(out, m_ConnectionInfo)) {
            host.Close(hub);
            return false;
        }

        bool mouseHere = false;
        const bool slow = m_ConnectionInfo.Speed == usb::kLowSpeed || m_ConnectionInfo.Speed == usb::kFullSpeed;
        if (m_ConnectionInfo.ConnectionStatus == usb::kDeviceConnected && slow) {
            m_DriverKey.clear();
            if (Request(hub, usb::kGetNodeConnectionDriverKeyName,
                        usb::ConnectionIndexRequest(i, usb::kNameRequestSize), usb::kNameRequestSize, out)) {
                m_DriverKey = usb::DecodeConnectionName(out);
            }
            m_DescriptorData.clear();
            if (Request(hub, usb::kGetDescriptorFromNodeConnection, usb::ConfigurationDescriptorRequest(i),
                        usb::kDescriptorRequestSize, out)) {
                m_DescriptorData = usb::DescriptorData(out);
            }
            const bool levelMatches = m_RequestedHubLevel == kAnyHubLevel || m_FirstHubLevel == m_RequestedHubLevel;
            if (levelMatches && i == portNumber) mouseHere = IsMouseDevice();
        }
        Log("", "Index = " + std::to_string(i) + " CheckPort = " + std::to_string(portNumber), kColorBlue);

        if (mouseHere) {
            if (m_MatchedPort == 0) m_MatchedPort = i;
            m_MouseHub = hubName;
            m_MouseHubPort = i;
            SelectDeviceByDriverKey(m_DriverKey);
            Log("LocateMouseInfoData", m_DriverKey, kColorBlue);
            host.Close(hub);
            return true;
        }

        if (m_ConnectionInfo.DeviceIsHub && m_Depth < 2) {
            if (m_FirstHubLevel == 0) m_FirstHubLevel = m_Depth + 1;
            std::string downstream;
            if (Request(hub, usb::kGetNodeConnectionName, usb::ConnectionIndexRequest(i, usb::kNameRequestSize),
                        usb::kNameRequestSize, out)) {
                downstream = usb::DecodeConnectionName(out);
            }
            if (ScanHub(downstream, portNumber)) {
                host.Close(hub);
                return true;
            }
        }
    }
    host.Close(hub);
    return false;
}

bool TUsbMouse::IsMouseDevice() const {
    if (m_ConnectionInfo.Device.DeviceClass != 0) {
        return m_ConnectionInfo.Device.DeviceClass == 3 && m_ConnectionInfo.Device.DeviceProtocol == 2;
    }
    return usb::HasMouseInterface(m_DescriptorData);
}

void TUsbMouse::ReplaceDeviceList(IDeviceSet::TSet set) {
    ReleaseDeviceList();
    m_DeviceSet = set;
}

void TUsbMouse::ReleaseDeviceList() {
    if (m_DeviceSet != 0) GetPlatform().Devices->Release(m_DeviceSet);
    m_DeviceSet = 0;
    m_Selected = -1;
}

namespace {
constexpr size_t kPropertyBuffer = 1024;

bool ReadText(IDeviceSet::TSet set, uint32_t index, IDeviceSet::TProperty property, std::string& text) {
    usb::TBytes bytes;
    if (!GetPlatform().Devices->ReadProperty(set, index, property, kPropertyBuffer, bytes)) return false;
    text = usb::FirstString(bytes);
    return true;
}
}  // namespace

bool TUsbMouse::SelectDeviceByDriverKey(const std::string& driverKey) {
    IDeviceSet& devices = *GetPlatform().Devices;
    ReplaceDeviceList(devices.OpenUsbSet(true));
    for (uint32_t index = 0; devices.HasElement(m_DeviceSet, index); ++index) {
        std::string driver;
        if (!ReadText(m_DeviceSet, index, IDeviceSet::TProperty::Driver, driver)) continue;
        if (driver == driverKey) {
            m_Selected = index;
            return true;
        }
    }
    return false;
}

bool TUsbMouse::MatchVidPid(const std::string& text, std::string& hardwareId) {
    IDeviceSet& devices = *GetPlatform().Devices;
    ReplaceDeviceList(devices.OpenUsbSet(true));
    for (uint32_t index = 0; devices.HasElement(m_DeviceSet, index); ++index) {
        std::string driver;
        if (!ReadText(m_DeviceSet, index, IDeviceSet::TProperty::Driver, driver) || driver != m_DriverKey) {
            continue;
        }
        std::string id;
        if (!ReadText(m_DeviceSet, index, IDeviceSet::TProperty::HardwareId, id)) continue;
        hardwareId = id;
        Log("TUsbMouse", "MouseVIDPID = " + hardwareId, kColorYellow);
        if (hardwareId.find(text) != std::string::npos) {
            m_Selected = index;
            return true;
        }
    }
    return false;
}

bool TUsbMouse::CyclePort() {
    if (m_MouseHub.empty() || m_MouseHubPort == 0) return false;
    IUsbHost& host = *GetPlatform().Usb;
    IUsbHost::THandle hub = host.Open(kDevicePrefix + m_MouseHub);
    if (hub == IUsbHost::kInvalid) return false;
    usb::TBytes out;
    const bool cycled = Request(hub, usb::kCyclePort, usb::ConnectionIndexRequest(m_MouseHubPort, usb::kCyclePortSize),
                                usb::kCyclePortSize, out);
    host.Close(hub);
    return cycled;
}
