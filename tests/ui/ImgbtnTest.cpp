#include "ui/Imgbtn.h"

#include "UiTest.h"

namespace {
class ImgBtnTest : public TUiTest {
protected:
    void SetUp() override {
        TUiTest::SetUp();
        Button = std::make_unique<TImgBtn>(Form.get());
        Button->SetBounds(10, 10, 60, 30);
        Button->SetPicture(Normal);
        Button->SetDownPicture(Down);
    }
    void TearDown() override {
        Button.reset();
        TUiTest::TearDown();
    }
    const IImage* Shown() {
        Paint();
        return Button->ImageOnScreen();
    }
    TPicture Normal = Picture(60, 30, 0xFF202020);
    TPicture Enter = Picture(60, 30, 0xFF404040);
    TPicture Down = Picture(60, 30, 0xFF606060);
    std::unique_ptr<TImgBtn> Button;
};
}  // namespace

TEST_F(ImgBtnTest, SwitchTogglesOnPressAndKeepsItsPicture) {
    Button->SetStyle(aStyleSwitch);
    EXPECT_EQ(Shown(), Normal.Image().get());
    Form->WindowMouseMove(20, 20);
    Form->WindowMouseDown(0, 20, 20);
    EXPECT_TRUE(Button->Checked());
    EXPECT_EQ(Shown(), Down.Image().get());
    Form->WindowMouseUp(0, 20, 20);
    EXPECT_EQ(Shown(), Down.Image().get());
    Click(20, 20);
    EXPECT_FALSE(Button->Checked());
    EXPECT_EQ(Shown(), Normal.Image().get());
}

TEST_F(ImgBtnTest, CheckBoxHoverDependsOnTheEnterPictureAndTogglesOnRelease) {
    Button->SetStyle(aStyleCheck);
    Form->WindowMouseMove(20, 20);
    EXPECT_EQ(Shown(), Normal.Image().get()) << "no enter picture: hovering shows the normal one";
    Button->SetEnterPicture(Enter);
    Form->WindowMouseLeave();
    Form->WindowMouseMove(20, 20);
    EXPECT_EQ(Shown(), Enter.Image().get());
    Form->WindowMouseDown(0, 20, 20);
    EXPECT_FALSE(Button->Checked()) << "a check box toggles on release";
    Form->WindowMouseUp(0, 20, 20);
    EXPECT_TRUE(Button->Checked());
    EXPECT_EQ(Shown(), Down.Image().get());
    Form->WindowMouseLeave();
    EXPECT_EQ(Shown(), Down.Image().get());
}

TEST_F(ImgBtnTest, ButtonClicksOnlyOnReleaseInside) {
    Button->SetEnterPicture(Enter);
    int clicks = 0;
    Button->OnClick = [&](TControl&) { ++clicks; };
    Click(20, 20);
    EXPECT_EQ(clicks, 1);
    Form->WindowMouseDown(0, 20, 20);
    EXPECT_EQ(Shown(), Down.Image().get());
    Form->WindowMouseMove(200, 200);  // dragged out while held: the button keeps the mouse
    Form->WindowMouseUp(0, 200, 200);
    EXPECT_EQ(clicks, 1);
    EXPECT_NE(Shown(), Down.Image().get());
    Button->SetEnabled(false);
    Click(20, 20);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ImgBtnTest, DisabledStates) {
    TPicture disabled = Picture(60, 30, 0xFF111111);
    Button->SetStyle(aStyleCheck);
    Button->SetDisabledPicture(disabled);
    Button->SetChecked(true);
    Button->SetEnabled(false);
    EXPECT_EQ(Shown(), Down.Image().get()) << "checked, no down-disabled picture";
    EXPECT_EQ(Button->CurrentFont(), &Button->FontDown);
    TPicture downDisabled = Picture(60, 30, 0xFF222222);
    Button->SetDownDisabledPicture(downDisabled);
    EXPECT_EQ(Shown(), downDisabled.Image().get());
    EXPECT_EQ(Button->CurrentFont(), &Button->FontDownDisabled);
    Button->SetChecked(false);
    EXPECT_EQ(Shown(), disabled.Image().get());
    Button->SetStyle(aStyleButton);
    Button->SetChecked(true);  // ignored for a push button
    EXPECT_FALSE(Button->Checked());
}

