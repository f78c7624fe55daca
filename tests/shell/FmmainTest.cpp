#include "shell/Fmmain.h"

#include <thread>

#include "config/Kytxmlbase.h"
#include "config/Kytxmlitem.h"
#include "locale/Themectrl.h"
#include "mouse/BoardFixture.h"
#include "mouse/Frmmousepolling.h"
#include "platform/Displayscale.h"
#include "shell/Entry.h"
#include "shell/Framectrl.h"
#include "sys/Debugconsole.h"
#include "ui/toolkit/Application.h"

namespace {
class MainFormTest : public TBoardFixture {
protected:
    void SetUp() override {
        TBoardFixture::SetUp();
        SetMainEvent(nullptr);  // the main window sets it itself
        GetApplication().Initialize();
        GetApplication().SetTitle(kAppTitle);
    }
    TMainForm& Start(const std::string& commandLine = "Glidepost.exe") {
        Machine.Process.CommandLineText = commandLine;
        return GetApplication().CreateForm<TMainForm>();
    }
    std::vector<std::string> Logged() {
        std::vector<std::string> texts;
        for (const auto& line : Machine.Console.Lines()) texts.push_back(line.Text);
        return texts;
    }
};
}  // namespace

TEST_F(MainFormTest, StartUpBuildsThePageThemesItAndRegistersForDevices) {
    TMainForm& main = Start("Glidepost.exe /debug");
    ASSERT_TRUE(main.StartedUp());
    EXPECT_TRUE(main.DebugMode());
    EXPECT_TRUE(main.ThemeComboBox.Visible());
    EXPECT_TRUE(main.LanguageComboBox.Visible());
    EXPECT_EQ(main.ThemeComboBox.Items, (std::vector<std::string>{"Corvel", "Ildane", "Brasco"}));
    EXPECT_EQ(GetThemeCtrl().CurrentThemeId, 1);
    EXPECT_EQ(main.Color, 0x222222u);
    EXPECT_EQ(main.LanguageComboBox.Text(), "English");
    EXPECT_EQ(GetFrameCtrl().CurrentPageId(), 24);
    EXPECT_EQ(Machine.Windows.NotificationWindows, std::vector<TWindowId>{main.Handle()});
    EXPECT_TRUE(Machine.Registry.KeyExists(IRegistry::TRoot::CurrentUser, "Software\\Quenlo"));
    EXPECT_TRUE(Machine.Windows.Boxes.empty());
    auto logged = Logged();
    EXPECT_NE(std::find(logged.begin(), logged.end(), ">>>>>>>>>>>>>>>>>>>>>>>0x0409"), logged.end());
    // The first detection pass a second later describes the found mouse.
    Machine.Windows.Advance(1000);
    EXPECT_EQ(main.lblDescription.Caption().rfind("You are installing the mouse", 0), 0u);
}

TEST_F(MainFormTest, AMissingModelListEndsWithErrorFFFD) {
    Dir.Write("Conf\\Glidepost.xml", "<Broken");
    TMainForm& main = Start();
    EXPECT_FALSE(main.StartedUp());
    ASSERT_EQ(Machine.Windows.Boxes.size(), 1u);
    EXPECT_EQ(Machine.Windows.Boxes[0].Caption, "Error 0xFFFD");
    EXPECT_EQ(Machine.Windows.Boxes[0].Text, "This utility is not for this platform!");
    EXPECT_TRUE(Machine.Windows.Boxes[0].SystemModal);
    EXPECT_TRUE(GetApplication().Terminated());
    GetApplication().Run();
    EXPECT_FALSE(main.FormVisible());
}

TEST_F(MainFormTest, AModelNotInTheListEndsWithErrorFFFC) {
    SetModel("UNKNOWN BOARD");
    TMainForm& main = Start();
    EXPECT_FALSE(main.StartedUp());
    ASSERT_EQ(Machine.Windows.Boxes.size(), 1u);
    EXPECT_EQ(Machine.Windows.Boxes[0].Caption, "Error 0xFFFC");
    EXPECT_FALSE(FrameCtrlExists());
}

