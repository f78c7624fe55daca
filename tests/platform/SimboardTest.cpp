#include "platform/sim/Simboard.h"

#include "InstallDir.h"
#include "MachineTest.h"
#include "platform/sim/Simusb.h"

namespace {
class SimBoardTest : public TMachineTest {
protected:
    void Write(const std::string& xml) { Dir.Write("Board\\Board.xml", xml); }
    TInstallDir Dir;
};
}  // namespace

TEST_F(SimBoardTest, TheBoardFileDescribesTheMouseAndTheFilter) {
    TBoardDescription board;
    EXPECT_FALSE(ReadBoardDescription(Dir.Path("Board"), board)) << "no file";
    Write(R"(<Board Model="QX-770 HERO"><Mouse Port="3" Level="1" Rate="8000" NeedsReboot="true"/>)"
          R"(<Filter Takes="false" Starts="false"/></Board>)");
    ASSERT_TRUE(ReadBoardDescription(Dir.Path("Board"), board));
    EXPECT_EQ(board.Model, "QX-770 HERO");
    EXPECT_EQ(board.MousePort, 3);
    EXPECT_EQ(board.MouseHubLevel, 1);
    EXPECT_EQ(board.MouseIntervalUs, 125u);
    EXPECT_TRUE(board.MouseNeedsReboot);
    EXPECT_TRUE(board.FilterInstalled);
    EXPECT_FALSE(board.FilterTakes);
    EXPECT_FALSE(board.FilterStarts);

    const std::shared_ptr<TSimUsbDevice> mouse = BuildBoard(Machine, board);
    ASSERT_TRUE(mouse);
    EXPECT_TRUE(mouse->NeedsReboot);
    EXPECT_FALSE(mouse->FilterTakes);
    EXPECT_EQ(mouse->ActiveIntervalUs, 125u);
    EXPECT_FALSE(Machine.Services.KernelDriverInstalled("KytHidFilter") && Machine.Usb.ServiceStarts &&
                 Machine.Usb.ServiceStarts("KytHidFilter"))
        << "installed, but its driver does not load";
}
