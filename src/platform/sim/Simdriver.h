#pragma once
#include <map>

#include "platform/Crypto.h"
#include "platform/DriverDevice.h"
#include "platform/sim/Simhardware.h"
#include "platform/sim/Simservices.h"

// The hardware-access driver of the simulated machine: its device opens while the service
// runs; it decrypts each envelope with the channel key, refuses what does not decrypt, and
// serves memory and PCI configuration reads from the board.
class TSimDriverDevice : public IDriverDevice {
public:
    TSimDriverDevice(TSimServiceManager& services, TSimHardware& hardware, ICrypto& crypto)
        : m_Services(services), m_Hardware(hardware), m_Crypto(crypto) {}

    THandle Open(const std::string& path) override;
    void Close(THandle handle) override { m_Handles.erase(handle); }
    bool IoControl(THandle handle, uint32_t code, const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize,
                   uint32_t& returned) override;

    int Requests = 0;
    int Refused = 0;  // envelopes that did not decrypt or asked for nothing it serves
    size_t OpenHandles() const { return m_Handles.size(); }

private:
    bool Serve(const uint8_t* in, uint32_t inSize, uint8_t* out, uint32_t outSize, uint32_t& returned);

    TSimServiceManager& m_Services;
    TSimHardware& m_Hardware;
    ICrypto& m_Crypto;
    std::map<THandle, bool> m_Handles;
    THandle m_Next = 1;
};
