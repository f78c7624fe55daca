#pragma once
// What every IUsbHost adapter must do, whatever controllers the machine has.
// T has `static std::unique_ptr<IUsbHost> Make()`.
#include <gtest/gtest.h>

#include <memory>

#include "platform/UsbHost.h"

template <class T>
class UsbHostContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(UsbHostContract);

TYPED_TEST_P(UsbHostContract, UnknownHubsDoNotOpenAndControllersHavePaths) {
    std::unique_ptr<IUsbHost> host = TypeParam::Make();
    EXPECT_EQ(host->Open("\\\\.\\GlidepostNoSuchHub"), IUsbHost::kInvalid);
    for (const std::string& path : host->HostControllerPaths()) EXPECT_FALSE(path.empty());
}

REGISTER_TYPED_TEST_SUITE_P(UsbHostContract, UnknownHubsDoNotOpenAndControllersHavePaths);
