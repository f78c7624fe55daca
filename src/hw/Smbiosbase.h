#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hw/Readwrite.h"

// Reads the SMBIOS structure table once (from physical memory, or from the firmware-table
// query) and summarises the installed memory modules.
class TSmbiosBase : public TIoObject {
public:
    static constexpr size_t kSlots = 32;

    struct TMemorySlot {
        bool Present = false;
        float SizeGb = 0;
        uint8_t Attributes = 0;
        uint8_t MemoryType = 0;
        uint16_t Speed = 0;
        uint16_t ConfiguredSpeed = 0;
        std::string Locator;
        uint8_t FormFactor = 0;
    };

    TSmbiosBase();

    bool TablePresent() const { return m_TablePresent; }
    bool FromFirmware() const { return m_FromFirmware; }
    uint32_t EntryPointAddress() const { return m_EntryPointAddress; }
    const std::vector<uint8_t>& Table() const { return m_Table; }
    uint16_t TableLength() const { return m_TableLength; }
    uint32_t TableAddress() const { return m_TableAddress; }
    const std::array<uint8_t, 31>& EntryPoint() const { return m_EntryPoint; }
    int Version() const { return m_Version; }
    bool Mismatch() const { return m_Mismatch; }
    const std::array<TMemorySlot, kSlots>& Slots() const { return m_Slots; }
    uint16_t AnnouncedDevices() const { return m_Announced; }
    uint16_t InstalledModules() const { return m_Installed; }

private:
    bool MemoryRoute();
    bool FirmwareRoute();
    void BuildSubstituteEntryPoint(uint8_t major, uint8_t minor);
    // Calls the action with each structure's offset and formatted length; answers the count.
    template <class TAction>
    uint16_t WalkStructures(TAction action) const;
    void ReadStructure(size_t at, uint8_t formatted);
    std::string StructureString(size_t at, uint8_t formatted, uint8_t number) const;

    bool m_TablePresent = false;
    bool m_FromFirmware = false;
    uint32_t m_EntryPointAddress = 0;
    std::vector<uint8_t> m_Table;
    uint16_t m_TableLength = 0;
    uint32_t m_TableAddress = 0;
    std::array<uint8_t, 31> m_EntryPoint{};
    int m_Version = 0;
    bool m_Mismatch = false;
    std::array<TMemorySlot, kSlots> m_Slots{};
    size_t m_SlotIndex = 0;
    uint16_t m_Announced = 0;
    uint16_t m_Installed = 0;
};

TSmbiosBase& GetSmbios();
