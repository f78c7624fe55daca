#include "platform/sim/Simservices.h"

IServiceManager::THandle TSimServiceManager::OpenManager() {
    if (!Administrator) return 0;
    m_Handles[m_Next] = "";
    return m_Next++;
}

IServiceManager::THandle TSimServiceManager::CreateKernelService(THandle manager, const std::string& name,
                                                                 const std::string& imagePath, TCreate& result) {
    result = TCreate::Failed;
    if (m_Handles.count(manager) == 0 || FailCreate) return 0;
    if (Services.count(name)) {
        result = TCreate::Exists;
        return 0;
    }
    Services[name] = {imagePath, false, 0};
    result = TCreate::Created;
    m_Handles[m_Next] = name;
    return m_Next++;
}

IServiceManager::THandle TSimServiceManager::OpenNamed(THandle manager, const std::string& name) {
    if (m_Handles.count(manager) == 0 || Services.count(name) == 0) return 0;
    m_Handles[m_Next] = name;
    return m_Next++;
}

bool TSimServiceManager::Start(THandle service) {
    auto handle = m_Handles.find(service);
    if (handle == m_Handles.end() || handle->second.empty()) return false;
    TService& s = Services[handle->second];
    ++s.Starts;
    if (s.Running) return false;  // already running
    const std::vector<uint8_t>* image = m_Files.Content(s.ImagePath);
    s.Running = image && !image->empty();
    return s.Running;
}

bool TSimServiceManager::Stop(THandle service) {
    auto handle = m_Handles.find(service);
    if (handle == m_Handles.end() || handle->second.empty()) return false;
    Services[handle->second].Running = false;
    return true;
}

bool TSimServiceManager::Delete(THandle service) {
    auto handle = m_Handles.find(service);
    if (handle == m_Handles.end() || handle->second.empty()) return false;
    Services.erase(handle->second);
    return true;
}

bool TSimServiceManager::KernelDriverInstalled(const std::string& name) {
    auto it = Services.find(name);
    if (it == Services.end() || it->second.Disabled) return false;
    // Without an image path the kernel loads the service's file of the drivers folder.
    const std::string path = it->second.ImagePath.empty() ? "C:\\Windows\\System32\\drivers\\" + name + ".sys"
                                                          : it->second.ImagePath;
    const std::vector<uint8_t>* image = m_Files.Content(path);
    return image && !image->empty();
}

bool TSimServiceManager::ImageLoads(const std::string& name) const {
    auto it = Services.find(name);
    if (it == Services.end()) return false;
    const std::vector<uint8_t>* image = m_Files.Content(it->second.ImagePath);
    return image && image->size() >= 2 && (*image)[0] == 'M' && (*image)[1] == 'Z';
}

bool TSimServiceManager::Running(const std::string& name) const {
    auto it = Services.find(name);
    return it != Services.end() && it->second.Running;
}
