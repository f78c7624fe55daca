#pragma once
#include <cstring>
#include <vector>

#include "platform/OsInfo.h"

// The system's own facts, set by a test to present any Windows release and architecture.
class TSimOs : public IOsInfo {
public:
    bool QueryVersion(TOsVersionRecord& record) override {
        if (!VersionAvailable) return false;
        record = Version;
        return true;
    }
    bool HasEntryPoint(const std::string&, const std::string& name) override {
        if (name == "GetNativeSystemInfo") return HasNativeSystemInfo;
        if (name == "IsWow64Process") return HasIsWow64Process;
        if (name == "GetSystemFirmwareTable") return HasFirmwareTable;
        return false;
    }
    std::string SystemDirectory() override {
        return WindowsFolder + (Process64Bit || !Wow64 ? "\\System32" : "\\SysWOW64");
    }
    std::string WindowsDirectory() override { return WindowsFolder; }
    uint32_t SystemFirmwareTable(uint32_t provider, uint32_t, uint8_t* buffer, uint32_t size) override {
        if (provider != 0x52534D42 || FirmwareTable.empty()) return 0;
        const uint32_t needed = static_cast<uint32_t>(FirmwareTable.size());
        if (!buffer || size < needed) return needed;
        std::memcpy(buffer, FirmwareTable.data(), needed);
        return needed;
    }
    uint16_t ProcessorArchitecture(bool native) override { return native ? NativeArchitecture : EmulatedArchitecture; }
    bool IsWow64Process() override { return Wow64; }
    bool ProcessIs64Bit() override { return Process64Bit; }
    uint16_t UserDefaultUILanguage() override { return UiLanguage; }

    // A 64-bit program on 64-bit Windows 10, the usual case.
    bool VersionAvailable = true;
    TOsVersionRecord Version{2, 10, 0, 19045};
    bool HasNativeSystemInfo = true;
    bool HasIsWow64Process = true;
    uint16_t NativeArchitecture = kArchAmd64;
    uint16_t EmulatedArchitecture = kArchAmd64;
    bool Wow64 = false;
    bool Process64Bit = true;
    uint16_t UiLanguage = 1033;
    std::string WindowsFolder = "C:\\Windows";
    bool HasFirmwareTable = true;
    std::vector<uint8_t> FirmwareTable;  // the raw SMBIOS data: 8-byte header, then the table
};
