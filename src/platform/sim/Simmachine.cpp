#include "platform/sim/Simmachine.h"

#include "mouse/Usbmouse.h"

namespace {
constexpr const char* kFilterImage = "C:\\Windows\\System32\\drivers\\KytHidFilter.sys";
}

TSimMachine::TSimMachine() {
    InstallFilterDriver();
    // A device whose lower filters name a service that is not installed (or whose driver does
    // not load) does not start.
    Usb.ServiceStarts = [this](const std::string& name) { return Services.ImageLoads(name); };
}

void TSimMachine::InstallFilterDriver() {
    Services.Services[kFilterName] = {kFilterImage, true, 0};
    Files.Put(kFilterImage, {'M', 'Z'});
    Registry.CreateKey(IRegistry::TRoot::LocalMachine, kFilterServiceKey);
}

void TSimMachine::BreakFilterDriver() { Files.Put(kFilterImage, {'X', 'X'}); }

void TSimMachine::RemoveFilterDriver() {
    Services.Services.erase(kFilterName);
    Files.Remove(kFilterImage);
    Registry.RemoveKey(IRegistry::TRoot::LocalMachine, kFilterServiceKey);
}
