#include "hw/Loaddriver.h"

#include "platform/Platform.h"
#include "sys/Osversion.h"
#include "sys/Singletons.h"

namespace {
constexpr uint32_t kLastNonNtCode = 16;

bool IsNtFamily() { return GetOsVersion().VersionCode(0xFFFF) > kLastNonNtCode; }

std::string DevicePath(const std::string& serviceName) { return "\\\\.\\" + serviceName; }

// Runs an action on the named service, with the manager and the service opened around it.
template <class TAction>
void WithService(const std::string& name, TAction action) {
    IServiceManager& scm = *GetPlatform().Services;
    IServiceManager::THandle manager = scm.OpenManager();
    if (manager == 0) return;
    if (IServiceManager::THandle service = scm.OpenNamed(manager, name)) {
        action(scm, service);
        scm.Close(service);
    }
    scm.Close(manager);
}
}  // namespace

TLoadDriver::TLoadDriver(bool alwaysWrite, bool stopOnUnload, bool deleteOnUnload)
    : m_AlwaysWrite(alwaysWrite), m_StopOnUnload(stopOnUnload), m_DeleteOnUnload(deleteOnUnload) {
    SelectDriverImage();
    m_Device = LoadDriver(kDriverServiceName, m_Image.Data, m_Image.Size);
}

TLoadDriver::~TLoadDriver() {
    UnloadDriver(m_Device, kDriverServiceName);
    m_Image = DriverImage();
}

void TLoadDriver::SelectDriverImage() {
    const TDriverImages& images = GetDriverImages();
    TOsVersion& os = GetOsVersion();
    if (os.IsNotWow64() && !GetPlatform().Os->ProcessIs64Bit()) {
        m_Image = images.X86;
    } else if (os.IsNativeIa64()) {
        m_Image = images.Ia64;
    } else if (os.IsNativeX64()) {
        m_Image = images.X64;
    } else {
        m_Image = DriverImage();
    }
}

std::string TLoadDriver::DriverFilePath(const std::string& serviceName) {
    IOsInfo& os = *GetPlatform().Os;
    // A 32-bit program under WOW64 is redirected to SysWOW64; a 64-bit one is not, and the
    // 64-bit driver belongs in the real system folder.
    std::string folder = GetOsVersion().IsNotWow64() ? os.SystemDirectory() : os.WindowsDirectory() + "\\SysWOW64";
    return folder + "\\Drivers\\" + serviceName + ".sys";
}

IDriverDevice::THandle TLoadDriver::LoadDriver(const std::string& serviceName, const uint8_t* image, size_t size) {
    if (!IsNtFamily()) return IDriverDevice::kInvalid;
    TPlatform& platform = GetPlatform();
    const std::string file = DriverFilePath(serviceName);
    const std::string device = DevicePath(serviceName);
    const bool haveImage = image != nullptr && size != 0;

    if (m_AlwaysWrite) {
        if (haveImage && !WriteDriverImage(file, image, size)) return IDriverDevice::kInvalid;
    } else if (platform.Files->ProbeExisting(file) == IFileSystem::TOpen::NotFound && haveImage) {
        if (!WriteDriverImage(file, image, size)) return IDriverDevice::kInvalid;
    }

    IDriverDevice::THandle result = IDriverDevice::kInvalid;
    IServiceManager& scm = *platform.Services;
    IDriverDevice::THandle probe = platform.Driver->Open(device);
    if (probe != IDriverDevice::kInvalid) {
        // Already running: start it anyway (a no-op) and open the device again.
        platform.Driver->Close(probe);
        WithService(serviceName, [](IServiceManager& s, IServiceManager::THandle service) { s.Start(service); });
        result = platform.Driver->Open(device);
    } else if (IServiceManager::THandle manager = scm.OpenManager()) {
        IServiceManager::TCreate created;
        IServiceManager::THandle service = scm.CreateKernelService(manager, serviceName, file, created);
        if (!service && created == IServiceManager::TCreate::Exists) service = scm.OpenNamed(manager, serviceName);
        if (service) {
            scm.Start(service);
            scm.Close(service);
            scm.Close(manager);
            result = platform.Driver->Open(device);
        } else {
            scm.Close(manager);
        }
    }
    if (result == IDriverDevice::kInvalid) {
        platform.Windows->ShowMessageBox("Error", kDriverLoadFailure, IWindowSystem::TBoxIcon::Stop, false);
    }
    return result;
}

bool TLoadDriver::WriteDriverImage(const std::string& path, const uint8_t* image, size_t size) {
    IFileSystem& files = *GetPlatform().Files;
    const int64_t written = files.WriteWhole(path, image, size);
    if (written < 0) return false;
    if (static_cast<size_t>(written) != size) {
        // A partial driver file would be found next time and never replaced: remove it.
        files.Remove(path);
        return false;
    }
    return true;
}

void TLoadDriver::UnloadDriver(IDriverDevice::THandle device, const std::string&) {
    if (device == IDriverDevice::kInvalid) return;
    GetPlatform().Driver->Close(device);
    m_Device = IDriverDevice::kInvalid;
    if (!IsNtFamily()) return;
    if (m_StopOnUnload) StopDriverService();
    if (m_DeleteOnUnload) DeleteDriverService();
}

bool TLoadDriver::StopDriverService() {
    if (!IsNtFamily()) return false;
    WithService(kDriverServiceName, [](IServiceManager& s, IServiceManager::THandle service) { s.Stop(service); });
    return true;
}

bool TLoadDriver::DeleteDriverService() {
    if (!IsNtFamily()) return false;
    WithService(kDriverServiceName, [](IServiceManager& s, IServiceManager::THandle service) { s.Delete(service); });
    return true;
}

TLoadDriver& GetLoadDriver(bool alwaysWrite, bool stopOnUnload, bool deleteOnUnload) {
    return SingletonOf<TLoadDriver>(alwaysWrite, stopOnUnload, deleteOnUnload);
}

void DestroyLoadDriver() { DestroySingleton<TLoadDriver>(); }
