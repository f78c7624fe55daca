#pragma once
#include <cmath>

// Designs are in pixels at 96 DPI; a display may have more. The window system's edge turns
// design pixels into the display's pixels (sizes, positions, areas to repaint) and pointer
// positions back into design pixels, so that layout, hit-testing and masks never see a scale.
struct TDisplayScale {
    static constexpr int kDesignDpi = 96;
    int Dpi = kDesignDpi;

    double Factor() const { return static_cast<double>(Dpi > 0 ? Dpi : kDesignDpi) / kDesignDpi; }
    bool Scaled() const { return Dpi != kDesignDpi && Dpi > 0; }
    // Pictures drawn at twice the size look best from 1.5 up; below, the plain ones scaled.
    bool PrefersDoubleArtwork() const { return Factor() >= 1.5; }

    // A length or a position in display pixels.
    int ToDisplay(int design) const { return static_cast<int>(std::lround(design * Factor())); }
    // A display position in design pixels: the design pixel it falls into.
    int ToDesign(int display) const { return static_cast<int>(std::floor(display / Factor())); }

    struct TArea {
        int Left = 0, Top = 0, Right = 0, Bottom = 0;
        bool operator==(const TArea&) const = default;
    };
    // The display pixels a design area touches, rounded outward: repainting them repaints it.
    TArea DisplayAreaOf(const TArea& design) const {
        const double f = Factor();
        return {static_cast<int>(std::floor(design.Left * f)), static_cast<int>(std::floor(design.Top * f)),
                static_cast<int>(std::ceil(design.Right * f)), static_cast<int>(std::ceil(design.Bottom * f))};
    }
    // The design pixels a display area touches, rounded outward: painting them covers it.
    TArea DesignAreaOf(const TArea& display) const {
        const double f = Factor();
        return {static_cast<int>(std::floor(display.Left / f)), static_cast<int>(std::floor(display.Top / f)),
                static_cast<int>(std::ceil(display.Right / f)), static_cast<int>(std::ceil(display.Bottom / f))};
    }
};
