#include "platform/win32/Win32graphics.h"

#include "platform/win32/Gdiplusflat.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

#include "platform/Fontscript.h"
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

// True when the face is installed under that name and has a glyph for every sample character.
bool FaceDraws(const std::wstring& face, const std::u16string& sample) {
    if (face.empty() || face.size() >= LF_FACESIZE) return false;
    LOGFONTW wanted{};
    wanted.lfHeight = -16;
    wanted.lfCharSet = DEFAULT_CHARSET;
    std::copy(face.begin(), face.end(), wanted.lfFaceName);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontIndirectW(&wanted);
    bool draws = false;
    if (dc && font) {
        HGDIOBJ old = SelectObject(dc, font);
        wchar_t actual[LF_FACESIZE] = {};
        // GDI answers with a substitute for a face it does not have.
        draws = GetTextFaceW(dc, LF_FACESIZE, actual) > 0 && lstrcmpiW(actual, face.c_str()) == 0;
        if (draws && !sample.empty()) {
            std::vector<WORD> glyphs(sample.size());
            const int n = static_cast<int>(sample.size());
            draws = GetGlyphIndicesW(dc, reinterpret_cast<LPCWSTR>(sample.data()), n, glyphs.data(),
                                     GGI_MARK_NONEXISTING_GLYPHS) == static_cast<DWORD>(n) &&
                    std::find(glyphs.begin(), glyphs.end(), 0xFFFF) == glyphs.end();
        }
        SelectObject(dc, old);
    }
    if (font) DeleteObject(font);
    if (dc) DeleteDC(dc);
    return draws;
}

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM into) {
    auto& faces = *reinterpret_cast<std::vector<std::wstring>*>(into);
    const std::wstring face = font->lfFaceName;
    // "@" names are the vertical variants of CJK faces.
    if (!face.empty() && face[0] != L'@' && std::find(faces.begin(), faces.end(), face) == faces.end()) {
        faces.push_back(face);
    }
    return 1;
}

