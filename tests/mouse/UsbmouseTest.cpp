#include "mouse/Usbmouse.h"

#include "MachineTest.h"
#include "sys/Debugconsole.h"

namespace {
constexpr const char* kIntelXhci =
    "\\\\?\\pci#ven_8086&dev_a36d&subsys_0A01F0E1&rev_10#3&11583659&0&a0#{3abf6f2d-71c4-462a-8a92-1e6861e6af27}";
constexpr const char* kAmdXhci =
    "\\\\?\\pci#ven_1022&dev_149c&subsys_0a03f0e1&rev_00#4&2a3c&0&0341#{3abf6f2d-71c4-462a-8a92-1e6861e6af27}";

class UsbMouseTest : public TMachineTest {
protected:
    std::shared_ptr<TSimHub> Root(size_t controller) { return Machine.Usb.Controllers[controller].RootHub; }
    std::vector<std::string> LogTexts() {
        std::vector<std::string> texts;
        for (const auto& line : Machine.Console.Lines()) texts.push_back(line.Text);
        return texts;
    }
};
}  // namespace

TEST_F(UsbMouseTest, FullSpeedMouseOnTheRootPortIsSelectedAndEveryStepLogged) {
    GetDebugConsole(true);
    Machine.Usb.AddController(kIntelXhci, "USB#ROOT_HUB30#1", 4);
    auto mouse = TSimUsb::Mouse(0xE0FF, 0x0101);
    Root(0)->Ports[3] = mouse;
    Root(0)->Ports[0] = TSimUsb::Keyboard(0xE0FF, 0x0201);

    TUsbMouse locator;
    ASSERT_TRUE(locator.LocateMouse(-1, "VEN_8086&DEV_A36D", 0, 4));
    EXPECT_EQ(locator.FoundHostIndex(), 0);
    EXPECT_EQ(locator.CurrentPort(), 4u);
    EXPECT_EQ(locator.MatchedPort(), 4u);
    EXPECT_EQ(locator.FirstHubLevel(), 0);
    EXPECT_EQ(locator.DriverKey(), mouse->DriverKey);
    EXPECT_TRUE(locator.HasSelection());
    EXPECT_EQ(Machine.Usb.OpenHandles(), 0u);

    const std::vector<std::string> expected = {
        "USB Check Port NO = ... [4]",
        "USB Check Hub NO = ... [0]",
        "USB Check Host Controller = ... [VEN_8086&DEV_A36D]",
        "Current Host index:  ... [0]",
        std::string("Current Host Controller:  ... [") + kIntelXhci + "]",
        "Found index:  ... [0]",
        "FindUsbInHubPorts ... [4]",
        " ... [Index = 1 CheckPort = 4]",
        " ... [Index = 2 CheckPort = 4]",
        " ... [Index = 3 CheckPort = 4]",
        " ... [Index = 4 CheckPort = 4]",
        "LocateMouseInfoData ... [" + mouse->DriverKey + "]",
    };
    EXPECT_EQ(LogTexts(), expected);
    const uint16_t colours[] = {14, 14, 14, 9, 9, 12, 9, 9, 9, 9, 9, 9};
    auto lines = Machine.Console.Lines();
    for (size_t i = 0; i < lines.size() && i < std::size(colours); ++i) {
        EXPECT_EQ(lines[i].Colour, colours[i]) << lines[i].Text;
    }

    std::string hardwareId;
    EXPECT_FALSE(locator.MatchVidPid("VID_E0FF&PID_0002", hardwareId));
    EXPECT_EQ(hardwareId, "USB\\VID_E0FF&PID_0101&REV_0100");
    EXPECT_FALSE(locator.HasSelection());
    EXPECT_EQ(LogTexts().back(), "TUsbMouse ... [MouseVIDPID = USB\\VID_E0FF&PID_0101&REV_0100]");
    EXPECT_TRUE(locator.MatchVidPid("PID_0101", hardwareId));
    EXPECT_TRUE(locator.HasSelection());
}

