#pragma once
// What every IDeviceSet adapter must do, whatever devices the machine has.
// T has `static std::unique_ptr<IDeviceSet> Make()`.
#include <gtest/gtest.h>

#include <memory>

#include "platform/DeviceSet.h"

template <class T>
class DeviceSetContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(DeviceSetContract);

TYPED_TEST_P(DeviceSetContract, ElementsAreNumberedFromZeroAndNothingLiesBeyondThem) {
    std::unique_ptr<IDeviceSet> devices = TypeParam::Make();
    for (bool present : {true, false}) {
        IDeviceSet::TSet set = devices->OpenUsbSet(present);
        ASSERT_NE(set, 0u);
        uint32_t count = 0;
        while (count < 10000 && devices->HasElement(set, count)) {
            std::vector<uint8_t> bytes;
            if (devices->ReadProperty(set, count, IDeviceSet::TProperty::Driver, 1024, bytes)) {
                EXPECT_LE(bytes.size(), 1024u);
            }
            ++count;
        }
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(devices->ReadProperty(set, count, IDeviceSet::TProperty::Driver, 1024, bytes));
        EXPECT_FALSE(devices->WriteProperty(set, count, IDeviceSet::TProperty::LowerFilters, {}));
        EXPECT_FALSE(devices->RestartDevice(set, count));
        devices->Release(set);
    }
}

REGISTER_TYPED_TEST_SUITE_P(DeviceSetContract, ElementsAreNumberedFromZeroAndNothingLiesBeyondThem);