// Any installed face with the script's glyphs, looked for once per script.
std::wstring InstalledFaceFor(TScript script) {
    static std::map<TScript, std::wstring> found;
    if (auto it = found.find(script); it != found.end()) return it->second;
    std::vector<std::wstring> faces;
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    if (HDC dc = CreateCompatibleDC(nullptr)) {
        EnumFontFamiliesExW(dc, &all, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
        DeleteDC(dc);
    }
    std::wstring face;
    for (const std::wstring& candidate : faces) {
        if (FaceDraws(candidate, ScriptSample(script))) {
            face = candidate;
            break;
        }
    }
    return found.emplace(script, face).first->second;
}

GpFontFamily* FamilyNamed(const std::wstring& face) {
    GpFontFamily* family = nullptr;
    if (!face.empty() && GdipCreateFontFamilyFromName(face.c_str(), nullptr, &family) == Ok) return family;
    return nullptr;
}

GpFontFamily* FamilyThatDraws(const std::wstring& face, const std::u16string& sample) {
    return FaceDraws(face, sample) ? FamilyNamed(face) : nullptr;
}

// The face asked for when it draws the text's script; else the script's preferred faces, any
// installed face that has its glyphs, and last the Latin list or any installed family (GDI+'s
// generic sans-serif draws nothing under Wine).
GpFontFamily* LookUpFamily(const std::string& name, TScript script) {
    if (script == TScript::Latin) {
        if (GpFontFamily* family = FamilyNamed(ToWide(name))) return family;
    } else {
        const std::u16string sample = ScriptSample(script);
        if (GpFontFamily* family = FamilyThatDraws(ToWide(name), sample)) return family;
        for (const std::string& preferred : PreferredFaces(script)) {
            if (GpFontFamily* family = FamilyThatDraws(ToWide(preferred), sample)) return family;
        }
        if (GpFontFamily* family = FamilyNamed(InstalledFaceFor(script))) return family;
    }
    for (const std::string& fallback : PreferredFaces(TScript::Latin)) {
        if (GpFontFamily* family = FamilyNamed(ToWide(fallback))) return family;
    }
    GpFontFamily* family = nullptr;
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

// A face's family for a script, looked up once: the lookup asks GDI about the system's fonts.
// The families live as long as the process; painting happens on the GUI thread only.
GpFontFamily* FindFamily(const std::string& name, TScript script) {
    static std::map<std::pair<std::string, TScript>, GpFontFamily*> families;
    const auto key = std::make_pair(name, script);
    auto it = families.find(key);
    if (it == families.end()) it = families.emplace(key, LookUpFamily(name, script)).first;
    return it->second;
}

// A face's font, made once for the process: GDI+ realises a font slowly (under Wine, several
// milliseconds), and a repaint draws and measures every caption.
GpFont* FindFont(const TFontFace& face, TScript script) {
    static std::map<std::tuple<std::string, int, int, TScript>, GpFont*> fonts;
    const auto key = std::make_tuple(face.Name, face.Size, face.Style & 15, script);
    auto it = fonts.find(key);
    if (it == fonts.end()) {
        GpFont* font = nullptr;
        if (GpFontFamily* family = FindFamily(face.Name, script)) {
            GdipCreateFont(family, static_cast<REAL>(face.Size), face.Style & 15, UnitPixel, &font);
        }
        it = fonts.emplace(key, font).first;
    }
    return it->second;
}

class TGdiPlusCanvas : public TCanvas {
public:
    // GDI+ draws straight into the pixels (a bitmap's graphics): no round trip through a
    // device context for every picture and caption. The controls paint in design pixels; a
    // world transform takes them to the display's, so text is laid out at the display's size
    // and pictures are resampled once, in high quality.
    TGdiPlusCanvas(void* pixels, int x, int y, int width, int height, const TDisplayScale& scale)
        : m_Scaled(scale.Scaled()), m_Dpi(scale.Dpi) {
        const TDisplayScale::TArea design = scale.DesignAreaOf({x, y, x + width, y + height});
        m_AreaX = design.Left;
        m_AreaY = design.Top;
        m_AreaRight = design.Right;
        m_AreaBottom = design.Bottom;
        m_ClipLeft = m_AreaX;
        m_ClipTop = m_AreaY;
        m_ClipRight = m_AreaRight;
        m_ClipBottom = m_AreaBottom;
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
        if (m_Scaled) {
            const auto factor = static_cast<REAL>(scale.Factor());
            GdipScaleWorldTransform(m_Graphics, factor, factor, MatrixOrderAppend);
            GdipTranslateWorldTransform(m_Graphics, static_cast<REAL>(-x), static_cast<REAL>(-y), MatrixOrderAppend);
            GdipSetInterpolationMode(m_Graphics, InterpolationModeHighQualityBicubic);
            GdipSetPixelOffsetMode(m_Graphics, PixelOffsetModeHalf);
        } else {
            // Unscaled, the buffer's corner is taken off by hand: GDI+ keeps its fast paths
            // (a repaint at 1000 reports a second competes with the measurement) only with no
            // world transform at all.
            m_ShiftX = x;
            m_ShiftY = y;
        }
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
        if (useOpacity || m_Scaled) GdipCreateImageAttributes(&attributes);
        if (useOpacity) {
            ColorMatrix matrix{};
            for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
            matrix.m[3][3] = static_cast<REAL>(std::clamp(opacity, 0, 100)) / 100.0f;
            GdipSetImageAttributesColorMatrix(attributes, ColorAdjustTypeBitmap, TRUE, &matrix, nullptr,
                                              ColorMatrixFlagsDefault);
        }
        // Resampling reads beyond the part drawn; at the picture's own edges it would blend in
        // transparent black, a dark seam. Mirrored edges keep the edge colour.
        if (m_Scaled) GdipSetImageAttributesWrapMode(attributes, WrapModeTileFlipXY, 0, FALSE);
        const int density = image.Density();
        GdipDrawImageRectRectI(m_Graphics, static_cast<const TGdiImage&>(image.Pixels()).Handle(), left - m_ShiftX,
                               top - m_ShiftY, sw, sh, sx * density, sy * density, sw * density, sh * density,
                               UnitPixel, attributes, nullptr, nullptr);
        if (attributes) GdipDisposeImageAttributes(attributes);
    }

    void DrawString(const std::string& text, const TFontFace& font, const TRectF& rect, uint32_t argb,
                    THAlign align) override {
        if (m_Outside) return;
        GpFont* handle = FindFont(font, ScriptOfText(text, font.Name));
        if (!handle) return;
        GpStringFormat* format = nullptr;
        GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
        GdipSetStringFormatAlign(format, align == THAlign::Near     ? StringAlignmentNear
                                         : align == THAlign::Center ? StringAlignmentCenter
                                                                    : StringAlignmentFar);
        GpSolidFill* brush = nullptr;
        GdipCreateSolidFill(argb, &brush);
        const RectF layout(rect.X + static_cast<REAL>(m_X - m_ShiftX), rect.Y + static_cast<REAL>(m_Y - m_ShiftY),
                           rect.W, rect.H);
        const std::wstring wide = ToWide(text);
        GdipDrawString(m_Graphics, wide.c_str(), static_cast<INT>(wide.size()), handle, &layout, format, brush);
        GdipDeleteBrush(brush);
        GdipDeleteStringFormat(format);
    }

    TRectF MeasureString(const std::string& text, const TFontFace& font, float layoutWidth) override {
        if (m_Broken) return {};
        // The same few captions are measured on every repaint: remembered, up to a bound.
        // Hinting makes a width depend a little on the display's scale.
        static std::map<std::tuple<std::string, std::string, int, int, float, int>, TRectF> measured;
        const auto key = std::make_tuple(text, font.Name, font.Size, font.Style & 15, layoutWidth, m_Dpi);
        if (auto it = measured.find(key); it != measured.end()) return it->second;
        RectF bounds;
        if (GpFont* handle = FindFont(font, ScriptOfText(text, font.Name))) {
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
        GdipFillRectangleI(m_Graphics, brush, x + m_X - m_ShiftX, y + m_Y - m_ShiftY, w, h);
        GdipDeleteBrush(brush);
    }

    // The viewport is in the window's design pixels, as is everything drawn.
    void SetViewport(int x, int y, int width, int height) override {
        m_X = x;
        m_Y = y;
        m_ClipLeft = std::max(x, m_AreaX);
        m_ClipTop = std::max(y, m_AreaY);
        m_ClipRight = std::min(x + width, m_AreaRight);
        m_ClipBottom = std::min(y + height, m_AreaBottom);
        m_Outside = m_Broken || m_ClipRight <= m_ClipLeft || m_ClipBottom <= m_ClipTop;
        if (!m_Outside) {
            GdipSetClipRectI(m_Graphics, m_ClipLeft - m_ShiftX, m_ClipTop - m_ShiftY, m_ClipRight - m_ClipLeft,
                             m_ClipBottom - m_ClipTop, CombineModeReplace);
        }
    }

private:
    GpBitmap* m_Target = nullptr;
    GpGraphics* m_Graphics = nullptr;
    bool m_Broken = false;
    bool m_Scaled;
    int m_Dpi;
    // The design area the buffer holds, and the clip within it, in the window's design pixels.
    int m_AreaX = 0, m_AreaY = 0, m_AreaRight = 0, m_AreaBottom = 0;
    int m_X = 0, m_Y = 0;
    int m_ShiftX = 0, m_ShiftY = 0;  // the buffer's corner, when no world transform takes it off
    int m_ClipLeft = 0, m_ClipTop = 0, m_ClipRight = 0, m_ClipBottom = 0;
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

std::unique_ptr<TCanvas> MakeGdiPlusCanvas(void* pixels, int x, int y, int width, int height,
                                           const TDisplayScale& scale) {
    return std::make_unique<TGdiPlusCanvas>(pixels, x, y, width, height, scale);
}
