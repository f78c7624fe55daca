#include "ui/Frmbase.h"

#include "InstallDir.h"
#include "UiTest.h"
#include "locale/Resstring.h"
#include "locale/Themectrl.h"
#include "sys/Mainevent.h"
#include "ui/Frmsamples.h"
#include "ui/PngFixture.h"

namespace {
// Each file of the theme gets a width of its own, so a picture shows which file it holds.
const char* const kFiles[] = {"BottonOff.png",
                              "BottonOff_Disable.png",
                              "BottonOn.png",
                              "BottonOn_Disable.png",
                              "ScrollBarUp_nol.png",
                              "ScrollBarUp_on.png",
                              "ScrollBarUp_over.png",
                              "ScrollBarUnder_nol.png",
                              "ScrollBarUnder_on.png",
                              "ScrollBarUnder_over.png",
                              "ScrollBarThumb_nol.png",
                              "ScrollBarBg.png",
                              "TrackBarMaxBtn_nol.png",
                              "TrackBarMaxBtn_on.png",
                              "TrackBarMaxBtn_over.png",
                              "TrackBarMinBtn_nol.png",
                              "TrackBarMinBtn_on.png",
                              "TrackBarMinBtn_over.png",
                              "TrackBarThumb.png",
                              "TrackBarSliderBg.jpg",
                              "TrackBarSlider.jpg",
                              "TrackBarSliderSmall_Bg.jpg",
                              "TrackBarSliderSmall.jpg",
                              "Hook.png",
                              "HookChecked.png",
                              "RadioBtn.png",
                              "RadioBtnSelected.png",
                              "Soft-02.jpg"};

int WidthOf(const std::string& file) {
    for (size_t i = 0; i < std::size(kFiles); ++i) {
        if (file == kFiles[i]) return 100 + static_cast<int>(i);
    }
    return 0;
}

class BaseFrameTest : public TUiTest {
protected:
    void SetUp() override {
        TUiTest::SetUp();
        Dir.PointAt(Machine);
    }
    void WriteTheme(const std::string& folder, bool withOn = true) {
        for (const char* file : kFiles) {
            if (!withOn && std::string(file) == "BottonOn.png") continue;
            Dir.Write("Images\\" + folder + "\\" + file, PngOfSize(WidthOf(file), 10));
        }
    }
    TInstallDir Dir;
};

}  // namespace

TEST_F(BaseFrameTest, ApplyingAThemeLoadsEveryPictureIntoItsTarget) {
    WriteTheme("IldaneRed");
    TBaseFrame page(Form.get());
    page.ApplyTheme(1);
    struct Case {
        const TPicture& picture;
        const char* file;
    };
    const Case kCases[] = {
        {page.splOnOffSwitchBtn.Picture, "BottonOff.png"},
        {page.splOnOffSwitchBtn.PictureDownDisabled, "BottonOn_Disable.png"},
        {page.splScrollBar.ButtonLeft.PictureHover, "ScrollBarUp_over.png"},
        {page.splScrollBar.ButtonRight.PictureDown, "ScrollBarUnder_on.png"},
        {page.splScrollBar.BackgroundFill, "ScrollBarBg.png"},
        {page.splTrackBar.Buttons.MaxPictureHot, "TrackBarMaxBtn_over.png"},
        {page.splSmallTrackBar.Buttons.MinPictureDown, "TrackBarMinBtn_on.png"},
        {page.splSmallTrackBar.Thumb.Picture, "TrackBarThumb.png"},
        {page.splTrackBar.Slider.Picture, "TrackBarSliderBg.jpg"},
        {page.splTrackBar.Slider.PictureCompleted, "TrackBarSlider.jpg"},
        {page.splSmallTrackBar.Slider.Picture, "TrackBarSliderSmall_Bg.jpg"},
        {page.splSmallTrackBar.Slider.PictureCompleted, "TrackBarSliderSmall.jpg"},
        {page.splCheckBox.PictureDisabled, "Hook.png"},
        {page.splCheckBox.PictureDownDisabled, "HookChecked.png"},
        {page.splRadioBtn.PictureDown, "RadioBtnSelected.png"},
        {page.FrameMainBgImage.Picture, "Soft-02.jpg"},
    };
    for (const Case& c : kCases) EXPECT_EQ(c.picture.Width(), WidthOf(c.file)) << c.file;
}

