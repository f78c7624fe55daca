#pragma once
#include <cstdint>
#include <string>

// The application's title: caption of its hidden "TApplication" window, by which a second
// process finds the running instance.
inline constexpr const char* kAppTitle = "TrivexalGlidepost";
inline constexpr const char* kAppWindowClass = "TApplication";

// Messages posted between instances.
inline constexpr uint32_t kMsgCloseInstance = 0x819E;
inline constexpr uint32_t kMsgRestoreInstance = 0x819F;
inline constexpr uint32_t kMsgUninstallClose = 0x81A0;
// Shows a page (wParam: its id), or brings the page shown up to date.
inline constexpr uint32_t kMsgShowPage = 0x81A3;

// Exit codes of "/RATE=<125|250|500|1000>".
enum : int {
    kRateApplied = 0,        // applied, and the mouse is back
    kRateBadValue = 1,       // a missing or unknown rate
    kRateNoMouse = 2,        // no mouse on the designated port
    kRateFilterMissing = 3,  // the filter driver is not installed
    kRateRolledBack = 4,     // the mouse did not come back: put back as it was
    kRateUnsupported = 5,    // the board is not supported
    kRateRebootNeeded = 6,   // stored and bound: the rate takes effect after a reboot
};

// The command line asks for "/RATE=".
bool RateRequested();
// Applies the rate of "/RATE=" on the designated port without a window; answers the exit code.
int ApplyRateFromCommandLine();

// Decides the road: true starts the application; false ends the process (uninstall road or
// hand-over to a running instance).
bool CheckCommandLine();

// Puts the mouse on the fixed port back to the default interval and takes the filter off
// every USB device.
void UninstallMouseSettings();

// Initialises the application, creates its forms and runs the message loop.
void RunApplication();

// The whole process: the entry point's body. Answers 0, or the exit code of "/RATE=".
int GlidepostMain();

// The text the standard exception display shows for an escaped exception's message.
std::string ExceptionDisplayText(const std::string& message);
