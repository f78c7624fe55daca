#pragma once
// GDI+'s flat functions, taken from the system folder's gdiplus.dll (see Systemdll.h) instead of
// the import table. Call them as gdip::Name once gdip::Load() answered true.
#include <algorithm>
using std::max;
using std::min;
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

// clang-format off
#define GLIDEPOST_GDIPLUS_FUNCTIONS(X)                                                                           \
    X(GdipBitmapGetPixel) X(GdipCloneFontFamily) X(GdipCreateBitmapFromScan0) X(GdipCreateBitmapFromStreamICM)   \
    X(GdipCreateFont) X(GdipCreateFontFamilyFromName) X(GdipCreateImageAttributes) X(GdipCreateSolidFill)         \
    X(GdipCreateStringFormat) X(GdipDeleteBrush) X(GdipDeleteGraphics) X(GdipDeleteStringFormat)                  \
    X(GdipDisposeImage) X(GdipDisposeImageAttributes) X(GdipDrawImageRectRectI) X(GdipDrawString)                 \
    X(GdipFillRectangleI) X(GdipGetFontCollectionFamilyCount) X(GdipGetFontCollectionFamilyList)                  \
    X(GdipGetImageGraphicsContext) X(GdipGetImageHeight) X(GdipGetImageWidth) X(GdipMeasureString)                \
    X(GdipNewInstalledFontCollection) X(GdipSetClipRectI) X(GdipSetImageAttributesColorMatrix)                    \
    X(GdipSetSmoothingMode) X(GdipSetStringFormatAlign) X(GdipSetTextRenderingHint)                              \
    X(GdipScaleWorldTransform) X(GdipTranslateWorldTransform) X(GdipSetInterpolationMode)                         \
    X(GdipSetPixelOffsetMode) X(GdipSetImageAttributesWrapMode)
// clang-format on

namespace gdip {
#define GLIDEPOST_GDIPLUS_DECLARE(name) extern decltype(&Gdiplus::DllExports::name) name;
GLIDEPOST_GDIPLUS_FUNCTIONS(GLIDEPOST_GDIPLUS_DECLARE)
#undef GLIDEPOST_GDIPLUS_DECLARE
extern decltype(&Gdiplus::GdiplusStartup) GdiplusStartup;
extern decltype(&Gdiplus::GdiplusShutdown) GdiplusShutdown;

// Loads the library and every function once; false when any is missing.
bool Load();
}  // namespace gdip
