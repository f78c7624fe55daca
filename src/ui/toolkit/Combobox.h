#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "ui/toolkit/Control.h"
#include "ui/toolkit/Font.h"

// A drop-down list: items, the selected index and a change event. A click steps to the next
// item (the program's lists are short and shown only for debugging).
class TComboBox : public TControl {
public:
    explicit TComboBox(TContainer* parent) : TControl(parent) {}

    std::vector<std::string> Items;
    int ItemIndex() const { return m_ItemIndex; }
    // Selects without raising OnChange, as setting the index in code does.
    void SetItemIndex(int index) {
        m_ItemIndex = index >= -1 && index < static_cast<int>(Items.size()) ? index : -1;
        Invalidate();
    }
    std::string Text() const { return m_ItemIndex >= 0 ? Items[static_cast<size_t>(m_ItemIndex)] : std::string(); }

    std::function<void(TComboBox&)> OnChange;
    TFont Font;

    void Paint(TCanvas& canvas) override {
        canvas.FillRect(0, 0, Width(), Height(), 0xFFFFFF);
        canvas.DrawString(Text() + "  \xE2\x96\xBE", Font.Face(),
                          {3, 2, static_cast<float>(Width() - 6), static_cast<float>(Height() - 4)}, 0xFF000000,
                          THAlign::Near);
    }
    void MouseUp(int button, int x, int y) override {
        if (button == 0 && !Items.empty() && HitTest(x, y)) {
            SetItemIndex((m_ItemIndex + 1) % static_cast<int>(Items.size()));
            if (OnChange) OnChange(*this);
        }
        if (OnMouseUp) OnMouseUp(*this, button, x, y);
    }

private:
    int m_ItemIndex = -1;
};
