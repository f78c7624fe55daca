// The native adapters against the port contracts.
#include "platform/SharedMemoryContract.h"
#include "platform/posix/Posixsharedmemory.h"

namespace {
struct PosixSharedMemory {
    static std::unique_ptr<ISharedMemory> Make() { return std::make_unique<TPosixSharedMemory>(); }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Posix, SharedMemoryContract, PosixSharedMemory);
