#include "platform/sim/Simmachine.h"

#include "mouse/Usbmouse.h"

namespace {
constexpr const char* kFilterImage = "C:\\Windows\\System32\\drivers\\KytHidFilter.sys";
}

TSimMachine::TSimMachine() {
    Services.Services[kFilterName] = {kFilterImage, true, 0};
    Files.Put(kFilterImage, {'M', 'Z'});
    Registry.CreateKey(IRegistry::TRoot::LocalMachine, kFilterServiceKey);
    // A device whose lower filters name a service that is not installed does not start.
    Usb.ServiceInstalled = [this](const std::string& name) { return Services.KernelDriverInstalled(name); };
}

void TSimMachine::RemoveFilterDriver() {
    Services.Services.erase(kFilterName);
    Files.Remove(kFilterImage);
    Registry.RemoveKey(IRegistry::TRoot::LocalMachine, kFilterServiceKey);
}
