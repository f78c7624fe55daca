#pragma once
#include <cstdint>

#include "platform/Graphics.h"
#include "ui/toolkit/Control.h"

// A panel that holds other controls. With a fully transparent fill (FillAlpha 0) it draws
// nothing of its own.
class TPanel : public TContainer {
public:
    explicit TPanel(TContainer* parent) : TContainer(parent) {}

    uint32_t FillColor = 0;
    int FillAlpha = 0;

    void Paint(TCanvas& canvas) override {
        if (FillAlpha > 0) canvas.FillRect(0, 0, Width(), Height(), FillColor);
    }
};

// An embedded frame: a page's surface.
class TFrame : public TContainer {
public:
    explicit TFrame(TContainer* parent) : TContainer(parent) {}
};
