#include "shell/Framectrl.h"

#include "locale/Themectrl.h"
#include "mouse/BoardFixture.h"
#include "mouse/Frmmousepolling.h"
#include "shell/Programpages.h"
#include "ui/Frmsamples.h"

namespace {
class FrameCtrlTest : public TBoardFixture {};
}  // namespace

TEST_F(FrameCtrlTest, ShowingPagesAndTheOrderOfASwitch) {
    TFrameCtrl& pages = GetFrameCtrl(Panel.get(), MakeProgramPage);
    TBaseFrame* polling = pages.GetPage(24);  // before it is shown: not activated
    ASSERT_NE(polling, nullptr);
    EXPECT_EQ(polling->PageId, 24);
    EXPECT_EQ(pages.CurrentPageId(), 0);
    pages.ShowPage(24);
    EXPECT_EQ(pages.CurrentPageId(), 24);
    const size_t described = Main.Descriptions.size();
    pages.ShowPage(24);  // again: nothing
    EXPECT_EQ(Main.Descriptions.size(), described);

    pages.ShowPage(1);
    TBaseFrame* sample = pages.GetPage(1);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(pages.CurrentPageId(), 1);
    EXPECT_EQ(Main.Descriptions.back(), "");  // the sample page's description
    EXPECT_EQ(Panel->Children().back(), sample);
    EXPECT_EQ(static_cast<TMousePollingFrame*>(polling)->Sampler(), nullptr) << "page 24 was deactivated";
    EXPECT_EQ(sample->Width(), 1000);

    pages.ShowPage(7);  // not a page
    EXPECT_EQ(pages.CurrentPageId(), 1);
    EXPECT_EQ(pages.GetPage(7), nullptr);
}

TEST_F(FrameCtrlTest, ThemeAndLanguageReachEveryCreatedPage) {
    TFrameCtrl& pages = GetFrameCtrl(Panel.get(), MakeProgramPage);
    pages.CreatePage(1);
    pages.CreatePage(24);
    TThemeCtrl& themes = GetThemeCtrl();
    themes.SelectTheme(2);
    for (int id : {1, 24}) {
        EXPECT_EQ(pages.GetPage(id)->splOnOffSwitchBtn.Picture.Width(), 53) << id;  // Brasco's switch picture
    }
    auto* polling = static_cast<TMousePollingFrame*>(pages.GetPage(24));
    EXPECT_EQ(polling->PollingRateTrackBar.Thumb.Picture.Width(), 14);  // copied from the sample track bar
}

TEST_F(FrameCtrlTest, WithoutAHostNothingIsCreatedAndAnUnconfiguredPageIsDropped) {
    TFrameCtrl orphan(nullptr, MakeProgramPage);
    orphan.CreatePage(24);
    EXPECT_EQ(orphan.GetPage(24), nullptr);

    Dir.Write("Conf\\QX570Steel.xml", "<Root><Glidepost PortNO=\"0\"/></Root>");
    TFrameCtrl& pages = GetFrameCtrl(Panel.get(), MakeProgramPage);
    EXPECT_EQ(pages.GetPage(24), nullptr);  // disabled itself: not kept
}
