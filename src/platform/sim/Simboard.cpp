#include "platform/sim/Simboard.h"

#include "config/Kytxmlbase.h"
#include "config/Kytxmlitem.h"
#include "hw/Loaddriver.h"
#include "platform/sim/Simfirmware.h"
#include "platform/sim/Simmachine.h"

namespace sf = simfirmware;

bool ReadBoardDescription(const std::string& folder, TBoardDescription& board) {
    TKytXmlBase file;
    if (!file.LoadXmlFile(folder + "\\Board.xml") || !file.HasRoot()) return false;
    const TKytXmlItem root(file.Root());
    const TKytXmlItem mouse(file.Root().child("Mouse"));
    board.Model = root.GetStrAttribute("Model", board.Model);
    board.MousePort = mouse.GetIntAttribute("Port", board.MousePort);
    board.MouseHubLevel = mouse.GetIntAttribute("Level", board.MouseHubLevel);
    board.MouseVid = static_cast<uint16_t>(mouse.GetIntAttribute("Vid", board.MouseVid));
    board.MousePid = static_cast<uint16_t>(mouse.GetIntAttribute("Pid", board.MousePid));
    const int intervalMs = mouse.GetIntAttribute("Interval", 0);
    if (intervalMs > 0) board.MouseIntervalUs = static_cast<uint32_t>(intervalMs) * 1000;
    // A high-speed mouse reporting faster than once a millisecond gives its rate instead.
    const int rate = mouse.GetIntAttribute("Rate", 0);
    if (rate > 0) board.MouseIntervalUs = static_cast<uint32_t>(1'000'000 / rate);
    board.MousePresent = mouse.GetBoolAttribute("Present", board.MousePresent);
    board.MouseNeedsReboot = mouse.GetBoolAttribute("NeedsReboot", board.MouseNeedsReboot);
    const TKytXmlItem filter(file.Root().child("Filter"));
    board.FilterInstalled = filter.GetBoolAttribute("Installed", board.FilterInstalled);
    board.FilterTakes = filter.GetBoolAttribute("Takes", board.FilterTakes);
    board.FilterStarts = filter.GetBoolAttribute("Starts", board.FilterStarts);
    const TKytXmlItem hand(file.Root().child("Hand"));
    const int counts = hand.GetIntAttribute("CountsPerSecond", 0);
    if (counts > 0) board.HandCountsPerSecond = counts;
    TSimHand::ParsePattern(hand.GetStrAttribute("Pattern", "steady"), board.HandPattern);
    return true;
}

std::shared_ptr<TSimUsbDevice> BuildBoard(TSimMachine& machine, const TBoardDescription& board) {
    TSimHardware& hardware = machine.Hardware;
    hardware.Write(0xE0000, std::vector<uint8_t>(0x20000, 0));
    hardware.Write(0xE3C40, sf::BiosRecord({board.Model, 'P', 1, 20, '0', 2026, 3, 14}));
    sf::PlaceAcpi(hardware, sf::TAcpiLayout{});
    uint16_t structures = 0;
    const sf::TBytes table = sf::SmbiosTable({2}, {{16384, 0, "DIMM_A2"}, {16384, 0, "DIMM_B2"}}, &structures);
    hardware.Write(0x7FF00000, table);
    hardware.Write(0xF0100, sf::SmbiosEntryPoint(static_cast<uint16_t>(table.size()), 0x7FF00000, structures));
    hardware.AddPciFunction(0, 0, 0, 0x8086, 0x3E30, 0x060000);
    hardware.AddPciFunction(0, 20, 0, 0x8086, 0xA36D, 0x0C0330, 0x80);
    hardware.AddPciFunction(0, 20, 2, 0x8086, 0xA36F, 0x050000);
    hardware.AddPciFunction(3, 0, 0, 0x1B21, 0x3242, 0x0C0330);

    // The hardware-access driver is installed and running.
    machine.Services.Services[kDriverServiceName] = {"", true, 0};

    TSimUsb& usb = machine.Usb;
    usb.AddController(
        "\\\\?\\pci#ven_8086&dev_a36d&subsys_0A01F0E1&rev_10#3&11583659&0&a0#{3abf6f2d-71c4-462a-8a92-1e6861e6af27}",
        "USB#ROOT_HUB30#4&2B1F7A1C&0&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}", 10);
    usb.AddController(
        "\\\\?\\pci#ven_1b21&dev_3242&subsys_0A02F0E1&rev_00#4&2a3c&0&00e4#{3abf6f2d-71c4-462a-8a92-1e6861e6af27}",
        "USB#ROOT_HUB30#5&1D0A2E4&0&0#{f18a0e88-c30c-11d0-8815-00a0c906bed8}", 2);
    TSimController& intel = usb.Controllers[0];  // taken after both: adding moves them
    intel.RootHub->Ports[0] = TSimUsb::Keyboard(0xE0FF, 0x0201);
    intel.RootHub->Ports[6] = TSimUsb::Storage(0xE0FF, 0x0301);
    if (!board.FilterInstalled) machine.RemoveFilterDriver();
    if (board.FilterInstalled && !board.FilterStarts) machine.BreakFilterDriver();
    auto mouse = TSimUsb::Mouse(board.MouseVid, board.MousePid);
    mouse->NativeIntervalUs = mouse->ActiveIntervalUs = board.MouseIntervalUs;
    mouse->FilterTakes = board.FilterTakes;
    mouse->NeedsReboot = board.MouseNeedsReboot;
    const size_t port = static_cast<size_t>(board.MousePort > 0 ? board.MousePort : 4) - 1;
    if (!board.MousePresent) {
        mouse = nullptr;
    } else if (board.MouseHubLevel >= 1) {
        auto hub = TSimUsb::Hub("USB#VID_E0FF&PID_0401#6&3A1B2C4D&0&3#{f18a0e88-c30c-11d0-8815-00a0c906bed8}", 4);
        hub->Hub->Ports[port % 4] = mouse;
        intel.RootHub->Ports[2] = hub;
    } else if (port < intel.RootHub->Ports.size()) {
        intel.RootHub->Ports[port] = mouse;
    }
    machine.Wmi.Rows = {{{"Product", {TWmiValue::TKind::Text, board.Model, false, {}}}}};
    return mouse;
}
