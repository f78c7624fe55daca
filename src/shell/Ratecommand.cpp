// "/RATE=<125|250|500|1000>": the rate applied on the designated port without a window, through
// the same checks as the page's Apply; the exit code tells a script what happened.
#include "config/Kytmodelconfig.h"
#include "config/Kytovtconfig.h"
#include "config/Kytspec.h"
#include "hw/Loaddriver.h"
#include "mouse/Rateapply.h"
#include "platform/Platform.h"
#include "shell/Entry.h"
#include "sys/Debugconsole.h"
#include "sys/Kytprocess.h"

namespace {
constexpr int kPollingPageId = 24;

// The interval of an offered rate; 0 for anything else.
uint32_t IntervalOf(const std::string& rate) {
    struct TRate {
        const char* Hz;
        uint32_t IntervalMs;
    };
    static const TRate kRates[] = {{"125", 8}, {"250", 4}, {"500", 2}, {"1000", 1}};
    for (const TRate& r : kRates) {
        if (rate == r.Hz) return r.IntervalMs;
    }
    return 0;
}

int Finish(int code, const char* what) {
    GetDebugConsole(false).WriteTagged("RateCommand", what, code == kRateApplied ? kColorGreen : kColorRed);
    return code;
}
}  // namespace

bool RateRequested() { return UpperCase(GetPlatform().Process->CommandLine()).find("/RATE=") != std::string::npos; }

int ApplyRateFromCommandLine() {
    TPlatform& platform = GetPlatform();
    const std::string commandLine = platform.Process->CommandLine();
    GetDebugConsole(UpperCase(commandLine).find("/DEBUG") != std::string::npos);
    const uint32_t interval = IntervalOf(SwitchValue(commandLine, "/RATE="));
    if (interval == 0) return Finish(kRateBadValue, "bad value");

    // The window's start-up checks, without the window: the board must be one of ours.
    GetLoadDriver(false, false, false);
    GetSpec();
    const bool supported = GetOvtConfig().IsLoaded() && GetModelConfig().IsLoaded();
    DestroySpec();
    TKytModelConfig& config = GetModelConfig();
    if (!supported || config.GetPortNo() <= 0) return Finish(kRateUnsupported, "board not supported");

    const TDesignatedPort port{config.GetHostController(), static_cast<uint32_t>(config.GetHcdNo()),
                               static_cast<uint32_t>(config.GetPortNo())};
    const TApplyResult result = ApplyIntervalToMouse(port, interval);
    if (result == TApplyResult::Applied || result == TApplyResult::RebootNeeded) {
        // The mouse has (or has after the reboot) the rate its user chose: it is not a new
        // mouse to the window.
        TUsbMouse mouse;
        std::string hardwareId;
        if (LocateOnPort(mouse, port)) mouse.MatchVidPid("VID_E0FF&PID_0002", hardwareId);
        if (!hardwareId.empty()) config.SetVidPid(hardwareId);
        config.SetInterval(static_cast<int>(interval));
    }
    if (result != TApplyResult::FilterMissing && result != TApplyResult::NoMouse) {
        // A running window shows what the mouse has now.
        if (TWindowId window = platform.Windows->FindTopWindow(kAppWindowClass, kAppTitle)) {
            platform.Windows->Post(window, kMsgShowPage, kPollingPageId, 0);
        }
    }
    switch (result) {
        case TApplyResult::Applied:
            return Finish(kRateApplied, "applied");
        case TApplyResult::NoMouse:
            return Finish(kRateNoMouse, "no mouse on the port");
        case TApplyResult::FilterMissing:
            return Finish(kRateFilterMissing, "filter driver missing");
        case TApplyResult::RebootNeeded:
            return Finish(kRateRebootNeeded, "reboot needed");
        case TApplyResult::RolledBack:
            break;
    }
    return Finish(kRateRolledBack, "rolled back");
}
