#include "mouse/Rateapply.h"

#include "MachineTest.h"
#include "sys/Debugconsole.h"

namespace {
constexpr IRegistry::TRoot kHklm = IRegistry::TRoot::LocalMachine;

class RateApplyTest : public TMachineTest {
protected:
    void SetUp() override {
        TMachineTest::SetUp();
        GetDebugConsole(true);
        Machine.Usb.AddController("\\\\?\\pci#ven_8086&dev_a36d#0", "USB#ROOT_HUB30#1", 4);
        Machine.Usb.Controllers[0].RootHub->Ports[3] = Mouse;
        Machine.Usb.Controllers[0].RootHub->Ports[0] = Keyboard;
        Machine.Registry.SetDword(kHklm, kFilterServiceKey, "bInterval", 8);
    }
    std::optional<uint32_t> Stored() { return Machine.Registry.Dword(kHklm, kFilterServiceKey, "bInterval"); }
    std::vector<std::string> Log() {
        std::vector<std::string> lines;
        for (const auto& line : Machine.Console.Lines()) lines.push_back(line.Text);
        return lines;
    }
    bool Logged(const std::string& text) {
        const auto lines = Log();
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }
    const TDesignatedPort Port{"", 0, 4};
    std::shared_ptr<TSimUsbDevice> Mouse = TSimUsb::Mouse(0xE0FF, 0x0002);
    std::shared_ptr<TSimUsbDevice> Keyboard = TSimUsb::Keyboard(0xE0FF, 0x0011);
};
}  // namespace

TEST_F(RateApplyTest, TheMouseComesBackAtTheNewRate) {
    Keyboard->LowerFilters = {"KytHidFilter"};  // left over from another port
    EXPECT_EQ(ApplyIntervalToMouse(Port, 1), TApplyResult::Applied);
    EXPECT_EQ(Stored(), 1u);
    EXPECT_EQ(Mouse->LowerFilters, std::vector<std::string>{"KytHidFilter"});
    EXPECT_TRUE(Keyboard->LowerFilters.empty());
    EXPECT_EQ(Mouse->Restarts, 1);
    EXPECT_EQ(Mouse->ActiveIntervalUs, 1000u);
    EXPECT_TRUE(Logged("MouseRestart ... [confirmed]"));
    EXPECT_EQ(Machine.Clock.SleptMs(), 0u) << "a mouse that is back at once is not waited for";
}

TEST_F(RateApplyTest, WithoutTheFilterNothingIsWrittenBoundOrRestarted) {
    Machine.RemoveFilterDriver();
    Keyboard->LowerFilters = {"KytHidFilter"};
    EXPECT_EQ(ApplyIntervalToMouse(Port, 1), TApplyResult::FilterMissing);
    EXPECT_FALSE(Machine.Registry.KeyExists(kHklm, kFilterServiceKey));
    EXPECT_TRUE(Mouse->LowerFilters.empty());
    EXPECT_EQ(Keyboard->LowerFilters, std::vector<std::string>{"KytHidFilter"}) << "nothing is touched";
    EXPECT_EQ(Mouse->Restarts, 0);
    EXPECT_TRUE(Logged("FilterDriver ... [missing]"));
}

TEST_F(RateApplyTest, NoMouseOnThePortChangesNothing) {
    Machine.Usb.Controllers[0].RootHub->Ports[3] = nullptr;
    Machine.Usb.Controllers[0].RootHub->Ports[2] = Mouse;
    EXPECT_EQ(ApplyIntervalToMouse(Port, 1), TApplyResult::NoMouse);
    EXPECT_EQ(Stored(), 8u);
    EXPECT_EQ(Mouse->Restarts, 0);
}

TEST_F(RateApplyTest, AMouseThatDoesNotComeBackIsPutBackAsItWas) {
    // The filter is installed, but its driver does not load: the mouse's stack fails to start.
    Machine.BreakFilterDriver();
    EXPECT_EQ(ApplyIntervalToMouse(Port, 1), TApplyResult::RolledBack);
    EXPECT_GE(Machine.Clock.SleptMs(), kMouseBackWithinMs);
    EXPECT_LE(Machine.Clock.SleptMs(), kMouseBackWithinMs + 100);
    EXPECT_TRUE(Mouse->LowerFilters.empty());
    EXPECT_FALSE(Mouse->Stopped) << "restarted without the filter, the mouse works again";
    EXPECT_EQ(Mouse->Restarts, 2);
    EXPECT_EQ(Mouse->ActiveIntervalUs, 8000u);
    EXPECT_EQ(Stored(), 8u);
    EXPECT_TRUE(Logged("MouseRestart ... [rolled back]"));
    TUsbMouse probe;
    EXPECT_TRUE(LocateOnPort(probe, Port));
}

