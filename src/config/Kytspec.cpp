#include "config/Kytspec.h"

#include <cstdio>

#include "hw/Acpibase.h"
#include "hw/Readwrite.h"
#include "hw/Smbiosbase.h"
#include "sys/Bytes.h"
#include "sys/Debugconsole.h"
#include "sys/Singletons.h"

namespace {
constexpr uint64_t kBiosArea = 0xE0000;
constexpr uint32_t kBiosAreaLength = 0x20000;
}  // namespace

TKytBiosInfo::TKytBiosInfo() : m_Channel(GetReadWrite()) {
    for (uint32_t occurrence = 0;; ++occurrence) {
        uint64_t found =
            m_Channel.SearchPhysicalMemory(kBiosAreaLength, 1, 8, kBiosRecordSignature, occurrence, kBiosArea);
        if ((found & 0xFFFFFFFF) == 0xFFFFFFFF) return;
        m_Record.fill(0);
        m_Channel.ReadPhysicalMemoryUnits(m_Record.data(), kBiosRecordSize, 0, found);
        uint8_t sum = 0;
        for (uint8_t b : m_Record) sum = static_cast<uint8_t>(sum + b);
        if (sum == 0) {
            m_Found = true;
            Decode(m_Record.data());
            return;
        }
    }
}

void TKytBiosInfo::Decode(const uint8_t* record) {
    m_ModelName.clear();
    for (size_t i = 10; i < 42 && record[i] != 0; ++i) m_ModelName += static_cast<char>(record[i]);
    m_TrimmedModelName = m_ModelName;
    while (!m_TrimmedModelName.empty() && m_TrimmedModelName.back() == '.') m_TrimmedModelName.pop_back();

    char text[32];
    const char letter = static_cast<char>(record[42]);
    const unsigned major = record[43];
    const unsigned minor = record[44];
    const char suffix = static_cast<char>(record[45]);
    if (suffix == '0') {
        std::snprintf(text, sizeof(text), "%c%u.%02u", letter, major, minor);
    } else {
        std::snprintf(text, sizeof(text), "%c%u.%02u%c", letter, major, minor, suffix);
    }
    m_BiosVersion = text;
    const unsigned year = bytes::Get16(&record[46]);
    std::snprintf(text, sizeof(text), "%u/%02u/%02u", year, static_cast<unsigned>(record[48]),
                  static_cast<unsigned>(record[49]));
    m_BiosDate = text;
}

TKytBiosInfo& GetBiosInfo() { return SingletonOf<TKytBiosInfo>(); }

TKytSpec::TKytSpec() : m_Channel(GetReadWrite()), m_Smbios(GetSmbios()) {
    m_ModelName = GetBiosInfo().TrimmedModelName();
    m_Acpi = &GetAcpi();
    GetDebugConsole(false).WriteTagged("Model Name", m_ModelName, kColorYellow);
}

TKytSpec& GetSpec() { return SingletonOf<TKytSpec>(); }

void DestroySpec() { DestroySingleton<TKytSpec>(); }
