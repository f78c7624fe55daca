#pragma once
#include "InstallDir.h"
#include "hw/HardwareTest.h"
#include "platform/sim/Simfirmware.h"

// A board with the driver, a BIOS record naming its model and an installation tree.
class TConfigTest : public THardwareTest {
protected:
    void SetUp() override {
        THardwareTest::SetUp();
        Dir.PointAt(Machine);
        Machine.Hardware.Write(0xE0000, std::vector<uint8_t>(0x20000, 0));
    }
    void SetModel(const std::string& model) { Machine.Hardware.Write(0xE4000, simfirmware::BiosRecord({model})); }
    // A supported-model list with the given <Item .../> lines.
    void WriteModelList(const std::string& items) {
        Dir.Write("Conf\\Glidepost.xml",
                  "<?xml version=\"1.0\"?>\n<Root><SupportModel>" + items + "</SupportModel></Root>");
    }

    TInstallDir Dir;
};
