#pragma once
#include "MachineTest.h"
#include "hw/Driverimages.h"

// A machine whose hardware-access driver image is part of this build, so the loader can
// install and start it.
class THardwareTest : public TMachineTest {
protected:
    void SetUp() override {
        TMachineTest::SetUp();
        SetDriverImagesForTests(&Images);
    }
    void TearDown() override {
        TMachineTest::TearDown();
        SetDriverImagesForTests(nullptr);
    }

    static constexpr uint8_t kX86[] = {'M', 'Z', 0x4C, 0x01};
    static constexpr uint8_t kIa64[] = {'M', 'Z', 0x00, 0x02, 0};
    static constexpr uint8_t kX64[] = {'M', 'Z', 0x64, 0x86, 0, 0};
    TDriverImages Images{{kX86, sizeof(kX86)}, {kIa64, sizeof(kIa64)}, {kX64, sizeof(kX64)}};
    const std::string kSystemDriver = "C:\\Windows\\System32\\Drivers\\KytDrv103.sys";
};
