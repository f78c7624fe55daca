// The simulated driver's side of the envelope: any input to the envelope request is refused or
// served without reading or writing outside the buffers it was given.
#include <cstddef>
#include <cstdint>

#include "FuzzMachine.h"
#include "hw/Envelope.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzMachine& fuzz = FuzzMachine();
    fuzz.Machine.Services.Services["KytDrv103"] = {"", true, 0};
    static IDriverDevice::THandle device = fuzz.Machine.Driver.Open("\\\\.\\KytDrv103");
    uint8_t out[envelope::kMemoryRequestSize];
    uint32_t returned = 0;
    fuzz.Machine.Driver.IoControl(device, envelope::kEnvelopeCode, data, static_cast<uint32_t>(size), out, sizeof(out),
                                  returned);
    envelope::TOpened opened;
    envelope::Open(data, size, opened);
    return 0;
}