TEST_F(UsbMouseTest, WhatCountsAsAMouseOnTheDesignatedPort) {
    struct Case {
        const char* name;
        std::shared_ptr<TSimUsbDevice> device;
        bool found;
    };
    auto highSpeedMouse = TSimUsb::Mouse(0xE0FF, 0x0084, usb::kHighSpeed);
    auto lowSpeedClassMouse = TSimUsb::Mouse(0xE0FF, 0x0085, usb::kLowSpeed);
    lowSpeedClassMouse->Descriptor.DeviceClass = 3;
    lowSpeedClassMouse->Descriptor.DeviceProtocol = 2;
    auto classKeyboard = TSimUsb::Keyboard(0xE0FF, 0x0201);
    classKeyboard->Descriptor.DeviceClass = 3;
    classKeyboard->Descriptor.DeviceProtocol = 1;
    classKeyboard->Configuration = TSimUsb::Configuration({{3, 2}});  // the class decides, not this
    const Case kCases[] = {
        {"full-speed mouse", TSimUsb::Mouse(0xE0FF, 0x0101), true},
        {"composite: keyboard first, mouse second", TSimUsb::KeyboardMouseCombo(0xE0FF, 0x0102), true},
        {"high-speed device with a mouse interface", highSpeedMouse, false},
        {"device-class HID mouse", lowSpeedClassMouse, true},
        {"device-class HID keyboard", classKeyboard, false},
        {"keyboard", TSimUsb::Keyboard(0xE0FF, 0x0202), false},
        {"empty port", nullptr, false},
    };
    Machine.Usb.AddController(kIntelXhci, "USB#ROOT_HUB30#1", 4);
    for (const Case& c : kCases) {
        Root(0)->Ports[3] = c.device;
        Machine.Usb.Requests.clear();
        TUsbMouse locator;
        EXPECT_EQ(locator.LocateMouse(-1, "", 0, 4), c.found) << c.name;
        if (c.device && c.device->Speed >= usb::kHighSpeed) {
            // Neither its driver key nor its descriptors are asked for.
            EXPECT_EQ(Machine.Usb.Requests[usb::kGetNodeConnectionDriverKeyName], 0) << c.name;
            EXPECT_EQ(locator.DriverKey(), "") << c.name;
        }
    }
}

TEST_F(UsbMouseTest, HubLevelsPortsAndTheDepthLimit) {
    // Controller 0: an internal hub on root port 1 (level 1), its port 2 holds a second hub
    // (level 2, the deepest entered); the gaming port is port 4 of whichever hub is asked for.
    Machine.Usb.AddController(kIntelXhci, "USB#ROOT_HUB30#1", 4);
    auto internal = TSimUsb::Hub("USB#HUB#INTERNAL", 4);
    auto second = TSimUsb::Hub("USB#HUB#SECOND", 4);
    auto third = TSimUsb::Hub("USB#HUB#THIRD", 4);
    auto behindDepthLimit = TSimUsb::Mouse(0x1111, 0x0003);
    auto onRoot = TSimUsb::Mouse(0x1111, 0x0001);
    auto onInternal = TSimUsb::Mouse(0x1111, 0x0002);
    Root(0)->Ports[0] = internal;
    Root(0)->Ports[3] = onRoot;
    internal->Hub->Ports[1] = second;
    second->Hub->Ports[0] = third;
    third->Hub->Ports[3] = behindDepthLimit;

    struct Case {
        const char* name;
        int32_t level;
        std::shared_ptr<TSimUsbDevice> mouseOnInternalPort4;
        const TSimUsbDevice* expected;
        int32_t firstHubLevel;
    };
    const Case kCases[] = {
        // Level 0: root port 4 is examined after the internal hub was entered, so never at level 0.
        {"level 0 with an internal hub on port 1", 0, nullptr, nullptr, 1},
        {"level 1 finds the internal hub's port 4", 1, onInternal, onInternal.get(), 1},
        {"level 1 also accepts root port 4 examined later", 1, nullptr, onRoot.get(), 1},
        {"level 2 is never reached", 2, nullptr, nullptr, 1},
        {"any level finds the first port 4 in walk order", TUsbMouse::kAnyHubLevel, onInternal, onInternal.get(), 1},
    };
    for (const Case& c : kCases) {
        internal->Hub->Ports[3] = c.mouseOnInternalPort4;
        TUsbMouse locator;
        bool found = locator.LocateMouse(0, "", c.level, 4);
        EXPECT_EQ(found, c.expected != nullptr) << c.name;
        if (c.expected) {
            EXPECT_EQ(locator.DriverKey(), c.expected->DriverKey) << c.name;
            EXPECT_EQ(locator.MatchedPort(), 4u) << c.name;
        }
        EXPECT_EQ(locator.FirstHubLevel(), c.firstHubLevel) << c.name;
    }
    // The third hub hangs two hubs deep: it is never opened.
    internal->Hub->Ports[3] = nullptr;
    TUsbMouse locator;
    EXPECT_FALSE(locator.LocateMouse(0, "", 2, 4));
    EXPECT_EQ(Machine.Usb.OpenHandles(), 0u);
}

