#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Device-information sets of the devices enumerated by "USB" (all classes), their registry
// properties and the property-change restart.
class IDeviceSet {
public:
    using TSet = uint64_t;  // 0 means none
    enum class TProperty { Driver, HardwareId, LowerFilters, DeviceDesc };

    virtual ~IDeviceSet() = default;
    // presentOnly: devices attached now; otherwise every device the system has known.
    virtual TSet OpenUsbSet(bool presentOnly) = 0;
    virtual void Release(TSet set) = 0;
    virtual bool HasElement(TSet set, uint32_t index) = 0;
    // Raw property bytes (8-bit text, multi-strings with their NULs); fails when the property
    // is missing or larger than bufferSize.
    virtual bool ReadProperty(TSet set, uint32_t index, TProperty property, size_t bufferSize,
                              std::vector<uint8_t>& bytes) = 0;
    // Writes the bytes as the property; empty bytes remove it.
    virtual bool WriteProperty(TSet set, uint32_t index, TProperty property, const std::vector<uint8_t>& bytes) = 0;
    // Property-change restart of the element through the class installer.
    virtual bool RestartDevice(TSet set, uint32_t index) = 0;
    // False when the element's device node is known not to run (its stack failed to start);
    // true when it runs or the system cannot tell.
    virtual bool Started(TSet set, uint32_t index) = 0;
    // True when the last restart can only complete with a reboot of the computer (the class
    // installer left the device's install parameters asking for one).
    virtual bool NeedsReboot(TSet set, uint32_t index) = 0;
};
