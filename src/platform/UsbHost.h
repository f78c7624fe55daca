#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The USB host side: host-controller interfaces and the hub I/O controls. Request buffers are
// raw bytes laid out by portable code; the adapter only moves them through the system call.
class IUsbHost {
public:
    using THandle = int64_t;
    static constexpr THandle kInvalid = -1;

    virtual ~IUsbHost() = default;
    // Device paths of the present host-controller interfaces, in enumeration order.
    virtual std::vector<std::string> HostControllerPaths() = 0;
    // Opens a controller path or "\\.\<hub name>" for writing.
    virtual THandle Open(const std::string& path) = 0;
    virtual void Close(THandle handle) = 0;
    // One buffered I/O control; on success out holds the bytes returned (at most outSize).
    virtual bool IoControl(THandle handle, uint32_t code, const std::vector<uint8_t>& in, size_t outSize,
                           std::vector<uint8_t>& out) = 0;
};
