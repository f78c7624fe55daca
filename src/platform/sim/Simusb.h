#pragma once
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "mouse/Usblayout.h"
#include "platform/Clock.h"
#include "platform/DeviceSet.h"
#include "platform/Registry.h"
#include "platform/UsbHost.h"

struct TSimHub;

// A USB device as the system knows it: what its port reports, its device node's properties,
// and, for a mouse, the interval it polls at.
struct TSimUsbDevice {
    std::string Description;
    uint8_t Speed = usb::kFullSpeed;
    usb::TDeviceDescriptor Descriptor;
    usb::TBytes Configuration;  // the configuration descriptor set
    std::string DriverKey;
    std::vector<std::string> HardwareIds;
    std::vector<std::string> LowerFilters;  // empty: no lower-filter property
    std::shared_ptr<TSimHub> Hub;           // set for hubs
    bool Stopped = false;                   // its stack failed to start: plugged in, but not on its port's walk
    // Report intervals in microseconds: the mouse's own, and the one it polls at now (read by
    // the reporting thread of a live mouse while a restart may write it).
    uint32_t NativeIntervalUs = 8000;
    // false: the filter in its stack does not change its interval, as with a mouse that only
    // takes a new rate once it is plugged in again
    bool FilterTakes = true;
    // true: a restart cannot complete without a reboot; the device keeps running as it was
    bool NeedsReboot = false;
    std::atomic<uint32_t> ActiveIntervalUs{8000};
    int Restarts = 0;
    // Off its port while a power cycle of the port runs (read by a live mouse's thread), and
    // when it is enumerated again (the clock's milliseconds).
    std::atomic<bool> OffPort{false};
    uint64_t BackAtMs = 0;
    int Cycles = 0;
};

struct TSimHub {
    std::string Name;
    std::vector<std::shared_ptr<TSimUsbDevice>> Ports;  // Ports[i - 1] is port i; null when empty
};

struct TSimController {
    std::string Path;
    std::shared_ptr<TSimHub> RootHub;  // null: the controller answers no root hub name
};

// The USB topology of the machine, served through the hub I/O controls and the device sets.
class TSimUsb : public IUsbHost, public IDeviceSet {
public:
    // A power-cycled port's device is enumerated again this long after the cycle.
    static constexpr uint64_t kCycleTakesMs = 1000;

    TSimUsb(IRegistry& registry, IClock& clock) : Clock(&clock), m_Registry(registry) {}

    // IUsbHost
    std::vector<std::string> HostControllerPaths() override;
    THandle Open(const std::string& path) override;
    void Close(THandle handle) override { m_Handles.erase(handle); }
    bool IoControl(THandle handle, uint32_t code, const std::vector<uint8_t>& in, size_t outSize,
                   std::vector<uint8_t>& out) override;

    // IDeviceSet
    TSet OpenUsbSet(bool presentOnly) override;
    void Release(TSet set) override { m_Sets.erase(set); }
    bool HasElement(TSet set, uint32_t index) override;
    bool ReadProperty(TSet set, uint32_t index, TProperty property, size_t bufferSize,
                      std::vector<uint8_t>& bytes) override;
    bool WriteProperty(TSet set, uint32_t index, TProperty property, const std::vector<uint8_t>& bytes) override;
    bool RestartDevice(TSet set, uint32_t index) override;
    bool Started(TSet set, uint32_t index) override;
    bool NeedsReboot(TSet set, uint32_t index) override;

    // Builders.
    static usb::TBytes Configuration(const std::vector<std::pair<uint8_t, uint8_t>>& interfaces);
    static std::shared_ptr<TSimUsbDevice> Mouse(uint16_t vid, uint16_t pid, uint8_t speed = usb::kFullSpeed);
    static std::shared_ptr<TSimUsbDevice> Keyboard(uint16_t vid, uint16_t pid);
    static std::shared_ptr<TSimUsbDevice> KeyboardMouseCombo(uint16_t vid, uint16_t pid);
    static std::shared_ptr<TSimUsbDevice> Storage(uint16_t vid, uint16_t pid);
    static std::shared_ptr<TSimUsbDevice> Hub(const std::string& name, size_t ports, uint8_t speed = usb::kHighSpeed);
    // The reference is valid until the next controller is added.
    TSimController& AddController(const std::string& path, const std::string& rootHubName, size_t ports);
    // Every device present now (plugged in and started), depth first, ports ascending.
    std::vector<std::shared_ptr<TSimUsbDevice>> PresentDevices() const;
    // Restarts every present device that has the filter bound (what the companion does).
    void RestartBoundDevices();

    std::vector<TSimController> Controllers;
    std::vector<std::shared_ptr<TSimUsbDevice>> Absent;  // known to the system, not plugged in
    std::set<uint32_t> FailingCodes;                     // hub requests that fail
    bool RestartsFail = false;                           // the class installer refuses restarts
    // Whether a service a device's stack names can start; unset: every one can.
    std::function<bool(const std::string&)> ServiceStarts;
    std::map<uint32_t, int> Requests;  // hub requests served, by code
    IClock* Clock;                     // times a port cycle
    size_t OpenHandles() const { return m_Handles.size(); }
    size_t OpenSets() const { return m_Sets.size(); }

private:
    struct TTarget {
        TSimController* Controller = nullptr;
        std::shared_ptr<TSimHub> Hub;
    };
    std::shared_ptr<TSimHub> FindHub(const std::string& name) const;
    std::shared_ptr<TSimUsbDevice> Element(TSet set, uint32_t index) const;
    // The plugged-in devices that started, or those that did not.
    std::vector<std::shared_ptr<TSimUsbDevice>> PluggedDevices(bool stopped) const;
    // Starts the device's stack again: a restart by the class installer, or its enumeration
    // after a replug or a port cycle, after which the filter's interval takes on any mouse.
    void Restart(TSimUsbDevice& device, bool replugged = false);
    // Enumerates again the devices whose port cycle is over: where a walk of the controllers or
    // of the device set starts.
    void EndPortCycles();
    bool CyclePort(TSimHub& hub, const std::vector<uint8_t>& in, std::vector<uint8_t>& out);

    IRegistry& m_Registry;
    std::map<THandle, TTarget> m_Handles;
    THandle m_NextHandle = 100;
    std::map<TSet, std::vector<std::shared_ptr<TSimUsbDevice>>> m_Sets;
    TSet m_NextSet = 1;
};
