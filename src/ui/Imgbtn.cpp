#include "ui/Imgbtn.h"

#include "platform/Graphics.h"
#include "ui/Imgbtnmsthread.h"

namespace {
enum THorizontal { kLeft, kCenter, kRight };
enum TVertical { kTop, kMiddle, kBottom };

void Split(TVHAlign align, THorizontal& h, TVertical& v) {
    if (align < aVHTopLeft || align > aVHBottomRight) align = aVHCenterCenter;
    h = static_cast<THorizontal>(align % 3);
    v = static_cast<TVertical>(align / 3);
}
}  // namespace

TImgBtn::TImgBtn(TContainer* parent) : TPaintBox(parent) {
    for (TFont* font : {&Font, &FontEnter, &FontDown, &FontDisabled, &FontDownDisabled}) {
        font->OnChange = [this](TFont& sender) { FontChanged(sender); };
    }
    FontChanged(Font);  // the state fonts start as copies of Font
    WirePicture(Picture, m_Normal);
    WirePicture(PictureEnter, m_Enter);
    WirePicture(PictureDown, m_Down);
    WirePicture(PictureDisabled, m_Disabled);
    WirePicture(PictureDownDisabled, m_DownDisabled);
    PictureMask.OnChange = [this] {
        // Drawn over white: only the picture's black pixels count as inside.
        m_Mask = PictureMask.Image();
        Invalidate();
    };
}

TImgBtn::~TImgBtn() { m_Repeat.reset(); }

void TImgBtn::WirePicture(TPicture& picture, std::shared_ptr<IImage>& image) {
    picture.OnChange = [this, &picture, &image] {
        image = picture.Width() > 0 ? picture.Image() : nullptr;
        StatusChange();
        Invalidate();
    };
}

void TImgBtn::SetChecked(bool value) {
    if (m_Style != aStyleCheck && m_Style != aStyleSwitch) return;
    m_Checked = value;
    RepaintIf(StatusChange());
}

void TImgBtn::SetStyle(TStyle style) {
    m_Style = style;
    RepaintIf(StatusChange());
}

void TImgBtn::SetCaption(const std::string& caption) {
    if (caption == m_Caption) return;
    m_Caption = caption;
    Invalidate();
}

void TImgBtn::SetFontLocked(bool value) {
    m_FontLocked = value;
    FontChanged(Font);
}

void TImgBtn::FontChanged(TFont& sender) {
    if (m_CopyingFont) return;
    if (&sender == &Font) {
        if (m_FontLocked) {
            m_CopyingFont = true;
            for (TFont* state : {&FontEnter, &FontDown, &FontDisabled, &FontDownDisabled}) state->Assign(Font);
            m_CopyingFont = false;
        }
    } else {
        // A design that sets a state font of its own ends unlocked.
        m_FontLocked = false;
    }
    StatusChange();
    Invalidate();
}

void TImgBtn::EnabledChanged() {
    StatusChange();
    Invalidate();
}

bool TImgBtn::StatusChange() {
    std::shared_ptr<IImage> image;
    TFont* font = nullptr;
    const bool enabled = Enabled();
    switch (m_Style) {
        case aStyleButton:
            if (!enabled) {
                image = m_Disabled, font = &FontDisabled;
            } else if (!m_Inside) {
                image = m_Normal, font = &Font;
            } else if (m_Pressed) {
                image = m_Down, font = &FontDown;
            } else {
                image = m_Enter, font = &FontEnter;
            }
            break;
        case aStyleCheck:
        case aStyleSwitch:
            if (!enabled) {
                if (!m_Checked) {
                    image = m_Disabled, font = &FontDisabled;
                } else if (m_DownDisabled) {
                    image = m_DownDisabled, font = &FontDownDisabled;
                } else {
                    image = m_Down, font = &FontDown;
                }
            } else if (m_Checked) {
                image = m_Down, font = &FontDown;
            } else if (m_Style == aStyleCheck && m_Inside && m_Enter) {
                image = m_Enter, font = &FontEnter;
            } else {
                image = m_Normal, font = &Font;
            }
            break;
        case aStyleRepeatButton:
            break;
    }
    bool changed = false;
    // Against the picture already queued for the next paint, not the one on screen: two
    // changes between paints end on the second.
    if (image && image != m_Next) {
        m_Next = image;
        changed = true;
    }
    if (font && font != m_CurrentFont) {
        m_CurrentFont = font;
        changed = true;
    }
    return changed;
}

void TImgBtn::AlignedOrigin(const TRectF& d, const TRectF& s, TVHAlign align, int& x, int& y) {
    THorizontal h;
    TVertical v;
    Split(align, h, v);
    const float fx = h == kLeft ? d.X : h == kCenter ? d.X + d.W * 0.5f - s.W * 0.5f : d.X + d.W - s.W;
    const float fy = v == kTop ? d.Y : v == kMiddle ? d.Y + d.H * 0.5f - s.H * 0.5f : d.Y + d.H - s.H;
    x = static_cast<int>(fx);
    y = static_cast<int>(fy);
}

