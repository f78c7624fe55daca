#include "MachineTest.h"
#include "mouse/Usbmouse.h"
#include "shell/Entry.h"

namespace {
class UninstallTest : public TMachineTest {
protected:
    void SetUp() override {
        TMachineTest::SetUp();
        Machine.Process.CommandLineText = "Glidepost.exe /UNINSTALL /DEBUG";
        Machine.Usb.AddController("\\\\?\\pci#ven_8086&dev_a36d#0", "USB#ROOT_HUB30#1", 4);
        Machine.Usb.AddController("\\\\?\\pci#ven_1022&dev_149c#0", "USB#ROOT_HUB30#2", 4);
        Stray->LowerFilters = {"KytHidFilter", "Other"};
        Machine.Usb.Controllers[0].RootHub->Ports[3] = Stray;
    }
    std::shared_ptr<TSimUsbDevice> Stray = TSimUsb::Keyboard(0xE0FF, 0x0201);
};
}  // namespace

TEST_F(UninstallTest, MouseOnPort4OfTheSecondControllerGoesBackTo8msThenEveryFilterComesOff) {
    // Behind a hub, so the mouse sits at hub level 1: the road asks for any level.
    auto hub = TSimUsb::Hub("USB#HUB#1", 4);
    auto mouse = TSimUsb::Mouse(0xE0FF, 0x0101);
    mouse->LowerFilters = {"KytHidFilter"};
    mouse->ActiveIntervalUs = 1000;
    hub->Hub->Ports[3] = mouse;
    Machine.Usb.Controllers[1].RootHub->Ports[3] = hub;

    EXPECT_EQ(GlidepostMain(), 0);
    EXPECT_EQ(Machine.Registry.Dword(IRegistry::TRoot::LocalMachine, kFilterServiceKey, "bInterval"), 8u);
    EXPECT_EQ(mouse->Restarts, 1);
    EXPECT_EQ(mouse->ActiveIntervalUs, 8000u);
    EXPECT_TRUE(mouse->LowerFilters.empty());
    EXPECT_EQ(Stray->LowerFilters, std::vector<std::string>{"Other"});
    EXPECT_EQ(Machine.Console.OpenCount, 0);  // "/DEBUG" opens no console on this road
    EXPECT_TRUE(Machine.Windows.Windows.empty());
    EXPECT_FALSE(Machine.Privileges.ShutdownEnabled);
}

TEST_F(UninstallTest, WithoutAMouseOnlyTheFiltersComeOff) {
    Machine.Usb.Controllers[0].RootHub->Ports[2] = TSimUsb::Mouse(0xE0FF, 0x0101);
    EXPECT_EQ(GlidepostMain(), 0);
    EXPECT_FALSE(Machine.Registry.Dword(IRegistry::TRoot::LocalMachine, kFilterServiceKey, "bInterval"));
    EXPECT_EQ(Stray->LowerFilters, std::vector<std::string>{"Other"});
    EXPECT_EQ(Machine.Clock.SleptMs(), 0u);
}

TEST_F(UninstallTest, WithoutTheFilterDriverTheMouseIsNotBoundButEveryFilterComesOff) {
    Machine.RemoveFilterDriver();
    auto mouse = TSimUsb::Mouse(0xE0FF, 0x0101);
    mouse->LowerFilters = {"KytHidFilter"};
    Machine.Usb.Controllers[1].RootHub->Ports[3] = mouse;
    EXPECT_EQ(GlidepostMain(), 0);
    EXPECT_EQ(mouse->Restarts, 0);
    EXPECT_FALSE(Machine.Registry.KeyExists(IRegistry::TRoot::LocalMachine, kFilterServiceKey));
    EXPECT_TRUE(mouse->LowerFilters.empty());
    EXPECT_EQ(Stray->LowerFilters, std::vector<std::string>{"Other"});
}
