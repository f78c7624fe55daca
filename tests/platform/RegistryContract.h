#pragma once
// What every IRegistry adapter must do. T has `static std::unique_ptr<IRegistry> Make()`.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Registry.h"
#include "platform/UniqueName.h"

template <class T>
class RegistryContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, KeysAndDwordValues) {
    std::unique_ptr<IRegistry> registry = TypeParam::Make();
    const auto root = IRegistry::TRoot::CurrentUser;
    const std::string key = "Software\\GlidepostTests\\" + UniqueName("Contract") + "\\Inner";
    std::vector<uint8_t> data;
    EXPECT_FALSE(registry->KeyExists(root, key));
    EXPECT_FALSE(registry->SetDword(root, key, "bInterval", 2));
    EXPECT_FALSE(registry->QueryValue(root, key, "bInterval", 4, data));

    ASSERT_TRUE(registry->CreateKey(root, key));
    EXPECT_TRUE(registry->CreateKey(root, key));  // opening an existing key succeeds too
    EXPECT_TRUE(registry->KeyExists(root, key));
    EXPECT_FALSE(registry->QueryValue(root, key, "bInterval", 4, data));
    ASSERT_TRUE(registry->SetDword(root, key, "bInterval", 0x01020304));
    ASSERT_TRUE(registry->QueryValue(root, key, "BINTERVAL", 4, data));
    EXPECT_EQ(data, (std::vector<uint8_t>{4, 3, 2, 1}));
    EXPECT_FALSE(registry->QueryValue(root, key, "bInterval", 2, data));  // larger than the buffer
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, KeysAndDwordValues);