uint32_t TImgBtn::TextColor(uint32_t fontColor, int textOpacity) {
    // In integers: 100 % is 255, where 100 * 2.55 in doubles truncates to 254.
    const uint32_t alpha = static_cast<uint32_t>(textOpacity * 255 / 100);
    const uint32_t red = fontColor & 0xFF, green = (fontColor >> 8) & 0xFF, blue = (fontColor >> 16) & 0xFF;
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

void TImgBtn::DrawString(TCanvas& canvas, const std::string& text, const TFontFace& font, const TRectF& rect,
                         uint32_t argb, TVHAlign align) {
    THorizontal h;
    TVertical v;
    Split(align, h, v);
    TRectF layout = rect;
    if (v != kTop) {
        const float textHeight = canvas.MeasureString(text, font, rect.W).H;
        layout.Y = v == kMiddle ? rect.Y + (rect.H - textHeight) * 0.5f : rect.Y + rect.H - textHeight;
        layout.H = textHeight;
    }
    canvas.DrawString(text, font, layout, argb,
                      h == kLeft     ? THAlign::Near
                      : h == kCenter ? THAlign::Center
                                     : THAlign::Far);
}

void TImgBtn::Paint(TCanvas& canvas) {
    if (!m_Next && m_Normal) m_Next = m_Normal;
    if (m_Next && m_Next != m_OnScreen) m_OnScreen = m_Next;
    if (m_OnScreen && m_AutoSize) {
        SetSize(m_OnScreen->Width() + m_ImageXOffset, m_OnScreen->Height() + m_ImageYOffset);
    }
    const bool text = m_CurrentFont && !m_Caption.empty();
    if (text && m_AutoSize && !m_OnScreen) {
        const TRectF measured = canvas.MeasureString(m_Caption, m_CurrentFont->Face(), 65536.0f);
        SetSize(static_cast<int>(m_TextXOffset + measured.W + 1), static_cast<int>(m_TextYOffset + measured.H));
    }
    if (m_OnScreen) {
        const TRectF destination{static_cast<float>(m_ImageXOffset), static_cast<float>(m_ImageYOffset),
                                 static_cast<float>(Width()), static_cast<float>(Height())};
        const TRectF source{0, 0, static_cast<float>(m_OnScreen->Width()), static_cast<float>(m_OnScreen->Height())};
        int x = 0, y = 0;
        AlignedOrigin(destination, source, m_ImageAlign, x, y);
        canvas.DrawImage(*m_OnScreen, x, y, 0, 0, m_OnScreen->Width(), m_OnScreen->Height(),
                         m_OpacityEnable ? Clamp(m_ImageOpacity) : 100, m_OpacityEnable);
    }
    if (text) {
        DrawString(canvas, m_Caption, m_CurrentFont->Face(),
                   {static_cast<float>(m_TextXOffset), static_cast<float>(m_TextYOffset),
                    static_cast<float>(Width() - m_TextXOffset), static_cast<float>(Height() - m_TextYOffset)},
                   TextColor(m_CurrentFont->Color(), m_TextOpacity), m_TextAlign);
    }
}

void TImgBtn::MouseEnter() {
    if (Enabled() && !HasMask()) {
        m_Inside = true;
        RepaintIf(StatusChange());
    }
    TControl::MouseEnter();
}

void TImgBtn::MouseLeave() {
    m_Inside = false;
    if (Enabled()) RepaintIf(StatusChange());
    TControl::MouseLeave();
}

void TImgBtn::MouseMove(int x, int y) {
    if (!HasMask()) return;
    if (m_Mask->IsBlack(x, y)) {
        if (Enabled() && !m_Inside) {
            m_Inside = true;
            RepaintIf(StatusChange());
        }
    } else if (m_Inside) {
        m_Inside = false;
        if (Enabled()) RepaintIf(StatusChange());
    }
}

void TImgBtn::MouseDown(int button, int x, int y) {
    if (!Enabled() || !m_Inside) return;
    if (button == 0) {
        m_Pressed = true;
        if (m_Style == aStyleSwitch) SetChecked(!m_Checked);
        RepaintIf(StatusChange());
        if (m_Style == aStyleRepeatButton) {
            if (!m_Repeat) m_Repeat = std::make_unique<TImgBtnMsThread>(*this);
            if (OnMouseRepeatClick && m_Repeat->Paused()) m_Repeat->Resume(DelayBeforeRepeat, ClickRepeatRate);
        }
    }
    if (OnMouseDown) OnMouseDown(*this, button, x, y);
}

void TImgBtn::MouseUp(int button, int x, int y) {
    if (m_Style == aStyleRepeatButton) {
        if (!m_Repeat) m_Repeat = std::make_unique<TImgBtnMsThread>(*this);
        if (!m_Repeat->Paused()) m_Repeat->Pause();
    }
    if (Enabled() && button == 0 && x >= 0 && x < Width() && y >= 0 && y < Height() && m_Pressed && m_Inside) {
        if (m_Style == aStyleCheck) SetChecked(!m_Checked);
        if (OnClick) OnClick(*this);
    }
    m_Pressed = false;
    if (Enabled()) {
        RepaintIf(StatusChange());
        if (OnMouseUp) OnMouseUp(*this, button, x, y);
    }
}

void TImgBtn::MouseRepeatClick() {
    if (!Enabled() || (HasMask() && !m_Inside) || !OnMouseRepeatClick || m_InRepeat) return;
    m_InRepeat = true;
    OnMouseRepeatClick(*this);
    m_InRepeat = false;
}

bool TImgBtn::RepeatRunning() const { return m_Repeat && !m_Repeat->Paused(); }
