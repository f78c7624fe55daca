#pragma once
#include "platform/Platform.h"
#include "platform/sim/Simclock.h"
#include "platform/sim/Simconsole.h"
#include "platform/sim/Simdriver.h"
#include "platform/sim/Simfiles.h"
#include "platform/sim/Simgraphics.h"
#include "platform/sim/Simhardware.h"
#include "platform/sim/Simmouse.h"
#include "platform/sim/Simmutexes.h"
#include "platform/sim/Simos.h"
#include "platform/sim/Simprivileges.h"
#include "platform/sim/Simprocess.h"
#include "platform/sim/Simregistry.h"
#include "platform/sim/Simservices.h"
#include "platform/sim/Simsharedmemory.h"
#include "platform/sim/Simshell.h"
#include "platform/sim/Simthreads.h"
#include "platform/sim/Simusb.h"
#include "platform/sim/Simwmi.h"
#include "platform/sim/Simwindows.h"

// One simulated PC: every port the program uses, backed by state a test can set and read. The
// mouse's filter driver is installed, as on a board set up by the maker's packages.
class TSimMachine {
public:
    TSimMachine();
    TSimMachine(const TSimMachine&) = delete;
    TSimMachine& operator=(const TSimMachine&) = delete;

    TPlatform Ports() { return PlatformOf(*this); }
    // The filter driver's service, its key and its file: the maker's filter package.
    void InstallFilterDriver();
    // Takes them away: a PC without the filter package.
    void RemoveFilterDriver();
    // Leaves the filter installed but its driver file broken: a stack that names it fails.
    void BreakFilterDriver();

    TSimClock Clock;
    TSimProcess Process;
    TSimMutexes Mutexes;
    TSimWindows Windows;
    TSimConsole Console;
    TSimOs Os;
    TSimRegistry Registry;
    TSimUsb Usb{Registry, Clock};
    TSimUsb& Devices = Usb;
    TSimPrivileges Privileges;
    TSimShell Shell{Usb};
    TSimMouse Mouse{Clock};
    TSimThreads Threads;
    TSimSharedMemory SharedMemory;
    TSimFileSystem Files;
    TSimServiceManager Services{Files};
    TSimHardware Hardware;
    std::unique_ptr<ICrypto> Crypto = MakeHostCrypto();
    TSimDriverDevice Driver{Services, Hardware, *Crypto};
    TSimWmi Wmi;
    TSimGraphics Graphics;
};
