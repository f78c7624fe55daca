#include "platform/sim/Simcanvas.h"

void TRecordingCanvas::DrawImage(const IImage& image, int x, int y, int sx, int sy, int sw, int sh, int opacityPercent,
                                 bool useOpacity) {
    TOp op;
    op.Kind = TKind::Image;
    op.Picture = &image;
    op.X = x + m_OriginX;
    op.Y = y + m_OriginY;
    op.Sx = sx;
    op.Sy = sy;
    op.Sw = sw;
    op.Sh = sh;
    op.Opacity = opacityPercent;
    op.UseOpacity = useOpacity;
    Ops.push_back(op);
}

void TRecordingCanvas::DrawString(const std::string& text, const TFontFace& font, const TRectF& rect, uint32_t argb,
                                  THAlign align) {
    TOp op;
    op.Kind = TKind::Text;
    op.Text = text;
    op.Font = font;
    op.Rect = {rect.X + static_cast<float>(m_OriginX), rect.Y + static_cast<float>(m_OriginY), rect.W, rect.H};
    op.Color = argb;
    op.Align = align;
    Ops.push_back(op);
}

TRectF TRecordingCanvas::MeasureString(const std::string& text, const TFontFace& font, float layoutWidth) {
    const float charWidth = 0.5f * static_cast<float>(font.Size);
    const float lineHeight = 1.25f * static_cast<float>(font.Size);
    float width = charWidth * static_cast<float>(text.size());
    float lines = 1;
    if (layoutWidth > 0 && width > layoutWidth) {
        lines = static_cast<float>(static_cast<int>(width / layoutWidth) + 1);
        width = layoutWidth;
    }
    return {0, 0, width, lineHeight * lines};
}

void TRecordingCanvas::FillRect(int x, int y, int w, int h, uint32_t color) {
    TOp op;
    op.Kind = TKind::Fill;
    op.X = x + m_OriginX;
    op.Y = y + m_OriginY;
    op.Sw = w;
    op.Sh = h;
    op.Color = color;
    Ops.push_back(op);
}

std::vector<TRecordingCanvas::TOp> TRecordingCanvas::Texts() const {
    std::vector<TOp> texts;
    for (const TOp& op : Ops) {
        if (op.Kind == TKind::Text) texts.push_back(op);
    }
    return texts;
}
