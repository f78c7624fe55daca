#pragma once
#include <gtest/gtest.h>

#include "platform/sim/Simmachine.h"
#include "sys/Singletons.h"

// A test on a fresh simulated machine, with every process-wide object dropped afterwards.
class TMachineTest : public ::testing::Test {
protected:
    void SetUp() override { InstallPlatform(Machine.Ports()); }
    void TearDown() override {
        ResetSingletonsForTests();
        InstallPlatform(TPlatform{});
    }

    TSimMachine Machine;
};
