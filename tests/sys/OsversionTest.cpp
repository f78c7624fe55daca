#include "sys/Osversion.h"

#include "MachineTest.h"

using OsVersionTest = TMachineTest;

TEST_F(OsVersionTest, ReleaseCodesAndArchitectureBits) {
    struct Case {
        const char* name;
        TOsVersionRecord version;
        uint16_t architecture;
        uint32_t code;
    };
    const Case kCases[] = {
        {"Windows 98", {1, 4, 10, 0}, IOsInfo::kArchX86, 16},
        {"Windows 3.1 Win32s", {0, 3, 10, 0}, IOsInfo::kArchX86, 0},
        {"NT 4", {2, 4, 0, 1381}, IOsInfo::kArchX86, 0},
        {"XP x64", {2, 5, 2, 3790}, IOsInfo::kArchAmd64, 33},
        {"Vista", {2, 6, 0, 6000}, IOsInfo::kArchX86, 64},
        {"7 x64", {2, 6, 1, 7601}, IOsInfo::kArchAmd64, 193},
        {"Server 2008 R2 IA-64", {2, 6, 1, 7601}, IOsInfo::kArchIa64, 194},
        {"8", {2, 6, 2, 9200}, IOsInfo::kArchX86, 448},
        {"8.1 x64", {2, 6, 3, 9600}, IOsInfo::kArchAmd64, 705},
        {"unknown 6.4", {2, 6, 4, 0}, IOsInfo::kArchAmd64, 1},
        {"10 x86", {2, 10, 0, 19045}, IOsInfo::kArchX86, 1216},
        {"10.1", {2, 10, 1, 0}, IOsInfo::kArchX86, 0},
    };
    for (const Case& c : kCases) {
        Machine.Os.Version = c.version;
        Machine.Os.NativeArchitecture = c.architecture;
        TOsVersion version;
        EXPECT_EQ(version.VersionCode(0xFFFF), c.code) << c.name;
    }
}

TEST_F(OsVersionTest, Windows7x64SeenFromA32BitProgram) {
    Machine.Os.Version = {2, 6, 1, 7601};
    Machine.Os.NativeArchitecture = IOsInfo::kArchAmd64;
    Machine.Os.EmulatedArchitecture = IOsInfo::kArchX86;
    Machine.Os.Wow64 = true;
    TOsVersion& version = GetOsVersion();
    EXPECT_EQ(version.VersionCode(0xFFFF), 193u);
    EXPECT_TRUE(version.IsNativeX64());
    EXPECT_FALSE(version.IsNativeIa64());
    EXPECT_FALSE(version.IsNotWow64());
}

TEST_F(OsVersionTest, WithoutNativeSystemInfoTheEmulatedArchitectureCounts) {
    Machine.Os.Version = {2, 10, 0, 19045};
    Machine.Os.HasNativeSystemInfo = false;
    Machine.Os.EmulatedArchitecture = IOsInfo::kArchX86;
    Machine.Os.HasIsWow64Process = false;
    Machine.Os.Wow64 = true;
    TOsVersion version;
    EXPECT_EQ(version.VersionCode(0xFFFF), 1216u);
    EXPECT_TRUE(version.IsNotWow64());
}

TEST_F(OsVersionTest, FailedVersionQueryLeavesNoFlags) {
    Machine.Os.VersionAvailable = false;
    TOsVersion version;
    EXPECT_EQ(version.VersionCode(0xFFFF), 0u);
    EXPECT_FALSE(version.IsNativeX64());
}
