#pragma once
#include <array>
#include <cstdint>
#include <string>

class TReadWrite;
class TSmbiosBase;
class TAcpiBase;

inline constexpr const char* kBiosRecordSignature = "$CN1368$";
inline constexpr size_t kBiosRecordSize = 64;

// The firmware's BIOS information record: found in the legacy BIOS area by its signature and
// checksum, decoded into model name, BIOS version and date.
class TKytBiosInfo {
public:
    TKytBiosInfo();

    bool Found() const { return m_Found; }
    const std::string& ModelName() const { return m_ModelName; }
    const std::string& TrimmedModelName() const { return m_TrimmedModelName; }
    const std::string& BiosVersion() const { return m_BiosVersion; }
    const std::string& BiosDate() const { return m_BiosDate; }

    // Decoding of a record that passed its checksum.
    void Decode(const uint8_t* record);

private:
    bool m_Found = false;
    std::array<uint8_t, kBiosRecordSize> m_Record{};
    std::string m_ModelName;
    std::string m_TrimmedModelName;
    std::string m_BiosVersion;
    std::string m_BiosDate;
    TReadWrite& m_Channel;
};

TKytBiosInfo& GetBiosInfo();

// The platform identity: brings up the SMBIOS and ACPI readers and takes the model name from
// the BIOS information record.
class TKytSpec {
public:
    TKytSpec();
    virtual ~TKytSpec() = default;

    const std::string& ModelName() const { return m_ModelName; }

private:
    TReadWrite& m_Channel;
    TSmbiosBase& m_Smbios;
    TAcpiBase* m_Acpi = nullptr;
    std::string m_ModelName;
};

TKytSpec& GetSpec();
void DestroySpec();
