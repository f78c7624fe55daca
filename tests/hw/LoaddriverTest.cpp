#include "hw/Loaddriver.h"

#include "hw/HardwareTest.h"

using LoadDriverTest = THardwareTest;

TEST_F(LoadDriverTest, FirstStartWritesTheImageRegistersStartsAndOpens) {
    TLoadDriver& loader = GetLoadDriver(false, false, false);
    EXPECT_NE(loader.GetDriverHandle(), IDriverDevice::kInvalid);
    const auto* file = Machine.Files.Content(kSystemDriver);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), sizeof(kX64));
    ASSERT_EQ(Machine.Services.Services.count("KytDrv103"), 1u);
    EXPECT_EQ(Machine.Services.Services["KytDrv103"].ImagePath, kSystemDriver);
    EXPECT_TRUE(Machine.Services.Running("KytDrv103"));
    EXPECT_EQ(Machine.Services.OpenHandles(), 0u);
    EXPECT_TRUE(Machine.Windows.Boxes.empty());
    EXPECT_EQ(&GetLoadDriver(true, true, true), &loader);
}

TEST_F(LoadDriverTest, WhatIsAlreadyThereIsUsedAsItIs) {
    struct Case {
        const char* name;
        bool fileThere;
        bool serviceThere;
        bool running;
    };
    const Case kCases[] = {
        {"driver running", true, true, true},
        {"file present, no service", true, false, false},
        {"service registered with another image path", false, true, false},
    };
    for (const Case& c : kCases) {
        TSimMachine machine;
        InstallPlatform(machine.Ports());
        const std::string elsewhere = "C:\\Vendor\\KytDrv103.sys";
        if (c.fileThere) machine.Files.Put(kSystemDriver, {1, 2, 3});
        if (!c.fileThere) machine.Files.Put(elsewhere, {9});
        if (c.serviceThere)
            machine.Services.Services["KytDrv103"] = {c.fileThere ? kSystemDriver : elsewhere, c.running, 0};

        {
            TLoadDriver loader(false, false, false);
            EXPECT_NE(loader.GetDriverHandle(), IDriverDevice::kInvalid) << c.name;
        }
        if (c.fileThere) {
            EXPECT_EQ(*machine.Files.Content(kSystemDriver), (std::vector<uint8_t>{1, 2, 3})) << c.name;
        }
        if (c.serviceThere) {
            EXPECT_EQ(machine.Services.Services["KytDrv103"].ImagePath, c.fileThere ? kSystemDriver : elsewhere)
                << c.name;
        }
        EXPECT_EQ(machine.Services.Services["KytDrv103"].Starts, 1) << c.name;
        ResetSingletonsForTests();
    }
    InstallPlatform(Machine.Ports());
}

TEST_F(LoadDriverTest, ImageAndFolderFollowTheBuildAndTheProcessor) {
    struct Case {
        const char* name;
        bool process64;
        bool wow64;
        uint16_t architecture;
        const char* file;
        size_t imageSize;
    };
    const Case kCases[] = {
        {"64-bit build on x64", true, false, IOsInfo::kArchAmd64, "C:\\Windows\\System32\\Drivers\\KytDrv103.sys", 6},
        {"32-bit build on x64", false, true, IOsInfo::kArchAmd64, "C:\\Windows\\SysWOW64\\Drivers\\KytDrv103.sys", 6},
        {"32-bit build on IA-64", false, true, IOsInfo::kArchIa64, "C:\\Windows\\SysWOW64\\Drivers\\KytDrv103.sys", 5},
        {"32-bit Windows", false, false, IOsInfo::kArchX86, "C:\\Windows\\System32\\Drivers\\KytDrv103.sys", 4},
    };
    for (const Case& c : kCases) {
        TSimMachine machine;
        InstallPlatform(machine.Ports());
        machine.Os.Process64Bit = c.process64;
        machine.Os.Wow64 = c.wow64;
        machine.Os.NativeArchitecture = c.architecture;
        {
            TLoadDriver loader(false, false, false);
            EXPECT_EQ(loader.Image().Size, c.imageSize) << c.name;
            EXPECT_NE(machine.Files.Content(c.file), nullptr) << c.name;
            EXPECT_NE(loader.GetDriverHandle(), IDriverDevice::kInvalid) << c.name;
        }
        ResetSingletonsForTests();
    }
    InstallPlatform(Machine.Ports());
}

TEST_F(LoadDriverTest, FailuresAndTheirMessages) {
    struct Case {
        const char* name;
        void (*arrange)(TSimMachine&);
        bool message;
        bool fileLeft;
    };
    const Case kCases[] = {
        {"NT 4: refused silently",
         [](TSimMachine& m) {
             m.Os.Version = {2, 4, 0, 1381};
         },
         false, false},
        {"driver file cannot be created", [](TSimMachine& m) { m.Files.FailCreate = true; }, false, false},
        {"disk full mid-write: no partial file", [](TSimMachine& m) { m.Files.WriteLimit = 3; }, false, false},
        {"no administrator rights", [](TSimMachine& m) { m.Services.Administrator = false; }, true, true},
        {"service cannot be created", [](TSimMachine& m) { m.Services.FailCreate = true; }, true, true},
        {"unknown processor, no file", [](TSimMachine& m) { m.Os.NativeArchitecture = 12; }, true, false},
    };
    for (const Case& c : kCases) {
        TSimMachine machine;
        InstallPlatform(machine.Ports());
        c.arrange(machine);
        {
            TLoadDriver loader(false, false, false);
            EXPECT_EQ(loader.GetDriverHandle(), IDriverDevice::kInvalid) << c.name;
        }
        ASSERT_EQ(machine.Windows.Boxes.size(), c.message ? 1u : 0u) << c.name;
        if (c.message) {
            EXPECT_EQ(machine.Windows.Boxes[0].Text, kDriverLoadFailure);
            EXPECT_EQ(machine.Windows.Boxes[0].Icon, IWindowSystem::TBoxIcon::Stop);
        }
        EXPECT_EQ(machine.Files.Exists(kSystemDriver), c.fileLeft) << c.name;
        ResetSingletonsForTests();
    }
    InstallPlatform(Machine.Ports());
}

TEST_F(LoadDriverTest, UnloadStopsAndDeletesOnlyWhenAsked) {
    { TLoadDriver keep(false, false, false); }
    EXPECT_TRUE(Machine.Services.Running("KytDrv103"));
    { TLoadDriver stop(false, true, false); }
    EXPECT_FALSE(Machine.Services.Running("KytDrv103"));
    EXPECT_EQ(Machine.Services.Services.count("KytDrv103"), 1u);
    {
        TLoadDriver remove(true, true, true);
        EXPECT_EQ(Machine.Files.Writes, 2);  // always write: the image is written again
    }
    EXPECT_EQ(Machine.Services.Services.count("KytDrv103"), 0u);
    EXPECT_TRUE(Machine.Files.Exists(kSystemDriver));  // the driver file is never removed
    EXPECT_EQ(Machine.Driver.OpenHandles(), 0u);
}
