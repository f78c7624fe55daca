#pragma once
#include <functional>

#include "ui/toolkit/Control.h"
#include "ui/toolkit/Picture.h"

// A horizontal track bar drawn from pictures: a minimum button on the left, a maximum button
// on the right, a slider between them (plain, and completed up to the thumb) and a thumb.
// The minimum and maximum clamp the position.
class TTrackBar : public TControl {
public:
    explicit TTrackBar(TContainer* parent);

    struct TButtons {
        TPicture MaxPicture, MaxPictureDown, MaxPictureHot, MinPicture, MinPictureDown, MinPictureHot;
    } Buttons;
    struct TThumb {
        TPicture Picture;
    } Thumb;
    struct TSlider {
        TPicture Picture, PictureCompleted;
        int Size = 12;
    } Slider;

    int Min() const { return m_Min; }
    int Max() const { return m_Max; }
    int Position() const { return m_Position; }
    void SetMin(int value);
    void SetMax(int value);
    void SetPosition(int value);

    std::function<void(TTrackBar&)> OnChange;

    void Paint(TCanvas& canvas) override;
    void MouseDown(int button, int x, int y) override;
    void MouseMove(int x, int y) override;
    void MouseUp(int button, int x, int y) override;
    void MouseLeave() override;

private:
    enum TPart { kNone, kMinButton, kMaxButton, kTrack };
    TPart PartAt(int x) const;
    int TrackLeft() const;
    int TrackRight() const;
    int ThumbWidth() const;
    int ThumbLeft() const;
    int PositionAt(int x) const;

    int m_Min = 0, m_Max = 10, m_Position = 0;
    TPart m_Hot = kNone;
    TPart m_Down = kNone;
};
