#include "mouse/Intervalplot.h"

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"

namespace {
uint32_t Argb(uint32_t bgr) { return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF); }
}  // namespace

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
    Render();
}

void TIntervalPlot::SetColors(uint32_t bar, uint32_t line) {
    if (bar == m_Bar && line == m_Line) return;
    m_Bar = bar;
    m_Line = line;
    Render();
}

int TIntervalPlot::BarHeight(double intervalMs) const {
    if (!(m_ReferenceMs > 0) || !(intervalMs > 0)) return 0;
    const double share = std::min(1.0, intervalMs / (2 * m_ReferenceMs));
    return std::max(1, static_cast<int>(std::lround(share * Height())));
}

void TIntervalPlot::Render() {
    const int w = Width(), h = Height();
    m_Pixels.assign(static_cast<size_t>(std::max(0, w)) * static_cast<size_t>(std::max(0, h)), 0);
    const auto fill = [&](int x, int y, int fw, int fh, uint32_t argb) {
        for (int row = std::max(0, y); row < std::min(h, y + fh); ++row) {
            for (int col = std::max(0, x); col < std::min(w, x + fw); ++col) {
                m_Pixels[static_cast<size_t>(row) * static_cast<size_t>(w) + static_cast<size_t>(col)] = argb;
            }
        }
    };
    if (m_Count != 0 && m_ReferenceMs > 0) {
        // Right-aligned: the newest bar stays at the right edge while the strip fills.
        const int first = w - static_cast<int>(m_Count) * kBarStep + (kBarStep - kBarWidth);
        for (size_t i = 0; i < m_Count; ++i) {
            const int bar = BarHeight(m_Intervals[i]);
            fill(first + static_cast<int>(i) * kBarStep, h - bar, kBarWidth, bar, Argb(m_Bar));
        }
        fill(0, h - BarHeight(m_ReferenceMs), w, 1, Argb(m_Line));
    }
    m_Image =
        m_Pixels.empty() || !GetPlatform().Graphics ? nullptr : GetPlatform().Graphics->FromPixels(w, h, m_Pixels);
    Invalidate();
}

void TIntervalPlot::Paint(TCanvas& canvas) {
    if (m_Count == 0 || !m_Image) return;
    canvas.DrawImage(*m_Image, 0, 0, 0, 0, Width(), Height(), 100, false);
}
