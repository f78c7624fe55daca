#pragma once
#include <map>
#include <set>

#include "platform/ServiceManager.h"
#include "platform/sim/Simfiles.h"

// The service control manager of the simulated machine. A kernel service starts when its
// image file is on disk.
class TSimServiceManager : public IServiceManager {
public:
    struct TService {
        std::string ImagePath;  // a file of the simulated disk; "" for a driver served by the model
        bool Running = false;
        int Starts = 0;
        bool Disabled = false;  // its start type is "disabled": it never loads
    };

    explicit TSimServiceManager(TSimFileSystem& files) : m_Files(files) {}

    THandle OpenManager() override;
    THandle CreateKernelService(THandle manager, const std::string& name, const std::string& imagePath,
                                TCreate& result) override;
    THandle OpenNamed(THandle manager, const std::string& name) override;
    bool Start(THandle service) override;
    bool Stop(THandle service) override;
    bool Delete(THandle service) override;
    void Close(THandle handle) override { m_Handles.erase(handle); }
    bool KernelDriverInstalled(const std::string& name) override;
    // The service's image is a driver that loads (a file that is there but broken does not).
    bool ImageLoads(const std::string& name) const;

    bool Running(const std::string& name) const;

    std::map<std::string, TService> Services;
    bool Administrator = true;  // without it the manager does not open with full access
    bool FailCreate = false;
    size_t OpenHandles() const { return m_Handles.size(); }

private:
    TSimFileSystem& m_Files;
    std::map<THandle, std::string> m_Handles;  // "" for the manager
    THandle m_Next = 1;
};
