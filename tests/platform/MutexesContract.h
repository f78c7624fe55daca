#pragma once
// What every IMutexes adapter must do. Instantiate with a factory type T that has
// `static std::unique_ptr<IMutexes> Make()`.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Mutexes.h"
#include "platform/UniqueName.h"

template <class T>
class MutexesContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(MutexesContract);

TYPED_TEST_P(MutexesContract, OpenFindsOnlyCreatedNamesAndCreateReportsAnExistingOne) {
    std::unique_ptr<IMutexes> mutexes = TypeParam::Make();
    const std::string name = UniqueName("GlidepostContractMutex");
    EXPECT_FALSE(mutexes->OpenExisting(name));
    EXPECT_EQ(mutexes->Create(name), IMutexes::TCreate::Created);
    EXPECT_TRUE(mutexes->OpenExisting(name));
    EXPECT_EQ(mutexes->Create(name), IMutexes::TCreate::AlreadyExisted);
    EXPECT_FALSE(mutexes->OpenExisting(name + "-other"));
}

REGISTER_TYPED_TEST_SUITE_P(MutexesContract, OpenFindsOnlyCreatedNamesAndCreateReportsAnExistingOne);
