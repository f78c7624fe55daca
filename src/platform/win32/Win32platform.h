#pragma once
#include "platform/Platform.h"
#include <memory>

#include "platform/win32/Cryptmodule.h"
#include "platform/win32/Win32clock.h"
#include "platform/win32/Win32console.h"
#include "platform/win32/Win32mouse.h"
#include "platform/win32/Win32mutexes.h"
#include "platform/win32/Win32os.h"
#include "platform/win32/Win32deviceset.h"
#include "platform/win32/Win32driverdevice.h"
#include "platform/win32/Win32files.h"
#include "platform/win32/Win32graphics.h"
#include "platform/win32/Win32privileges.h"
#include "platform/win32/Win32process.h"
#include "platform/win32/Win32registry.h"
#include "platform/win32/Win32services.h"
#include "platform/win32/Win32sharedmemory.h"
#include "platform/win32/Win32shell.h"
#include "platform/win32/Win32threads.h"
#include "platform/win32/Win32usbhost.h"
#include "platform/win32/Win32wmi.h"
#include "platform/win32/Win32windows.h"

// The real Windows adapters, one of each.
class TWin32Platform {
public:
    TPlatform Ports() { return PlatformOf(*this); }

    TWin32Clock Clock;
    TWin32Process Process;
    TWin32Mutexes Mutexes;
    TWin32Windows Windows;
    TWin32Console Console;
    TWin32Os Os;
    TWin32UsbHost Usb;
    TWin32DeviceSet Devices;
    TWin32Registry Registry;
    TWin32Privileges Privileges;
    TWin32Shell Shell;
    TWin32Mouse Mouse;
    TWin32Threads Threads;
    TWin32SharedMemory SharedMemory;
    TWin32ServiceManager Services;
    TWin32DriverDevice Driver;
    TWin32FileSystem Files;
    std::unique_ptr<ICrypto> Crypto = std::make_unique<TCryptography>();
    TWin32Wmi Wmi;
    TWin32Graphics Graphics;
};
