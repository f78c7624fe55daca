#include "platform/sim/Simdriver.h"

#include <cstring>

#include "hw/Envelope.h"
#include "hw/Loaddriver.h"
#include "sys/Bytes.h"

using namespace envelope;
using bytes::Get32;

IDriverDevice::THandle TSimDriverDevice::Open(const std::string& path) {
    if (path != std::string("\\\\.\\") + kDriverServiceName || !m_Services.Running(kDriverServiceName)) return kInvalid;
    m_Handles[m_Next] = true;
    return m_Next++;
}

bool TSimDriverDevice::IoControl(THandle handle, uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out,
                                 uint32_t outSize, uint32_t& returned) {
    returned = 0;
    if (m_Handles.count(handle) == 0 || code != kEnvelopeCode || !in) return false;
    ++Requests;
    if (Serve(in, inSize, out, outSize, returned)) return true;
    ++Refused;
    return false;
}

bool TSimDriverDevice::Serve(const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize, uint32_t& returned) {
    TOpened opened;
    std::vector<uint8_t> plain;
    if (!envelope::Open(in, inSize, opened) ||
        !m_Crypto.Decrypt(DeriveKey(opened.Salt).data(), opened.Iv, opened.IvSize, opened.Cipher, opened.CipherSize,
                          plain) ||
        plain.size() < kInnerOffset) {
        return false;
    }
    const uint32_t inner = Get32(plain.data());
    const uint8_t* request = plain.data() + kInnerOffset;
    const size_t requestSize = plain.size() - kInnerOffset;
    if (inner == kReadMemoryCode) {
        if (requestSize < kMemoryRequestSize || outSize < kMemoryRequestSize || !out) return false;
        TMemoryRequest memory = DecodeMemoryRequest(request);
        const uint32_t unit = memory.Unit == 1 ? 2 : memory.Unit == 2 ? 4 : 1;
        if (memory.Unit > 2 || memory.Length % unit != 0 || memory.Destination == 0) return false;
        // The driver writes straight into the caller's buffer. It reads unit by unit; simulated memory
        // has no side effects, so one read of the whole range gives the same bytes.
        auto* destination = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(memory.Destination));
        m_Hardware.Read(memory.Address, destination, memory.Length);
        std::memcpy(out, request, kMemoryRequestSize);
        returned = kMemoryRequestSize;
        return true;
    }
    const int width = inner == kReadPciByteCode    ? 1
                      : inner == kReadPciWordCode  ? 2
                      : inner == kReadPciDwordCode ? 4
                                                   : 0;
    if (width == 0 || requestSize < kPciRequestSize || outSize < kPciRequestSize || !out) return false;
    TPciRequest pci = DecodePciRequest(request);
    pci.Result = m_Hardware.ReadPci(pci.Bus, pci.Device, pci.Function, pci.Offset, width);
    auto bytes = EncodePciRequest(pci);
    std::memcpy(out, bytes.data(), kPciRequestSize);
    returned = kPciRequestSize;
    return true;
}
