#include "mouse/Frmmousepolling.h"

#include <algorithm>
#include <thread>

#include "config/Kytxmlbase.h"
#include "config/Kytxmlitem.h"
#include "locale/Resstring.h"
#include "mouse/BoardFixture.h"
#include "platform/sim/Simcanvas.h"
#include "shell/Framectrl.h"
#include "shell/Programpages.h"
#include "sys/Debugconsole.h"

namespace {
class PollingPageTest : public TBoardFixture {
protected:
    // Shows the page and lets its first detection pass run.
    TMousePollingFrame& ShowAndDetect() {
        GetFrameCtrl(Panel.get(), MakeProgramPage).ShowPage(24);
        Page = static_cast<TMousePollingFrame*>(GetFrameCtrl().GetPage(24));
        Machine.Windows.Advance(1000);
        Settle();
        return *Page;
    }
    // Lets the page's timers run until its apply worker is done and the outcome is shown;
    // answers the longest any one timer tick of the window's thread slept meanwhile.
    uint64_t Settle() {
        uint64_t longest = 0;
        for (int tick = 0; tick < 100000 && Page->ApplyRunning(); ++tick) {
            const uint64_t before = TSimClock::SleptMsOnThisThread();
            Machine.Windows.Advance(50);
            longest = std::max(longest, TSimClock::SleptMsOnThisThread() - before);
            std::this_thread::yield();
        }
        EXPECT_FALSE(Page->ApplyRunning());
        return longest;
    }
    std::string Stored(const char* attribute) {
        TKytXmlBase conf;
        EXPECT_TRUE(conf.LoadXmlFile(Dir.Path("Conf\\QX570Steel.xml")));
        return TKytXmlItem(FirstNode(conf.Root(), "/Root/Glidepost")).GetStrAttribute(attribute, "");
    }
    TMousePollingFrame* Page = nullptr;
};
}  // namespace

TEST_F(PollingPageTest, FirstRunStoresTheMouseAndApplies500Hz) {
    TMousePollingFrame& page = ShowAndDetect();
    ASSERT_TRUE(page.Found());
    EXPECT_TRUE(page.Branded());
    EXPECT_EQ(Stored("VIDPID"), "USB\\VID_E0FF&PID_0101&REV_0100");
    EXPECT_EQ(Stored("Interval"), "2");
    EXPECT_EQ(StoredInterval(), 2u);
    EXPECT_EQ(Mouse->LowerFilters, std::vector<std::string>{"KytHidFilter"});
    EXPECT_EQ(Mouse->ActiveIntervalUs, 2000u);
    EXPECT_EQ(page.lblPollingRateValue.Caption(), "500 HZ");
    EXPECT_EQ(page.PollingRateTrackBar.Position(), 4);
    EXPECT_TRUE(page.ApplyBtn.Visible());
    EXPECT_TRUE(page.Image2.Visible());
    ASSERT_FALSE(Main.Descriptions.empty());
    EXPECT_EQ(Main.Descriptions.back().rfind("You are installing the mouse into Trivexal Glidepost.", 0), 0u);

    // The same mouse next time: nothing is applied again.
    const int restarts = Mouse->Restarts;
    page.FetchDataTimer.SetEnabled(true);
    Machine.Windows.Advance(1000);
    EXPECT_EQ(Mouse->Restarts, restarts);
}

