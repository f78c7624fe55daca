#include "platform/win32/Win32graphics.h"

#include "platform/win32/Gdiplusflat.h"

#include <shlwapi.h>

#include <cstring>
#include <map>
#include <tuple>

#include "platform/win32/Wide.h"

using namespace Gdiplus;
using namespace gdip;

namespace {
class TGdiImage : public IImage {
public:
    TGdiImage(GpImage* image, IStream* stream, std::vector<uint32_t> pixels = {})
        : m_Image(image), m_Stream(stream), m_Pixels(std::move(pixels)) {
        GdipGetImageWidth(m_Image, &m_Width);
        GdipGetImageHeight(m_Image, &m_Height);
    }
    ~TGdiImage() override {
        GdipDisposeImage(m_Image);
        if (m_Stream) m_Stream->Release();
    }
    int Width() const override { return static_cast<int>(m_Width); }
    int Height() const override { return static_cast<int>(m_Height); }
    bool IsBlack(int x, int y) const override {
        if (x < 0 || y < 0 || x >= Width() || y >= Height()) return false;
        ARGB color = 0;
        if (GdipBitmapGetPixel(reinterpret_cast<GpBitmap*>(m_Image), x, y, &color) != Ok) return false;
        // Drawn over white, as a monochrome mask: transparent parts stay white.
        return (color >> 24) >= 0x80 && (color & 0xFFFFFF) == 0;
    }
    GpImage* Handle() const { return m_Image; }

private:
    GpImage* m_Image;
    IStream* m_Stream;  // GDI+ may read from it while the image lives
    std::vector<uint32_t> m_Pixels;
    UINT m_Width = 0, m_Height = 0;
};

// Faces that are not installed fall back through a preference list, then to any installed
// family (GDI+'s generic sans-serif draws nothing under Wine).
GpFontFamily* LookUpFamily(const std::string& name) {
    GpFontFamily* family = nullptr;
    if (!name.empty() && GdipCreateFontFamilyFromName(ToWide(name).c_str(), nullptr, &family) == Ok) return family;
    for (const wchar_t* fallback : {L"Segoe UI", L"Tahoma", L"Arial", L"DejaVu Sans"}) {
        if (GdipCreateFontFamilyFromName(fallback, nullptr, &family) == Ok) return family;
    }
    GpFontCollection* installed = nullptr;
    INT count = 0, found = 0;
    if (GdipNewInstalledFontCollection(&installed) == Ok && GdipGetFontCollectionFamilyCount(installed, &count) == Ok &&
        count > 0) {
        std::vector<GpFontFamily*> families(static_cast<size_t>(count));
        if (GdipGetFontCollectionFamilyList(installed, count, families.data(), &found) == Ok && found > 0) {
            GdipCloneFontFamily(families[0], &family);
            return family;
        }
    }
    return nullptr;
}

// A face's family, looked up once: the lookup enumerates the system's fonts. The families live
// as long as the process; painting happens on the GUI thread only.
GpFontFamily* FindFamily(const std::string& name) {
    static std::map<std::string, GpFontFamily*> families;
    auto it = families.find(name);
    if (it == families.end()) it = families.emplace(name, LookUpFamily(name)).first;
    return it->second;
}

// A face's font, made once for the process: GDI+ realises a font slowly (under Wine, several
// milliseconds), and a repaint draws and measures every caption.
GpFont* FindFont(const TFontFace& face) {
    static std::map<std::tuple<std::string, int, int>, GpFont*> fonts;
    const auto key = std::make_tuple(face.Name, face.Size, face.Style & 15);
    auto it = fonts.find(key);
    if (it == fonts.end()) {
        GpFont* font = nullptr;
        if (GpFontFamily* family = FindFamily(face.Name)) {
            GdipCreateFont(family, static_cast<REAL>(face.Size), face.Style & 15, UnitPixel, &font);
        }
        it = fonts.emplace(key, font).first;
    }
    return it->second;
}

class TGdiPlusCanvas : public TCanvas {
public:
    // GDI+ draws straight into the pixels (a bitmap's graphics): no round trip through a
    // device context for every picture and caption.
    TGdiPlusCanvas(void* pixels, int x, int y, int width, int height)
        : m_AreaX(x),
          m_AreaY(y),
          m_AreaRight(x + width),
          m_AreaBottom(y + height),
          m_ClipRight(width),
          m_ClipBottom(height) {
        if (gdip::Load() && GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB,
                                                      static_cast<BYTE*>(pixels), &m_Target) == Ok) {
            GdipGetImageGraphicsContext(m_Target, &m_Graphics);
        }
        if (!m_Graphics) {
            m_Outside = true;
            m_Broken = true;
            return;
        }
        GdipSetTextRenderingHint(m_Graphics, TextRenderingHintAntiAliasGridFit);
        GdipSetSmoothingMode(m_Graphics, SmoothingModeAntiAlias);
    }
    ~TGdiPlusCanvas() override {
        if (m_Graphics) GdipDeleteGraphics(m_Graphics);
        if (m_Target) GdipDisposeImage(m_Target);
    }

