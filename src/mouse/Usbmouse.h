#pragma once
#include <cstdint>
#include <string>

#include "mouse/Privilege.h"
#include "mouse/Usblayout.h"
#include "platform/DeviceSet.h"
#include "platform/UsbHost.h"

inline constexpr const char* kFilterName = "KytHidFilter";
inline constexpr const char* kFilterServiceKey = "System\\CurrentControlSet\\Services\\KytHidFilter";
inline constexpr const char* kRestartProgram = "MouseRestart.exe";

// Finds the mouse on the board's designated USB port and selects its device node; then stores
// the polling interval, binds the filter driver to it and restarts it.
class TUsbMouse {
public:
    // A hub level that matches every level (the uninstall road's request).
    static constexpr int32_t kAnyHubLevel = -1;

    TUsbMouse() = default;
    ~TUsbMouse();
    TUsbMouse(const TUsbMouse&) = delete;
    TUsbMouse& operator=(const TUsbMouse&) = delete;

    // hostIndex -1 examines every controller; an empty filter matches any controller path.
    bool LocateMouse(int32_t hostIndex, const std::string& hostFilter, int32_t hubLevel, int32_t portNumber);
    bool MatchVidPid(const std::string& text, std::string& hardwareId);
    void ReleaseDeviceList();

    bool WriteInterval(uint32_t intervalMs);
    bool ReadInterval(uint32_t& intervalMs);
    void BindFilter(const std::string& name);
    void UnbindFilterEverywhere(const std::string& name);
    // False when the restart could not be asked for (the class installer refused, or the
    // companion program could not be started): the old stack still runs.
    bool RestartMouse();
    // Power-cycles the port the mouse was found on, through its hub; false when the hub could
    // not be opened or refused.
    bool CyclePort();
    // The selected mouse runs (its driver stack started).
    bool SelectedStarted();
    bool SelectedNeedsReboot();

    int32_t FoundHostIndex() const { return m_FoundHostIndex; }
    uint32_t CurrentPort() const { return m_CurrentPort; }
    int32_t FirstHubLevel() const { return m_FirstHubLevel; }
    uint32_t MatchedPort() const { return m_MatchedPort; }
    const std::string& DriverKey() const { return m_DriverKey; }
    bool HasSelection() const { return m_Selected >= 0; }
    // On the hub level and port asked for in the last LocateMouse.
    bool AtRequestedPort(uint32_t hubLevel, uint32_t port) const {
        return static_cast<uint32_t>(m_FirstHubLevel) == hubLevel && m_MatchedPort == port;
    }

private:
    bool ScanHub(const std::string& hubName, uint32_t portNumber);
    bool IsMouseDevice() const;
    bool SelectDeviceByDriverKey(const std::string& driverKey);
    void ReplaceDeviceList(IDeviceSet::TSet set);

    TPrivilege m_Privilege;
    usb::TConnectionInfo m_ConnectionInfo;
    usb::TBytes m_DescriptorData;
    int32_t m_FoundHostIndex = 0;
    uint32_t m_CurrentPort = 0;
    int32_t m_Depth = 0;
    int32_t m_FirstHubLevel = 0;
    uint32_t m_MatchedPort = 0;
    std::string m_DriverKey;
    std::string m_MouseHub;  // the hub and port the mouse was found on
    uint32_t m_MouseHubPort = 0;
    IDeviceSet::TSet m_DeviceSet = 0;
    int64_t m_Selected = -1;  // element index in the set, -1 when none
    bool m_AtRoot = false;
    int32_t m_RequestedHubLevel = 0;
};
