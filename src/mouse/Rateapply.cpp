#include "mouse/Rateapply.h"

#include "platform/Platform.h"
#include "sys/Debugconsole.h"

namespace {
constexpr uint32_t kPollMs = 100;

void Log(const std::string& name, const std::string& value, uint16_t colour) {
    GetDebugConsole(false).WriteTagged(name, value, colour);
}

// Waits, through the clock, until the mouse is back and running on its port. The time is the
// clock's, not the sum of the pauses: each probe walks the hubs, which takes its own time.
bool MouseBack(const TDesignatedPort& port) {
    IClock& clock = *GetPlatform().Clock;
    const uint64_t start = clock.TickMs();
    for (;;) {
        TUsbMouse probe;
        if (LocateOnPort(probe, port) && probe.SelectedStarted()) return true;
        if (clock.TickMs() - start >= kMouseBackWithinMs) return false;
        clock.Sleep(kPollMs);
    }
}
}  // namespace

bool LocateOnPort(TUsbMouse& mouse, const TDesignatedPort& port) {
    return mouse.LocateMouse(-1, port.HostController, static_cast<int32_t>(port.HubLevel),
                             static_cast<int32_t>(port.Port)) &&
           mouse.AtRequestedPort(port.HubLevel, port.Port);
}

bool FilterDriverReady() {
    if (GetPlatform().Services->KernelDriverInstalled(kFilterName)) return true;
    Log("FilterDriver", "missing", kColorRed);
    return false;
}

TCycleResult CycleMousePort(const TDesignatedPort& port) {
    TUsbMouse mouse;
    TCycleResult result = TCycleResult::NoMouse;
    if (LocateOnPort(mouse, port)) {
        mouse.ReleaseDeviceList();
        result = !mouse.CyclePort() ? TCycleResult::Refused
                 : MouseBack(port)  ? TCycleResult::Cycled
                                    : TCycleResult::NotBack;
    }
    static const char* const kOutcomes[] = {"done", "no mouse", "refused", "not back"};
    Log("MousePortCycle", kOutcomes[static_cast<int>(result)],
        result == TCycleResult::Cycled ? kColorGreen : kColorRed);
    return result;
}

TApplyResult ApplyIntervalToMouse(const TDesignatedPort& port, uint32_t intervalMs) {
    if (!FilterDriverReady()) return TApplyResult::FilterMissing;
    TUsbMouse mouse;
    if (!LocateOnPort(mouse, port)) return TApplyResult::NoMouse;
    uint32_t previous = 0;
    const bool hadInterval = mouse.ReadInterval(previous);
    mouse.UnbindFilterEverywhere(kFilterName);
    mouse.WriteInterval(intervalMs);
    mouse.BindFilter(kFilterName);
    // A restart that could not be asked for leaves the old stack running: the mouse would be
    // found at once and the rate reported as applied although nothing took.
    const bool restarted = mouse.RestartMouse();
    if (restarted && mouse.SelectedNeedsReboot()) {
        Log("MouseRestart", "reboot needed", kColorYellow);
        return TApplyResult::RebootNeeded;
    }
    if (restarted && MouseBack(port)) {
        Log("MouseRestart", "confirmed", kColorGreen);
        return TApplyResult::Applied;
    }
    if (!restarted) Log("MouseRestart", "failed", kColorRed);
    // The selection still names the mouse's device node, also while it is off its port.
    mouse.UnbindFilterEverywhere(kFilterName);
    if (hadInterval) mouse.WriteInterval(previous);
    mouse.RestartMouse();
    MouseBack(port);
    Log("MouseRestart", "rolled back", kColorRed);
    return TApplyResult::RolledBack;
}
