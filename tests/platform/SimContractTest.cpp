// The simulated adapters against the port contracts.
#include "platform/MutexesContract.h"
#include "platform/WindowSystemContract.h"
#include "platform/sim/Simmutexes.h"
#include "platform/sim/Simwindows.h"

namespace {
struct SimMutexes {
    static std::unique_ptr<IMutexes> Make() { return std::make_unique<TSimMutexes>(); }
};
struct SimWindows {
    static std::unique_ptr<IWindowSystem> Make() { return std::make_unique<TSimWindows>(); }
};
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Sim, MutexesContract, SimMutexes);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, WindowSystemContract, SimWindows);
