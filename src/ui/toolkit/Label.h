#pragma once
#include <string>

#include "ui/toolkit/Control.h"
#include "ui/toolkit/Font.h"

// A line of text in a font, drawn from the control's top-left corner.
class TLabel : public TControl {
public:
    explicit TLabel(TContainer* parent) : TControl(parent) {
        Font.OnChange = [this](TFont&) { Invalidate(); };
    }

    void SetCaption(const std::string& caption) {
        if (caption == m_Caption) return;
        m_Caption = caption;
        Invalidate();
    }
    const std::string& Caption() const { return m_Caption; }

    void Paint(TCanvas& canvas) override {
        if (m_Caption.empty()) return;
        const uint32_t c = Font.Color();
        const uint32_t argb = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        canvas.DrawString(m_Caption, Font.Face(), {0, 0, static_cast<float>(Width()), static_cast<float>(Height())},
                          argb, THAlign::Near);
    }

    TFont Font;

private:
    std::string m_Caption;
};
