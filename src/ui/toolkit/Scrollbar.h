#pragma once
#include "platform/Graphics.h"
#include "ui/toolkit/Control.h"
#include "ui/toolkit/Picture.h"

// A vertical scroll bar drawn from pictures: its background, two buttons and a thumb.
class TScrollBar : public TControl {
public:
    explicit TScrollBar(TContainer* parent) : TControl(parent) {}

    struct TButton {
        TPicture Picture, PictureDown, PictureHover;
    } ButtonLeft, ButtonRight;
    TPicture ThumbFill;
    TPicture BackgroundFill;

    void Paint(TCanvas& canvas) override {
        auto draw = [&](const TPicture& picture, int y) {
            if (const auto& image = picture.Image()) {
                canvas.DrawImage(*image, 0, y, 0, 0, image->Width(), image->Height(), 100, false);
            }
        };
        draw(BackgroundFill, 0);
        draw(ButtonLeft.Picture, 0);
        draw(ButtonRight.Picture, Height() - ButtonRight.Picture.Height());
        draw(ThumbFill, ButtonLeft.Picture.Height());
    }
};
