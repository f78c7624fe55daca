#include "config/Kytxmlbase.h"
#include "config/Kytxmlitem.h"
#include "mouse/BoardFixture.h"
#include "ui/Frmbase.h"
#include "shell/Entry.h"

namespace {
class RateCommandTest : public TBoardFixture {
protected:
    int Run(const std::string& arguments) {
        Machine.Process.CommandLineText = "\"C:\\G\\Bin\\Glidepost.exe\" " + arguments;
        const int code = GlidepostMain();
        ResetProcess();
        return code;
    }
    std::string Stored(const char* attribute) {
        TKytXmlBase conf;
        EXPECT_TRUE(conf.LoadXmlFile(Dir.Path("Conf\\QX570Steel.xml")));
        return TKytXmlItem(FirstNode(conf.Root(), "/Root/Glidepost")).GetStrAttribute(attribute, "");
    }
};
}  // namespace

TEST_F(RateCommandTest, EachOutcomeHasItsExitCode) {
    struct Case {
        const char* arguments;
        std::function<void()> arrange, undo;
        int code;
    };
    auto& port = Machine.Usb.Controllers[0].RootHub->Ports[3];
    const Case kCases[] = {
        {"/RATE=300", nullptr, nullptr, kRateBadValue},
        {"/RATE=", nullptr, nullptr, kRateBadValue},
        {"/rate=1000 /DEBUG", [&] { port = nullptr; }, [&] { port = Mouse; }, kRateNoMouse},
        {"/RATE=1000", [&] { Machine.RemoveFilterDriver(); }, [&] { Machine.InstallFilterDriver(); },
         kRateFilterMissing},
        {"/RATE=1000", [&] { Machine.BreakFilterDriver(); }, [&] { Machine.InstallFilterDriver(); }, kRateRolledBack},
        {"/RATE=1000", [&] { SetModel("UNKNOWN BOARD"); }, [&] { SetModel("QX-570 STEEL"); }, kRateUnsupported},
    };
    const std::string before = Stored("Interval");
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.arguments);
        if (c.arrange) c.arrange();
        EXPECT_EQ(Run(c.arguments), c.code);
        EXPECT_EQ(Stored("Interval"), before) << "the configuration changes only when the rate took";
        EXPECT_EQ(Mouse->ActiveIntervalUs, 8000u);
        EXPECT_TRUE(Machine.Windows.Windows.empty()) << "no window on this road";
        if (c.undo) c.undo();
    }
    EXPECT_EQ(Run("/RATE=250"), kRateApplied);
    EXPECT_EQ(Stored("Interval"), "4");
    EXPECT_EQ(StoredInterval(), 4u);
    EXPECT_EQ(Mouse->ActiveIntervalUs, 4000u);
    EXPECT_EQ(Stored("VIDPID"), "USB\\VID_E0FF&PID_0101&REV_0100") << "no longer a new mouse to the window";

    Mouse->NeedsReboot = true;
    EXPECT_EQ(Run("/RATE=1000"), kRateRebootNeeded);
    EXPECT_EQ(Stored("Interval"), "1") << "what the mouse runs at after the reboot";
    EXPECT_EQ(Mouse->ActiveIntervalUs, 4000u);
}

TEST_F(RateCommandTest, ARunningWindowIsAskedToShowTheNewRate) {
    Machine.Mutexes.Names.insert("Glidepost.exe");
    const TWindowId window = Machine.Windows.CreateAppWindow("TApplication", "TrivexalGlidepost");
    EXPECT_EQ(Run("/RATE=1000"), kRateApplied);
    const auto posted = Machine.Windows.PostedTo(window);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].Msg, kMsgShowPage);
    EXPECT_EQ(posted[0].WParam, 24u);
    EXPECT_EQ(StoredInterval(), 1u);
}
