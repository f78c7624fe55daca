#pragma once
#include <string>
#include <vector>

#include "platform/Graphics.h"

// A canvas that records what was painted, in the coordinates of the window. Text measures
// with fixed metrics: each character 0.5 × the font size wide, a line 1.25 × the size high.
class TRecordingCanvas : public TCanvas {
public:
    enum class TKind { Image, Text, Fill };
    struct TOp {
        TKind Kind = TKind::Fill;
        const IImage* Picture = nullptr;
        int X = 0, Y = 0;                    // image position or fill origin
        int Sx = 0, Sy = 0, Sw = 0, Sh = 0;  // image source rectangle or fill size (Sw, Sh)
        int Opacity = 100;
        bool UseOpacity = false;
        std::string Text;
        TFontFace Font;
        TRectF Rect;
        uint32_t Color = 0;
        THAlign Align = THAlign::Near;
    };

    void DrawImage(const IImage& image, int x, int y, int sx, int sy, int sw, int sh, int opacityPercent,
                   bool useOpacity) override;
    void DrawString(const std::string& text, const TFontFace& font, const TRectF& rect, uint32_t argb,
                    THAlign align) override;
    TRectF MeasureString(const std::string& text, const TFontFace& font, float layoutWidth) override;
    void FillRect(int x, int y, int w, int h, uint32_t color) override;
    void SetViewport(int x, int y, int, int) override {
        m_OriginX = x;
        m_OriginY = y;
    }

    std::vector<TOp> Ops;
    // The ops that drew text, for short assertions.
    std::vector<TOp> Texts() const;

private:
    int m_OriginX = 0;
    int m_OriginY = 0;
};
