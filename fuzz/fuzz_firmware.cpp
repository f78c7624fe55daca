// The BIOS-record search, the ACPI walk and the SMBIOS walk over a fuzzed BIOS area, fuzzed
// tables beyond it and a fuzzed registry copy of the root table.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "FuzzMachine.h"
#include "config/Kytspec.h"
#include "hw/Acpibase.h"
#include "hw/Smbiosbase.h"
#include "platform/sim/Simfirmware.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzMachine& fuzz = FuzzMachine();
    fuzz.Reset();
    fuzz.Machine.Hardware = TSimHardware();
    fuzz.Machine.Registry = TSimRegistry();
    // A valid board first, then the input laid over it: its halves over the BIOS area around the
    // structures' anchors and over the tables.
    simfirmware::PlaceAcpi(fuzz.Machine.Hardware, simfirmware::TAcpiLayout{});
    fuzz.Machine.Hardware.Write(0xE0000, std::vector<uint8_t>(0x20000, 0));
    fuzz.Machine.Hardware.Write(0xF0000, simfirmware::RootPointer(0x7FFE0000));
    fuzz.Machine.Hardware.Write(0xE4000, simfirmware::BiosRecord({"QX-570 STEEL"}));
    const size_t half = size / 2;
    fuzz.Machine.Hardware.Write(0xF0000, std::vector<uint8_t>(data, data + std::min<size_t>(half, 0x10000)));
    fuzz.Machine.Hardware.Write(0x7FFE0000,
                                std::vector<uint8_t>(data + half, data + std::min<size_t>(size, half + 0x800)));
    fuzz.Machine.Registry.SetValue(IRegistry::TRoot::LocalMachine, "Hardware\\ACPI\\RSDT\\A\\B\\C", "v",
                                   {3, std::vector<uint8_t>(data, data + std::min<size_t>(size, 2048))});
    fuzz.Machine.Os.FirmwareTable.assign(data + half, data + size);
    GetSpec();
    GetAcpi();
    GetSmbios();
    return 0;
}
