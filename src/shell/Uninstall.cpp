#include "mouse/Rateapply.h"
#include "shell/Entry.h"

void UninstallMouseSettings() {
    TUsbMouse mouse;
    // The fixed gaming port of the boards: second host controller, port 4, at any hub level.
    // Binding a filter that is not installed would leave the mouse dead; removing it is always
    // safe.
    if (FilterDriverReady() && mouse.LocateMouse(1, "", TUsbMouse::kAnyHubLevel, 4)) {
        mouse.WriteInterval(8);
        mouse.BindFilter(kFilterName);
        mouse.RestartMouse();
    }
    mouse.UnbindFilterEverywhere(kFilterName);
}
