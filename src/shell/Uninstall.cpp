#include "mouse/Usbmouse.h"
#include "shell/Entry.h"

void UninstallMouseSettings() {
    TUsbMouse mouse;
    // The fixed gaming port of the boards: second host controller, port 4, at any hub level.
    if (mouse.LocateMouse(1, "", TUsbMouse::kAnyHubLevel, 4)) {
        mouse.WriteInterval(8);
        mouse.BindFilter(kFilterName);
        mouse.RestartMouse();
    }
    mouse.UnbindFilterEverywhere(kFilterName);
}