    void DrawImage(const IImage& image, int x, int y, int sx, int sy, int sw, int sh, int opacity,
                   bool useOpacity) override {
        if (m_Outside) return;
        // Only the part inside the clip: GDI+ would otherwise prepare the whole picture for
        // every small repaint (a label over the page's background).
        int left = x + m_X, top = y + m_Y;
        const int right = std::min(left + sw, m_ClipRight), bottom = std::min(top + sh, m_ClipBottom);
        if (left < m_ClipLeft) {
            sx += m_ClipLeft - left;
            left = m_ClipLeft;
        }
        if (top < m_ClipTop) {
            sy += m_ClipTop - top;
            top = m_ClipTop;
        }
        sw = right - left;
        sh = bottom - top;
        if (sw <= 0 || sh <= 0) return;
        GpImageAttributes* attributes = nullptr;
        if (useOpacity) {
            ColorMatrix matrix{};
            for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
            matrix.m[3][3] = static_cast<REAL>(std::clamp(opacity, 0, 100)) / 100.0f;
            GdipCreateImageAttributes(&attributes);
            GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeBitmap, TRUE, &matrix, nullptr,
                                              ColorMatrixFlagsDefault);
        }
        GdipDrawImageRectRectI(m_Graphics, static_cast<const TGdiImage&>(image).Handle(), left, top, sw, sh, sx, sy, sw,
                               sh, UnitPixel, attributes, nullptr, nullptr);
        if (attributes) GdipDisposeImageAttributes(attributes);
    }

    void DrawString(const std::string& text, const TFontFace& font, const TRectF& rect, uint32_t argb,
                    THAlign align) override {
        if (m_Outside) return;
        GpFont* handle = FindFont(font);
        if (!handle) return;
        GpStringFormat* format = nullptr;
        GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
        GdipSetStringFormatAlign(format, align == THAlign::Near     ? StringAlignmentNear
                                         : align == THAlign::Center ? StringAlignmentCenter
                                                                    : StringAlignmentFar);
        GpSolidFill* brush = nullptr;
        GdipCreateSolidFill(argb, &brush);
        const RectF layout(rect.X + m_X, rect.Y + m_Y, rect.W, rect.H);
        const std::wstring wide = ToWide(text);
        GdipDrawString(m_Graphics, wide.c_str(), static_cast<INT>(wide.size()), handle, &layout, format, brush);
        GdipDeleteBrush(brush);
        GdipDeleteStringFormat(format);
    }

    TRectF MeasureString(const std::string& text, const TFontFace& font, float layoutWidth) override {
        if (m_Broken) return {};
        // The same few captions are measured on every repaint: remembered, up to a bound.
        static std::map<std::tuple<std::string, std::string, int, int, float>, TRectF> measured;
        const auto key = std::make_tuple(text, font.Name, font.Size, font.Style & 15, layoutWidth);
        if (auto it = measured.find(key); it != measured.end()) return it->second;
        RectF bounds;
        if (GpFont* handle = FindFont(font)) {
            const RectF layout(0, 0, layoutWidth, 65536.0f);
            const std::wstring wide = ToWide(text);
            GdipMeasureString(m_Graphics, wide.c_str(), static_cast<INT>(wide.size()), handle, &layout, nullptr,
                              &bounds, nullptr, nullptr);
        }
        if (measured.size() >= 1024) measured.clear();
        const TRectF result{bounds.X, bounds.Y, bounds.Width, bounds.Height};
        measured.emplace(key, result);
        return result;
    }

    void FillRect(int x, int y, int w, int h, uint32_t color) override {
        if (m_Outside) return;
        GpSolidFill* brush = nullptr;
        const ARGB argb = 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
        GdipCreateSolidFill(argb, &brush);
        GdipFillRectangleI(m_Graphics, brush, x + m_X, y + m_Y, w, h);
        GdipDeleteBrush(brush);
    }

    // The viewport is in window pixels; the buffer starts at the area's corner.
    void SetViewport(int x, int y, int width, int height) override {
        m_X = x - m_AreaX;
        m_Y = y - m_AreaY;
        const int left = std::max(x, m_AreaX), top = std::max(y, m_AreaY);
        const int right = std::min(x + width, m_AreaRight), bottom = std::min(y + height, m_AreaBottom);
        m_Outside = m_Broken || right <= left || bottom <= top;
        m_ClipLeft = left - m_AreaX;
        m_ClipTop = top - m_AreaY;
        m_ClipRight = right - m_AreaX;
        m_ClipBottom = bottom - m_AreaY;
        if (!m_Outside) {
            GdipSetClipRectI(m_Graphics, left - m_AreaX, top - m_AreaY, right - left, bottom - top, CombineModeReplace);
        }
    }

