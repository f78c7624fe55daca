#pragma once
#include <set>
#include <vector>

#include "platform/Shell.h"
#include "platform/sim/Simusb.h"

// Programs started through the shell. The mouse-restart companion, when installed, restarts
// the devices that have the filter bound.
class TSimShell : public IShell {
public:
    explicit TSimShell(TSimUsb& usb) : m_Usb(usb) {}

    bool OpenHidden(const std::string& path) override {
        Started.push_back(path);
        if (Installed.count(path) == 0) return false;
        if (path.size() >= 17 && path.compare(path.size() - 17, 17, "\\MouseRestart.exe") == 0) {
            m_Usb.RestartBoundDevices();
        }
        return true;
    }

    std::set<std::string> Installed;
    std::vector<std::string> Started;

private:
    TSimUsb& m_Usb;
};
