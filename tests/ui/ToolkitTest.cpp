#include "UiTest.h"
#include "ui/toolkit/Application.h"
#include "ui/toolkit/Image.h"
#include "ui/toolkit/Panel.h"
#include "ui/toolkit/Timer.h"
#include "ui/toolkit/Trackbar.h"

using ToolkitTest = TUiTest;

TEST_F(ToolkitTest, AlignmentAndZOrder) {
    TImage header(Form.get()), footer(Form.get()), body(Form.get());
    header.SetSize(0, 43);
    header.SetAlign(TAlign::Top);
    footer.SetSize(0, 122);
    footer.SetAlign(TAlign::Bottom);
    body.SetAlign(TAlign::Client);
    EXPECT_EQ(header.Width(), 400);
    EXPECT_EQ(footer.Top(), 300 - 122);
    EXPECT_EQ(body.Top(), 43);
    EXPECT_EQ(body.Height(), 300 - 43 - 122);

    TPanel panel(Form.get());
    panel.SetBounds(50, 50, 100, 100);
    TImage inside(&panel);
    inside.SetBounds(10, 10, 20, 20);
    EXPECT_EQ(Form->ControlAt(65, 65), &inside);
    EXPECT_EQ(Form->ControlAt(120, 120), &panel);
    header.BringToFront();
    EXPECT_EQ(Form->Children().back(), &header);
    panel.SetVisible(false);
    EXPECT_EQ(Form->ControlAt(65, 65), &body);
    EXPECT_TRUE(Paint().Ops.size() == 1u);  // the background; images without pictures draw nothing
}

TEST_F(ToolkitTest, MouseReachesTheWindowlessControlUnderThePointer) {
    TImage a(Form.get()), b(Form.get());
    a.SetBounds(0, 0, 100, 100);
    b.SetBounds(50, 50, 100, 100);  // on top of a
    std::vector<std::string> events;
    for (TImage* image : {&a, &b}) {
        const std::string name = image == &a ? "a" : "b";
        image->OnMouseEnter = [&, name](TControl&) { events.push_back(name + " enter"); };
        image->OnMouseLeave = [&, name](TControl&) { events.push_back(name + " leave"); };
        image->OnMouseDown = [&, name](TControl&, int, int x, int y) {
            events.push_back(name + " down " + std::to_string(x) + "," + std::to_string(y));
        };
    }
    Form->WindowMouseMove(10, 10);
    Form->WindowMouseMove(60, 60);
    Form->WindowMouseDown(0, 60, 60);
    Form->WindowMouseLeave();
    EXPECT_EQ(events, (std::vector<std::string>{"a enter", "a leave", "b enter", "b down 10,10", "b leave"}));
}

TEST_F(ToolkitTest, TimersRunOnVirtualTimeAndAreNotRestartedByEnablingAgain) {
    TTimer timer;
    std::vector<uint64_t> ticks;
    timer.OnTimer = [&] { ticks.push_back(Machine.Windows.NowMs()); };
    timer.SetInterval(50);
    timer.SetEnabled(true);
    Machine.Windows.Advance(30);
    timer.SetEnabled(true);  // already running: its schedule stays
    Machine.Windows.Advance(80);
    EXPECT_EQ(ticks, (std::vector<uint64_t>{50, 100}));
    timer.SetEnabled(false);
    Machine.Windows.Advance(200);
    EXPECT_EQ(ticks.size(), 2u);
    EXPECT_EQ(Machine.Windows.RunningTimers(), 0u);
}

TEST_F(ToolkitTest, MessageHookMarksMessagesHandled) {
    TApplication& app = GetApplication();
    app.Initialize();
    int seen = 0;
    app.OnMessage = [&](const TMessage& message, bool& handled) {
        ++seen;
        handled = message.Msg == IWindowSystem::kClose;
    };
    Machine.Windows.Post(Form->Handle(), IWindowSystem::kClose, 0, 0);
    Machine.Windows.RunLoop([&](const TMessage& m) {
        bool handled = false;
        app.OnMessage(m, handled);
        return handled;
    });
    EXPECT_EQ(seen, 1);
    EXPECT_TRUE(Form->FormVisible()) << "the close was handled by the hook, not the form";
}

TEST_F(ToolkitTest, TrackBarClampsItsPosition) {
    TTrackBar bar(Form.get());
    bar.SetBounds(0, 0, 200, 22);
    int changes = 0;
    bar.OnChange = [&](TTrackBar&) { ++changes; };
    bar.SetMax(3);
    bar.SetPosition(5);
    EXPECT_EQ(bar.Position(), 3);
    bar.SetPosition(-1);
    EXPECT_EQ(bar.Position(), 0);
    bar.SetMin(2);
    EXPECT_EQ(bar.Position(), 2);
    EXPECT_EQ(changes, 3);
    bar.SetPosition(2);
    EXPECT_EQ(changes, 3);  // no change, no event
}
