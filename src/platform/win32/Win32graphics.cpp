#include "platform/win32/Win32graphics.h"

#include <algorithm>
using std::max;
using std::min;
#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <cstring>

#include "platform/win32/Wide.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

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
GpFontFamily* FindFamily(const std::string& name) {
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

class TFontHandle {
public:
    explicit TFontHandle(const TFontFace& face) {
        m_Family = FindFamily(face.Name);
        if (m_Family) GdipCreateFont(m_Family, static_cast<REAL>(face.Size), face.Style & 15, UnitPixel, &m_Font);
    }
    ~TFontHandle() {
        if (m_Font) GdipDeleteFont(m_Font);
        if (m_Family) GdipDeleteFontFamily(m_Family);
    }
    GpFont* Font() const { return m_Font; }

private:
    GpFontFamily* m_Family = nullptr;
    GpFont* m_Font = nullptr;
};

class TGdiPlusCanvas : public TCanvas {
public:
    explicit TGdiPlusCanvas(HDC dc) {
        GdipCreateFromHDC(dc, &m_Graphics);
        GdipSetTextRenderingHint(m_Graphics, TextRenderingHintAntiAliasGridFit);
        GdipSetSmoothingMode(m_Graphics, SmoothingModeAntiAlias);
    }
    ~TGdiPlusCanvas() override { GdipDeleteGraphics(m_Graphics); }

    void DrawImage(const IImage& image, int x, int y, int sx, int sy, int sw, int sh, int opacity,
                   bool useOpacity) override {
        GpImageAttributes* attributes = nullptr;
        if (useOpacity) {
            ColorMatrix matrix{};
            for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
            matrix.m[3][3] = static_cast<REAL>(std::clamp(opacity, 0, 100)) / 100.0f;
            GdipCreateImageAttributes(&attributes);
            GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeBitmap, TRUE, &matrix, nullptr,
                                              ColorMatrixFlagsDefault);
        }
        GdipDrawImageRectRectI(m_Graphics, static_cast<const TGdiImage&>(image).Handle(), x + m_X, y + m_Y, sw, sh, sx,
                               sy, sw, sh, UnitPixel, attributes, nullptr, nullptr);
        if (attributes) GdipDisposeImageAttributes(attributes);
    }

    void DrawString(const std::string& text, const TFontFace& font, const TRectF& rect, uint32_t argb,
                    THAlign align) override {
        TFontHandle handle(font);
        if (!handle.Font()) return;
        GpStringFormat* format = nullptr;
        GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
        GdipSetStringFormatAlign(format, align == THAlign::Near     ? StringAlignmentNear
                                         : align == THAlign::Center ? StringAlignmentCenter
                                                                    : StringAlignmentFar);
        GpSolidFill* brush = nullptr;
        GdipCreateSolidFill(argb, &brush);
        const RectF layout(rect.X + m_X, rect.Y + m_Y, rect.W, rect.H);
        const std::wstring wide = ToWide(text);
        GdipDrawString(m_Graphics, wide.c_str(), static_cast<INT>(wide.size()), handle.Font(), &layout, format, brush);
        GdipDeleteBrush(brush);
        GdipDeleteStringFormat(format);
    }

    TRectF MeasureString(const std::string& text, const TFontFace& font, float layoutWidth) override {
        TFontHandle handle(font);
        RectF bounds;
        if (handle.Font()) {
            const RectF layout(0, 0, layoutWidth, 65536.0f);
            const std::wstring wide = ToWide(text);
            GdipMeasureString(m_Graphics, wide.c_str(), static_cast<INT>(wide.size()), handle.Font(), &layout, nullptr,
                              &bounds, nullptr, nullptr);
        }
        return {bounds.X, bounds.Y, bounds.Width, bounds.Height};
    }

    void FillRect(int x, int y, int w, int h, uint32_t color) override {
        GpSolidFill* brush = nullptr;
        const ARGB argb = 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
        GdipCreateSolidFill(argb, &brush);
        GdipFillRectangleI(m_Graphics, brush, x + m_X, y + m_Y, w, h);
        GdipDeleteBrush(brush);
    }

    void SetViewport(int x, int y, int width, int height) override {
        m_X = x;
        m_Y = y;
        GdipSetClipRectI(m_Graphics, x, y, width, height, CombineModeReplace);
    }

private:
    GpGraphics* m_Graphics = nullptr;
    int m_X = 0, m_Y = 0;
};
}  // namespace

TWin32Graphics::TWin32Graphics() {
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, nullptr) == Ok) m_Token = token;
}

TWin32Graphics::~TWin32Graphics() {
    if (m_Token) GdiplusShutdown(m_Token);
}

std::shared_ptr<IImage> TWin32Graphics::Decode(const std::string& bytes) {
    if (bytes.empty()) return nullptr;
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
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height) return nullptr;
    std::vector<uint32_t> copy = pixels;
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(copy.data()),
                                  &bitmap) != Ok) {
        return nullptr;
    }
    // The bitmap reads the pixels in place: the image keeps them.
    return std::make_shared<TGdiImage>(bitmap, nullptr, std::move(copy));
}

std::unique_ptr<TCanvas> MakeGdiPlusCanvas(void* deviceContext) {
    return std::make_unique<TGdiPlusCanvas>(static_cast<HDC>(deviceContext));
}
