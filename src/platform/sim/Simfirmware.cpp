#include "platform/sim/Simfirmware.h"

#include <algorithm>
#include <cstring>

#include "sys/Bytes.h"

namespace simfirmware {
using bytes::Put16;
using bytes::Put32;
using bytes::Put64;

void FixChecksum(TBytes& bytes, size_t at, size_t from, size_t length) {
    if (length == 0) length = bytes.size() - from;
    bytes[at] = 0;
    uint8_t sum = 0;
    for (size_t i = from; i < from + length; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    bytes[at] = static_cast<uint8_t>(-sum);
}

TBytes BiosRecord(const TBiosRecord& r) {
    TBytes bytes(64, 0);
    std::memcpy(bytes.data(), "$CN1368$", 8);
    for (size_t i = 0; i < r.ModelName.size() && i < 32; ++i) bytes[10 + i] = static_cast<uint8_t>(r.ModelName[i]);
    bytes[42] = static_cast<uint8_t>(r.Letter);
    bytes[43] = r.Major;
    bytes[44] = r.Minor;
    bytes[45] = static_cast<uint8_t>(r.Suffix);
    Put16(&bytes[46], r.Year);
    bytes[48] = r.Month;
    bytes[49] = r.Day;
    FixChecksum(bytes, 63);
    return bytes;
}

TBytes AcpiTable(const std::string& signature, const TBytes& body, uint8_t revision) {
    TBytes table(36 + body.size(), 0);
    std::memcpy(table.data(), signature.data(), 4);
    table[8] = revision;
    std::memcpy(&table[10], "GLIDE ", 6);    // OEM id
    std::memcpy(&table[16], "SIMBOARD", 8);  // OEM table id
    std::copy(body.begin(), body.end(), table.begin() + 36);
    Put32(&table[4], static_cast<uint32_t>(table.size()));
    FixChecksum(table, 9);
    return table;
}

TBytes RootPointer(uint32_t rsdtAddress) {
    TBytes rsdp(20, 0);
    std::memcpy(rsdp.data(), "RSD PTR ", 8);
    std::memcpy(&rsdp[9], "GLIDE ", 6);
    rsdp[15] = 0;  // revision 0: 20 bytes, no XSDT
    Put32(&rsdp[16], rsdtAddress);
    FixChecksum(rsdp, 8);
    return rsdp;
}

TAcpiPlaced PlaceAcpi(TSimHardware& hardware, const TAcpiLayout& layout) {
    TAcpiPlaced placed{};
    uint32_t next = layout.Base;
    auto place = [&](const TBytes& table) {
        const uint32_t at = next;
        hardware.Write(at, table);
        next += static_cast<uint32_t>((table.size() + 15) & ~size_t(15));
        return at;
    };
    // Addresses are fixed before the tables that point at them are written.
    placed.Rsdt = layout.Base;
    placed.Facp = layout.Base + 0x100;
    placed.Facs = layout.Base + 0x300;
    placed.Dsdt = layout.Base + 0x400;
    placed.Apic = layout.Base + 0x600;
    placed.Mcfg = layout.Base + 0x700;
    placed.Ecdt = layout.WithEcdt ? layout.Base + 0x800 : 0;

    TBytes rsdtBody;
    for (uint32_t address : {placed.Facp, placed.Apic, placed.Mcfg, placed.Ecdt}) {
        if (address == 0) continue;
        rsdtBody.resize(rsdtBody.size() + 4);
        Put32(&rsdtBody[rsdtBody.size() - 4], address);
    }
    next = placed.Rsdt;
    place(AcpiTable("RSDT", rsdtBody));

    TBytes facp(244 - 36, 0);
    Put32(&facp[36 - 36], placed.Facs);
    Put32(&facp[40 - 36], placed.Dsdt);
    Put16(&facp[46 - 36], 9);       // SCI_INT
    Put32(&facp[48 - 36], 0xB2);    // SMI_CMD
    facp[52 - 36] = 0xA0;           // ACPI_ENABLE
    facp[53 - 36] = 0xA1;           // ACPI_DISABLE
    facp[54 - 36] = 0;              // S4BIOS_REQ
    facp[55 - 36] = 0x80;           // PSTATE_CNT
    Put32(&facp[56 - 36], 0x1800);  // PM1a_EVT_BLK
    Put32(&facp[76 - 36], 0x1808);  // PM_TMR_BLK
    Put32(&facp[112 - 36], 0x1A5);  // Flags: TMR_VAL_EXT among them
    next = placed.Facp;
    place(AcpiTable("FACP", facp, 5));

    TBytes facs(64, 0);
    std::memcpy(facs.data(), "FACS", 4);
    Put32(&facs[4], 64);
    next = placed.Facs;
    place(facs);

    next = placed.Dsdt;
    place(AcpiTable("DSDT", TBytes{0x10, 0x05, 0x5C, 0x5F, 0x53, 0x42, 0x5F}, 2));

    TBytes apic(8, 0);
    Put32(&apic[0], layout.LocalApic);
    apic[4] = 1;  // PCAT_COMPAT
    const TBytes localApic = {0, 8, 0, 0, 1, 0, 0, 0};
    apic.insert(apic.end(), localApic.begin(), localApic.end());
    TBytes ioApic = {1, 12, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Put32(&ioApic[4], layout.IoApic);
    apic.insert(apic.end(), ioApic.begin(), ioApic.end());
    Put32(&ioApic[4], layout.IoApic + 0x1000);
    Put32(&ioApic[8], 24);  // a second I/O APIC for interrupts from 24 on
    apic.insert(apic.end(), ioApic.begin(), ioApic.end());
    next = placed.Apic;
    place(AcpiTable("APIC", apic, 4));

    TBytes mcfg(8 + 16, 0);
    Put64(&mcfg[8], layout.PciExpressBase);
    mcfg[8 + 11] = 255;  // end bus
    next = placed.Mcfg;
    place(AcpiTable("MCFG", mcfg, 1));

    if (placed.Ecdt) {
        TBytes ecdt(65 - 36, 0);
        ecdt[36 - 36] = 1;  // system I/O
        Put32(&ecdt[40 - 36], 0x66);
        ecdt[48 - 36] = 1;
        Put32(&ecdt[52 - 36], 0x62);
        next = placed.Ecdt;
        place(AcpiTable("ECDT", ecdt, 1));
    }
    hardware.Write(layout.RootPointerAt, RootPointer(placed.Rsdt));
    return placed;
}

namespace {
void AppendStructure(TBytes& table, const TBytes& formatted, const std::vector<std::string>& strings) {
    table.insert(table.end(), formatted.begin(), formatted.end());
    for (const std::string& s : strings) {
        table.insert(table.end(), s.begin(), s.end());
        table.push_back(0);
    }
    if (strings.empty()) table.push_back(0);
    table.push_back(0);
}
}  // namespace

TBytes SmbiosTable(const std::vector<uint16_t>& arrays, const std::vector<TMemoryModule>& modules,
                   uint16_t* structures) {
    TBytes table;
    uint16_t handle = 0x1000;
    for (uint16_t devices : arrays) {
        TBytes array(23, 0);
        array[0] = 16;
        array[1] = 23;
        Put16(&array[2], handle++);
        array[4] = 3;  // system board
        array[5] = 3;  // system memory
        Put16(&array[13], devices);
        AppendStructure(table, array, {});
    }
    for (const TMemoryModule& m : modules) {
        TBytes device(40, 0);
        device[0] = 17;
        device[1] = 40;
        Put16(&device[2], handle++);
        Put16(&device[12], m.SizeWord);
        device[14] = 9;     // DIMM
        device[16] = 1;     // device locator: string 1
        device[18] = 0x1A;  // DDR4
        Put16(&device[21], m.Speed);
        device[27] = 2;  // rank
        Put32(&device[28], m.Extended);
        Put16(&device[32], m.Speed);
        AppendStructure(table, device, {"  " + m.Locator + " "});
    }
    AppendStructure(table, TBytes{127, 4, 0xFF, 0xFE}, {});
    if (structures) *structures = static_cast<uint16_t>(arrays.size() + modules.size() + 1);
    return table;
}

TBytes SmbiosEntryPoint(uint16_t tableLength, uint32_t tableAddress, uint16_t structures, uint8_t major,
                        uint8_t minor) {
    TBytes entry(31, 0);
    std::memcpy(entry.data(), "_SM_", 4);
    entry[5] = 31;
    entry[6] = major;
    entry[7] = minor;
    std::memcpy(&entry[16], "_DMI_", 5);
    Put16(&entry[22], tableLength);
    Put32(&entry[24], tableAddress);
    Put16(&entry[28], structures);
    entry[30] = static_cast<uint8_t>(major * 16 + minor);
    FixChecksum(entry, 21, 16, 15);
    FixChecksum(entry, 4);
    return entry;
}

TBytes RawSmbios(const TBytes& table, uint8_t major, uint8_t minor) {
    TBytes raw(8 + table.size(), 0);
    raw[1] = major;
    raw[2] = minor;
    Put32(&raw[4], static_cast<uint32_t>(table.size()));
    std::copy(table.begin(), table.end(), raw.begin() + 8);
    return raw;
}

}  // namespace simfirmware
