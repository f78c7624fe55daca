#include "shell/Entry.h"

#include <exception>

#include "platform/Platform.h"
#include "shell/Fmmain.h"
#include "sys/Debugconsole.h"
#include "sys/Kytprocess.h"
#include "ui/Fmmsgbox.h"
#include "ui/Fmstatusbox.h"
#include "ui/toolkit/Application.h"

namespace {
std::string FileNamePart(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

TWindowId FindRunningInstance() { return GetPlatform().Windows->FindTopWindow(kAppWindowClass, kAppTitle); }

void HandOver() {
    if (TWindowId window = FindRunningInstance()) {
        // The user started this one: it may take the foreground, and it hands that right over,
        // so that the running window comes to the front instead of flashing behind.
        GetPlatform().Windows->AllowForeground(window);
        GetPlatform().Windows->Post(window, kMsgRestoreInstance, 0, 0);
    }
}
}  // namespace

bool CheckCommandLine() {
    TPlatform& platform = GetPlatform();
    const std::string commandLine = UpperCase(platform.Process->CommandLine());
    const bool uninstall = commandLine.find("/UNINSTALL") != std::string::npos;
    const std::string mutexName = FileNamePart(platform.Process->ModulePath());
    const bool debug = commandLine.find("/DEBUG") != std::string::npos;

    if (platform.Mutexes->OpenExisting(mutexName)) {
        if (uninstall) {
            UninstallMouseSettings();
            if (TWindowId window = FindRunningInstance()) {
                platform.Windows->Post(window, kMsgUninstallClose, 0, 0);
                platform.Windows->Post(window, kMsgCloseInstance, 0, 0);
                platform.Clock->Sleep(7000);
            }
        } else {
            HandOver();
        }
        return false;
    }
    if (uninstall) {
        UninstallMouseSettings();
        return false;
    }
    // Opening and creating are two steps: when another instance created the mutex between
    // them, that instance runs, so hand over to it rather than start a second one.
    if (platform.Mutexes->Create(mutexName) == IMutexes::TCreate::AlreadyExisted) {
        HandOver();
        return false;
    }
    GetDebugConsole(debug);
    return true;
}

std::string ExceptionDisplayText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

void RunApplication() {
    TApplication& app = GetApplication();
    try {
        app.Initialize();
        app.SetTitle(kAppTitle);
        app.CreateForm<TMainForm>();
        app.CreateForm<TMsgBoxForm>();
        app.CreateForm<TStatusBoxForm>();
        app.Run();
    } catch (const std::exception& e) {
        app.ShowException(ExceptionDisplayText(e.what()));
    } catch (...) {
        app.ShowException(std::string());
    }
}

int GlidepostMain() {
    if (RateRequested()) return ApplyRateFromCommandLine();
    if (CheckCommandLine()) RunApplication();
    return 0;
}
