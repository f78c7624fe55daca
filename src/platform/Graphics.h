#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A decoded picture, ready to draw. Pixels are known where the backend has them (always for
// pictures built from pixels); a mask is read through IsBlack.
class IImage {
public:
    virtual ~IImage() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // True where the pixel is black (colour value 0) on white; false outside the image.
    virtual bool IsBlack(int x, int y) const = 0;
    // Pixels per design pixel: 2 for a picture drawn at twice the size, whose Width and Height
    // are its design size. Pixels() is the image that holds them.
    virtual int Density() const { return 1; }
    virtual const IImage& Pixels() const { return *this; }
};

// A picture drawn at twice its design size, seen at its design size.
class TDoubleDensityImage : public IImage {
public:
    explicit TDoubleDensityImage(std::shared_ptr<IImage> pixels) : m_Pixels(std::move(pixels)) {}
    int Width() const override { return m_Pixels->Width() / 2; }
    int Height() const override { return m_Pixels->Height() / 2; }
    bool IsBlack(int x, int y) const override {
        return x >= 0 && y >= 0 && x < Width() && y < Height() && m_Pixels->IsBlack(2 * x, 2 * y);
    }
    int Density() const override { return 2; }
    const IImage& Pixels() const override { return *m_Pixels; }

private:
    std::shared_ptr<IImage> m_Pixels;
};

struct TRectF {
    float X = 0, Y = 0, W = 0, H = 0;
    bool operator==(const TRectF&) const = default;
};

// What a font is to the painter: face, size in pixels, colour (0xBBGGRR) and style bits
// (bold 1, italic 2, underline 4, strike-out 8).
struct TFontFace {
    std::string Name;
    int Size = 11;
    uint32_t Color = 0;
    int Style = 0;
    bool operator==(const TFontFace&) const = default;
};

enum class THAlign { Near, Center, Far };

// Where controls paint: a window's back buffer on Windows, a recording in tests.
class TCanvas {
public:
    virtual ~TCanvas() = default;
    // Draws the source rectangle of the image at (x, y), unscaled; opacity applies only when
    // useOpacity is set.
    virtual void DrawImage(const IImage& image, int x, int y, int sx, int sy, int sw, int sh, int opacityPercent,
                           bool useOpacity) = 0;
    // Draws text wrapped at word boundaries within the rectangle's width.
    virtual void DrawString(const std::string& text, const TFontFace& font, const TRectF& rect, uint32_t argb,
                            THAlign align) = 0;
    // The bounding rectangle of the text laid out within the given width.
    virtual TRectF MeasureString(const std::string& text, const TFontFace& font, float layoutWidth) = 0;
    virtual void FillRect(int x, int y, int w, int h, uint32_t color) = 0;
    // Sets the origin and the clipping rectangle: a control paints in its own coordinates and
    // within its own bounds.
    virtual void SetViewport(int x, int y, int width, int height) = 0;
};

// Decoding pictures.
class IGraphics {
public:
    virtual ~IGraphics() = default;
    // A PNG, JPEG or BMP file's bytes; null when they cannot be decoded.
    virtual std::shared_ptr<IImage> Decode(const std::string& bytes) = 0;
    // An image of the program's resources (type "RT_RCDATA"); null when there is none.
    virtual std::shared_ptr<IImage> FromResource(const std::string& name) = 0;
    // An image from 32-bit 0xAARRGGBB pixels, row by row.
    virtual std::shared_ptr<IImage> FromPixels(int width, int height, const std::vector<uint32_t>& pixels) = 0;
};
