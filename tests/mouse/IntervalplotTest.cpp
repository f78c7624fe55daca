#include "mouse/Intervalplot.h"

#include "ui/UiTest.h"

namespace {
class IntervalPlotTest : public TUiTest {
protected:
    uint32_t At(const TIntervalPlot& plot, int x, int y) {
        return plot.Pixels()[static_cast<size_t>(y) * static_cast<size_t>(plot.Width()) + static_cast<size_t>(x)];
    }
    // The columns of the strip that hold a bar's colour in the bottom row.
    std::vector<int> BarColumns(const TIntervalPlot& plot) {
        std::vector<int> columns;
        for (int x = 0; x < plot.Width(); ++x) {
            if (At(plot, x, plot.Height() - 1) == kBar) columns.push_back(x);
        }
        return columns;
    }
    static constexpr uint32_t kBar = 0xFFD8343A;   // 0x3A34D8 as pixels
    static constexpr uint32_t kLine = 0xFFA6A2A0;  // 0xA0A2A6
};
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

    // Four places of four pixels at the right edge, the last (an interval of nothing) empty.
    const int first = 313 - 4 * 4 + 1;
    std::vector<int> expected;
    for (int bar = 0; bar < 3; ++bar) {
        for (int x = 0; x < 3; ++x) expected.push_back(first + bar * 4 + x);
    }
    EXPECT_EQ(BarColumns(plot), expected);
    EXPECT_EQ(At(plot, first, 66 - 33), kLine) << "the reference line runs over the 1 ms bar's top";
    EXPECT_EQ(At(plot, first, 66 - 32), kBar);
    EXPECT_EQ(At(plot, first, 66 - 34), 0u);
    EXPECT_EQ(At(plot, first + 4, 66 - 18), 0u) << "the 0.5 ms bar is 17 high";
    EXPECT_EQ(At(plot, first + 4, 66 - 17), kBar);
    EXPECT_EQ(At(plot, first + 8, 0), kBar) << "the 3 ms bar fills the height";
    EXPECT_EQ(At(plot, 0, 33), kLine);

    // Painted as one picture at the plot's place.
    TRecordingCanvas canvas = Paint();
    int images = 0;
    for (const auto& op : canvas.Ops) images += op.Kind == TRecordingCanvas::TKind::Image && op.X == 10 && op.Y == 20;
    EXPECT_EQ(images, 1);

    std::vector<double> many(200, 1.0);
    many.back() = 2.0;
    plot.Show(many.data(), many.size(), 1.0);
    EXPECT_EQ(BarColumns(plot).size(), 78u * 3) << "no more bars than fit";
    EXPECT_EQ(At(plot, 312, 0), kBar) << "the newest, 2 ms, fills the height at the right edge";
}
