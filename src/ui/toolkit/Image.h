#pragma once
#include "ui/toolkit/Control.h"
#include "ui/toolkit/Picture.h"

// A picture at its natural size from the control's top-left corner.
class TImage : public TControl {
public:
    explicit TImage(TContainer* parent) : TControl(parent) {
        Picture.OnChange = [this] { Invalidate(); };
    }

    void Paint(TCanvas& canvas) override {
        if (const auto& image = Picture.Image()) {
            canvas.DrawImage(*image, 0, 0, 0, 0, image->Width(), image->Height(), 100, false);
        }
    }

    TPicture Picture;
};
