// The real Windows adapters against the port contracts (run under Wine).
#include "platform/DeviceSetContract.h"
#include "platform/MutexesContract.h"
#include "platform/RegistryContract.h"
#include "platform/SharedMemoryContract.h"
#include "platform/UsbHostContract.h"
#include "platform/WindowSystemContract.h"
#include "platform/win32/Win32deviceset.h"
#include "platform/win32/Win32mutexes.h"
#include "platform/win32/Win32registry.h"
#include "platform/win32/Win32sharedmemory.h"
#include "platform/win32/Win32usbhost.h"
#include "platform/win32/Win32windows.h"

namespace {
template <class TPort, class TAdapter>
struct Win32 {
    static std::unique_ptr<TPort> Make() { return std::make_unique<TAdapter>(); }
};
using Win32Mutexes = Win32<IMutexes, TWin32Mutexes>;
using Win32WindowSystem = Win32<IWindowSystem, TWin32Windows>;
using Win32Registry = Win32<IRegistry, TWin32Registry>;
using Win32DeviceSet = Win32<IDeviceSet, TWin32DeviceSet>;
using Win32UsbHost = Win32<IUsbHost, TWin32UsbHost>;
using Win32SharedMemory = Win32<ISharedMemory, TWin32SharedMemory>;
}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, MutexesContract, Win32Mutexes);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WindowSystemContract, Win32WindowSystem);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, RegistryContract, Win32Registry);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, DeviceSetContract, Win32DeviceSet);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, UsbHostContract, Win32UsbHost);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, SharedMemoryContract, Win32SharedMemory);