TEST_F(PollingPageTest, WithoutTheFilterDriverThePageOnlyMeasures) {
    GetDebugConsole(true);
    Machine.RemoveFilterDriver();
    TMousePollingFrame& page = ShowAndDetect();
    ASSERT_TRUE(page.Found());
    EXPECT_EQ(Main.Descriptions.back().rfind("The filter driver that sets the polling rate is not installed", 0), 0u);
    EXPECT_FALSE(page.ApplyBtn.Enabled());
    EXPECT_FALSE(page.CancelBtn.Enabled());
    EXPECT_FALSE(Machine.Registry.KeyExists(IRegistry::TRoot::LocalMachine, kFilterServiceKey));
    EXPECT_TRUE(Mouse->LowerFilters.empty());
    EXPECT_EQ(Mouse->Restarts, 0);
    EXPECT_EQ(Stored("VIDPID"), "") << "the mouse stays new until a rate can be applied";
    bool logged = false;
    for (const auto& line : Machine.Console.Lines()) logged |= line.Text == "FilterDriver ... [missing]";
    EXPECT_TRUE(logged);

    // The pad measures the mouse at its own 125 Hz.
    page.Image2MouseEnter();
    Machine.Mouse.PlayRate(1e6 / Mouse->ActiveIntervalUs, 1000, 3.0);
    Machine.Mouse.WaitUntilIdle();
    Machine.Windows.Advance(50);
    EXPECT_NEAR(std::stoi(page.lblCurrentRateValue.Caption()), 125, 10);

    // Apply and Default reached anyway (the filter went away while the page was up): nothing.
    page.btnApplyClick();
    Settle();
    page.btnDefaultClick();
    Settle();
    EXPECT_EQ(Mouse->Restarts, 0);
    EXPECT_FALSE(Machine.Registry.KeyExists(IRegistry::TRoot::LocalMachine, kFilterServiceKey));
}

TEST_F(PollingPageTest, AnApplyWhoseMouseDoesNotComeBackKeepsTheOldRateAndSaysSo) {
    TMousePollingFrame& page = ShowAndDetect();
    ASSERT_EQ(StoredInterval(), 2u);
    Machine.BreakFilterDriver();
    page.PollingRateTrackBar.SetPosition(5);
    // The mouse is waited for five seconds and put back: all of it on the apply's worker. The
    // window's thread never waits more than a tick's worth, and Apply stays off meanwhile.
    const uint64_t before = TSimClock::SleptMsOnThisThread();
    const uint64_t start = Machine.Clock.NowNs();
    page.btnApplyClick();
    EXPECT_LE(TSimClock::SleptMsOnThisThread() - before, 250u);
    EXPECT_TRUE(page.ApplyRunning());
    EXPECT_FALSE(page.ApplyBtn.Enabled());
    EXPECT_FALSE(page.CancelBtn.Enabled());
    EXPECT_LE(Settle(), 250u);
    EXPECT_GE(Machine.Clock.NowNs() - start, int64_t{kMouseBackWithinMs} * 1'000'000);
    EXPECT_TRUE(page.ApplyBtn.Enabled());
    EXPECT_EQ(StoredInterval(), 2u);
    EXPECT_EQ(Stored("Interval"), "2");
    EXPECT_EQ(page.Interval(), 2);
    EXPECT_EQ(page.lblPollingRateValue.Caption(), "500 HZ");
    EXPECT_FALSE(Mouse->Stopped);
    EXPECT_TRUE(Mouse->LowerFilters.empty());
    ASSERT_EQ(Machine.Windows.Boxes.size(), 1u);
    EXPECT_EQ(Machine.Windows.Boxes[0].Text.rfind("The mouse did not come back", 0), 0u);
}

TEST_F(PollingPageTest, ARateThatWaitsForARebootIsStoredSaidAndNotJudged) {
    TMousePollingFrame& page = ShowAndDetect();
    Mouse->NeedsReboot = true;
    page.PollingRateTrackBar.SetPosition(5);
    page.btnApplyClick();
    Settle();
    EXPECT_EQ(Stored("Interval"), "1");
    EXPECT_EQ(page.Interval(), 1);
    ASSERT_EQ(Machine.Windows.Boxes.size(), 1u);
    EXPECT_EQ(Machine.Windows.Boxes[0].Text.rfind("Windows has to restart the computer", 0), 0u);
    // The mouse still reports at 500 Hz: that is no verdict against the 1000 Hz to come.
    Machine.Windows.Advance(1000);
    page.Image2MouseEnter();
    Machine.Mouse.PlayRate(500, 1000, 3.0);
    Machine.Mouse.WaitUntilIdle();
    Machine.Windows.Advance(600);
    EXPECT_EQ(page.lblRateVerdict.Caption(), "");
    EXPECT_EQ(page.lblMedianInterval.Caption().rfind("Median interval  2.0", 0), 0u)
        << page.lblMedianInterval.Caption();
}

