#pragma once
#include <cstdint>

#include "platform/OsInfo.h"

// Classifies the running Windows once: release family, native architecture, WOW64.
class TOsVersion {
public:
    // Release codes (the version flags without the two architecture bits).
    static constexpr uint32_t kWin9x = 16;
    static constexpr uint32_t kWin2000Xp = 32;
    static constexpr uint32_t kVista = 64;
    static constexpr uint32_t kWin7 = 192;
    static constexpr uint32_t kWin8 = 448;
    static constexpr uint32_t kWin81 = 704;
    static constexpr uint32_t kWin10 = 1216;
    static constexpr uint32_t kBitX64 = 1;
    static constexpr uint32_t kBitIa64 = 2;

    TOsVersion();

    uint32_t VersionCode(uint32_t mask) const { return m_Flags & mask; }
    bool IsNotWow64() const;
    bool IsNativeX64() const { return (m_Flags & kBitX64) != 0; }
    bool IsNativeIa64() const { return (m_Flags & kBitIa64) != 0; }

private:
    TOsVersionRecord m_Version;
    uint16_t m_ProcessorArchitecture = 0;
    uint32_t m_Flags = 0;
};

TOsVersion& GetOsVersion();
