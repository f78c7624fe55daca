#pragma once
#include "platform/DeviceSet.h"

class TWin32DeviceSet : public IDeviceSet {
public:
    TSet OpenUsbSet(bool presentOnly) override;
    void Release(TSet set) override;
    bool HasElement(TSet set, uint32_t index) override;
    bool ReadProperty(TSet set, uint32_t index, TProperty property, size_t bufferSize,
                      std::vector<uint8_t>& bytes) override;
    bool WriteProperty(TSet set, uint32_t index, TProperty property, const std::vector<uint8_t>& bytes) override;
    bool RestartDevice(TSet set, uint32_t index) override;
    bool Started(TSet set, uint32_t index) override;
    bool NeedsReboot(TSet set, uint32_t index) override;
};
