#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

// Physical memory and PCI configuration space of the simulated board.
class TSimHardware {
public:
    struct TPciFunction {
        uint8_t Bus = 0;
        uint8_t Device = 0;
        uint8_t Function = 0;
        std::array<uint8_t, 256> Config{};
    };

    // Places bytes at a physical address (regions may not overlap).
    void Write(uint64_t address, const std::vector<uint8_t>& bytes);
    // Reads bytes; memory that no region covers reads 0xFF.
    void Read(uint64_t address, uint8_t* destination, size_t length) const;

    // A function with its identifier word, class code and header type.
    TPciFunction& AddPciFunction(uint8_t bus, uint8_t device, uint8_t function, uint16_t vendor, uint16_t deviceId,
                                 uint32_t classCode = 0x0C0330, uint8_t headerType = 0);
    // A configuration read of 1, 2 or 4 bytes; absent functions read all ones.
    uint32_t ReadPci(uint8_t bus, uint8_t device, uint8_t function, uint16_t offset, int width) const;

    std::map<uint64_t, std::vector<uint8_t>> Regions;
    std::vector<TPciFunction> Pci;
};