TEST_F(MainFormTest, AFailedNotificationRegistrationIsShownAndStartUpGoesOn) {
    Machine.Windows.NotificationError = 87;
    TMainForm& main = Start();
    EXPECT_TRUE(main.StartedUp());
    ASSERT_EQ(Machine.Windows.Boxes.size(), 1u);
    EXPECT_EQ(Machine.Windows.Boxes[0].Caption, "Can't register device notification");
    EXPECT_EQ(Machine.Windows.Boxes[0].Text, "87");
}

TEST_F(MainFormTest, PowerEventsAreLogged) {
    GetDebugConsole(true);
    TMainForm& main = Start("Glidepost.exe /DEBUG");
    Machine.Console.Writes.clear();
    main.WindowPowerEvent(7);
    main.WindowPowerEvent(4);
    main.WindowPowerEvent(0x12);
    EXPECT_EQ(Logged(), (std::vector<std::string>{
                            " ... [Resume from S3/S4 Event : 7]",
                            " ... [Resume from S3/S4 Event : PBT_APMRESUMESUSPEND]",
                            " ... [Resume from S3/S4 Event : 4]",
                            " ... [Suspend to S3/S4 Event : PBT_APMSUSPEND]",
                            " ... [Resume from S3/S4 Event : 18]",
                        }));
    EXPECT_EQ(Machine.Console.Lines()[0].Colour, kColorRed);
}

TEST_F(MainFormTest, ABurstOfDeviceArrivalsGivesOneDetection) {
    GetDebugConsole(true);
    TMainForm& main = Start();
    Machine.Windows.Advance(1000);  // the first pass, which applies the default to the new mouse
    auto* page = static_cast<TMousePollingFrame*>(GetFrameCtrl().GetPage(24));
    ASSERT_NE(page, nullptr);
    for (int tick = 0; tick < 100000 && page->ApplyRunning(); ++tick) {
        Machine.Windows.Advance(50);
        std::this_thread::yield();
    }
    Machine.Console.Writes.clear();
    main.WindowDeviceChange(0x8000, 5);
    Machine.Windows.Advance(400);
    main.WindowDeviceChange(0x8004, 5);
    main.WindowDeviceChange(0x8000, 5);
    main.WindowDeviceChange(0x8000, 2);  // not a device interface: ignored
    Machine.Windows.Advance(600);
    auto passes = [&] {
        int count = 0;
        for (const auto& line : Machine.Console.Lines()) count += line.Text == " ... [Timer..]";
        return count;
    };
    EXPECT_EQ(passes(), 1);
    Machine.Windows.Advance(5000);
    EXPECT_EQ(passes(), 1);
}

TEST_F(MainFormTest, InstanceMessagesAndThePageMessage) {
    TMainForm& main = Start();
    GetApplication().Run();
    ASSERT_TRUE(main.FormVisible());
    TWindowId app = GetApplication().Handle();
    Machine.Windows.Post(app, 0x81A3, 7, 0);
    Machine.Windows.Post(app, 0x81A3, 24, 0);
    Machine.Windows.Post(app, 0x819F, 0, 0);
    GetApplication().Run();
    EXPECT_EQ(GetFrameCtrl().CurrentPageId(), 24);
    EXPECT_EQ(Machine.Windows.Foreground, main.Handle());
    EXPECT_TRUE(Machine.Windows.Dispatched.empty()) << "all three were handled by the hook";
    Machine.Windows.Post(app, 0x81A3, 1, 0);
    GetApplication().Run();
    EXPECT_EQ(GetFrameCtrl().CurrentPageId(), 1);
    Machine.Windows.Post(app, 0x81A0, 0, 0);
    GetApplication().Run();
    EXPECT_FALSE(main.FormVisible());
    EXPECT_TRUE(GetApplication().Terminated());
}