TEST_F(ImgBtnTest, MaskLimitsTheClickableArea) {
    // Black in the top-left 20 x 20, white elsewhere.
    Button->SetMaskPicture(Picture(60, 30, 0xFFFFFFFF, 0, 0, 20));
    Button->SetEnterPicture(Enter);
    int clicks = 0;
    Button->OnClick = [&](TControl&) { ++clicks; };
    Form->WindowMouseMove(60, 30);  // inside the rectangle, over white
    EXPECT_FALSE(Button->PointerInside());
    Form->WindowMouseDown(0, 60, 30);
    Form->WindowMouseUp(0, 60, 30);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Shown(), Normal.Image().get());
    Form->WindowMouseMove(15, 15);  // over black
    EXPECT_TRUE(Button->PointerInside());
    EXPECT_EQ(Shown(), Enter.Image().get());
    Click(15, 15);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ImgBtnTest, TwoChangesBetweenPaintsShowTheSecond) {
    Button->SetEnterPicture(Enter);
    EXPECT_EQ(Shown(), Normal.Image().get());
    Form->WindowMouseMove(20, 20);
    Form->WindowMouseLeave();
    EXPECT_EQ(Shown(), Normal.Image().get()) << "in and out again before a paint";

    Button->SetStyle(aStyleSwitch);
    Button->SetChecked(true);
    Button->SetChecked(false);
    EXPECT_EQ(Shown(), Normal.Image().get()) << "checked and unchecked before a paint";
    Button->SetChecked(true);
    EXPECT_EQ(Shown(), Down.Image().get());
}

TEST_F(ImgBtnTest, PaintGeometryOpacityAndColour) {
    TPicture small = Picture(27, 27);
    Button->SetPicture(small);
    Button->SetAutoSize(true);
    Button->SetImageXOffset(3);
    Button->SetImageAlign(aVHTopLeft);
    Button->SetImageOpacity(50);
    Button->Font.SetColor(0x00C5C6C7);
    Button->SetCaption("Apply");
    Button->SetTextOpacity(50);
    TRecordingCanvas canvas = Paint();
    EXPECT_EQ(Button->Width(), 30);
    EXPECT_EQ(Button->Height(), 27);
    ASSERT_EQ(canvas.Ops.size(), 3u);  // background, picture, caption
    const auto& image = canvas.Ops[1];
    EXPECT_EQ(image.X, 10 + 3);
    EXPECT_EQ(image.Y, 10);
    EXPECT_FALSE(image.UseOpacity) << "ImageOpacity needs OpacityEnable";
    const auto& text = canvas.Ops[2];
    EXPECT_EQ(text.Color, 0x7FC7C6C5u);  // alpha 127, red from the lowest byte
    EXPECT_EQ(text.Align, THAlign::Center);

    Button->SetOpacityEnable(true);
    EXPECT_TRUE(Paint().Ops[1].UseOpacity);
    EXPECT_EQ(Paint().Ops[1].Opacity, 50);

    Button->SetTextOpacity(100);
    EXPECT_EQ(Paint().Ops[2].Color, 0xFFC7C6C5u) << "full opacity is alpha 255";

    Button->SetTextOpacity(-20);
    EXPECT_EQ(Button->TextOpacity(), 0);
    Button->SetTextOpacity(250);
    EXPECT_EQ(Button->TextOpacity(), 100);
    Button->SetImageOpacity(101);
    EXPECT_EQ(Button->ImageOpacity(), 100);
}