TEST_F(PollingPageTest, UnpluggingSwitchesToTheNoMouseTextOneSecondLater) {
    TMousePollingFrame& page = ShowAndDetect();
    ASSERT_TRUE(page.Found());
    Machine.Usb.Controllers[0].RootHub->Ports[3] = nullptr;
    page.FetchDataTimer.SetEnabled(true);  // what a device removal does
    Machine.Windows.Advance(999);
    EXPECT_TRUE(page.ApplyBtn.Visible());
    Machine.Windows.Advance(1);
    EXPECT_FALSE(page.Found());
    EXPECT_FALSE(page.ApplyBtn.Visible());
    EXPECT_FALSE(page.lblPeakRateValue.Visible());
    EXPECT_FALSE(page.Image2.Visible());
    EXPECT_EQ(Main.Descriptions.back().rfind("Your mouse isn't connected to the Trivexal Glidepost.", 0), 0u);
}

TEST_F(PollingPageTest, AMouseBehindAHubAtAnotherLevelIsNotFound) {
    auto hub = TSimUsb::Hub("USB#HUB#DESK", 4);
    hub->Hub->Ports[3] = Mouse;
    Machine.Usb.Controllers[0].RootHub->Ports[3] = hub;
    SetModel("VQ690 SKY");  // not of the branded line: the gaming wording
    Machine.Hardware.AddPciFunction(0, 20, 0, 0x8086, 0x7AE0);
    // VQ690 SKY's designated port is level 1, port 2: the mouse is at level 1, port 4.
    TMousePollingFrame& page = ShowAndDetect();
    EXPECT_FALSE(page.Branded());
    EXPECT_FALSE(page.Found());
    EXPECT_EQ(Main.Descriptions.back().rfind("Your mouse isn't connected to the Gaming Glidepost.", 0), 0u);
}

TEST_F(PollingPageTest, AStoredSixteenMillisecondsShows62HzAndTheTrackBarClamps) {
    Machine.Registry.CreateKey(IRegistry::TRoot::LocalMachine, kFilterServiceKey);
    Machine.Registry.SetDword(IRegistry::TRoot::LocalMachine, kFilterServiceKey, "bInterval", 16);
    Dir.Write("Conf\\QX570Steel.xml",
              "<Root><Glidepost HOSTCTRLER=\"VEN_8086&amp;DEV_A36D\" HCDNO=\"0\" PortNO=\"4\" "
              "VIDPID=\"USB\\VID_E0FF&amp;PID_0101&amp;REV_0100\" Interval=\"16\"/></Root>");
    TMousePollingFrame& page = ShowAndDetect();
    EXPECT_EQ(page.lblPollingRateValue.Caption(), "62 HZ");
    EXPECT_EQ(page.PollingRateTrackBar.Position(), 2);
    EXPECT_EQ(page.Interval(), 16);
}

TEST_F(PollingPageTest, ApplyAtPosition3Writes4Ms) {
    TMousePollingFrame& page = ShowAndDetect();
    page.PollingRateTrackBar.SetPosition(3);
    EXPECT_EQ(page.lblPollingRateValue.Caption(), "250 HZ");
    page.btnApplyClick();
    Settle();
    EXPECT_EQ(StoredInterval(), 4u);
    EXPECT_EQ(Stored("Interval"), "4");
    EXPECT_EQ(Mouse->ActiveIntervalUs, 4000u);
    EXPECT_TRUE(page.FetchDataTimer.Enabled());
    page.btnDefaultClick();
    Settle();
    EXPECT_EQ(StoredInterval(), 2u);
    EXPECT_EQ(page.PollingRateTrackBar.Position(), 4);
}

TEST_F(PollingPageTest, TheTestPadShowsTheAppliedRateAndThePeakFromTheSixteenthTick) {
    TMousePollingFrame& page = ShowAndDetect();
    page.PollingRateTrackBar.SetPosition(5);
    page.btnApplyClick();
    Settle();
    Machine.Windows.Advance(1000);  // the detection pass after Apply makes a running sampler
    ASSERT_EQ(Mouse->ActiveIntervalUs, 1000u);
    page.Image2MouseEnter();
    Machine.Mouse.PlayRate(1e6 / Mouse->ActiveIntervalUs, 2000, 3.0);
    Machine.Mouse.WaitUntilIdle();
    for (int tick = 1; tick <= 15; ++tick) {
        Machine.Windows.Advance(50);
        EXPECT_EQ(page.lblPeakRateValue.Caption(), "0 HZ") << tick;
    }
    Machine.Windows.Advance(50);
    const int current = std::stoi(page.lblCurrentRateValue.Caption());
    const int peak = std::stoi(page.lblPeakRateValue.Caption());
    EXPECT_NEAR(current, 1000, 20);
    EXPECT_GT(peak, 980);
    EXPECT_EQ(page.lblCurrentRateValue.Caption().substr(page.lblCurrentRateValue.Caption().size() - 3), " HZ");
    // The statistics card: the jittered 1 ms intervals and the verdict.
    EXPECT_EQ(page.lblMedianInterval.Caption().rfind("Median interval  1.0", 0), 0u)
        << page.lblMedianInterval.Caption();
    EXPECT_EQ(page.lblRateVerdict.Caption(), "1000 Hz confirmed");
}

