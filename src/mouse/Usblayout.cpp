#include "mouse/Usblayout.h"

#include <algorithm>

#include "sys/Bytes.h"

namespace usb {
namespace {
// Packed offsets of USB_NODE_CONNECTION_INFORMATION_EX.
constexpr size_t kInfoDeviceDescriptor = 4;  // 18-byte device descriptor
constexpr size_t kInfoSpeed = 23;
constexpr size_t kInfoDeviceIsHub = 24;
constexpr size_t kInfoConnectionStatus = 31;
constexpr size_t kInfoHeaderSize = 35;
// USB_NODE_INFORMATION: node type (4), then the hub descriptor; bNumberOfPorts is its third byte.
constexpr size_t kNodeNumberOfPorts = 6;

// 16-bit text from the offset to the first NUL or the end of the bytes. Names are ASCII in
// practice; other characters are kept as UTF-8.
std::string Text16(const TBytes& b, size_t at) {
    std::string text;
    for (size_t i = at; i + 1 < b.size(); i += 2) {
        uint16_t c = bytes::Get16(&b[i]);
        if (c == 0) break;
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else if (c < 0x800) {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

// Writes ASCII text as 16-bit characters with a terminating NUL, as far as the buffer allows.
void PutText16(TBytes& b, size_t at, const std::string& text) {
    for (size_t i = 0; i < text.size() && at + 2 * i + 1 < b.size(); ++i) {
        bytes::Put16(&b[at + 2 * i], static_cast<uint8_t>(text[i]));
    }
}
}  // namespace

TBytes ConnectionIndexRequest(uint32_t port, size_t size) {
    TBytes in(size, 0);
    bytes::Put32(&in[0], port);
    return in;
}

TBytes ConfigurationDescriptorRequest(uint32_t port) {
    TBytes in(kDescriptorRequestSize, 0);
    bytes::Put32(&in[0], port);
    in[4] = 0x80;                                                       // bmRequest: device to host
    in[5] = 6;                                                          // bRequest: GET_DESCRIPTOR
    bytes::Put16(&in[6], 0x0200);                                       // wValue: configuration descriptor, index 0
    bytes::Put16(&in[8], 0);                                            // wIndex
    bytes::Put16(&in[10], static_cast<uint16_t>(kDescriptorDataSize));  // wLength
    return in;
}

std::string DecodeRootHubName(const TBytes& out) { return Text16(out, 4); }

bool DecodeNodeInformation(const TBytes& out, uint8_t& numberOfPorts) {
    if (out.size() <= kNodeNumberOfPorts) return false;
    numberOfPorts = out[kNodeNumberOfPorts];
    return true;
}

bool DecodeConnectionInfo(const TBytes& out, TConnectionInfo& info) {
    if (out.size() < kInfoHeaderSize) return false;
    info.ConnectionIndex = bytes::Get32(&out[0]);
    const size_t d = kInfoDeviceDescriptor;
    info.Device.DeviceClass = out[d + 4];
    info.Device.DeviceSubClass = out[d + 5];
    info.Device.DeviceProtocol = out[d + 6];
    info.Device.Vendor = bytes::Get16(&out[d + 8]);
    info.Device.Product = bytes::Get16(&out[d + 10]);
    info.Device.Release = bytes::Get16(&out[d + 12]);
    info.Speed = out[kInfoSpeed];
    info.DeviceIsHub = out[kInfoDeviceIsHub] != 0;
    info.ConnectionStatus = bytes::Get32(&out[kInfoConnectionStatus]);
    return true;
}

std::string DecodeConnectionName(const TBytes& out) { return Text16(out, 8); }

TBytes DescriptorData(const TBytes& out) {
    if (out.size() <= kDescriptorRequestHeader) return TBytes();
    return TBytes(out.begin() + kDescriptorRequestHeader, out.end());
}

TBytes EncodeRootHubName(const std::string& name) {
    TBytes out(kRootHubNameSize, 0);
    bytes::Put32(&out[0], static_cast<uint32_t>(4 + 2 * (name.size() + 1)));
    PutText16(out, 4, name);
    return out;
}

TBytes EncodeNodeInformation(uint8_t numberOfPorts) {
    TBytes out(kNodeInformationSize, 0);
    out[4] = 9;     // hub descriptor length
    out[5] = 0x29;  // hub descriptor type
    out[kNodeNumberOfPorts] = numberOfPorts;
    return out;
}

TBytes EncodeConnectionInfo(const TConnectionInfo& info) {
    TBytes out(kConnectionInformationSize, 0);
    bytes::Put32(&out[0], info.ConnectionIndex);
    const size_t d = kInfoDeviceDescriptor;
    if (info.ConnectionStatus == kDeviceConnected) {
        out[d] = 18;     // bLength
        out[d + 1] = 1;  // bDescriptorType: device
        bytes::Put16(&out[d + 2], info.Speed >= kHighSpeed ? 0x0200 : 0x0110);
        out[d + 4] = info.Device.DeviceClass;
        out[d + 5] = info.Device.DeviceSubClass;
        out[d + 6] = info.Device.DeviceProtocol;
        out[d + 7] = 64;
        bytes::Put16(&out[d + 8], info.Device.Vendor);
        bytes::Put16(&out[d + 10], info.Device.Product);
        bytes::Put16(&out[d + 12], info.Device.Release);
        out[d + 17] = 1;  // bNumConfigurations
        out[22] = 1;      // current configuration
    }
    out[kInfoSpeed] = info.Speed;
    out[kInfoDeviceIsHub] = info.DeviceIsHub ? 1 : 0;
    bytes::Put32(&out[kInfoConnectionStatus], info.ConnectionStatus);
    return out;
}

TBytes EncodeConnectionName(uint32_t port, const std::string& name) {
    TBytes out(kNameRequestSize, 0);
    bytes::Put32(&out[0], port);
    bytes::Put32(&out[4], static_cast<uint32_t>(8 + 2 * (name.size() + 1)));
    PutText16(out, 8, name);
    return out;
}

TBytes EncodeDescriptorAnswer(const TBytes& request, const TBytes& descriptors) {
    size_t header = std::min(request.size(), kDescriptorRequestHeader);
    TBytes out(request.begin(), request.begin() + static_cast<long>(header));
    out.resize(kDescriptorRequestHeader, 0);
    size_t length = std::min(descriptors.size(), kDescriptorDataSize);
    out.insert(out.end(), descriptors.begin(), descriptors.begin() + static_cast<long>(length));
    return out;
}

uint32_t RequestedPort(const TBytes& request) { return request.size() >= 4 ? bytes::Get32(&request[0]) : 0; }

bool HasMouseInterface(const TBytes& descriptors) {
    size_t i = 0;
    while (i + 1 < descriptors.size()) {
        const uint8_t length = descriptors[i];
        if (length == 0) break;
        const uint8_t type = descriptors[i + 1];
        // Only bytes inside both this descriptor and the answer are read.
        if (type == 4 && length > 7 && i + 7 < descriptors.size() && descriptors[i + 5] == 3 &&
            descriptors[i + 7] == 2) {
            return true;
        }
        i += length;
    }
    return false;
}

TBytes EncodeMultiString(const std::vector<std::string>& strings) {
    TBytes bytes;
    for (const std::string& s : strings) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        bytes.push_back(0);
    }
    bytes.push_back(0);
    return bytes;
}

std::vector<std::string> DecodeMultiString(const TBytes& bytes) {
    std::vector<std::string> strings;
    std::string current;
    for (uint8_t b : bytes) {
        if (b != 0) {
            current += static_cast<char>(b);
        } else if (current.empty()) {
            break;
        } else {
            strings.push_back(current);
            current.clear();
        }
    }
    if (!current.empty()) strings.push_back(current);
    return strings;
}

std::string FirstString(const TBytes& bytes) {
    std::string text;
    for (uint8_t b : bytes) {
        if (b == 0) break;
        text += static_cast<char>(b);
    }
    return text;
}

}  // namespace usb
