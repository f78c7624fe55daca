#include "platform/win32/Win32services.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace {
SC_HANDLE ToHandle(IServiceManager::THandle h) { return reinterpret_cast<SC_HANDLE>(static_cast<uintptr_t>(h)); }
IServiceManager::THandle ToId(SC_HANDLE h) { return static_cast<IServiceManager::THandle>(reinterpret_cast<uintptr_t>(h)); }
}  // namespace

IServiceManager::THandle TWin32ServiceManager::OpenManager() {
    return ToId(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
}

IServiceManager::THandle TWin32ServiceManager::CreateKernelService(THandle manager, const std::string& name,
                                                                   const std::string& imagePath, TCreate& result) {
    std::wstring wide = ToWide(name);
    SC_HANDLE service = CreateServiceW(ToHandle(manager), wide.c_str(), wide.c_str(), SERVICE_ALL_ACCESS,
                                       SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                       ToWide(imagePath).c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    if (service) {
        result = TCreate::Created;
    } else {
        result = GetLastError() == ERROR_SERVICE_EXISTS ? TCreate::Exists : TCreate::Failed;
    }
    return ToId(service);
}

IServiceManager::THandle TWin32ServiceManager::OpenNamed(THandle manager, const std::string& name) {
    return ToId(OpenServiceW(ToHandle(manager), ToWide(name).c_str(), SERVICE_ALL_ACCESS));
}

bool TWin32ServiceManager::Start(THandle service) { return StartServiceW(ToHandle(service), 0, nullptr) != FALSE; }

bool TWin32ServiceManager::Stop(THandle service) {
    SERVICE_STATUS status;
    return ControlService(ToHandle(service), SERVICE_CONTROL_STOP, &status) != FALSE;
}

bool TWin32ServiceManager::Delete(THandle service) { return ::DeleteService(ToHandle(service)) != FALSE; }

void TWin32ServiceManager::Close(THandle handle) {
    if (handle) CloseServiceHandle(ToHandle(handle));
}
