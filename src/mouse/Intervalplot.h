#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/toolkit/Control.h"

// A strip of the newest report intervals, one bar each, oldest on the left: a steady mouse
// draws an even band with its top on the reference line, a late or merged report a notch.
// The strip is drawn into a picture of its own when the intervals change and painted as one
// image: a few dozen fills a refresh cost more than the measurement's whole thread.
class IImage;

class TIntervalPlot : public TControl {
public:
    static constexpr int kBarWidth = 3;
    static constexpr int kBarStep = 4;
    static constexpr size_t kMaxBars = 128;

    explicit TIntervalPlot(TContainer* parent) : TControl(parent) {}

    // How many bars fit the plot's width.
    size_t Bars() const;
    // Intervals in ms, oldest first (of which the newest that fit are shown), and the interval
    // the band should reach (the applied one, or the median); repaints only on a change.
    void Show(const double* intervals, size_t count, double referenceMs);
    void SetColors(uint32_t bar, uint32_t line);  // 0xBBGGRR

    // The bar's height in pixels: the reference interval reaches the middle, twice it the top.
    int BarHeight(double intervalMs) const;

    void Paint(TCanvas& canvas) override;
    bool HitTest(int, int) const override { return false; }
    // The strip's pixels, 0xAARRGGBB row by row: clear but for the bars and the line.
    const std::vector<uint32_t>& Pixels() const { return m_Pixels; }

private:
    void Render();

    std::array<double, kMaxBars> m_Intervals{};
    size_t m_Count = 0;
    double m_ReferenceMs = 0;
    uint32_t m_Bar = 0x4AB32F;
    uint32_t m_Line = 0xA0A2A6;
    std::vector<uint32_t> m_Pixels;
    std::shared_ptr<IImage> m_Image;
};
