#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "ui/toolkit/Font.h"
#include "ui/toolkit/Paintbox.h"
#include "ui/toolkit/Picture.h"

enum TStyle : int { aStyleButton, aStyleCheck, aStyleSwitch, aStyleRepeatButton };
enum TVHAlign : int {
    aVHTopLeft,
    aVHTopCenter,
    aVHTopRight,
    aVHCenterLeft,
    aVHCenterCenter,
    aVHCenterRight,
    aVHBottomLeft,
    aVHBottomCenter,
    aVHBottomRight
};

class TImgBtnMsThread;

// The program's skinned control: a windowless button, check box, switch, repeat button or
// label with one picture and one font per state, alignment, offsets and opacity, and an
// optional mask that limits the clickable area to its black pixels.
class TImgBtn : public TPaintBox {
public:
    explicit TImgBtn(TContainer* parent);
    ~TImgBtn() override;

    bool AutoSize() const { return m_AutoSize; }
    void SetAutoSize(bool value) { Store(m_AutoSize, value); }
    bool Checked() const { return m_Checked; }
    void SetChecked(bool value);
    TStyle Style() const { return m_Style; }
    void SetStyle(TStyle style);
    const std::string& Caption() const { return m_Caption; }
    void SetCaption(const std::string& caption);

    TFont Font, FontEnter, FontDown, FontDisabled, FontDownDisabled;
    bool FontLocked() const { return m_FontLocked; }
    void SetFontLocked(bool value);
    void SetEnterFont(const TFont& font) { FontEnter.Assign(font); }
    void SetDownFont(const TFont& font) { FontDown.Assign(font); }
    void SetDisabledFont(const TFont& font) { FontDisabled.Assign(font); }
    void SetDownDisabledFont(const TFont& font) { FontDownDisabled.Assign(font); }

    TVHAlign TextAlign() const { return m_TextAlign; }
    void SetTextAlign(TVHAlign value) { Store(m_TextAlign, value); }
    int TextXOffset() const { return m_TextXOffset; }
    void SetTextXOffset(int value) { Store(m_TextXOffset, value); }
    int TextYOffset() const { return m_TextYOffset; }
    void SetTextYOffset(int value) { Store(m_TextYOffset, value); }
    int TextOpacity() const { return m_TextOpacity; }
    void SetTextOpacity(int value) { Store(m_TextOpacity, Clamp(value)); }

    TPicture Picture, PictureEnter, PictureDown, PictureDisabled, PictureDownDisabled, PictureMask;
    void SetPicture(const TPicture& p) { Picture.Assign(p); }
    void SetEnterPicture(const TPicture& p) { PictureEnter.Assign(p); }
    void SetDownPicture(const TPicture& p) { PictureDown.Assign(p); }
    void SetDisabledPicture(const TPicture& p) { PictureDisabled.Assign(p); }
    void SetDownDisabledPicture(const TPicture& p) { PictureDownDisabled.Assign(p); }
    void SetMaskPicture(const TPicture& p) { PictureMask.Assign(p); }

    TVHAlign ImageAlign() const { return m_ImageAlign; }
    void SetImageAlign(TVHAlign value) { Store(m_ImageAlign, value); }
    int ImageXOffset() const { return m_ImageXOffset; }
    void SetImageXOffset(int value) { Store(m_ImageXOffset, value); }
    int ImageYOffset() const { return m_ImageYOffset; }
    void SetImageYOffset(int value) { Store(m_ImageYOffset, value); }
    int ImageOpacity() const { return m_ImageOpacity; }
    void SetImageOpacity(int value) { Store(m_ImageOpacity, Clamp(value)); }
    bool OpacityEnable() const { return m_OpacityEnable; }
    void SetOpacityEnable(bool value) { Store(m_OpacityEnable, value); }

    std::function<void(TImgBtn&)> OnMouseRepeatClick;
    // After every change of size or place, also the one an auto-sized caption makes when it is
    // measured: what lays out beside it can follow.
    std::function<void(TImgBtn&)> OnResize;
    void BoundsChanged() override {
        if (OnResize) OnResize(*this);
    }
    int DelayBeforeRepeat = 2000;
    int ClickRepeatRate = 200;

    // Chooses image and font for the current state; true when either changed.
    bool StatusChange();
    void Paint(TCanvas& canvas) override;

    void MouseEnter() override;
    void MouseLeave() override;
    void MouseMove(int x, int y) override;
    void MouseDown(int button, int x, int y) override;
    void MouseUp(int button, int x, int y) override;
    void MouseRepeatClick();

    // The geometry of the drawing steps, shared with tests.
    static void AlignedOrigin(const TRectF& destination, const TRectF& source, TVHAlign align, int& x, int& y);
    static uint32_t TextColor(uint32_t fontColor, int textOpacity);

    // The state as painted.
    const IImage* ImageOnScreen() const { return m_OnScreen.get(); }
    const TFont* CurrentFont() const { return m_CurrentFont; }
    bool PointerInside() const { return m_Inside; }
    bool Pressed() const { return m_Pressed; }
    bool RepeatRunning() const;

protected:
    void EnabledChanged() override;

private:
    static int Clamp(int value) { return value < 0 ? 0 : value > 100 ? 100 : value; }
    template <class T>
    void Store(T& field, T value) {
        field = value;
        Invalidate();
    }
    void FontChanged(TFont& sender);
    void WirePicture(TPicture& picture, std::shared_ptr<IImage>& image);
    void RepaintIf(bool changed) {
        if (changed) Invalidate();
    }
    bool HasMask() const { return static_cast<bool>(m_Mask); }
    void DrawString(TCanvas& canvas, const std::string& text, const TFontFace& font, const TRectF& rect, uint32_t argb,
                    TVHAlign align);

    bool m_AutoSize = false;
    bool m_Checked = false;
    TStyle m_Style = aStyleButton;
    std::string m_Caption;
    bool m_FontLocked = true;
    bool m_CopyingFont = false;
    TVHAlign m_TextAlign = aVHCenterCenter;
    int m_TextXOffset = 0, m_TextYOffset = 0, m_TextOpacity = 100;
    TVHAlign m_ImageAlign = aVHCenterCenter;
    int m_ImageXOffset = 0, m_ImageYOffset = 0, m_ImageOpacity = 100;
    bool m_OpacityEnable = false;

    std::shared_ptr<IImage> m_Normal, m_Enter, m_Down, m_Disabled, m_DownDisabled, m_Mask;
    std::shared_ptr<IImage> m_OnScreen, m_Next;
    TFont* m_CurrentFont = nullptr;
    bool m_Inside = false;
    bool m_Pressed = false;
    bool m_InRepeat = false;
    std::unique_ptr<TImgBtnMsThread> m_Repeat;
};
