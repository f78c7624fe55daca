#pragma once
#include <cstdint>
#include <string>

// The service control manager, for the kernel-driver service.
class IServiceManager {
public:
    using THandle = uint64_t;  // 0 means none
    enum class TCreate { Created, Exists, Failed };

    virtual ~IServiceManager() = default;
    // Local machine, default database, full access.
    virtual THandle OpenManager() = 0;
    // A demand-start kernel-driver service whose display name is its name.
    virtual THandle CreateKernelService(THandle manager, const std::string& name, const std::string& imagePath,
                                        TCreate& result) = 0;
    virtual THandle OpenNamed(THandle manager, const std::string& name) = 0;
    virtual bool Start(THandle service) = 0;
    virtual bool Stop(THandle service) = 0;
    virtual bool Delete(THandle service) = 0;
    virtual void Close(THandle handle) = 0;
    // True when a kernel-driver service of that name is installed and its image file exists:
    // a device whose stack names any other service cannot start.
    virtual bool KernelDriverInstalled(const std::string& name) = 0;
};
