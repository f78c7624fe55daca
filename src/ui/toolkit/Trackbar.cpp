#include "ui/toolkit/Trackbar.h"

#include <algorithm>

#include "platform/Graphics.h"

TTrackBar::TTrackBar(TContainer* parent) : TControl(parent) {
    for (TPicture* p :
         {&Buttons.MaxPicture, &Buttons.MaxPictureDown, &Buttons.MaxPictureHot, &Buttons.MinPicture,
          &Buttons.MinPictureDown, &Buttons.MinPictureHot, &Thumb.Picture, &Slider.Picture, &Slider.PictureCompleted}) {
        p->OnChange = [this] { Invalidate(); };
    }
}

void TTrackBar::SetMin(int value) {
    m_Min = value;
    if (m_Max < m_Min) m_Max = m_Min;
    SetPosition(m_Position);
    Invalidate();
}

void TTrackBar::SetMax(int value) {
    m_Max = value;
    if (m_Min > m_Max) m_Min = m_Max;
    SetPosition(m_Position);
    Invalidate();
}

void TTrackBar::SetPosition(int value) {
    value = std::clamp(value, m_Min, m_Max);
    if (value == m_Position) return;
    m_Position = value;
    Invalidate();
    if (OnChange) OnChange(*this);
}

int TTrackBar::TrackLeft() const { return Buttons.MinPicture.Width(); }
int TTrackBar::TrackRight() const { return Width() - Buttons.MaxPicture.Width(); }
int TTrackBar::ThumbWidth() const { return Thumb.Picture.Empty() ? 8 : Thumb.Picture.Width(); }

int TTrackBar::ThumbLeft() const {
    const int span = std::max(0, TrackRight() - TrackLeft() - ThumbWidth());
    const int range = m_Max - m_Min;
    return TrackLeft() + (range > 0 ? span * (m_Position - m_Min) / range : 0);
}

int TTrackBar::PositionAt(int x) const {
    const int span = std::max(1, TrackRight() - TrackLeft() - ThumbWidth());
    const int offset = x - TrackLeft() - ThumbWidth() / 2;
    const int range = m_Max - m_Min;
    // Round to the nearest step.
    return m_Min + (offset * range * 2 + span) / (span * 2);
}

TTrackBar::TPart TTrackBar::PartAt(int x) const {
    if (x < TrackLeft()) return kMinButton;
    if (x >= TrackRight()) return kMaxButton;
    return kTrack;
}

void TTrackBar::Paint(TCanvas& canvas) {
    auto draw = [&](const TPicture& picture, int x, int width) {
        const auto& image = picture.Image();
        if (!image) return;
        const int w = std::min(width, image->Width());
        if (w > 0) canvas.DrawImage(*image, x, (Height() - image->Height()) / 2, 0, 0, w, image->Height(), 100, false);
    };
    const int left = TrackLeft(), right = TrackRight();
    const int thumb = ThumbLeft();
    draw(Slider.Picture, left, right - left);
    draw(Slider.PictureCompleted, left, thumb + ThumbWidth() / 2 - left);
    const TPicture& min = m_Down == kMinButton  ? Buttons.MinPictureDown
                          : m_Hot == kMinButton ? Buttons.MinPictureHot
                                                : Buttons.MinPicture;
    const TPicture& max = m_Down == kMaxButton  ? Buttons.MaxPictureDown
                          : m_Hot == kMaxButton ? Buttons.MaxPictureHot
                                                : Buttons.MaxPicture;
    draw(min.Empty() ? Buttons.MinPicture : min, 0, left);
    draw(max.Empty() ? Buttons.MaxPicture : max, right, Width() - right);
    draw(Thumb.Picture, thumb, ThumbWidth());
}

void TTrackBar::MouseDown(int button, int x, int y) {
    if (button != 0 || !Enabled()) return TControl::MouseDown(button, x, y);
    m_Down = PartAt(x);
    if (m_Down == kMinButton) SetPosition(m_Position - 1);
    if (m_Down == kMaxButton) SetPosition(m_Position + 1);
    if (m_Down == kTrack) SetPosition(PositionAt(x));
    Invalidate();
    TControl::MouseDown(button, x, y);
}

void TTrackBar::MouseMove(int x, int y) {
    const TPart hot = PartAt(x);
    if (hot != m_Hot) {
        m_Hot = hot;
        Invalidate();
    }
    if (m_Down == kTrack) SetPosition(PositionAt(x));
    TControl::MouseMove(x, y);
}

void TTrackBar::MouseUp(int button, int x, int y) {
    m_Down = kNone;
    Invalidate();
    if (OnMouseUp) OnMouseUp(*this, button, x, y);
}

void TTrackBar::MouseLeave() {
    m_Hot = kNone;
    Invalidate();
    TControl::MouseLeave();
}
