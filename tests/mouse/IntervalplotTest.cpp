#include "mouse/Intervalplot.h"

#include "ui/UiTest.h"

namespace {
class IntervalPlotTest : public TUiTest {};
}  // namespace

TEST_F(IntervalPlotTest, BarsStandOnTheBottomRightAlignedWithTheReferenceAtHalfHeight) {
    TIntervalPlot plot(Form.get());
    plot.SetBounds(10, 20, 313, 66);
    plot.SetColors(0x3A34D8, 0xA0A2A6);
    EXPECT_EQ(plot.Bars(), 78u);
    const double intervals[] = {1.0, 0.5, 3.0, 0.0};
    plot.Show(intervals, 4, 1.0);
    EXPECT_EQ(plot.BarHeight(1.0), 33);
    EXPECT_EQ(plot.BarHeight(0.5), 17);
    EXPECT_EQ(plot.BarHeight(3.0), 66) << "clipped at the top";

    TRecordingCanvas canvas = Paint();
    std::vector<TRecordingCanvas::TOp> bars;
    for (const auto& op : canvas.Ops) {
        if (op.Kind == TRecordingCanvas::TKind::Fill && op.Color == 0x3A34D8) bars.push_back(op);
    }
    ASSERT_EQ(bars.size(), 3u) << "an interval of nothing draws nothing";
    EXPECT_EQ(bars[2].X + bars[2].Sw, 10 + 313 - 4) << "the newest bar's place is at the right edge";
    EXPECT_EQ(bars[0].X, 10 + 313 - 4 * 4 + 1);
    EXPECT_EQ(bars[0].Y, 20 + 66 - 33);
    EXPECT_EQ(bars[0].Sh, 33);
    bool line = false;
    for (const auto& op : canvas.Ops) {
        line |= op.Kind == TRecordingCanvas::TKind::Fill && op.Color == 0xA0A2A6 && op.Y == 20 + 33 && op.Sw == 313;
    }
    EXPECT_TRUE(line);

    std::vector<double> many(200, 1.0);
    many.back() = 2.0;
    plot.Show(many.data(), many.size(), 1.0);
    bars.clear();
    for (const auto& op : Paint().Ops) {
        if (op.Kind == TRecordingCanvas::TKind::Fill && op.Color == 0x3A34D8) bars.push_back(op);
    }
    ASSERT_EQ(bars.size(), 78u) << "no more bars than fit: the newest";
    EXPECT_GE(bars.front().X, 10);
    EXPECT_EQ(bars.back().Sh, 66);
}
