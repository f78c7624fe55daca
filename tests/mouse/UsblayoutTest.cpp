#include "mouse/Usblayout.h"

#include <gtest/gtest.h>

using namespace usb;

TEST(UsbLayoutTest, ConnectionInformationDecodesThePackedFields) {
    TBytes out(kConnectionInformationSize, 0);
    const uint8_t header[] = {
        4,    0,    0,    0,           // ConnectionIndex 4
        18,   1,    0x10, 0x01,        // device descriptor: length, type, bcdUSB 1.10
        0,    0,    0,    8,           //   class 0 (per interface), subclass, protocol, packet size
        0xFF, 0xE0, 0x02, 0x00,        //   idVendor 0xE0FF, idProduct 0x0002
        0x00, 0x01, 1,    2,    0, 1,  //   bcdDevice 1.00, strings, one configuration
        1,                             // CurrentConfigurationValue
        1,                             // Speed: full
        0,                             // DeviceIsHub
        3,    0,                       // DeviceAddress
        1,    0,    0,    0,           // NumberOfOpenPipes
        1,    0,    0,    0,           // ConnectionStatus: connected
    };
    std::copy(std::begin(header), std::end(header), out.begin());
    TConnectionInfo info;
    ASSERT_TRUE(DecodeConnectionInfo(out, info));
    EXPECT_EQ(info.ConnectionIndex, 4u);
    EXPECT_EQ(info.Device.DeviceClass, 0);
    EXPECT_EQ(info.Device.Vendor, 0xE0FF);
    EXPECT_EQ(info.Device.Product, 0x0002);
    EXPECT_EQ(info.Speed, kFullSpeed);
    EXPECT_FALSE(info.DeviceIsHub);
    EXPECT_EQ(info.ConnectionStatus, kDeviceConnected);

    // The encoder that the simulated machine serves with writes the same layout.
    TBytes again = EncodeConnectionInfo(info);
    EXPECT_TRUE(std::equal(again.begin() + 23, again.begin() + 25, out.begin() + 23));
    EXPECT_TRUE(std::equal(again.begin() + 31, again.begin() + 35, out.begin() + 31));
    EXPECT_FALSE(DecodeConnectionInfo(TBytes(out.begin(), out.begin() + 34), info));
}

TEST(UsbLayoutTest, NamesAndNodeInformation) {
    TBytes rootHub = {
        0x1E, 0, 0,   0,                                // ActualLength
        'U',  0, 'S', 0, 'B', 0, '#', 0, 'R', 0, 0, 0,  // "USB#R"
    };
    EXPECT_EQ(DecodeRootHubName(rootHub), "USB#R");
    TBytes driverKey = {
        4,   0, 0,   0,          // ConnectionIndex
        14,  0, 0,   0,          // ActualLength
        '{', 0, '1', 0, '}', 0,  // no terminating NUL: the text ends with the bytes
    };
    EXPECT_EQ(DecodeConnectionName(driverKey), "{1}");
    EXPECT_EQ(DecodeConnectionName(TBytes{4, 0, 0}), "");
    EXPECT_EQ(DecodeConnectionName(EncodeConnectionName(2, "HUB#2")), "HUB#2");
    EXPECT_EQ(DecodeRootHubName(EncodeRootHubName("USB#ROOT_HUB30")), "USB#ROOT_HUB30");

    uint8_t ports = 0;
    TBytes node = EncodeNodeInformation(7);
    ASSERT_EQ(node.size(), kNodeInformationSize);
    ASSERT_TRUE(DecodeNodeInformation(node, ports));
    EXPECT_EQ(ports, 7);
    EXPECT_FALSE(DecodeNodeInformation(TBytes(6, 0), ports));
}

TEST(UsbLayoutTest, DescriptorRequestHeaderAndData) {
    TBytes request = ConfigurationDescriptorRequest(3);
    ASSERT_EQ(request.size(), kDescriptorRequestSize);
    const uint8_t header[] = {
        3,    0,    0, 0,  // ConnectionIndex 3
        0x80, 6,           // bmRequest, bRequest GET_DESCRIPTOR
        0x00, 0x02,        // wValue: configuration descriptor, index 0
        0,    0,           // wIndex
        0xF4, 0x03,        // wLength 1012
    };
    EXPECT_TRUE(std::equal(std::begin(header), std::end(header), request.begin()));
    EXPECT_EQ(RequestedPort(request), 3u);

    TBytes answer = EncodeDescriptorAnswer(request, TBytes{9, 2, 9, 0});
    EXPECT_EQ(DescriptorData(answer), (TBytes{9, 2, 9, 0}));
    EXPECT_TRUE(DescriptorData(TBytes(12, 0)).empty());
}

TEST(UsbLayoutTest, MouseInterfaceWalkStaysInsideTheBytes) {
    struct Case {
        const char* name;
        TBytes descriptors;
        bool mouse;
    };
    const Case kCases[] = {
        {"keyboard then mouse interface",
         {9, 2, 34, 0, 2, 1, 0, 0xA0, 50,  // configuration
          9, 4, 0,  0, 1, 3, 1, 1,    0,   // interface 0: HID keyboard
          9, 4, 1,  0, 1, 3, 1, 2,    0},  // interface 1: HID mouse
         true},
        {"keyboard only", {9, 2, 18, 0, 1, 1, 0, 0xA0, 50, 9, 4, 0, 0, 1, 3, 1, 1, 0}, false},
        {"zero length ends the walk", {9, 2, 18, 0, 1, 1, 0, 0xA0, 50, 0, 4, 0, 0, 1, 3, 1, 2, 0}, false},
        {"interface cut off before its protocol byte", {9, 2, 18, 0, 1, 1, 0, 0xA0, 50, 9, 4, 0, 0, 1, 3, 1}, false},
        {"length running past the answer", {9, 2, 18, 0, 1, 1, 0, 0xA0, 50, 200, 4, 0, 0, 1, 3}, false},
        {"interface shorter than its protocol field", {5, 4, 0, 0, 1, 3, 1, 2}, false},
        {"no data", {}, false},
    };
    for (const Case& c : kCases) EXPECT_EQ(HasMouseInterface(c.descriptors), c.mouse) << c.name;
}

TEST(UsbLayoutTest, MultiStrings) {
    EXPECT_EQ(EncodeMultiString({"KytHidFilter"}),
              (TBytes{'K', 'y', 't', 'H', 'i', 'd', 'F', 'i', 'l', 't', 'e', 'r', 0, 0}));
    EXPECT_EQ(DecodeMultiString(EncodeMultiString({"a", "bc"})), (std::vector<std::string>{"a", "bc"}));
    EXPECT_EQ(DecodeMultiString(TBytes{'a', 0, 0, 'b', 0, 0}), (std::vector<std::string>{"a"}));
    EXPECT_EQ(DecodeMultiString(TBytes{'a', 'b'}), (std::vector<std::string>{"ab"}));
    EXPECT_EQ(FirstString(TBytes{'x', 0, 'y', 0, 0}), "x");
}
