#pragma once
#include "platform/OsInfo.h"

class TWin32Os : public IOsInfo {
public:
    bool QueryVersion(TOsVersionRecord& record) override;
    bool HasEntryPoint(const std::string& module, const std::string& name) override;
    uint16_t ProcessorArchitecture(bool native) override;
    bool IsWow64Process() override;
    bool ProcessIs64Bit() override { return sizeof(void*) == 8; }
    std::string SystemDirectory() override;
    std::string WindowsDirectory() override;
    uint32_t SystemFirmwareTable(uint32_t provider, uint32_t id, uint8_t* buffer, uint32_t size) override;
    uint16_t UserDefaultUILanguage() override;
};