TEST_F(PollingPageTest, ARateThatDidNotTakeIsToldWithTheAdvice) {
    GetDebugConsole(true);
    TMousePollingFrame& page = ShowAndDetect();
    Mouse->FilterTakes = false;  // a mouse that needs replugging before a new rate takes
    page.PollingRateTrackBar.SetPosition(5);
    page.btnApplyClick();
    Settle();
    Machine.Windows.Advance(1000);
    ASSERT_EQ(Mouse->ActiveIntervalUs, 8000u);
    page.Image2MouseEnter();
    Machine.Mouse.PlayRate(125, 1000, 3.0);  // 125 reports: not yet enough to judge
    Machine.Mouse.WaitUntilIdle();
    Machine.Windows.Advance(150);
    EXPECT_EQ(page.lblRateVerdict.Caption(), "");
    Machine.Mouse.PlayRate(125, 1000, 3.0);
    Machine.Mouse.WaitUntilIdle();
    Machine.Windows.Advance(150);
    EXPECT_EQ(page.lblRateVerdict.Caption(), "Measured 125 Hz, not 1000 Hz: replug the mouse, then press Apply again");
    bool logged = false;
    for (const auto& line : Machine.Console.Lines()) logged |= line.Text == "RateVerdict ... [differs]";
    EXPECT_TRUE(logged);
    EXPECT_GT(page.IntervalPlot.Bars(), 70u);
}

TEST_F(PollingPageTest, LongCaptionsPushTheRateValuesRightInOneColumn) {
    TMousePollingFrame& page = ShowAndDetect();
    const auto paint = [&] {
        TRecordingCanvas canvas;
        Host->PaintWindow(canvas);
    };
    paint();
    EXPECT_EQ(page.lblPollingRateValue.Left(), 744) << "the design's place while the captions fit";
    GetResString().LoadLanguageFile(Dir.Path("Language\\French.xml"));
    GetResString().AnnounceLanguageChange();
    paint();  // the captions measure themselves as they paint
    ASSERT_EQ(page.lblPollingRateCaption.Caption(), "Taux d'interrogation");
    const int captionRight = page.lblPollingRateCaption.Left() + page.lblPollingRateCaption.Width();
    EXPECT_GT(captionRight, 744);
    EXPECT_GE(page.lblPollingRateValue.Left(), captionRight + 8);
    EXPECT_EQ(page.lblCurrentRateValue.Left(), page.lblPollingRateValue.Left());
    EXPECT_EQ(page.lblPeakRateValue.Left(), page.lblPollingRateValue.Left());
}

TEST_F(PollingPageTest, AfterALanguageChangeTheRateLabelReadsDefaultAndTheRateIsCapped) {
    TMousePollingFrame& page = ShowAndDetect();
    GetResString().LoadLanguageFile(Dir.Path("Language\\German.xml"));
    GetResString().AnnounceLanguageChange();
    EXPECT_EQ(page.lblPollingRateValue.Caption(), "Standard");
    EXPECT_EQ(page.lblPeakRateCaption.Caption(), "Spitzenrate");
    EXPECT_EQ(Main.Descriptions.back().rfind("Ihre Maus steckt", 0), 0u) << "the description follows at once";
    page.Image2MouseEnter();
    Machine.Mouse.PlayRate(2000, 1000);  // a mouse at 2000 Hz
    Machine.Mouse.WaitUntilIdle();
    Machine.Windows.Advance(50);
    EXPECT_EQ(page.lblCurrentRateValue.Caption(), "1200 HZ");
}

