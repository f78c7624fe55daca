#include "platform/win32/Gdiplusflat.h"

#include <type_traits>

#include "platform/win32/Systemdll.h"

namespace gdip {
#define GLIDEPOST_GDIPLUS_DEFINE(name) decltype(&Gdiplus::DllExports::name) name = nullptr;
GLIDEPOST_GDIPLUS_FUNCTIONS(GLIDEPOST_GDIPLUS_DEFINE)
#undef GLIDEPOST_GDIPLUS_DEFINE
decltype(&Gdiplus::GdiplusStartup) GdiplusStartup = nullptr;
decltype(&Gdiplus::GdiplusShutdown) GdiplusShutdown = nullptr;

bool Load() {
    static const bool loaded = [] {
        HMODULE module = SystemLibrary(L"gdiplus.dll");
        if (!module) return false;
        bool all = true;
        const auto take = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                reinterpret_cast<void*>(GetProcAddress(module, name)));
            all = all && function != nullptr;
        };
#define GLIDEPOST_GDIPLUS_TAKE(name) take(name, #name);
        GLIDEPOST_GDIPLUS_FUNCTIONS(GLIDEPOST_GDIPLUS_TAKE)
#undef GLIDEPOST_GDIPLUS_TAKE
        take(GdiplusStartup, "GdiplusStartup");
        take(GdiplusShutdown, "GdiplusShutdown");
        return all;
    }();
    return loaded;
}
}  // namespace gdip
