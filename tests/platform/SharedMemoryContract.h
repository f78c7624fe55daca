#pragma once
// What every ISharedMemory adapter must do. T has `static std::unique_ptr<ISharedMemory> Make()`.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "platform/SharedMemory.h"
#include "platform/UniqueName.h"

template <class T>
class SharedMemoryContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(SharedMemoryContract);

TYPED_TEST_P(SharedMemoryContract, ASecondMappingByNameSeesTheSameBytes) {
    std::unique_ptr<ISharedMemory> memory = TypeParam::Make();
    const std::string name = UniqueName("GlidepostContractBlock");
    EXPECT_EQ(memory->Open(name), ISharedMemory::kNone);

    ISharedMemory::THandle writer = memory->Create(name, 24);
    ASSERT_NE(writer, ISharedMemory::kNone);
    auto* written = static_cast<uint8_t*>(memory->Map(writer));
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written[0], 0);
    EXPECT_EQ(written[23], 0);

    ISharedMemory::THandle reader = memory->Open(name);
    ASSERT_NE(reader, ISharedMemory::kNone);
    auto* read = static_cast<uint8_t*>(memory->Map(reader));
    ASSERT_NE(read, nullptr);
    const uint8_t bytes[24] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    std::memcpy(written, bytes, sizeof(bytes));
    EXPECT_EQ(std::memcmp(read, bytes, sizeof(bytes)), 0);

    // Creating again by name gives the existing block, not a fresh one.
    ISharedMemory::THandle again = memory->Create(name, 24);
    ASSERT_NE(again, ISharedMemory::kNone);
    auto* third = static_cast<uint8_t*>(memory->Map(again));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third[23], 24);

    memory->Unmap(third);
    memory->Unmap(read);
    memory->Unmap(written);
    memory->Close(again);
    memory->Close(reader);
    memory->Close(writer);
}

REGISTER_TYPED_TEST_SUITE_P(SharedMemoryContract, ASecondMappingByNameSeesTheSameBytes);
