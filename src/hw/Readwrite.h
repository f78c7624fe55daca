#pragma once
#include <array>
#include <cstdint>

#include "hw/Envelope.h"
#include "hw/Rwconfig.h"
#include "platform/DriverDevice.h"

class TDebugConsole;

inline constexpr uint64_t kNotFound = 0x00000000FFFFFFFFull;
inline constexpr uint16_t kNoPciLocation = 0xFFFF;

// The program's only path to the hardware-access driver: physical-memory reads and searches
// and PCI configuration reads, each sent as an encrypted envelope.
class TReadWrite {
public:
    TReadWrite();
    TReadWrite(const TReadWrite&) = delete;
    TReadWrite& operator=(const TReadWrite&) = delete;

    bool ReadPhysicalMemory(void* destination, uint32_t length, uint64_t address);
    bool ReadPhysicalMemoryUnits(void* destination, uint32_t length, uint32_t unit, uint64_t address);
    uint32_t ReadPhysicalDword(uint64_t address);
    uint64_t SearchPhysicalMemory(uint32_t regionLength, uint32_t step, uint32_t patternLength, const void* pattern,
                                  uint32_t occurrence, uint64_t start);

    uint8_t ReadPciConfigByte(uint8_t bus, uint8_t device, uint16_t offset, uint8_t function);
    uint16_t ReadPciConfigWord(uint8_t bus, uint8_t device, uint16_t offset, uint8_t function);
    uint32_t ReadPciConfigDword(uint8_t bus, uint8_t device, uint16_t offset, uint8_t function);

    uint16_t FindPciDevice(uint32_t match);
    uint16_t FindPciFunction(uint32_t match, uint32_t skip, int kind);
    bool MatchPciFunction(uint8_t bus, uint8_t device, int kind, uint32_t match, uint8_t function);

    TRwConfig& GetSettings() { return m_Settings; }

    bool SendEnvelope(IDriverDevice::THandle device, uint32_t innerCode, const void* inner, uint32_t innerLength,
                      void* output, uint32_t outputLength, uint32_t& returned);

    IDriverDevice::THandle DeviceHandle() const { return m_Device; }

private:
    uint32_t ReadPciConfig(uint32_t code, uint8_t bus, uint8_t device, uint16_t offset, uint8_t function);

    IDriverDevice::THandle m_Device;
    TRwConfig& m_Settings;
    std::array<uint8_t, envelope::kPciRequestSize> m_PciBlock{};
};

TReadWrite& GetReadWrite();

// Base of the hardware readers: the channel and the debug log, neither owned.
class TIoObject {
public:
    TIoObject();
    virtual ~TIoObject() = default;

protected:
    TReadWrite& m_Channel;
    TDebugConsole& m_Console;
};
