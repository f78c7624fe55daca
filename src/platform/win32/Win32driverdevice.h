#pragma once
#include "platform/DriverDevice.h"

class TWin32DriverDevice : public IDriverDevice {
public:
    THandle Open(const std::string& path) override;
    void Close(THandle handle) override;
    bool IoControl(THandle handle, uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize,
                   uint32_t& returned) override;
};
