#pragma once
#include "platform/Clock.h"
#include "platform/Console.h"
#include "platform/Crypto.h"
#include "platform/DeviceSet.h"
#include "platform/DriverDevice.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/MouseEvents.h"
#include "platform/Mutexes.h"
#include "platform/OsInfo.h"
#include "platform/Privileges.h"
#include "platform/ProcessInfo.h"
#include "platform/Registry.h"
#include "platform/ServiceManager.h"
#include "platform/SharedMemory.h"
#include "platform/Shell.h"
#include "platform/Threads.h"
#include "platform/UsbHost.h"
#include "platform/Wmi.h"
#include "platform/WindowSystem.h"

// The ports the program reaches the operating system through. The owner of the adapters
// (the composition root, or a test's simulated machine) keeps them alive while installed.
struct TPlatform {
    IClock* Clock = nullptr;
    IProcessInfo* Process = nullptr;
    IMutexes* Mutexes = nullptr;
    IWindowSystem* Windows = nullptr;
    IConsole* Console = nullptr;
    IOsInfo* Os = nullptr;
    IUsbHost* Usb = nullptr;
    IDeviceSet* Devices = nullptr;
    IRegistry* Registry = nullptr;
    IPrivileges* Privileges = nullptr;
    IShell* Shell = nullptr;
    IMouseEvents* Mouse = nullptr;
    IThreads* Threads = nullptr;
    ISharedMemory* SharedMemory = nullptr;
    IServiceManager* Services = nullptr;
    IDriverDevice* Driver = nullptr;
    IFileSystem* Files = nullptr;
    ICrypto* Crypto = nullptr;
    IWmi* Wmi = nullptr;
    IGraphics* Graphics = nullptr;
};

// The ports of an owner that holds one adapter of each under the port's name.
template <class TOwner>
TPlatform PlatformOf(TOwner& owner) {
    return TPlatform{&owner.Clock,  &owner.Process, &owner.Mutexes, &owner.Windows,      &owner.Console,
                     &owner.Os,     &owner.Usb,     &owner.Devices, &owner.Registry,     &owner.Privileges,
                     &owner.Shell,  &owner.Mouse,   &owner.Threads, &owner.SharedMemory, &owner.Services,
                     &owner.Driver, &owner.Files,   &*owner.Crypto, &owner.Wmi,          &owner.Graphics};
}

TPlatform& GetPlatform();
void InstallPlatform(const TPlatform& platform);
