#include "platform/Displayscale.h"

#include <gtest/gtest.h>

#include "MachineTest.h"
#include "PngFixture.h"
#include "ui/toolkit/Picture.h"

TEST(DisplayScaleTest, LengthsPointsAndAreasAtEachScale) {
    struct Case {
        int dpi;
        int length, display;                     // ToDisplay(length)
        int point, design;                       // ToDesign(point)
        TDisplayScale::TArea area, displayArea;  // DisplayAreaOf(area)
        TDisplayScale::TArea shown, designArea;  // DesignAreaOf(shown)
    };
    const Case cases[] = {
        {96, 1000, 1000, 17, 17, {3, 5, 10, 9}, {3, 5, 10, 9}, {3, 5, 10, 9}, {3, 5, 10, 9}},
        {144, 1000, 1500, 17, 11, {3, 5, 10, 9}, {4, 7, 15, 14}, {4, 7, 15, 14}, {2, 4, 10, 10}},
        {192, 539, 1078, 17, 8, {3, 5, 10, 9}, {6, 10, 20, 18}, {7, 7, 15, 14}, {3, 3, 8, 7}},
        {144, 0, 0, -1, -1, {0, 0, 0, 0}, {0, 0, 0, 0}, {-3, 0, 1, 1}, {-2, 0, 1, 1}},  // left of the window
    };
    for (const Case& c : cases) {
        const TDisplayScale scale{c.dpi};
        EXPECT_EQ(scale.ToDisplay(c.length), c.display) << c.dpi;
        EXPECT_EQ(scale.ToDesign(c.point), c.design) << c.dpi;
        EXPECT_EQ(scale.DisplayAreaOf(c.area), c.displayArea) << c.dpi;
        EXPECT_EQ(scale.DesignAreaOf(c.shown), c.designArea) << c.dpi;
    }
    EXPECT_FALSE(TDisplayScale{120}.PrefersDoubleArtwork());
    EXPECT_TRUE(TDisplayScale{144}.PrefersDoubleArtwork());
}

namespace {
class PictureScaleTest : public TMachineTest {
protected:
    void SetUp() override {
        TMachineTest::SetUp();
        Dir.PointAt(Machine);
        Dir.Write("Images\\Pad.png", PngOfSize(40, 30));
        Dir.Write("Images\\Pad@2x.png", PngOfSize(80, 60));
        Dir.Write("Images\\Odd.png", PngOfSize(40, 30));
        Dir.Write("Images\\Odd@2x.png", PngOfSize(81, 60));  // not a double of anything
        Dir.Write("Images\\Plain.png", PngOfSize(40, 30));
    }
    TInstallDir Dir;
};
}  // namespace

TEST_F(PictureScaleTest, FromOneAndAHalfTheDoubleSizePictureIsTakenAtItsDesignSize) {
    struct Case {
        int dpi;
        const char* file;
        int density;
    };
    const Case cases[] = {{96, "Pad", 1},  {120, "Pad", 1},   {144, "Pad", 2},
                          {192, "Pad", 2}, {192, "Plain", 1}, {192, "Odd", 1}};
    for (const Case& c : cases) {
        Machine.Windows.Dpi = c.dpi;
        TPicture picture;
        ASSERT_TRUE(picture.LoadFromFile(Dir.Path(std::string("Images\\") + c.file + ".png"))) << c.file;
        EXPECT_EQ(picture.Width(), 40) << c.dpi << c.file;
        EXPECT_EQ(picture.Height(), 30) << c.dpi << c.file;
        EXPECT_EQ(picture.Image()->Density(), c.density) << c.dpi << c.file;
        EXPECT_EQ(picture.Image()->Pixels().Width(), 40 * c.density) << c.dpi << c.file;
    }
}

TEST_F(PictureScaleTest, ResourcesHaveTheirDoubleSizeTwinUnderTheNameWith2X) {
    Machine.Graphics.Resources["MINBTN_NOL"] = PngOfSize(27, 27);
    Machine.Graphics.Resources["MINBTN_NOL_2X"] = PngOfSize(54, 54);
    Machine.Windows.Dpi = 192;
    TPicture picture;
    ASSERT_TRUE(picture.LoadFromResource("MINBTN_NOL"));
    EXPECT_EQ(picture.Width(), 27);
    EXPECT_EQ(picture.Image()->Density(), 2);
    Machine.Windows.Dpi = 96;
    ASSERT_TRUE(picture.LoadFromResource("MINBTN_NOL"));
    EXPECT_EQ(picture.Image()->Density(), 1);
}
