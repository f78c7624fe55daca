#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "hw/Readwrite.h"

// Finds the ACPI tables in physical memory (or through the registry's copy of the root
// table), walks them once and records a few platform resources.
class TAcpiBase : public TIoObject {
public:
    struct TTableEntry {
        uint32_t Address = 0;
        uint32_t Length = 0;
    };

    TAcpiBase();

    static bool CheckSum(const uint8_t* bytes, size_t length);

    const std::array<uint8_t, 36>& DsdtHeader() const { return m_DsdtHeader; }
    uint32_t DsdtAddress() const { return m_DsdtAddress; }
    uint32_t PciExpressBase() const { return m_PciExpressBase; }
    bool Found() const { return m_Found; }
    const std::vector<TTableEntry>& Tables() const { return m_Tables; }

private:
    bool AddRootPointer(uint64_t address);
    bool RegistryRoute();
    void WalkTables();
    void AddTable(uint32_t address);
    void HandleTable(const std::vector<uint8_t>& table);

    TRwConfig& m_Settings;
    std::array<uint8_t, 36> m_DsdtHeader{};
    uint32_t m_DsdtAddress = 0;
    uint32_t m_PciExpressBase = 0;
    bool m_Found = false;
    std::vector<TTableEntry> m_Tables;
};

TAcpiBase& GetAcpi();