TEST_F(BaseFrameTest, AMissingFileKeepsThePreviousThemesPicture) {
    WriteTheme("IldaneRed");
    WriteTheme("BrascoYellow", false);
    Dir.Write("Images\\BrascoYellow\\BottonOff.png", PngOfSize(7, 7));
    TBaseFrame page(Form.get());
    TThemeCtrl& themes = GetThemeCtrl();
    themes.ThemeSelected.Subscribe([&](int id) { page.ApplyTheme(id); });
    themes.SelectTheme(1);
    themes.SelectTheme(2);
    EXPECT_EQ(page.splOnOffSwitchBtn.PictureDown.Width(), WidthOf("BottonOn.png"));  // still Ildane's
    EXPECT_EQ(page.splOnOffSwitchBtn.Picture.Width(), 7);
    themes.SelectTheme(0);  // no such folder: nothing changes
    EXPECT_EQ(page.splOnOffSwitchBtn.Picture.Width(), 7);
    EXPECT_EQ(themes.CurrentThemeId, 0);
}

TEST_F(BaseFrameTest, ThemeTableAndAnnouncement) {
    TThemeCtrl& themes = GetThemeCtrl();
    ASSERT_EQ(themes.Themes().size(), 3u);
    EXPECT_EQ(themes.Themes()[1].Name, "Ildane");
    EXPECT_EQ(themes.GetThemeFolder(2), Dir.Root() + "\\Images\\BrascoYellow\\");
    EXPECT_EQ(themes.GetThemeFolder(3), "");
    EXPECT_EQ(themes.GetThemeFolder(-1), "");
    EXPECT_EQ(themes.FindTheme(7), nullptr);

    std::vector<int> pages, main;
    themes.ThemeSelected.Subscribe([&](int id) { pages.push_back(id); });
    themes.SelectTheme(2);  // a listener that comes later hears only what follows
    themes.ThemeSelected.Subscribe([&](int id) { main.push_back(id); });
    themes.SelectTheme(2);
    themes.SelectTheme(9);
    EXPECT_EQ(pages, (std::vector<int>{2, 2, 9}));
    EXPECT_EQ(main, (std::vector<int>{2, 9}));
    EXPECT_EQ(themes.CurrentThemeId, 9);
}

TEST_F(BaseFrameTest, PageDefaultsLanguageAndSamples) {
    TBaseFrame page(Form.get());
    EXPECT_EQ(page.PageId, -1);
    EXPECT_EQ(page.Width(), 1000);
    EXPECT_EQ(page.Height(), 374);
    EXPECT_FALSE(page.ApplyPanel.Visible());
    EXPECT_FALSE(page.UpdatePanel.Visible());
    EXPECT_EQ(page.ApplyBtn.Caption(), "Apply");
    Dir.Write("Language\\German.xml",
              "<DATAPACKET><ROWDATA><ROW ID=\"STR_BASE_APPLY\" String=\"\xC3\x9C"
              "bernehmen\"/></ROWDATA></DATAPACKET>");
    GetResString().LoadLanguageFile(Dir.Path("Language\\German.xml"));
    page.ApplyLanguage();
    EXPECT_EQ(page.ApplyBtn.Caption(),
              "\xC3\x9C"
              "bernehmen");
    EXPECT_EQ(page.CancelBtn.Caption(), "Cancel");
    EXPECT_EQ(page.UpdateBtn.Caption(), "Update");

    TSample1Frame one(Form.get());
    TSample2Frame two(Form.get());
    EXPECT_TRUE(one.ApplyPanel.Visible());
    EXPECT_FALSE(one.UpdatePanel.Visible());
    EXPECT_TRUE(two.UpdatePanel.Visible());
    EXPECT_EQ(one.Image1.Top(), 374 - 100);
    EXPECT_EQ(two.Image3.Top(), 374 - 369);
}
