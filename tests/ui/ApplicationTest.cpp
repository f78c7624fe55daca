#include "ui/toolkit/Application.h"

#include "MachineTest.h"

namespace {
class TPlainForm : public TForm {};
}  // namespace

using ApplicationTest = TMachineTest;

TEST_F(ApplicationTest, HookSeesQueuedMessagesAndHandledOnesAreNotDispatched) {
    TApplication& app = GetApplication();
    app.Initialize();
    app.SetTitle("TrivexalGlidepost");
    std::vector<uint32_t> seen;
    app.OnMessage = [&](const TMessage& message, bool& handled) {
        seen.push_back(message.Msg);
        handled = message.Msg == 0x819F;
    };
    Machine.Windows.Post(app.Handle(), 0x819F, 0, 0);
    Machine.Windows.Post(app.Handle(), 0x8001, 0, 0);
    app.Run();
    EXPECT_EQ(seen, (std::vector<uint32_t>{0x819F, 0x8001}));
    ASSERT_EQ(Machine.Windows.Dispatched.size(), 1u);
    EXPECT_EQ(Machine.Windows.Dispatched[0].Msg, 0x8001u);
}

TEST_F(ApplicationTest, FirstFormIsMainAndClosingItEndsTheLoop) {
    TApplication& app = GetApplication();
    app.Initialize();
    TPlainForm& main = app.CreateForm<TPlainForm>();
    TPlainForm& second = app.CreateForm<TPlainForm>();
    EXPECT_EQ(app.MainForm(), &main);
    app.Run();
    EXPECT_TRUE(main.FormVisible());
    EXPECT_FALSE(second.FormVisible());

    Machine.Windows.Post(main.Handle(), IWindowSystem::kClose, 0, 0);
    Machine.Windows.Post(app.Handle(), 0x8001, 0, 0);
    app.Run();
    EXPECT_TRUE(Machine.Windows.QuitRequested);
    EXPECT_FALSE(main.FormVisible());
    EXPECT_EQ(Machine.Windows.Queue.size(), 1u);  // the loop ended before the later message
}
