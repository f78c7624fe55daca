// The USB buffer decoders and the descriptor walk over any bytes.
#include <cstddef>
#include <cstdint>

#include "mouse/Usblayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const usb::TBytes bytes(data, data + size);
    usb::TConnectionInfo info;
    usb::DecodeConnectionInfo(bytes, info);
    uint8_t ports = 0;
    usb::DecodeNodeInformation(bytes, ports);
    usb::DecodeRootHubName(bytes);
    usb::DecodeConnectionName(bytes);
    usb::HasMouseInterface(usb::DescriptorData(bytes));
    usb::HasMouseInterface(bytes);
    usb::DecodeMultiString(bytes);
    usb::FirstString(bytes);
    return 0;
}
