#include "shell/Entry.h"

#include "MachineTest.h"
#include "sys/Debugconsole.h"
#include "ui/toolkit/Application.h"

namespace {
class EntryTest : public TMachineTest {
protected:
    // Plays another instance of the program that runs already.
    TWindowId StartOtherInstance() {
        Machine.Mutexes.Names.insert("Glidepost.exe");
        return Machine.Windows.CreateAppWindow("TApplication", "TrivexalGlidepost");
    }
    std::vector<uint32_t> PostedTo(TWindowId window) {
        std::vector<uint32_t> messages;
        for (const TMessage& m : Machine.Windows.PostedTo(window)) messages.push_back(m.Msg);
        return messages;
    }
};
}  // namespace

TEST_F(EntryTest, CommandLineSwitches) {
    struct Case {
        const char* commandLine;
        bool starts;
        bool console;
    };
    const Case kCases[] = {
        {"\"C:\\G\\Bin\\Glidepost.exe\"", true, false},
        {"\"C:\\G\\Bin\\Glidepost.exe\" /debug", true, true},
        {"\"C:\\G\\Bin\\Glidepost.exe\" /DEBUGGING", true, true},
        {"\"C:\\G\\Bin\\Glidepost.exe\" -debug", true, false},
        {"\"C:\\/DEBUG\\Bin\\Glidepost.exe\"", true, true},
        {"\"C:\\G\\Bin\\Glidepost.exe\" /Uninstall", false, false},
        {"\"C:\\G\\Bin\\Glidepost.exe\" /UNINSTALL /DEBUG", false, false},
    };
    for (const Case& c : kCases) {
        Machine.Process.CommandLineText = c.commandLine;
        EXPECT_EQ(CheckCommandLine(), c.starts) << c.commandLine;
        // The uninstall road opens no console even with "/DEBUG": its first log call asks for
        // a disabled one.
        EXPECT_EQ(GetDebugConsole(false).Enabled(), c.console) << c.commandLine;
        EXPECT_EQ(Machine.Mutexes.Names.count("Glidepost.exe"), c.starts ? 1u : 0u);
        EXPECT_EQ(Machine.Clock.SleptMs(), 0u);
        ResetSingletonsForTests();
        Machine.Mutexes.Names.clear();
    }
}

TEST_F(EntryTest, SecondStartHandsOverWithoutConsoleOrForm) {
    TWindowId running = StartOtherInstance();
    Machine.Process.CommandLineText = "Glidepost.exe /DEBUG";
    EXPECT_EQ(GlidepostMain(), 0);
    EXPECT_EQ(PostedTo(running), (std::vector<uint32_t>{0x819F}));
    ASSERT_EQ(Machine.Windows.ForegroundGrants.size(), 1u);
    EXPECT_EQ(Machine.Windows.ForegroundGrants[0].first, running);
    EXPECT_EQ(Machine.Windows.ForegroundGrants[0].second, 0u) << "the grant comes before the post";
    EXPECT_EQ(Machine.Console.OpenCount, 0);
    EXPECT_EQ(Machine.Windows.Windows.size(), 1u);  // only the other instance's window
    EXPECT_EQ(Machine.Clock.SleptMs(), 0u);
}

TEST_F(EntryTest, UninstallWithInstanceRunningClosesItAndWaits) {
    TWindowId running = StartOtherInstance();
    Machine.Process.CommandLineText = "Glidepost.exe /uninstall";
    EXPECT_EQ(GlidepostMain(), 0);
    EXPECT_EQ(PostedTo(running), (std::vector<uint32_t>{0x81A0, 0x819E}));
    EXPECT_EQ(Machine.Clock.SleptMs(), 7000u);
}

TEST_F(EntryTest, MutexButNoWindowPostsNothingAndDoesNotWait) {
    Machine.Mutexes.Names.insert("Glidepost.exe");
    for (const char* commandLine : {"Glidepost.exe /UNINSTALL", "Glidepost.exe"}) {
        Machine.Process.CommandLineText = commandLine;
        EXPECT_FALSE(CheckCommandLine()) << commandLine;
    }
    EXPECT_TRUE(Machine.Windows.Posted.empty());
    EXPECT_EQ(Machine.Clock.SleptMs(), 0u);
}

TEST_F(EntryTest, MutexIsNamedAfterTheProgramFile) {
    Machine.Mutexes.Names.insert("Glidepost.exe");
    Machine.Process.ModulePathText = "C:\\G\\Bin\\Glidepost-copy.exe";
    Machine.Process.CommandLineText = "Glidepost-copy.exe";
    EXPECT_TRUE(CheckCommandLine());
    EXPECT_EQ(Machine.Mutexes.Names.count("Glidepost-copy.exe"), 1u);
}

TEST_F(EntryTest, InstanceThatWinsTheRaceBetweenOpenAndCreateGetsTheHandOver) {
    TWindowId running = Machine.Windows.CreateAppWindow("TApplication", "TrivexalGlidepost");
    Machine.Mutexes.RaceOnCreate = true;
    Machine.Process.CommandLineText = "Glidepost.exe /DEBUG";
    EXPECT_FALSE(CheckCommandLine());
    EXPECT_EQ(PostedTo(running), (std::vector<uint32_t>{0x819F}));
    EXPECT_EQ(Machine.Console.OpenCount, 0);
}

TEST_F(EntryTest, NormalStartOnAMachineWithoutTheProgramsFilesEndsWithTheErrorBox) {
    Machine.Process.CommandLineText = "Glidepost.exe";
    EXPECT_EQ(GlidepostMain(), 0);
    TApplication& app = GetApplication();
    EXPECT_EQ(app.Title(), "TrivexalGlidepost");
    EXPECT_EQ(Machine.Windows.FindTopWindow("TApplication", "TrivexalGlidepost"), app.Handle());
    ASSERT_NE(app.MainForm(), nullptr);
    EXPECT_FALSE(app.MainForm()->FormVisible());
    ASSERT_GE(Machine.Windows.Boxes.size(), 1u);
    EXPECT_EQ(Machine.Windows.Boxes.back().Caption, "Error 0xFFFD");
    EXPECT_TRUE(app.Terminated());
}

TEST(ExceptionDisplayTest, FullStopAddedOnlyAfterCharactersAboveIt) {
    EXPECT_EQ(ExceptionDisplayText("Access violation"), "Access violation.");
    EXPECT_EQ(ExceptionDisplayText("Done."), "Done.");
    EXPECT_EQ(ExceptionDisplayText("Failed!"), "Failed!");
    EXPECT_EQ(ExceptionDisplayText("code 7"), "code 7.");
    EXPECT_EQ(ExceptionDisplayText(""), "");
}
