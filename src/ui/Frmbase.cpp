#include "ui/Frmbase.h"

#include "locale/Resstring.h"
#include "locale/Themectrl.h"
#include "ui/Skin.h"

TBaseFrame::TBaseFrame(TContainer* owner) : TFrame(owner) {
    SetBounds(0, 0, 1000, 374);
    FrameMainBgImage.Name = "FrameMainBgImage";
    FrameMainBgImage.SetBounds(0, 0, 1000, 374);
    FrameMainBgImage.Picture.LoadFromResource("PAGEBG");

    ApplyPanel.SetBounds(725, 318, 238, 38);
    ApplyPanel.SetVisible(false);
    ApplyBtn.Name = "ApplyBtn";
    ApplyBtn.SetPosition(0, 0);
    StyleCommandButton(ApplyBtn, 119);
    ApplyBtn.SetCaption("Apply");
    CancelBtn.Name = "CancelBtn";
    CancelBtn.SetPosition(119, 0);
    StyleCommandButton(CancelBtn, 119);
    CancelBtn.SetCaption("Cancel");

    UpdatePanel.SetBounds(840, 318, 123, 38);
    UpdatePanel.SetVisible(false);
    UpdateBtn.Name = "UpdateBtn";
    StyleCommandButton(UpdateBtn, 123);
    UpdateBtn.SetCaption("Update");

    SamplePanel.SetBounds(989, 15, 304, 80);  // beyond the right edge: never seen
    SamplePanel.SetVisible(false);
    splOnOffSwitchBtn.Name = "splOnOffSwitchBtn";
    splOnOffSwitchBtn.SetBounds(19, 3, 53, 25);
    splOnOffSwitchBtn.SetStyle(aStyleCheck);
    splOnOffSwitchBtn.SetAutoSize(true);
    for (TImgBtn* sample : {&splCheckBox, &splRadioBtn}) {
        sample->SetStyle(aStyleCheck);
        sample->SetTextAlign(aVHCenterLeft);
        sample->SetTextXOffset(18);
        sample->SetImageAlign(aVHCenterLeft);
    }
    splCheckBox.Name = "splCheckBox";
    splCheckBox.SetBounds(136, 59, 89, 18);
    splCheckBox.SetCaption("splCheckBox");
    splRadioBtn.Name = "splRadioBtn";
    splRadioBtn.SetBounds(24, 46, 89, 18);
    splRadioBtn.SetCaption("splRadioBtn");
    splScrollBar.SetBounds(280, 3, 21, 70);
    splScrollBar.SetVisible(false);
    splTrackBar.SetBounds(130, 3, 95, 22);
    splTrackBar.SetPosition(5);
    splTrackBar.Slider.Size = 12;
    splSmallTrackBar.SetBounds(130, 31, 95, 22);
    splSmallTrackBar.SetPosition(5);
    splSmallTrackBar.Slider.Size = 7;
}

void TBaseFrame::ApplyTheme(int themeId) {
    TThemeCtrl& themes = GetThemeCtrl();
    const std::string folder = themes.GetThemeFolder(themeId);
    auto load = [&](TPicture& picture, const char* file) { TThemeCtrl::LoadThemePicture(picture, folder + file); };
    load(splOnOffSwitchBtn.Picture, "BottonOff.png");
    load(splOnOffSwitchBtn.PictureDisabled, "BottonOff_Disable.png");
    load(splOnOffSwitchBtn.PictureDown, "BottonOn.png");
    load(splOnOffSwitchBtn.PictureDownDisabled, "BottonOn_Disable.png");
    load(splScrollBar.ButtonLeft.Picture, "ScrollBarUp_nol.png");
    load(splScrollBar.ButtonLeft.PictureDown, "ScrollBarUp_on.png");
    load(splScrollBar.ButtonLeft.PictureHover, "ScrollBarUp_over.png");
    load(splScrollBar.ButtonRight.Picture, "ScrollBarUnder_nol.png");
    load(splScrollBar.ButtonRight.PictureDown, "ScrollBarUnder_on.png");
    load(splScrollBar.ButtonRight.PictureHover, "ScrollBarUnder_over.png");
    load(splScrollBar.ThumbFill, "ScrollBarThumb_nol.png");
    load(splScrollBar.BackgroundFill, "ScrollBarBg.png");
    for (TTrackBar* bar : {&splTrackBar, &splSmallTrackBar}) {
        load(bar->Buttons.MaxPicture, "TrackBarMaxBtn_nol.png");
        load(bar->Buttons.MaxPictureDown, "TrackBarMaxBtn_on.png");
        load(bar->Buttons.MaxPictureHot, "TrackBarMaxBtn_over.png");
        load(bar->Buttons.MinPicture, "TrackBarMinBtn_nol.png");
        load(bar->Buttons.MinPictureDown, "TrackBarMinBtn_on.png");
        load(bar->Buttons.MinPictureHot, "TrackBarMinBtn_over.png");
        load(bar->Thumb.Picture, "TrackBarThumb.png");
        if (bar == &splTrackBar) {
            load(bar->Slider.Picture, "TrackBarSliderBg.jpg");
            load(bar->Slider.PictureCompleted, "TrackBarSlider.jpg");
        }
    }
    load(splSmallTrackBar.Slider.Picture, "TrackBarSliderSmall_Bg.jpg");
    load(splSmallTrackBar.Slider.PictureCompleted, "TrackBarSliderSmall.jpg");
    load(splCheckBox.Picture, "Hook.png");
    load(splCheckBox.PictureDisabled, "Hook.png");
    load(splCheckBox.PictureDown, "HookChecked.png");
    load(splCheckBox.PictureDownDisabled, "HookChecked.png");
    load(splRadioBtn.Picture, "RadioBtn.png");
    load(splRadioBtn.PictureDisabled, "RadioBtn.png");
    load(splRadioBtn.PictureDown, "RadioBtnSelected.png");
    load(splRadioBtn.PictureDownDisabled, "RadioBtnSelected.png");
    load(FrameMainBgImage.Picture, "Soft-02.jpg");
}

void TBaseFrame::ApplyLanguage() {
    TResString& strings = GetResString();
    ApplyBtn.SetCaption(strings.GetString("STR_BASE_APPLY", "Apply"));
    CancelBtn.SetCaption(strings.GetString("STR_BASE_CANCEL", "Cancel"));
    UpdateBtn.SetCaption(strings.GetString("STR_BASE_UPDATE", "Update"));
}