TEST_F(MainFormTest, TrayRoundTripKeepsTheActivePage) {
    TMainForm& main = Start();
    GetApplication().Run();
    main.MinBtnClick();
    EXPECT_TRUE(Machine.Windows.TrayVisible);
    EXPECT_EQ(Machine.Windows.Balloons, std::vector<std::string>{"Trivexal Glidepost"});
    EXPECT_FALSE(main.FormVisible());
    main.WindowTrayEvent(IFormEvents::kTrayMouseMove);
    EXPECT_EQ(Machine.Windows.TrayTip, "Trivexal Glidepost");
    main.WindowTrayEvent(IFormEvents::kTrayDoubleClick);
    EXPECT_FALSE(Machine.Windows.TrayVisible);
    EXPECT_TRUE(main.FormVisible());
    EXPECT_EQ(GetFrameCtrl().CurrentPageId(), 24);
}

TEST_F(MainFormTest, ASecondStartWhileInTheTrayBringsTheWindowBack) {
    TMainForm& main = Start();
    GetApplication().Run();
    main.MinBtnClick();
    ASSERT_FALSE(main.FormVisible());
    Machine.Windows.Post(GetApplication().Handle(), 0x819F, 0, 0);
    GetApplication().Run();
    EXPECT_TRUE(main.FormVisible());
    EXPECT_EQ(Machine.Windows.Foreground, main.Handle());
    EXPECT_TRUE(Machine.Windows.TrayVisible);
}

TEST_F(MainFormTest, TheTrayIconComesBackWhenExplorerRestarts) {
    TMainForm& main = Start();
    GetApplication().Run();
    Machine.Windows.RestartTaskbar();
    EXPECT_FALSE(Machine.Windows.TrayVisible) << "a window that is not in the tray adds no icon";
    main.MinBtnClick();
    Machine.Windows.RestartTaskbar();
    EXPECT_TRUE(Machine.Windows.TrayVisible);
    EXPECT_EQ(Machine.Windows.TrayTip, "Trivexal Glidepost");
}

TEST_F(MainFormTest, AutorunGoesToTheTrayOnceAfterTwoSeconds) {
    Dir.Write("Conf\\QX570Steel.xml",
              "<Root><Glidepost HOSTCTRLER=\"VEN_8086&amp;DEV_A36D\" HCDNO=\"0\" PortNO=\"4\" VIDPID=\"\"/>"
              "<Autorun Enable=\"TRUE\"/></Root>");
    TMainForm& main = Start();
    GetApplication().Run();
    EXPECT_TRUE(main.Autorun());
    Machine.Windows.Advance(1999);
    EXPECT_FALSE(main.InTray());
    Machine.Windows.Advance(1);
    EXPECT_TRUE(main.InTray());
    main.AtTrayIconDblClick();
    Machine.Windows.Advance(10000);
    EXPECT_FALSE(main.InTray());
    EXPECT_EQ(Machine.Windows.Balloons.size(), 1u);
}

TEST_F(MainFormTest, ThemeIdOnTheCommandLineChoosesTheStartTheme) {
    struct Case {
        const char* commandLine;
        int theme;
        uint32_t color;
    };
    for (const Case& c :
         {Case{"Glidepost.exe /themeid=0", 0, 0xF0F0F0}, Case{"Glidepost.exe /THEMEID=2 /DEBUG", 2, 0x222222},
          Case{"Glidepost.exe /THEMEID=7", 1, 0x222222}, Case{"Glidepost.exe /THEMEID=x", 1, 0x222222}}) {
        TMainForm& main = Start(c.commandLine);
        EXPECT_EQ(GetThemeCtrl().CurrentThemeId, c.theme) << c.commandLine;
        EXPECT_EQ(main.Color, c.color) << c.commandLine;
        ResetProcess();
        SetDriverImagesForTests(&Images);
        GetApplication().Initialize();
    }
}

namespace {
// The main window on displays of 100, 150 and 200 %: the window grows by the scale, and clicks
// given in display pixels land on the controls under them.
class ScaledMainFormTest : public MainFormTest, public testing::WithParamInterface<int> {};
}  // namespace

