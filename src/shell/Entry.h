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

// Decides the road: true starts the application; false ends the process (uninstall road or
// hand-over to a running instance).
bool CheckCommandLine();

// Puts the mouse on the fixed port back to the default interval and takes the filter off
// every USB device.
void UninstallMouseSettings();

// Initialises the application, creates its forms and runs the message loop.
void RunApplication();

// The whole process: the entry point's body. Always answers 0.
int GlidepostMain();

// The text the standard exception display shows for an escaped exception's message.
std::string ExceptionDisplayText(const std::string& message);
