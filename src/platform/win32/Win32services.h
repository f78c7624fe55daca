#pragma once
#include "platform/ServiceManager.h"

class TWin32ServiceManager : public IServiceManager {
public:
    THandle OpenManager() override;
    THandle CreateKernelService(THandle manager, const std::string& name, const std::string& imagePath,
                                TCreate& result) override;
    THandle OpenNamed(THandle manager, const std::string& name) override;
    bool Start(THandle service) override;
    bool Stop(THandle service) override;
    bool Delete(THandle service) override;
    void Close(THandle handle) override;
    bool KernelDriverInstalled(const std::string& name) override;
};
