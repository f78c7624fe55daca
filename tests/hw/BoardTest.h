#pragma once
#include "hw/HardwareTest.h"
#include "platform/sim/Simfirmware.h"

// A board with its BIOS area laid out: zeros from 0xE0000 to 0xFFFFF, into which a test
// places the firmware's structures.
class TBoardTest : public THardwareTest {
protected:
    void SetUp() override {
        THardwareTest::SetUp();
        Machine.Hardware.Write(0xE0000, std::vector<uint8_t>(0x20000, 0));
    }
    std::vector<std::string> Logged() {
        std::vector<std::string> texts;
        for (const auto& line : Machine.Console.Lines()) texts.push_back(line.Text);
        return texts;
    }
};
