#include "platform/win32/Win32services.h"

#include <windows.h>

#include <vector>

#include "platform/win32/Wide.h"

namespace {
SC_HANDLE ToHandle(IServiceManager::THandle h) { return reinterpret_cast<SC_HANDLE>(static_cast<uintptr_t>(h)); }
IServiceManager::THandle ToId(SC_HANDLE h) {
    return static_cast<IServiceManager::THandle>(reinterpret_cast<uintptr_t>(h));
}
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

namespace {
// A service's image path as the service manager keeps it, as a file path: "\SystemRoot\...",
// a path relative to the Windows folder ("System32\drivers\..."), "\??\C:\..." or a full one.
std::wstring ImageFile(const std::wstring& image) {
    // The system's Windows folder: on a Remote Desktop host GetWindowsDirectory may answer a
    // folder of the user's own.
    wchar_t windows[MAX_PATH] = {};
    GetSystemWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring systemRoot = L"\\SystemRoot\\";
    const std::wstring ntPrefix = L"\\??\\";
    if (_wcsnicmp(image.c_str(), systemRoot.c_str(), systemRoot.size()) == 0) {
        return std::wstring(windows) + L"\\" + image.substr(systemRoot.size());
    }
    if (image.compare(0, ntPrefix.size(), ntPrefix) == 0) return image.substr(ntPrefix.size());
    if (image.size() > 1 && image[1] == L':') return image;
    return std::wstring(windows) + L"\\" + image;
}

// Whether a file exists as the system sees it: a 32-bit program on 64-bit Windows has
// System32 redirected to SysWOW64, where no 64-bit driver lies.
bool SystemFileExists(const std::wstring& path) {
    using TDisable = BOOL(WINAPI*)(PVOID*);
    using TRevert = BOOL(WINAPI*)(PVOID);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto disable = reinterpret_cast<TDisable>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "Wow64DisableWow64FsRedirection") : nullptr));
    const auto revert = reinterpret_cast<TRevert>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "Wow64RevertWow64FsRedirection") : nullptr));
    PVOID redirection = nullptr;
    const bool disabled = disable && revert && disable(&redirection);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (disabled) revert(redirection);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

bool TWin32ServiceManager::KernelDriverInstalled(const std::string& name) {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager) return false;
    bool installed = false;
    if (SC_HANDLE service = OpenServiceW(manager, ToWide(name).c_str(), SERVICE_QUERY_CONFIG)) {
        DWORD needed = 0;
        QueryServiceConfigW(service, nullptr, 0, &needed);
        std::vector<BYTE> buffer(needed ? needed : sizeof(QUERY_SERVICE_CONFIGW));
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
        // A disabled driver never loads: binding it would leave the mouse without a stack. An
        // empty image path is the kernel's default, drivers\<service>.sys.
        if (QueryServiceConfigW(service, config, static_cast<DWORD>(buffer.size()), &needed) &&
            (config->dwServiceType & SERVICE_KERNEL_DRIVER) && config->dwStartType != SERVICE_DISABLED) {
            const std::wstring image = config->lpBinaryPathName && config->lpBinaryPathName[0]
                                           ? std::wstring(config->lpBinaryPathName)
                                           : L"\\SystemRoot\\System32\\drivers\\" + ToWide(name) + L".sys";
            installed = SystemFileExists(ImageFile(image));
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return installed;
}
