#include "platform/sim/Simhardware.h"

#include <cstring>

void TSimHardware::Write(uint64_t address, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return;
    for (auto& [base, region] : Regions) {
        if (address >= base && address + bytes.size() <= base + region.size()) {
            std::memcpy(region.data() + (address - base), bytes.data(), bytes.size());
            return;
        }
    }
    Regions[address] = bytes;
}

void TSimHardware::Read(uint64_t address, uint8_t* destination, size_t length) const {
    std::memset(destination, 0xFF, length);
    for (const auto& [base, region] : Regions) {
        const uint64_t end = base + region.size();
        const uint64_t from = address > base ? address : base;
        const uint64_t to = address + length < end ? address + length : end;
        if (from < to) std::memcpy(destination + (from - address), region.data() + (from - base), to - from);
    }
}

TSimHardware::TPciFunction& TSimHardware::AddPciFunction(uint8_t bus, uint8_t device, uint8_t function, uint16_t vendor,
                                                         uint16_t deviceId, uint32_t classCode, uint8_t headerType) {
    TPciFunction f;
    f.Bus = bus;
    f.Device = device;
    f.Function = function;
    f.Config[0] = static_cast<uint8_t>(vendor);
    f.Config[1] = static_cast<uint8_t>(vendor >> 8);
    f.Config[2] = static_cast<uint8_t>(deviceId);
    f.Config[3] = static_cast<uint8_t>(deviceId >> 8);
    f.Config[9] = static_cast<uint8_t>(classCode);
    f.Config[10] = static_cast<uint8_t>(classCode >> 8);
    f.Config[11] = static_cast<uint8_t>(classCode >> 16);
    f.Config[0x0E] = headerType;
    Pci.push_back(f);
    return Pci.back();
}

uint32_t TSimHardware::ReadPci(uint8_t bus, uint8_t device, uint8_t function, uint16_t offset, int width) const {
    const uint32_t all = width == 1 ? 0xFF : width == 2 ? 0xFFFF : 0xFFFFFFFF;
    for (const TPciFunction& f : Pci) {
        if (f.Bus != bus || f.Device != device || f.Function != function) continue;
        if (offset + width > 256) return all;
        uint32_t value = 0;
        for (int i = 0; i < width; ++i) value |= static_cast<uint32_t>(f.Config[offset + i]) << (8 * i);
        return value;
    }
    return all;
}
