#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Byte layouts of the USB hub I/O controls (packed, little-endian, 16-bit text) and of
// multi-string device properties. Decoders never read past the bytes they are given.
namespace usb {

using TBytes = std::vector<uint8_t>;

// Both controller and hub requests use code 258 of the USB device type.
constexpr uint32_t kGetRootHubName = 0x220408;
constexpr uint32_t kGetNodeInformation = 0x220408;
constexpr uint32_t kGetNodeConnectionInformationEx = 0x220448;
constexpr uint32_t kGetNodeConnectionDriverKeyName = 0x220420;
constexpr uint32_t kGetNodeConnectionName = 0x220414;
constexpr uint32_t kGetDescriptorFromNodeConnection = 0x220410;
// Power-cycles a hub's port: the device on it leaves and is enumerated again, as when replugged.
// In and out: the connection index and a status (two 32-bit words).
constexpr uint32_t kCyclePort = 0x220444;
constexpr size_t kCyclePortSize = 8;

constexpr size_t kRootHubNameSize = 256;
constexpr size_t kNodeInformationSize = 76;
constexpr size_t kConnectionInformationSize = 512;
constexpr size_t kNameRequestSize = 256;
constexpr size_t kDescriptorRequestSize = 1024;
constexpr size_t kDescriptorRequestHeader = 12;
constexpr size_t kDescriptorDataSize = kDescriptorRequestSize - kDescriptorRequestHeader;

enum TSpeed : uint8_t { kLowSpeed = 0, kFullSpeed = 1, kHighSpeed = 2, kSuperSpeed = 3 };
enum TConnectionStatus : uint32_t { kNoDeviceConnected = 0, kDeviceConnected = 1 };

struct TDeviceDescriptor {
    uint8_t DeviceClass = 0;
    uint8_t DeviceSubClass = 0;
    uint8_t DeviceProtocol = 0;
    uint16_t Vendor = 0;
    uint16_t Product = 0;
    uint16_t Release = 0;
};

struct TConnectionInfo {
    uint32_t ConnectionIndex = 0;
    TDeviceDescriptor Device;
    uint8_t Speed = 0;
    bool DeviceIsHub = false;
    uint32_t ConnectionStatus = 0;
};

// Requests (input buffers) sized as the program sends them.
TBytes ConnectionIndexRequest(uint32_t port, size_t size);
TBytes ConfigurationDescriptorRequest(uint32_t port);

// Answers (output buffers).
std::string DecodeRootHubName(const TBytes& out);
bool DecodeNodeInformation(const TBytes& out, uint8_t& numberOfPorts);
bool DecodeConnectionInfo(const TBytes& out, TConnectionInfo& info);
// Driver key name and node connection name share one layout: index, length, 16-bit text.
std::string DecodeConnectionName(const TBytes& out);
// The descriptor bytes that follow the request header.
TBytes DescriptorData(const TBytes& out);

// Encoders of the same layouts, for whoever serves the requests (the simulated machine).
TBytes EncodeRootHubName(const std::string& name);
TBytes EncodeNodeInformation(uint8_t numberOfPorts);
TBytes EncodeConnectionInfo(const TConnectionInfo& info);
TBytes EncodeConnectionName(uint32_t port, const std::string& name);
TBytes EncodeDescriptorAnswer(const TBytes& request, const TBytes& descriptors);
uint32_t RequestedPort(const TBytes& request);

// True when the configuration descriptors hold an interface of class 3 (HID), protocol 2.
bool HasMouseInterface(const TBytes& descriptors);

// Multi-strings: NUL-terminated strings followed by one more NUL.
TBytes EncodeMultiString(const std::vector<std::string>& strings);
std::vector<std::string> DecodeMultiString(const TBytes& bytes);
// The first string of a property's bytes (text up to the first NUL).
std::string FirstString(const TBytes& bytes);

}  // namespace usb