TEST_F(UsbMouseTest, HubOnTheDesignatedPortIsEnteredNotTakenForAMouse) {
    Machine.Usb.AddController(kIntelXhci, "USB#ROOT_HUB30#1", 4);
    auto hub = TSimUsb::Hub("USB#HUB#DESK", 4, usb::kFullSpeed);
    auto mouse = TSimUsb::Mouse(0xE0FF, 0x0101);
    Root(0)->Ports[3] = hub;
    hub->Hub->Ports[3] = mouse;
    TUsbMouse locator;
    ASSERT_TRUE(locator.LocateMouse(-1, "", 1, 4));
    EXPECT_EQ(locator.DriverKey(), mouse->DriverKey);
    EXPECT_EQ(locator.FirstHubLevel(), 1);
}

TEST_F(UsbMouseTest, ControllerChoiceByIndexAndFilter) {
    Machine.Usb.AddController(kIntelXhci, "USB#ROOT_HUB30#1", 4);
    Machine.Usb.AddController(kAmdXhci, "USB#ROOT_HUB30#2", 4);
    Root(1)->Ports[3] = TSimUsb::Mouse(0xE0FF, 0x0101);
    struct Case {
        int32_t index;
        const char* filter;
        bool found;
    };
    const Case kCases[] = {
        {-1, "", true},          {0, "", false},         // only the controller at that index
        {1, "", true},           {0, "VEN_1022", true},  // starts at 0, ends at the first that qualifies
        {-1, "ven_1022", false},                         // a lower-case filter matches nothing
        {-1, "VEN_8086", false}, {2, "", false},
    };
    for (const Case& c : kCases) {
        TUsbMouse locator;
        EXPECT_EQ(locator.LocateMouse(c.index, c.filter, 0, 4), c.found) << c.index << " " << c.filter;
        if (c.found) {
            EXPECT_EQ(locator.FoundHostIndex(), 1);
        }
    }
}

TEST_F(UsbMouseTest, FailuresEndTheSearchQuietly) {
    GetDebugConsole(true);
    TUsbMouse locator;
    EXPECT_FALSE(locator.LocateMouse(-1, "", 0, 4));
    EXPECT_EQ(LogTexts().size(), 3u);  // no controller: only the opening lines

    Machine.Usb.AddController(kIntelXhci, "USB#ROOT_HUB30#1", 4);
    Root(0)->Ports[3] = TSimUsb::Mouse(0xE0FF, 0x0101);
    for (uint32_t code :
         {usb::kGetNodeInformation, usb::kGetNodeConnectionInformationEx, usb::kGetDescriptorFromNodeConnection}) {
        Machine.Usb.FailingCodes = {code};
        EXPECT_FALSE(locator.LocateMouse(-1, "", 0, 4)) << std::hex << code;
        EXPECT_EQ(Machine.Usb.OpenHandles(), 0u);
    }
    // Without its driver key the mouse is found on its port but no device node is selected.
    Machine.Usb.FailingCodes = {usb::kGetNodeConnectionDriverKeyName};
    EXPECT_TRUE(locator.LocateMouse(-1, "", 0, 4));
    EXPECT_FALSE(locator.HasSelection());
    Machine.Usb.Controllers[0].RootHub = nullptr;
    Machine.Usb.FailingCodes.clear();
    EXPECT_FALSE(locator.LocateMouse(-1, "", 0, 4));
}

TEST_F(UsbMouseTest, ShutdownPrivilegeHeldForTheObjectsLifetime) {
    {
        TUsbMouse locator;
        EXPECT_TRUE(Machine.Privileges.ShutdownEnabled);
    }
    EXPECT_FALSE(Machine.Privileges.ShutdownEnabled);
    Machine.Privileges.Available = false;
    TPrivilege privilege;
    EXPECT_FALSE(privilege.Enabled());
}
