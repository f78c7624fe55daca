#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/sim/Simhand.h"

class TSimMachine;
struct TSimUsbDevice;

// A board for the simulator: its model name and where its mouse sits.
struct TBoardDescription {
    std::string Model = "QX-570 STEEL";
    int MousePort = 4;  // on the Intel controller's root hub (level 0) or behind a hub (level 1)
    int MouseHubLevel = 0;
    uint16_t MouseVid = 0xE0FF;
    uint16_t MousePid = 0x0101;
    uint32_t MouseIntervalUs = 8000;  // what the mouse polls at without the filter
    bool MousePresent = true;         // false: no mouse on any port
    bool MouseNeedsReboot = false;    // true: restarting the mouse asks for a reboot
    bool FilterInstalled = true;      // false: the filter driver package is not installed
    bool FilterTakes = true;          // false: the mouse keeps its own interval under the filter
    bool FilterStarts = true;         // false: installed, but its driver fails to load
    // A hand that moves the mouse by itself while the pointer is over the window (0: the
    // pointer's own travel moves it), and how.
    double HandCountsPerSecond = 0;
    TSimHand::TPattern HandPattern = TSimHand::TPattern::Steady;
    TSimHand Hand() const { return TSimHand(HandCountsPerSecond, HandPattern); }
};

// Reads <folder>\Board.xml: <Board Model="..."><Mouse Port="4" Level="0" Vid="0xE0FF" Pid="0x0101"
// Interval="8"/></Board> (Interval in ms; Rate="8000" in Hz instead, for a mouse that reports
// faster than once a millisecond), with <Mouse Present="false"/> for a board without a mouse,
// <Mouse NeedsReboot="true"/> for one whose mouse restarts only with a reboot, and
// <Filter Installed="false"/> for one without the filter driver
// (Takes="false" for a mouse on which the filter's rate does not take, Starts="false" for a filter
// whose driver fails to load, so that a mouse bound to it does not come back), and
// <Hand CountsPerSecond="5000" Pattern="steady|slow|bursts"/> for a hand that moves the mouse on
// its own schedule while the pointer is over the window; false (description unchanged) when the
// file is missing or broken.
bool ReadBoardDescription(const std::string& folder, TBoardDescription& board);

// Lays out the whole board on the machine: BIOS record, ACPI and SMBIOS tables, PCI functions,
// the running hardware-access driver, and the USB controllers with a keyboard, the mouse and a
// storage device. Answers the mouse.
std::shared_ptr<TSimUsbDevice> BuildBoard(TSimMachine& machine, const TBoardDescription& board);