TEST_F(PollingPageTest, ReplugForMeCyclesThePortAndTheRateTakes) {
    GetDebugConsole(true);
    TMousePollingFrame& page = ShowAndDetect();
    Mouse->FilterTakes = false;  // the new rate takes only once the mouse is plugged in again
    page.PollingRateTrackBar.SetPosition(5);
    page.btnApplyClick();
    Settle();
    Machine.Windows.Advance(1000);
    page.Image2MouseEnter();
    Machine.Mouse.PlayHand(1e6 / Mouse->ActiveIntervalUs, TSimHand(2000), 3000, 10.0);
    Machine.Mouse.WaitUntilIdle();
    Machine.Windows.Advance(600);
    ASSERT_EQ(page.lblRateVerdict.Caption(), "Measured 125 Hz, not 1000 Hz: replug the mouse, then press Apply again");
    EXPECT_TRUE(page.btnReplug.Visible());
    EXPECT_FALSE(page.IntervalPlot.Visible()) << "the button stands in the plot's place";

    // The hub refuses first: the card says so, and the mouse goes on as it was.
    Machine.Usb.FailingCodes.insert(usb::kCyclePort);
    page.Image2MouseLeave();
    page.btnReplugClick();
    Settle();
    EXPECT_EQ(page.lblRateVerdict.Caption(), "The port could not be power-cycled: please replug the mouse by hand");
    EXPECT_EQ(Mouse->Cycles, 0);
    EXPECT_EQ(Mouse->ActiveIntervalUs, 8000u);

    Machine.Usb.FailingCodes.clear();
    page.btnReplugClick();
    Settle();
    EXPECT_EQ(Mouse->Cycles, 1);
    EXPECT_EQ(Mouse->ActiveIntervalUs, 1000u) << "a replug makes the bound filter's rate take";
    EXPECT_FALSE(page.btnReplug.Visible());
    page.Image2MouseEnter();
    Machine.Mouse.PlayHand(1e6 / Mouse->ActiveIntervalUs, TSimHand(5000), 1000, 10.0);
    Machine.Mouse.WaitUntilIdle();
    Machine.Windows.Advance(600);
    EXPECT_EQ(page.lblRateVerdict.Caption(), "1000 Hz confirmed");
    std::vector<std::string> cycles;
    for (const auto& line : Machine.Console.Lines()) {
        if (line.Text.rfind("MousePortCycle", 0) == 0) cycles.push_back(line.Text);
    }
    EXPECT_EQ(cycles, (std::vector<std::string>{"MousePortCycle ... [refused]", "MousePortCycle ... [done]"}));
}

TEST_F(PollingPageTest, ASlowHandIsToldToMoveFasterAndABackgroundWindowToBeClicked) {
    GetDebugConsole(true);
    TMousePollingFrame& page = ShowAndDetect();
    page.PollingRateTrackBar.SetPosition(5);
    page.btnApplyClick();
    Settle();
    Machine.Windows.Advance(1000);
    page.Image2MouseEnter();
    // A steady hand at a count every third poll or so: intervals of 3 and 4 ms say no rate.
    Machine.Mouse.PlayHand(1000, TSimHand(300), 5000, 10.0);
    Machine.Mouse.WaitUntilIdle();
    Machine.Windows.Advance(600);
    EXPECT_EQ(page.lblRateVerdict.Caption(), "Move the mouse faster over the pad");
    EXPECT_FALSE(page.btnReplug.Visible());

    Machine.Windows.OtherProgramInFront = true;
    Machine.Mouse.PlayHand(1000, TSimHand(5000), 1000, 10.0);
    Machine.Mouse.WaitUntilIdle();
    Machine.Windows.Advance(600);
    EXPECT_EQ(page.lblRateVerdict.Caption(), "Click the window, then move over the pad");
    bool confirmedLogged = false;
    for (const auto& line : Machine.Console.Lines()) confirmedLogged |= line.Text == "RateVerdict ... [confirmed]";
    EXPECT_FALSE(confirmedLogged) << "the verdict waits while another window is in front";
    Machine.Windows.OtherProgramInFront = false;
    Machine.Windows.Advance(600);
    EXPECT_EQ(page.lblRateVerdict.Caption(), "1000 Hz confirmed");
}
