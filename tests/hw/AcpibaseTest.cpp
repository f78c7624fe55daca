#include "hw/Acpibase.h"

#include "hw/BoardTest.h"
#include "sys/Bytes.h"
#include "sys/Debugconsole.h"

namespace sf = simfirmware;
using bytes::Put32;

namespace {
class AcpiTest : public TBoardTest {
protected:
    void SetUp() override {
        TBoardTest::SetUp();
        GetDebugConsole(true);
    }
    std::vector<std::string> TableLines() {
        std::vector<std::string> tables;
        for (const auto& line : Machine.Console.Lines()) {
            if (line.Text.rfind("BuildAcpiTable", 0) == 0) tables.push_back(line.Value);
        }
        return tables;
    }
};
}  // namespace

TEST_F(AcpiTest, TablesAreWalkedInDiscoveryOrderAndTheSettingsFilled) {
    sf::TAcpiLayout layout;
    layout.WithEcdt = true;
    sf::TAcpiPlaced placed = sf::PlaceAcpi(Machine.Hardware, layout);
    TAcpiBase& acpi = GetAcpi();
    ASSERT_TRUE(acpi.Found());
    EXPECT_EQ(TableLines(), (std::vector<std::string>{"Table = RSDT", "Table = FACP", "Table = APIC", "Table = MCFG",
                                                      "Table = ECDT", "Table = FACS", "Table = DSDT"}));
    EXPECT_EQ(acpi.DsdtAddress(), placed.Dsdt);
    EXPECT_EQ(acpi.DsdtHeader()[0], 'D');
    EXPECT_EQ(acpi.PciExpressBase(), 0xE0000000u);
    EXPECT_EQ(acpi.Tables()[0].Address, 0xF0000u);
    EXPECT_EQ(acpi.Tables()[0].Length, 20u);

    const TRwConfig& settings = GetRwConfig();
    EXPECT_EQ(settings.IoApicAddress, 0xFEC00000u);  // the first I/O APIC with base 0, not the one at 24
    EXPECT_EQ(settings.LocalApicAddress, 0xFEE00000u);
    EXPECT_EQ(settings.PmBase, 0x1800);
    EXPECT_EQ(settings.PmTimerPort, 0x1808);
    EXPECT_EQ(settings.Timer32Bit, 0x100);
    EXPECT_EQ(settings.SmiCommandPort, 0xB2);
    EXPECT_EQ(settings.AcpiEnable, 0xA0);
    EXPECT_EQ(settings.PStateControl, 0x80);
    EXPECT_EQ(settings.SciInterrupt, 9u);
    EXPECT_EQ(settings.EcCommandPort, 0x66);
    EXPECT_EQ(settings.EcDataPort, 0x62);

    char dsdt[80];
    std::snprintf(dsdt, sizeof(dsdt), "TAcpiBase::BuildFACP ... [DsdtAddress = 0x%08X]", placed.Dsdt);
    auto logged = Logged();
    EXPECT_NE(std::find(logged.begin(), logged.end(), dsdt), logged.end());
}

TEST_F(AcpiTest, HostileTablesAreReadOnlyWithinThemselves) {
    sf::TAcpiPlaced placed = sf::PlaceAcpi(Machine.Hardware, sf::TAcpiLayout());
    // The RSDT lists itself, the FACP twice and a zero entry, and claims a huge length.
    sf::TBytes body(16, 0);
    Put32(&body[0], placed.Rsdt);
    Put32(&body[4], placed.Facp);
    Put32(&body[8], 0);
    Put32(&body[12], placed.Facp);
    Machine.Hardware.Write(placed.Rsdt, sf::AcpiTable("RSDT", body));
    // The MADT's last structure claims to run past the table.
    sf::TBytes apic = sf::AcpiTable("APIC", sf::TBytes{0, 0, 0xE0, 0xFE, 1, 0, 0, 0, 1, 200, 0, 0});
    Machine.Hardware.Write(placed.Apic, apic);
    TAcpiBase& acpi = GetAcpi();
    EXPECT_EQ(TableLines(), (std::vector<std::string>{"Table = RSDT", "Table = FACP", "Table = FACS", "Table = DSDT"}));
    EXPECT_EQ(acpi.Tables().size(), 5u);
    EXPECT_EQ(GetRwConfig().IoApicAddress, 0xFEC00000u);  // the default stays

    Machine.Hardware.Write(placed.Rsdt + 4, {0xFF, 0xFF, 0xFF, 0x7F});  // length 2 GiB
    ResetSingletonsForTests();
    GetDebugConsole(true);
    EXPECT_TRUE(GetAcpi().Found());  // the huge table is not read past its header
}

TEST_F(AcpiTest, ABrokenRootPointerFallsBackToTheRegistryCopyOfTheRootTable) {
    sf::TAcpiLayout layout;
    layout.RootPointerAt = 0xF0000;
    sf::TAcpiPlaced placed = sf::PlaceAcpi(Machine.Hardware, layout);
    Machine.Hardware.Write(0xF0000 + 8, {0x00});  // checksum broken; no other copy is tried in memory
    // A valid copy lies near the tables, where the registry route looks.
    Machine.Hardware.Write(0x7FFD0200, sf::RootPointer(placed.Rsdt));
    sf::TBytes rsdtCopy = sf::AcpiTable("RSDT", sf::TBytes{0, 0x01, 0xFE, 0x7F});
    Machine.Registry.SetValue(IRegistry::TRoot::LocalMachine, "Hardware\\ACPI\\RSDT\\GLIDE_\\SIMBOARD\\00000001",
                              "00000000", {3, rsdtCopy});
    TAcpiBase& acpi = GetAcpi();
    ASSERT_TRUE(acpi.Found());
    EXPECT_EQ(acpi.Tables()[0].Address, 0x7FFD0200u);
    EXPECT_EQ(TableLines().size(), 6u);
}

TEST_F(AcpiTest, WithoutARootPointerNothingIsVisited) {
    struct Case {
        const char* name;
        bool registryCopy;
        bool found;
    };
    for (const Case& c : {Case{"no registry copy", false, false}, Case{"registry copy only", true, true}}) {
        TSimMachine machine;
        InstallPlatform(machine.Ports());
        SetDriverImagesForTests(&Images);
        if (c.registryCopy) {
            machine.Registry.SetValue(IRegistry::TRoot::LocalMachine, "Hardware\\ACPI\\RSDT\\A\\B\\C", "v",
                                      {3, sf::AcpiTable("RSDT", sf::TBytes{0, 0, 0, 0x40})});
        }
        GetDebugConsole(true);
        EXPECT_EQ(GetAcpi().Found(), c.found) << c.name;
        EXPECT_TRUE(machine.Console.Lines().empty()) << c.name;
        ResetSingletonsForTests();
    }
    InstallPlatform(Machine.Ports());
}
