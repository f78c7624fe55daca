#include "mouse/Intervalplot.h"

#include <algorithm>
#include <cmath>

#include "platform/Graphics.h"

size_t TIntervalPlot::Bars() const {
    return std::min(kMaxBars, static_cast<size_t>(std::max(0, Width() + kBarStep - kBarWidth) / kBarStep));
}

void TIntervalPlot::Show(const double* intervals, size_t count, double referenceMs) {
    // The newest that fit.
    const size_t fit = std::min(count, Bars());
    intervals += count - fit;
    count = fit;
    const bool same = count == m_Count && referenceMs == m_ReferenceMs &&
                      std::equal(intervals, intervals + count, m_Intervals.begin());
    if (same) return;
    std::copy(intervals, intervals + count, m_Intervals.begin());
    m_Count = count;
    m_ReferenceMs = referenceMs;
    Invalidate();
}

void TIntervalPlot::SetColors(uint32_t bar, uint32_t line) {
    if (bar == m_Bar && line == m_Line) return;
    m_Bar = bar;
    m_Line = line;
    Invalidate();
}

int TIntervalPlot::BarHeight(double intervalMs) const {
    if (!(m_ReferenceMs > 0) || !(intervalMs > 0)) return 0;
    const double share = std::min(1.0, intervalMs / (2 * m_ReferenceMs));
    return std::max(1, static_cast<int>(std::lround(share * Height())));
}

void TIntervalPlot::Paint(TCanvas& canvas) {
    if (m_Count == 0 || !(m_ReferenceMs > 0)) return;
    // Right-aligned: the newest bar stays at the right edge while the strip fills.
    const int first = Width() - static_cast<int>(m_Count) * kBarStep + (kBarStep - kBarWidth);
    for (size_t i = 0; i < m_Count; ++i) {
        const int h = BarHeight(m_Intervals[i]);
        if (h > 0) canvas.FillRect(first + static_cast<int>(i) * kBarStep, Height() - h, kBarWidth, h, m_Bar);
    }
    canvas.FillRect(0, Height() - BarHeight(m_ReferenceMs), Width(), 1, m_Line);
}
