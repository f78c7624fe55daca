#include "hw/Readwrite.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "hw/Loaddriver.h"
#include "platform/Platform.h"
#include "sys/Bytes.h"
#include "sys/Debugconsole.h"
#include "sys/Singletons.h"

using namespace envelope;
using bytes::Get32;

TReadWrite::TReadWrite() : m_Device(GetLoadDriver(false, false, false).GetDriverHandle()), m_Settings(GetRwConfig()) {}

bool TReadWrite::SendEnvelope(IDriverDevice::THandle device, uint32_t innerCode, const void* inner,
                              uint32_t innerLength, void* output, uint32_t outputLength, uint32_t& returned) {
    ICrypto& crypto = *GetPlatform().Crypto;
    if (!crypto.Available()) return false;
    uint8_t box[kEnvelopeSize];
    uint8_t salt[kSaltSize];
    TKey key{};
    std::array<uint8_t, kPlainSize> plain{};
    std::vector<uint8_t> cipher;
    bool sent = false;
    // Every request draws its own salt and IV.
    if (crypto.Random(box, sizeof(box)) && crypto.Random(salt, sizeof(salt))) {
        key = DeriveKey(salt);
        plain = Plaintext(innerCode, static_cast<const uint8_t*>(inner), innerLength);
        uint8_t iv[kIvSize];
        const size_t ivSize = crypto.BlockLength();
        if (ivSize == kIvSize && crypto.Random(iv, ivSize) &&
            crypto.Encrypt(key.data(), iv, ivSize, plain.data(), plain.size(), cipher) &&
            Seal(box, iv, ivSize, salt, cipher)) {
            sent = GetPlatform().Driver->IoControl(device, kEnvelopeCode, box, kEnvelopeSize,
                                                   static_cast<uint8_t*>(output), outputLength, returned);
        }
    }
    std::fill(key.begin(), key.end(), 0);
    std::memset(salt, 0, sizeof(salt));
    std::memset(box, 0, sizeof(box));
    std::fill(plain.begin(), plain.end(), 0);
    return sent;
}

bool TReadWrite::ReadPhysicalMemoryUnits(void* destination, uint32_t length, uint32_t unit, uint64_t address) {
    TMemoryRequest request;
    request.Address = address;
    request.Length = length;
    request.Unit = unit;
    // The full pointer: a 64-bit build's buffers may lie above 4 GiB.
    request.Destination = reinterpret_cast<uintptr_t>(destination);
    auto bytes = EncodeMemoryRequest(request);
    uint32_t returned = 0;
    return SendEnvelope(m_Device, kReadMemoryCode, bytes.data(), kMemoryRequestSize, bytes.data(), kMemoryRequestSize,
                        returned);
}

bool TReadWrite::ReadPhysicalMemory(void* destination, uint32_t length, uint64_t address) {
    return ReadPhysicalMemoryUnits(destination, length, 0, address);
}

uint32_t TReadWrite::ReadPhysicalDword(uint64_t address) {
    uint8_t bytes[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    ReadPhysicalMemoryUnits(bytes, 4, 2, address);
    return Get32(bytes);
}

uint64_t TReadWrite::SearchPhysicalMemory(uint32_t regionLength, uint32_t step, uint32_t patternLength,
                                          const void* pattern, uint32_t occurrence, uint64_t start) {
    constexpr uint32_t kWindow = 4096;
    if (step == 0) step = 1;
    if (patternLength == 0 || patternLength > kWindow) return kNotFound;
    std::vector<uint8_t> window(kWindow);
    uint64_t remaining = regionLength;
    uint64_t address = start;
    while (remaining >= patternLength) {
        const uint32_t size = static_cast<uint32_t>(std::min<uint64_t>(kWindow, remaining));
        std::fill(window.begin(), window.end(), 0);
        ReadPhysicalMemory(window.data(), size, address);
        for (uint32_t offset = 0; offset + patternLength <= size; offset += step) {
            if (std::memcmp(window.data() + offset, pattern, patternLength) == 0) {
                if (occurrence == 0) return address;
                --occurrence;
            }
            address += step;
            remaining = remaining > step ? remaining - step : 0;
        }
    }
    return kNotFound;
}

uint32_t TReadWrite::ReadPciConfig(uint32_t code, uint8_t bus, uint8_t device, uint16_t offset, uint8_t function) {
    // Preset to "absent", so that a failed read never answers the previous read's value.
    m_PciBlock = EncodePciRequest({bus, device, function, offset, 0xFFFFFFFF});
    uint32_t returned = 0;
    SendEnvelope(m_Device, code, m_PciBlock.data(), kPciRequestSize, m_PciBlock.data(), kPciRequestSize, returned);
    return Get32(m_PciBlock.data() + 8);
}

uint8_t TReadWrite::ReadPciConfigByte(uint8_t bus, uint8_t device, uint16_t offset, uint8_t function) {
    return static_cast<uint8_t>(ReadPciConfig(kReadPciByteCode, bus, device, offset, function));
}

uint16_t TReadWrite::ReadPciConfigWord(uint8_t bus, uint8_t device, uint16_t offset, uint8_t function) {
    return static_cast<uint16_t>(ReadPciConfig(kReadPciWordCode, bus, device, offset, function));
}

uint32_t TReadWrite::ReadPciConfigDword(uint8_t bus, uint8_t device, uint16_t offset, uint8_t function) {
    return ReadPciConfig(kReadPciDwordCode, bus, device, offset, function);
}

uint16_t TReadWrite::FindPciDevice(uint32_t match) { return FindPciFunction(match, 0, 0); }

uint16_t TReadWrite::FindPciFunction(uint32_t match, uint32_t skip, int kind) {
    for (uint32_t bus = 0; bus <= 255; ++bus) {
        for (uint8_t device = 0; device < 32; ++device) {
            const uint32_t id = ReadPciConfigDword(static_cast<uint8_t>(bus), device, 0, 0);
            if (id == 0xFFFFFFFF || id == 0) continue;
            const uint8_t header = ReadPciConfigByte(static_cast<uint8_t>(bus), device, 0x0E, 0);
            const uint8_t last = (header & 0x80) ? 7 : 0;
            for (uint8_t function = 0; function <= last; ++function) {
                if (!MatchPciFunction(static_cast<uint8_t>(bus), device, kind, match, function)) continue;
                if (skip == 0) return static_cast<uint16_t>((bus << 8) + (device << 3) + function);
                --skip;
            }
        }
    }
    return kNoPciLocation;
}

bool TReadWrite::MatchPciFunction(uint8_t bus, uint8_t device, int kind, uint32_t match, uint8_t function) {
    if (kind == 0) {
        const uint32_t id = ReadPciConfigDword(bus, device, 0, function);
        return match == id || match == (id | 0x0000FFFF) || match == (id | 0xFFFF0000);
    }
    if (kind == 1) {
        const uint32_t classCode = ReadPciConfigDword(bus, device, 8, function) >> 8;
        const uint32_t masks[] = {0, 0xFF, 0xFF00, 0xFF0000, 0xFFFF, 0xFF00FF, 0xFFFF00};
        for (uint32_t mask : masks) {
            if (match == (classCode | mask)) return true;
        }
    }
    return false;
}

TReadWrite& GetReadWrite() { return SingletonOf<TReadWrite>(); }

TIoObject::TIoObject() : m_Channel(GetReadWrite()), m_Console(GetDebugConsole(false)) {}
