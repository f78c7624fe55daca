#pragma once
#include "platform/UsbHost.h"

class TWin32UsbHost : public IUsbHost {
public:
    std::vector<std::string> HostControllerPaths() override;
    THandle Open(const std::string& path) override;
    void Close(THandle handle) override;
    bool IoControl(THandle handle, uint32_t code, const std::vector<uint8_t>& in, size_t outSize,
                   std::vector<uint8_t>& out) override;
};