TEST_F(ImgBtnTest, AlignmentTruncatesAndCentresVertically) {
    struct Case {
        TVHAlign align;
        int x, y;
    };
    const TRectF destination{3, 2, 101, 51};
    const TRectF source{0, 0, 20, 10};
    const Case kCases[] = {{aVHTopLeft, 3, 2},   {aVHCenterCenter, 43, 22}, {aVHBottomRight, 84, 43},
                           {aVHTopRight, 84, 2}, {aVHBottomLeft, 3, 43},    {static_cast<TVHAlign>(42), 43, 22}};
    for (const Case& c : kCases) {
        int x = 0, y = 0;
        TImgBtn::AlignedOrigin(destination, source, c.align, x, y);
        EXPECT_EQ(x, c.x) << c.align;
        EXPECT_EQ(y, c.y) << c.align;
    }
    // A caption-only auto-sized control grows to the measured text plus the offset plus 1;
    // its text is centred vertically by measuring.
    TImgBtn label(Form.get());
    label.SetAutoSize(true);
    label.Font.SetSize(10);
    label.SetTextXOffset(4);
    label.SetCaption("Peak Rate");  // 9 characters of 5 pixels, 12.5 pixels high
    label.SetTextAlign(aVHCenterLeft);
    Paint();
    EXPECT_EQ(label.Width(), 4 + 45 + 1);
    EXPECT_EQ(label.Height(), 12);
    label.SetAutoSize(false);
    label.SetSize(100, 40);
    auto texts = Paint().Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_FLOAT_EQ(texts.back().Rect.Y, (40 - 12.5f) * 0.5f);
    EXPECT_FLOAT_EQ(texts.back().Rect.H, 12.5f);
    EXPECT_EQ(texts.back().Align, THAlign::Near);
}

TEST_F(ImgBtnTest, FontLocking) {
    Button->Font.SetName("Neo Sans");
    EXPECT_EQ(Button->FontDown.Name(), "Neo Sans");
    EXPECT_TRUE(Button->FontLocked());
    Button->FontEnter.SetColor(0x393939);
    EXPECT_FALSE(Button->FontLocked());
    Button->Font.SetName("Tahoma");
    EXPECT_EQ(Button->FontDown.Name(), "Neo Sans");
    Button->SetFontLocked(true);
    EXPECT_EQ(Button->FontEnter.Name(), "Tahoma");
    EXPECT_EQ(Button->FontEnter.Color(), Button->Font.Color());
}

TEST_F(ImgBtnTest, RepeatButtonFiresAtOnceThenAfterTheDelayThenAtTheRate) {
    Button->SetStyle(aStyleRepeatButton);
    Button->DelayBeforeRepeat = 500;
    Button->ClickRepeatRate = 100;
    Form->WindowMouseMove(20, 20);
    Form->WindowMouseDown(0, 20, 20);  // no handler: the thread never runs
    EXPECT_FALSE(Button->RepeatRunning());
    Form->WindowMouseUp(0, 20, 20);

    int repeats = 0;
    std::vector<uint64_t> at;
    Button->OnMouseRepeatClick = [&](TImgBtn&) {
        ++repeats;
        at.push_back(Machine.Clock.TickMs());
    };
    Form->WindowMouseDown(0, 20, 20);
    ASSERT_TRUE(Machine.Windows.WaitForPostedCall());
    Machine.Windows.RunPostedCalls();
    EXPECT_EQ(repeats, 1);
    Machine.Clock.AdvanceMs(499);
    EXPECT_FALSE(Machine.Windows.WaitForPostedCall(50));
    Machine.Clock.AdvanceMs(1);
    ASSERT_TRUE(Machine.Windows.WaitForPostedCall());
    Machine.Windows.RunPostedCalls();
    Machine.Clock.AdvanceMs(100);
    ASSERT_TRUE(Machine.Windows.WaitForPostedCall());
    Machine.Windows.RunPostedCalls();
    EXPECT_EQ(at, (std::vector<uint64_t>{0, 500, 600}));
    Form->WindowMouseUp(0, 20, 20);
    EXPECT_FALSE(Button->RepeatRunning());
    Machine.Clock.AdvanceMs(1000);
    Machine.Windows.RunPostedCalls();
    EXPECT_EQ(repeats, 3);
}
