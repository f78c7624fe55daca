#pragma once
#include <functional>

#include "ui/toolkit/Control.h"

// A control that paints through its event; the image button derives from it.
class TPaintBox : public TControl {
public:
    explicit TPaintBox(TContainer* parent) : TControl(parent) {}
    void Paint(TCanvas& canvas) override {
        if (OnPaint) OnPaint(canvas);
    }
    std::function<void(TCanvas&)> OnPaint;
};
