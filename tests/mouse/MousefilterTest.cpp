#include "MachineTest.h"
#include "mouse/Usbmouse.h"

namespace {
constexpr IRegistry::TRoot kHklm = IRegistry::TRoot::LocalMachine;

class MouseFilterTest : public TMachineTest {
protected:
    void SetUp() override {
        TMachineTest::SetUp();
        Machine.Usb.AddController("\\\\?\\pci#ven_8086&dev_a36d#0", "USB#ROOT_HUB30#1", 4);
        Machine.Usb.Controllers[0].RootHub->Ports[3] = Mouse;
        Machine.Usb.Controllers[0].RootHub->Ports[0] = Keyboard;
    }
    std::shared_ptr<TSimUsbDevice> Mouse = TSimUsb::Mouse(0xE0FF, 0x0101);
    std::shared_ptr<TSimUsbDevice> Keyboard = TSimUsb::Keyboard(0xE0FF, 0x0201);
};
}  // namespace

TEST_F(MouseFilterTest, IntervalStoreWritesOnlyIntoTheInstalledKeyAndReadsBack) {
    TUsbMouse mouse;
    uint32_t interval = 77;
    EXPECT_FALSE(mouse.ReadInterval(interval));
    EXPECT_EQ(interval, 77u);
    EXPECT_TRUE(mouse.WriteInterval(4));
    EXPECT_EQ(Machine.Registry.Dword(kHklm, kFilterServiceKey, "bInterval"), 4u);
    EXPECT_TRUE(mouse.ReadInterval(interval));
    EXPECT_EQ(interval, 4u);

    // Whatever its type, a value of up to four bytes lands in the variable as it is.
    Machine.Registry.SetValue(kHklm, kFilterServiceKey, "bInterval", {3, {0x10, 0}});
    interval = 0xAABBCCDD;
    EXPECT_TRUE(mouse.ReadInterval(interval));
    EXPECT_EQ(interval, 0xAABB0010u);
    Machine.Registry.SetValue(kHklm, kFilterServiceKey, "bInterval", {3, {1, 0, 0, 0, 0}});
    EXPECT_FALSE(mouse.ReadInterval(interval));

    Machine.Registry.FailWrites = true;
    EXPECT_FALSE(mouse.WriteInterval(2));
    Machine.Registry.FailWrites = false;

    // Without the filter's installation there is no key to write into, and none is made.
    Machine.RemoveFilterDriver();
    EXPECT_FALSE(mouse.WriteInterval(2));
    EXPECT_FALSE(Machine.Registry.KeyExists(kHklm, kFilterServiceKey));
}

TEST_F(MouseFilterTest, UnbindingRemovesOnlyTheWholeEntry) {
    struct Case {
        const char* name;
        std::vector<std::string> before;
        std::vector<std::string> after;
    };
    const Case kCases[] = {
        {"exactly the filter: property removed", {"KytHidFilter"}, {}},
        {"second of two: the first kept", {"OtherFilter", "KytHidFilter"}, {"OtherFilter"}},
        {"first of three: order kept", {"KytHidFilter", "A", "B"}, {"A", "B"}},
        {"a name that only contains ours", {"MyKytHidFilterX"}, {"MyKytHidFilterX"}},
        {"other letter case is another name", {"kythidfilter"}, {"kythidfilter"}},
        {"twice", {"KytHidFilter", "A", "KytHidFilter"}, {"A"}},
        {"no filters", {}, {}},
    };
    auto unplugged = TSimUsb::Mouse(0x1532, 0x0084);
    Machine.Usb.Absent.push_back(unplugged);
    for (const Case& c : kCases) {
        Keyboard->LowerFilters = c.before;
        unplugged->LowerFilters = c.before;
        TUsbMouse mouse;
        mouse.UnbindFilterEverywhere(kFilterName);
        EXPECT_EQ(Keyboard->LowerFilters, c.after) << c.name;
        EXPECT_EQ(unplugged->LowerFilters, c.after) << c.name << " (device not present)";
        EXPECT_EQ(Machine.Usb.OpenSets(), 0u);
    }
}

TEST_F(MouseFilterTest, BindingReplacesTheListOfTheSelectedMouseOnly) {
    Mouse->LowerFilters = {"VendorFilter", "Other"};
    TUsbMouse mouse;
    mouse.BindFilter(kFilterName);  // nothing selected yet: nothing happens
    EXPECT_EQ(Mouse->LowerFilters, (std::vector<std::string>{"VendorFilter", "Other"}));
    ASSERT_TRUE(mouse.LocateMouse(-1, "", 0, 4));
    mouse.BindFilter(kFilterName);
    EXPECT_EQ(Mouse->LowerFilters, std::vector<std::string>{"KytHidFilter"});
    EXPECT_TRUE(Keyboard->LowerFilters.empty());
}

TEST_F(MouseFilterTest, RestartAppliesTheStoredIntervalThroughTheFilter) {
    TUsbMouse mouse;
    ASSERT_TRUE(mouse.LocateMouse(-1, "", 0, 4));
    mouse.UnbindFilterEverywhere(kFilterName);
    mouse.WriteInterval(1);
    mouse.BindFilter(kFilterName);
    mouse.RestartMouse();
    EXPECT_EQ(Mouse->Restarts, 1);
    EXPECT_EQ(Mouse->ActiveIntervalUs, 1000u);
    EXPECT_TRUE(Machine.Shell.Started.empty());  // a 64-bit build needs no companion
}

TEST_F(MouseFilterTest, A32BitBuildOn64BitWindowsUsesTheCompanion) {
    Machine.Os.Process64Bit = false;
    Machine.Os.Wow64 = true;
    Machine.Process.ModulePathText = "C:\\Program Files (x86)\\Glidepost\\Bin\\Glidepost.exe";
    const std::string companion = "C:\\Program Files (x86)\\Glidepost\\Bin\\MouseRestart.exe";
    TUsbMouse mouse;
    ASSERT_TRUE(mouse.LocateMouse(-1, "", 0, 4));
    mouse.WriteInterval(2);
    mouse.BindFilter(kFilterName);

    mouse.RestartMouse();  // companion missing: nothing restarts, nothing is shown
    EXPECT_EQ(Machine.Shell.Started, std::vector<std::string>{companion});
    EXPECT_EQ(Mouse->Restarts, 0);
    EXPECT_TRUE(Machine.Windows.Boxes.empty());

    Machine.Shell.Installed.insert(companion);
    mouse.RestartMouse();
    EXPECT_EQ(Mouse->Restarts, 1);
    EXPECT_EQ(Mouse->ActiveIntervalUs, 2000u);

    // On 32-bit Windows the program restarts the device itself.
    Machine.Os.NativeArchitecture = IOsInfo::kArchX86;
    ResetSingletonsForTests();
    TUsbMouse again;
    ASSERT_TRUE(again.LocateMouse(-1, "", 0, 4));
    again.RestartMouse();
    EXPECT_EQ(Mouse->Restarts, 2);
    EXPECT_EQ(Machine.Shell.Started.size(), 2u);
}
