#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/Simhardware.h"

// Builds the firmware's structures in the simulated board's memory from a readable
// description, with lengths and checksums computed. Tests use the pieces to plant faults.
namespace simfirmware {

using TBytes = std::vector<uint8_t>;

struct TBiosRecord {
    std::string ModelName;
    char Letter = 'P';
    uint8_t Major = 1;
    uint8_t Minor = 5;
    char Suffix = '0';
    uint16_t Year = 2014;
    uint8_t Month = 7;
    uint8_t Day = 3;
};
// The 64-byte record with the signature "$CN1368$" and a zero 8-bit sum.
TBytes BiosRecord(const TBiosRecord& record);

// A system description table: 36-byte header with the signature, length and checksum.
TBytes AcpiTable(const std::string& signature, const TBytes& body, uint8_t revision = 1);
// The 20-byte (revision 0) root pointer to an RSDT.
TBytes RootPointer(uint32_t rsdtAddress);

struct TAcpiLayout {
    uint32_t Base = 0x7FFE0000;  // where the tables go, one after another
    uint64_t RootPointerAt = 0xF0000;
    bool WithEcdt = false;
    uint32_t IoApic = 0xFEC00000;
    uint32_t LocalApic = 0xFEE00000;
    uint32_t PciExpressBase = 0xE0000000;
};
struct TAcpiPlaced {
    uint32_t Rsdt, Facp, Facs, Dsdt, Apic, Mcfg, Ecdt;
};
// RSDP, RSDT (FACP, APIC, MCFG, and ECDT when asked), FACP, FACS, DSDT, APIC, MCFG.
TAcpiPlaced PlaceAcpi(TSimHardware& hardware, const TAcpiLayout& layout);

struct TMemoryModule {
    uint16_t SizeWord = 8192;  // MB; 0x7FFF: see Extended; bit 15: KB units; 0 or 0xFFFF: empty
    uint32_t Extended = 0;
    std::string Locator = "DIMM_A1";
    uint16_t Speed = 3200;
};
// A structure table with type 16 arrays (devices each), type 17 devices and an end structure.
TBytes SmbiosTable(const std::vector<uint16_t>& arrays, const std::vector<TMemoryModule>& modules,
                   uint16_t* structures = nullptr);
// The 31-byte 2.x entry point with both checksums.
TBytes SmbiosEntryPoint(uint16_t tableLength, uint32_t tableAddress, uint16_t structures, uint8_t major = 2,
                        uint8_t minor = 8);
// The raw SMBIOS data of the firmware-table query: 8-byte header, then the table.
TBytes RawSmbios(const TBytes& table, uint8_t major = 3, uint8_t minor = 2);

// Sets a byte so that the 8-bit sum of the bytes is zero.
void FixChecksum(TBytes& bytes, size_t at, size_t from = 0, size_t length = 0);

}  // namespace simfirmware
