#include <windows.h>

#include "platform/win32/Win32platform.h"
#include "shell/Entry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    static TWin32Platform win32;
    InstallPlatform(win32.Ports());
    return GlidepostMain();
}
