#pragma once
#include <cstdint>

// The hardware-access layer's record of platform resources, with defaults that the ACPI
// tables overwrite.
class TRwConfig {
public:
    virtual ~TRwConfig() = default;

    uint16_t EcCommandPort = 0x66;
    uint16_t EcDataPort = 0x62;
    uint8_t EcAddressSpace = 1;  // system I/O
    uint32_t IoApicAddress = 0xFEC00000;
    uint32_t LocalApicAddress = 0;
    uint16_t PmBase = 0x800;
    uint32_t SciInterrupt = 9;
    uint16_t PmTimerPort = 0;
    uint16_t Timer32Bit = 0;
    uint16_t SmiCommandPort = 0;
    uint8_t AcpiEnable = 0;
    uint8_t AcpiDisable = 0;
    uint8_t S4BiosRequest = 0;
    uint8_t PStateControl = 0;
};

TRwConfig& GetRwConfig();
void DestroyRwConfig();
