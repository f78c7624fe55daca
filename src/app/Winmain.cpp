// The composition root: the real Windows adapters, or with "/SIMULATE[=<board folder>]" the
// simulated board behind the hardware-facing ports and the registry (windows, timers, messages,
// shared memory and the console stay real). "/LOG=<file>" with "/DEBUG" copies the debug
// console's lines into a file.
#include <windows.h>

#include "platform/Teeconsole.h"
#include "platform/sim/Simboard.h"
#include "platform/sim/Simlivemouse.h"
#include "platform/sim/Simmachine.h"
#include "platform/win32/Systemdll.h"
#include "platform/win32/Win32platform.h"
#include "shell/Entry.h"
#include "sys/Kytprocess.h"

namespace {
void UseSimulatedBoard(TWin32Platform& win32, TPlatform& ports, const std::string& folder) {
    static TSimMachine sim;
    TBoardDescription board;
    if (!folder.empty()) ReadBoardDescription(folder, board);
    std::shared_ptr<TSimUsbDevice> mouse = BuildBoard(sim, board);
    static TLiveSimMouse liveMouse(win32.Clock, mouse, board.Hand());
    // A port cycle takes its second on the real clock.
    sim.Usb.Clock = &win32.Clock;
    ports.Usb = &sim.Usb;
    ports.Devices = &sim.Usb;
    ports.Registry = &sim.Registry;
    ports.Privileges = &sim.Privileges;
    ports.Shell = &sim.Shell;
    ports.Services = &sim.Services;
    ports.Driver = &sim.Driver;
    ports.Files = &sim.Files;
    ports.Crypto = sim.Crypto.get();
    ports.Wmi = &sim.Wmi;
    ports.Mouse = &liveMouse;
    // The simulated mouse's sensor follows the real pointer over the program's windows (or
    // the board's hand moves it while the pointer is there).
    win32.Windows.Observer = [](uint32_t msg, TWindowId) {
        if (msg == WM_MOUSEMOVE) {
            POINT at;
            if (GetCursorPos(&at)) liveMouse.PointerAt(at.x, at.y);
            liveMouse.PointerOver(true);
        } else if (msg == WM_MOUSELEAVE) {
            liveMouse.PointerOver(false);
        }
    };
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RestrictDllSearchToSystem();
    static TWin32Platform win32;
    TPlatform ports = win32.Ports();
    const std::string commandLine = win32.Process.CommandLine();
    const std::string upper = UpperCase(commandLine);
    if (upper.find("/SIMULATE") != std::string::npos) {
        UseSimulatedBoard(win32, ports, SwitchValue(commandLine, "/SIMULATE="));
    }
    const std::string log = SwitchValue(commandLine, "/LOG=");
    if (!log.empty() && upper.find("/DEBUG") != std::string::npos) {
        static TTeeConsole tee(win32.Console, log);
        ports.Console = &tee;
    }
    InstallPlatform(ports);
    return GlidepostMain();
}
