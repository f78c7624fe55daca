#include "hw/Acpibase.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Platform.h"
#include "sys/Bytes.h"
#include "sys/Debugconsole.h"
#include "sys/Singletons.h"

using bytes::Get16;
using bytes::Get32;

namespace {
constexpr uint32_t kHeaderSize = 36;
// Firmware tables are untrusted: a header claiming more than this is not read.
constexpr uint32_t kMaxTableLength = 1u << 20;
constexpr uint64_t kBiosArea = 0xE0000;
constexpr uint32_t kBiosAreaLength = 0x20000;
constexpr const char* kRootAnchor = "RSD PTR ";

std::string Signature(const uint8_t* bytes) { return std::string(reinterpret_cast<const char*>(bytes), 4); }
}  // namespace

TAcpiBase::TAcpiBase() : m_Settings(m_Channel.GetSettings()) {
    uint64_t root = m_Channel.SearchPhysicalMemory(kBiosAreaLength, 16, 8, kRootAnchor, 0, kBiosArea);
    if ((root & 0xFFFFFFFF) != 0xFFFFFFFF) m_Found = AddRootPointer(root);
    if (!m_Found) m_Found = RegistryRoute();
    if (m_Found) WalkTables();
}

bool TAcpiBase::CheckSum(const uint8_t* bytes, size_t length) {
    uint8_t sum = 0;
    for (size_t i = 0; i < length; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    return sum == 0;
}

bool TAcpiBase::AddRootPointer(uint64_t address) {
    uint8_t rsdp[36] = {};
    m_Channel.ReadPhysicalMemory(rsdp, sizeof(rsdp), address);
    if (!CheckSum(rsdp, 20)) return false;
    m_Tables.push_back({static_cast<uint32_t>(address), rsdp[15] != 0 ? Get32(rsdp + 20) : 20});
    m_Tables.push_back({Get32(rsdp + 16), 0});
    return true;
}

bool TAcpiBase::RegistryRoute() {
    IRegistry& registry = *GetPlatform().Registry;
    const auto root = IRegistry::TRoot::LocalMachine;
    std::string path = "Hardware\\ACPI\\RSDT";
    for (int level = 0; level < 3; ++level) {
        std::string name;
        if (!registry.SubKeyName(root, path, 0, name)) return false;
        path += "\\" + name;
    }
    std::string valueName;
    std::vector<uint8_t> data;
    if (!registry.ValueAt(root, path, 0, 2048, valueName, data)) return false;
    if (data.size() < 4 || (Signature(data.data()) != "RSDT" && Signature(data.data()) != "XSDT")) return false;
    if (data.size() >= 40) {
        const uint64_t from = (static_cast<uint64_t>(Get32(data.data() + 36)) - 0x10000) & 0xFFFFFF00;
        uint64_t found = m_Channel.SearchPhysicalMemory(kBiosAreaLength, 16, 8, kRootAnchor, 0, from & 0xFFFFFFFF);
        if ((found & 0xFFFFFFFF) != 0xFFFFFFFF && AddRootPointer(found)) return true;
    }
    m_Tables.push_back({0, static_cast<uint32_t>(data.size())});
    return true;
}

void TAcpiBase::AddTable(uint32_t address) {
    // A table listed twice (or a root table listing itself) is visited once.
    for (const TTableEntry& entry : m_Tables) {
        if (entry.Address == address) return;
    }
    m_Tables.push_back({address, 0});
}

void TAcpiBase::WalkTables() {
    for (size_t index = 1; index < m_Tables.size(); ++index) {
        if (m_Tables[index].Address == 0) continue;
        uint8_t header[kHeaderSize] = {};
        m_Channel.ReadPhysicalMemory(header, kHeaderSize, m_Tables[index].Address);
        const uint32_t length = Get32(header + 4);
        m_Tables[index].Length = length;
        const std::string signature = Signature(header);
        m_Console.WriteTagged("BuildAcpiTable", "Table = " + signature, kColorRed);
        static const char* const kHandled[] = {"RSDT", "FACP", "APIC", "ECDT", "DSDT", "MCFG"};
        if (std::none_of(std::begin(kHandled), std::end(kHandled), [&](const char* s) { return signature == s; })) {
            continue;
        }
        if (length < kHeaderSize || length > kMaxTableLength) continue;
        std::vector<uint8_t> table(length);
        m_Channel.ReadPhysicalMemory(table.data(), length, m_Tables[index].Address);
        HandleTable(table);
    }
}

void TAcpiBase::HandleTable(const std::vector<uint8_t>& table) {
    const uint8_t* t = table.data();
    const size_t length = table.size();
    const std::string signature = Signature(t);
    auto has = [&](size_t offset, size_t size) { return offset + size <= length; };

    if (signature == "RSDT") {
        for (size_t at = kHeaderSize; at + 4 <= length; at += 4) {
            if (uint32_t address = Get32(t + at)) AddTable(address);
        }
    } else if (signature == "FACP") {
        if (!has(40, 4)) return;
        m_DsdtAddress = Get32(t + 40);
        char hex[16];
        std::snprintf(hex, sizeof(hex), "%08X", m_DsdtAddress);
        m_Console.WriteTagged("TAcpiBase::BuildFACP", std::string("DsdtAddress = 0x") + hex, kColorGreen);
        if (has(112, 4)) {
            m_Settings.PmBase = static_cast<uint16_t>(Get32(t + 56));
            m_Settings.SciInterrupt = Get16(t + 46);
            m_Settings.PmTimerPort = static_cast<uint16_t>(Get32(t + 76));
            m_Settings.Timer32Bit = static_cast<uint16_t>(Get32(t + 112) & 0x100);
            m_Settings.SmiCommandPort = static_cast<uint16_t>(Get32(t + 48));
            m_Settings.AcpiEnable = t[52];
            m_Settings.AcpiDisable = t[53];
            m_Settings.S4BiosRequest = t[54];
            m_Settings.PStateControl = t[55];
        }
        AddTable(Get32(t + 36));
        AddTable(m_DsdtAddress);
    } else if (signature == "APIC") {
        if (!has(36, 4)) return;
        m_Settings.LocalApicAddress = Get32(t + 36);
        bool ioApicSeen = false;
        for (size_t at = 44; at + 2 <= length;) {
            const uint8_t structureLength = t[at + 1];
            if (structureLength == 0 || at + structureLength > length) break;
            if (t[at] == 1 && structureLength >= 12 && Get32(t + at + 8) == 0 && !ioApicSeen) {
                m_Settings.IoApicAddress = Get32(t + at + 4);
                ioApicSeen = true;
            }
            at += structureLength;
        }
    } else if (signature == "ECDT") {
        if (!has(52, 4)) return;
        m_Settings.EcAddressSpace = t[36];
        m_Settings.EcCommandPort = static_cast<uint16_t>(Get32(t + 40));
        m_Settings.EcDataPort = static_cast<uint16_t>(Get32(t + 52));
    } else if (signature == "DSDT") {
        std::memcpy(m_DsdtHeader.data(), t, kHeaderSize);
    } else if (signature == "MCFG") {
        if (length >= 44 + 16) m_PciExpressBase = Get32(t + 44);
    }
}

TAcpiBase& GetAcpi() { return SingletonOf<TAcpiBase>(); }
