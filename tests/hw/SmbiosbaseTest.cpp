#include "hw/Smbiosbase.h"

#include "hw/BoardTest.h"
#include "sys/Bytes.h"

namespace sf = simfirmware;

namespace {
class SmbiosTest : public TBoardTest {
protected:
    // Places a table and its entry point in memory.
    void PlaceInMemory(const std::vector<uint16_t>& arrays, const std::vector<sf::TMemoryModule>& modules,
                       uint64_t entryAt = 0xF0100) {
        uint16_t structures = 0;
        sf::TBytes table = sf::SmbiosTable(arrays, modules, &structures);
        Machine.Hardware.Write(0x7FF00000, table);
        Machine.Hardware.Write(entryAt,
                               sf::SmbiosEntryPoint(static_cast<uint16_t>(table.size()), 0x7FF00000, structures));
    }
};
}  // namespace

TEST_F(SmbiosTest, ModulesAreSummarisedSlotBySlot) {
    PlaceInMemory({4, 4}, {{512}, {0x7FFF, 32768, "DIMM_B1"}, {8192, 0, "DIMM_A2"}, {0}, {0x8000 | 512}});
    TSmbiosBase& smbios = GetSmbios();
    ASSERT_TRUE(smbios.TablePresent());
    EXPECT_FALSE(smbios.FromFirmware());
    EXPECT_EQ(smbios.EntryPointAddress(), 0xF0100u);
    EXPECT_EQ(smbios.Version(), 0x28);
    const auto& slots = smbios.Slots();
    struct Case {
        bool present;
        float size;
    };
    const Case kExpected[] = {{true, 0}, {true, 32}, {true, 8}, {false, 0}, {true, 0}};
    for (size_t i = 0; i < std::size(kExpected); ++i) {
        EXPECT_EQ(slots[i].Present, kExpected[i].present) << i;
        EXPECT_EQ(slots[i].SizeGb, kExpected[i].size) << i;
    }
    EXPECT_EQ(slots[1].Locator, "DIMM_B1");  // trimmed
    EXPECT_EQ(slots[1].Speed, 3200);
    EXPECT_EQ(slots[1].MemoryType, 0x1A);
    EXPECT_EQ(smbios.AnnouncedDevices(), 8);
    EXPECT_EQ(smbios.InstalledModules(), 4);
    EXPECT_TRUE(smbios.Mismatch());
}

TEST_F(SmbiosTest, AnAnchorFailingItsChecksumIsSkipped) {
    sf::TBytes fake = sf::SmbiosEntryPoint(10, 0x1000, 1);
    fake[4] ^= 0x40;
    Machine.Hardware.Write(0xF0000, fake);
    PlaceInMemory({2}, {{4096}, {4096}}, 0xF0200);
    TSmbiosBase& smbios = GetSmbios();
    EXPECT_EQ(smbios.EntryPointAddress(), 0xF0200u);
    EXPECT_FALSE(smbios.Mismatch());
}

TEST_F(SmbiosTest, FirmwareRouteAssemblesASubstituteEntryPoint) {
    uint16_t structures = 0;
    sf::TBytes table = sf::SmbiosTable({2}, {{16384}, {16384}}, &structures);
    Machine.Os.FirmwareTable = sf::RawSmbios(table, 3, 2);
    TSmbiosBase& smbios = GetSmbios();
    ASSERT_TRUE(smbios.TablePresent());
    EXPECT_TRUE(smbios.FromFirmware());
    EXPECT_EQ(smbios.EntryPointAddress(), 0xFFFFFFFFu);
    EXPECT_EQ(smbios.Version(), 0x32);
    const auto& entry = smbios.EntryPoint();
    EXPECT_EQ(std::string(entry.begin(), entry.begin() + 4), "RSMB");
    EXPECT_EQ(std::string(entry.begin() + 16, entry.begin() + 21), "_DMI_");
    EXPECT_EQ(bytes::Get16(&entry[28]), structures);
    uint8_t all = 0, intermediate = 0;
    for (size_t i = 0; i < 31; ++i) all = static_cast<uint8_t>(all + entry[i]);
    for (size_t i = 16; i < 31; ++i) intermediate = static_cast<uint8_t>(intermediate + entry[i]);
    EXPECT_EQ(all, 0);
    EXPECT_EQ(intermediate, 0);
    EXPECT_EQ(smbios.Slots()[1].SizeGb, 16);

    ResetSingletonsForTests();
    Machine.Os.HasFirmwareTable = false;
    EXPECT_FALSE(GetSmbios().TablePresent());
}

TEST_F(SmbiosTest, ShortAndCutStructuresAreReadWithinTheirBytes) {
    // A type 17 whose formatted length ends before the size word, then one cut by the table end.
    sf::TBytes table = {17, 10, 0, 0x10, 0, 0, 0, 0, 0, 0, 0, 0,  // formatted 10 bytes, no strings
                        17, 40, 1, 0x10};
    Machine.Os.FirmwareTable = sf::RawSmbios(table);
    TSmbiosBase& smbios = GetSmbios();
    EXPECT_TRUE(smbios.TablePresent());
    EXPECT_FALSE(smbios.Slots()[0].Present);
    EXPECT_EQ(smbios.InstalledModules(), 0);

    ResetSingletonsForTests();
    sf::TBytes raw = sf::RawSmbios(sf::SmbiosTable({1}, {{8192}}));
    bytes::Put32(&raw[4], 60000);  // claims far more than it holds
    Machine.Os.FirmwareTable = raw;
    EXPECT_EQ(GetSmbios().InstalledModules(), 1);
}