private:
    GpBitmap* m_Target = nullptr;
    GpGraphics* m_Graphics = nullptr;
    bool m_Broken = false;
    int m_AreaX, m_AreaY, m_AreaRight, m_AreaBottom;
    int m_X = 0, m_Y = 0;
    int m_ClipRight, m_ClipBottom;  // the clip, in the buffer
    int m_ClipLeft = 0, m_ClipTop = 0;
    bool m_Outside = false;  // the viewport lies outside the area: nothing of it is drawn
};
}  // namespace

TWin32Graphics::TWin32Graphics() {
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (gdip::Load() && gdip::GdiplusStartup(&token, &input, nullptr) == Ok) m_Token = token;
}

TWin32Graphics::~TWin32Graphics() {
    if (m_Token) gdip::GdiplusShutdown(m_Token);
}

std::shared_ptr<IImage> TWin32Graphics::Decode(const std::string& bytes) {
    if (bytes.empty() || !m_Token) return nullptr;
    IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    if (!stream) return nullptr;
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromStreamICM(stream, &bitmap) != Ok || !bitmap) {
        stream->Release();
        return nullptr;
    }
    auto image = std::make_shared<TGdiImage>(bitmap, stream);
    if (image->Width() <= 0) return nullptr;
    return image;
}

std::shared_ptr<IImage> TWin32Graphics::FromResource(const std::string& name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, ToWide(name).c_str(), L"RT_RCDATA");
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return nullptr;
    return Decode(std::string(static_cast<const char*>(data), SizeofResource(module, resource)));
}

std::shared_ptr<IImage> TWin32Graphics::FromPixels(int width, int height, const std::vector<uint32_t>& pixels) {
    if (!m_Token || width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height) return nullptr;
    std::vector<uint32_t> copy = pixels;
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(copy.data()),
                                  &bitmap) != Ok) {
        return nullptr;
    }
    // The bitmap reads the pixels in place: the image keeps them.
    return std::make_shared<TGdiImage>(bitmap, nullptr, std::move(copy));
}

std::unique_ptr<TCanvas> MakeGdiPlusCanvas(void* pixels, int x, int y, int width, int height) {
    return std::make_unique<TGdiPlusCanvas>(pixels, x, y, width, height);
}