TEST_P(ScaledMainFormTest, TheWindowGrowsByTheScaleAndAClickOnApplyAt1000HzStoresOneMillisecond) {
    Machine.Windows.Dpi = GetParam();
    const TDisplayScale scale{GetParam()};
    TMainForm& main = Start();
    ASSERT_TRUE(main.StartedUp());
    const TSimWindows::TWindow* window = Machine.Windows.Find(main.Handle());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Width, std::lround(1000 * scale.Factor()));
    EXPECT_EQ(window->Height, std::lround(539 * scale.Factor()));
    auto* page = static_cast<TMousePollingFrame*>(GetFrameCtrl().GetPage(24));
    const auto settle = [&] {
        for (int tick = 0; tick < 100000 && page->ApplyRunning(); ++tick) {
            Machine.Windows.Advance(50);
            std::this_thread::yield();
        }
        Machine.Windows.Advance(50);
    };
    Machine.Windows.Advance(1000);  // the first detection pass finds the mouse and sets its default
    settle();
    ASSERT_TRUE(page->ApplyBtn.Enabled());

    // The track bar's maximum button, then Apply, at their design places seen on this display.
    const auto click = [&](int x, int y) {
        Machine.Windows.PointerClick(main.Handle(), scale.ToDisplay(x), scale.ToDisplay(y));
    };
    click(967, 88);
    EXPECT_EQ(page->lblPollingRateValue.Caption(), "1000 HZ");
    const int applyX = page->ApplyBtn.FormLeft() + page->ApplyBtn.Width() / 2;
    const int applyY = page->ApplyBtn.FormTop() + page->ApplyBtn.Height() / 2;
    click(applyX, applyY);
    settle();
    EXPECT_EQ(StoredInterval(), 1u);

    // A control that repaints asks for the display pixels it covers, rounded outward.
    page->ApplyBtn.Invalidate();
    EXPECT_EQ(window->LastInvalidated, scale.DisplayAreaOf({page->ApplyBtn.FormLeft(), page->ApplyBtn.FormTop(),
                                                            page->ApplyBtn.FormLeft() + page->ApplyBtn.Width(),
                                                            page->ApplyBtn.FormTop() + page->ApplyBtn.Height()}));
}

INSTANTIATE_TEST_SUITE_P(Displays, ScaledMainFormTest, testing::Values(96, 144, 192));

TEST_F(MainFormTest, ACloseDuringAnApplyWaitsForItsResultAndRecordsIt) {
    TMainForm& main = Start();
    GetApplication().Run();
    Machine.Windows.Advance(1000);  // the first pass applies the default to the new mouse
    auto* page = static_cast<TMousePollingFrame*>(GetFrameCtrl().GetPage(24));
    ASSERT_NE(page, nullptr);
    for (int tick = 0; tick < 100000 && page->ApplyRunning(); ++tick) {
        Machine.Windows.Advance(50);
        std::this_thread::yield();
    }
    page->PollingRateTrackBar.SetPosition(5);
    page->btnApplyClick();
    ASSERT_TRUE(page->ApplyRunning());
    main.Close();
    EXPECT_TRUE(main.FormVisible()) << "the window waits for the apply";
    EXPECT_FALSE(GetApplication().Terminated());
    for (int tick = 0; tick < 100000 && !GetApplication().Terminated(); ++tick) {
        Machine.Windows.Advance(50);
        std::this_thread::yield();
    }
    EXPECT_TRUE(GetApplication().Terminated());
    EXPECT_FALSE(main.FormVisible());
    // The next start must not apply the first-run default again: the configuration has the rate.
    EXPECT_EQ(StoredInterval(), 1u);
    TKytXmlBase conf;
    ASSERT_TRUE(conf.LoadXmlFile(Dir.Path("Conf\\QX570Steel.xml")));
    EXPECT_EQ(TKytXmlItem(FirstNode(conf.Root(), "/Root/Glidepost")).GetStrAttribute("Interval", ""), "1");
}