TEST_F(RateApplyTest, ARestartThatNeedsARebootIsNeitherWaitedForNorRolledBack) {
    Mouse->NeedsReboot = true;
    EXPECT_EQ(ApplyIntervalToMouse(Port, 1), TApplyResult::RebootNeeded);
    EXPECT_EQ(Stored(), 1u) << "the filter reads the new interval when the mouse starts after the reboot";
    EXPECT_EQ(Mouse->LowerFilters, std::vector<std::string>{"KytHidFilter"});
    EXPECT_EQ(Mouse->Restarts, 1);
    EXPECT_EQ(Mouse->ActiveIntervalUs, 8000u) << "until then the mouse runs as it was";
    EXPECT_EQ(Machine.Clock.SleptMs(), 0u);
    EXPECT_TRUE(Logged("MouseRestart ... [reboot needed]"));
    EXPECT_FALSE(Logged("MouseRestart ... [rolled back]"));
}

using SimulatedStackTest = TMachineTest;

TEST_F(SimulatedStackTest, AStackNamingAMissingServiceStaysOffItsPortUntilMended) {
    TSimMachine& machine = Machine;
    machine.Usb.AddController("\\\\?\\pci#ven_8086&dev_a36d#0", "USB#ROOT_HUB30#1", 4);
    auto mouse = TSimUsb::Mouse(0xE0FF, 0x0002);
    machine.Usb.Controllers[0].RootHub->Ports[3] = mouse;
    mouse->LowerFilters = {"NoSuchFilter"};
    IDeviceSet::TSet set = machine.Usb.OpenUsbSet(false);
    ASSERT_TRUE(machine.Usb.HasElement(set, 0));
    EXPECT_TRUE(machine.Usb.RestartDevice(set, 0));
    EXPECT_TRUE(mouse->Stopped);
    EXPECT_EQ(machine.Usb.PresentDevices().size(), 0u);
    TUsbMouse probe;
    EXPECT_FALSE(LocateOnPort(probe, {"", 0, 4}));
    mouse->LowerFilters.clear();
    EXPECT_TRUE(machine.Usb.RestartDevice(set, 0));
    EXPECT_FALSE(mouse->Stopped);
    EXPECT_TRUE(LocateOnPort(probe, {"", 0, 4}));
    machine.Usb.Release(set);
}

TEST_F(RateApplyTest, ARestartTheClassInstallerRefusesIsRolledBackNotReportedAsApplied) {
    Machine.Usb.RestartsFail = true;  // the old, unfiltered stack keeps running
    EXPECT_EQ(ApplyIntervalToMouse(Port, 1), TApplyResult::RolledBack);
    EXPECT_EQ(Stored(), 8u) << "the old interval is back";
    EXPECT_TRUE(Mouse->LowerFilters.empty());
    EXPECT_EQ(Mouse->ActiveIntervalUs, 8000u);
    EXPECT_TRUE(Logged("MouseRestart ... [failed]"));
    EXPECT_TRUE(Logged("MouseRestart ... [rolled back]"));
    EXPECT_FALSE(Logged("MouseRestart ... [confirmed]"));
}

TEST_F(RateApplyTest, TheFilterCheckFollowsTheServiceManager) {
    TSimServiceManager::TService& filter = Machine.Services.Services[kFilterName];
    filter.ImagePath.clear();  // the kernel's default: drivers\KytHidFilter.sys, which is there
    EXPECT_TRUE(FilterDriverReady()) << "an empty image path is no missing driver";
    filter.Disabled = true;  // a driver that never loads would leave the mouse without a stack
    EXPECT_EQ(ApplyIntervalToMouse(Port, 1), TApplyResult::FilterMissing);
    EXPECT_TRUE(Mouse->LowerFilters.empty());
    EXPECT_EQ(Mouse->Restarts, 0);
}
