// The hardware-access road on a system without the driver (Wine), and WMI there.
#include <gtest/gtest.h>

#include "hw/Loaddriver.h"
#include "platform/sim/Simwindows.h"
#include "platform/win32/Win32platform.h"
#include "sys/Kytwmi.h"
#include "sys/Singletons.h"

namespace {
// The real system, but message boxes are recorded instead of waiting for a user.
class Win32SystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        TPlatform ports = Win32.Ports();
        ports.Windows = &Boxes;
        InstallPlatform(ports);
    }
    void TearDown() override {
        ResetSingletonsForTests();
        InstallPlatform(TPlatform{});
    }
    TWin32Platform Win32;
    TSimWindows Boxes;
};
}  // namespace

TEST_F(Win32SystemTest, LoadingWithoutADriverShowsTheMessageAndFails) {
    TLoadDriver loader(false, false, false);
    EXPECT_EQ(loader.GetDriverHandle(), IDriverDevice::kInvalid);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Text, kDriverLoadFailure);
}

TEST_F(Win32SystemTest, BaseBoardProductAnswersWithoutCrashing) {
    TKytWMI wmi;
    std::string product = wmi.GetBaseBoardProduct();
    EXPECT_EQ(product, wmi.GetBaseBoardProduct());  // a second query gets past the security set-up too
}
