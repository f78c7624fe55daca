// The real Windows adapters against the port contracts (run under Wine).
#include "platform/MutexesContract.h"
#include "platform/WindowSystemContract.h"
#include "platform/win32/Win32mutexes.h"
#include "platform/win32/Win32windows.h"

namespace {
struct Win32Mutexes {
    static std::unique_ptr<IMutexes> Make() { return std::make_unique<TWin32Mutexes>(); }
};
struct Win32Windows {
    static std::unique_ptr<IWindowSystem> Make() { return std::make_unique<TWin32Windows>(); }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, MutexesContract, Win32Mutexes);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowSystemContract, Win32Windows);
