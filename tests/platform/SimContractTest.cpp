// The simulated adapters against the port contracts.
#include "platform/DeviceSetContract.h"
#include "platform/MutexesContract.h"
#include "platform/RegistryContract.h"
#include "platform/SharedMemoryContract.h"
#include "platform/UsbHostContract.h"
#include "platform/WindowSystemContract.h"
#include "platform/sim/Simclock.h"
#include "platform/sim/Simmutexes.h"
#include "platform/sim/Simregistry.h"
#include "platform/sim/Simsharedmemory.h"
#include "platform/sim/Simusb.h"
#include "platform/sim/Simwindows.h"

namespace {
template <class TPort, class TAdapter>
struct Sim {
    static std::unique_ptr<TPort> Make() { return std::make_unique<TAdapter>(); }
};

// The USB model reads the filter's interval from a registry of its own here, and times port
// cycles by a clock of its own.
struct SimUsb : TSimUsb {
    SimUsb() : TSimUsb(Registry, Time) {}
    TSimRegistry Registry;
    TSimClock Time;
};
using SimMutexes = Sim<IMutexes, TSimMutexes>;
using SimWindowSystem = Sim<IWindowSystem, TSimWindows>;
using SimRegistry = Sim<IRegistry, TSimRegistry>;
using SimDeviceSet = Sim<IDeviceSet, SimUsb>;
using SimUsbHost = Sim<IUsbHost, SimUsb>;
using SimSharedMemory = Sim<ISharedMemory, TSimSharedMemory>;
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Sim, MutexesContract, SimMutexes);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, WindowSystemContract, SimWindowSystem);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, RegistryContract, SimRegistry);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, DeviceSetContract, SimDeviceSet);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, UsbHostContract, SimUsbHost);
INSTANTIATE_TYPED_TEST_SUITE_P(Sim, SharedMemoryContract, SimSharedMemory);
