#pragma once
#include <cstdint>
#include <string>

struct TOsVersionRecord {
    uint32_t PlatformId = 0;
    uint32_t Major = 0;
    uint32_t Minor = 0;
    uint32_t Build = 0;
};

// What the system says about itself: version, processor architecture, WOW64.
class IOsInfo {
public:
    static constexpr uint16_t kArchX86 = 0;
    static constexpr uint16_t kArchIa64 = 6;
    static constexpr uint16_t kArchAmd64 = 9;

    virtual ~IOsInfo() = default;
    virtual bool QueryVersion(TOsVersionRecord& record) = 0;
    // Whether a module of the system exports an entry point (for example kernel32's
    // GetNativeSystemInfo or IsWow64Process).
    virtual bool HasEntryPoint(const std::string& module, const std::string& name) = 0;
    // Processor architecture from the native or the emulated system information.
    virtual uint16_t ProcessorArchitecture(bool native) = 0;
    // The answer of IsWow64Process for the current process (call only when it exists).
    virtual bool IsWow64Process() = 0;
    // Whether this program itself is a 64-bit build.
    virtual bool ProcessIs64Bit() = 0;
    // The system folder and the Windows folder (no trailing "\\").
    virtual std::string SystemDirectory() = 0;
    virtual std::string WindowsDirectory() = 0;
    // GetSystemFirmwareTable: the table's size when size is too small (0 on failure); the
    // caller checks HasEntryPoint first.
    virtual uint32_t SystemFirmwareTable(uint32_t provider, uint32_t id, uint8_t* buffer, uint32_t size) = 0;
    // The user's default user-interface language (a Windows language identifier).
    virtual uint16_t UserDefaultUILanguage() = 0;
};
