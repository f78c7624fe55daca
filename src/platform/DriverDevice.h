#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The hardware-access driver's device.
class IDriverDevice {
public:
    using THandle = int64_t;
    static constexpr THandle kInvalid = -1;

    virtual ~IDriverDevice() = default;
    // Read/write access, shared read/write, existing device only.
    virtual THandle Open(const std::string& path) = 0;
    virtual void Close(THandle handle) = 0;
    // One buffered I/O control; the output buffer is the caller's, as the driver writes it.
    virtual bool IoControl(THandle handle, uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out,
                           uint32_t outSize, uint32_t& returned) = 0;
};
