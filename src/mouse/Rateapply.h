#pragma once
#include <cstdint>
#include <string>

#include "mouse/Usbmouse.h"

// The board's designated port for the gaming mouse, from the model's configuration.
struct TDesignatedPort {
    std::string HostController;
    uint32_t HubLevel = 0;
    uint32_t Port = 0;
};

enum class TApplyResult {
    Applied,        // stored, bound, restarted, and the mouse is back
    NoMouse,        // no mouse on the designated port: nothing changed
    FilterMissing,  // the filter driver is not installed: nothing changed
    RolledBack,     // the mouse did not come back: filter taken off, mouse restarted, old interval kept
    RebootNeeded,   // stored and bound; the restart completes, and the rate takes, with a reboot
};

enum class TCycleResult {
    Cycled,   // the port was power-cycled and the mouse is back on it
    NoMouse,  // no mouse on the designated port: nothing was done
    Refused,  // the hub did not cycle the port: nothing changed
    NotBack,  // cycled, but the mouse did not come back in time
};

// How long a restarted mouse has to come back on its port.
inline constexpr uint32_t kMouseBackWithinMs = 5000;

// Finds the mouse on the designated port; true only when it sits at that hub level and port.
bool LocateOnPort(TUsbMouse& mouse, const TDesignatedPort& port);

// True when the filter driver is installed; logs "FilterDriver ... [missing]" when it is not.
bool FilterDriverReady();

// The one road by which an interval reaches the mouse: only through an installed filter, the
// filter taken off every other device, the interval stored, the filter bound and the mouse
// restarted; then a bounded wait for the mouse to be back on its port. A mouse that does not
// come back gets the filter taken off and is restarted again, and the stored interval is put
// back: the user keeps a working mouse. A restart that Windows can only complete with a reboot
// is not waited for and not rolled back: the mouse keeps working as it was until then.
TApplyResult ApplyIntervalToMouse(const TDesignatedPort& port, uint32_t intervalMs);

// Power-cycles the designated port, as a replug does (a mouse that takes a new rate only when
// it is plugged in again takes it then), and waits, bounded, for the mouse to be back. Logs
// "MousePortCycle" with the outcome.
TCycleResult CycleMousePort(const TDesignatedPort& port);
