#include "platform/win32/Win32windows.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace {
constexpr const wchar_t* kMainClass = L"TGlidepostForm";

HWND ToHwnd(TWindowId id) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(id)); }
TWindowId ToId(HWND hwnd) { return static_cast<TWindowId>(reinterpret_cast<uintptr_t>(hwnd)); }

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterClassOnce(const std::wstring& name, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name.c_str(), &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);
}
}  // namespace

TWindowId TWin32Windows::FindTopWindow(const std::string& className, const std::string& caption) {
    return ToId(FindWindowW(ToWide(className).c_str(), ToWide(caption).c_str()));
}

bool TWin32Windows::Post(TWindowId window, uint32_t msg, uint64_t wParam, int64_t lParam) {
    return PostMessageW(ToHwnd(window), msg, static_cast<WPARAM>(wParam),
                        static_cast<LPARAM>(lParam)) != FALSE;
}

TWindowId TWin32Windows::CreateAppWindow(const std::string& className, const std::string& caption) {
    std::wstring name = ToWide(className);
    RegisterClassOnce(name, DefWindowProcW);
    // Hidden, zero-sized, but top-level, so that FindWindow in another process sees it.
    HWND hwnd = CreateWindowExW(0, name.c_str(), ToWide(caption).c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return ToId(hwnd);
}

void TWin32Windows::SetCaption(TWindowId window, const std::string& caption) {
    SetWindowTextW(ToHwnd(window), ToWide(caption).c_str());
}

TWindowId TWin32Windows::CreateMainWindow(const std::string& caption, int width, int height) {
    RegisterClassOnce(kMainClass, MainWindowProc);
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    HWND hwnd = CreateWindowExW(0, kMainClass, ToWide(caption).c_str(), WS_POPUP | WS_SYSMENU,
                                x, y, width, height, nullptr, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return ToId(hwnd);
}

void TWin32Windows::DestroyWindow(TWindowId window) {
    HWND hwnd = ToHwnd(window);
    if (IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

void TWin32Windows::ShowMessageBox(const std::string& caption, const std::string& text,
                                   TBoxIcon icon, bool systemModal) {
    UINT flags = MB_OK;
    switch (icon) {
        case TBoxIcon::Stop: flags |= MB_ICONSTOP; break;
        case TBoxIcon::Warning: flags |= MB_ICONWARNING; break;
        case TBoxIcon::Information: flags |= MB_ICONINFORMATION; break;
        case TBoxIcon::None: break;
    }
    if (systemModal) flags |= MB_SYSTEMMODAL;
    MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(caption).c_str(), flags);
}

void TWin32Windows::RunLoop(const THook& hook) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TMessage message{ToId(msg.hwnd), msg.message, static_cast<uint64_t>(msg.wParam),
                         static_cast<int64_t>(msg.lParam)};
        if (hook && hook(message)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void TWin32Windows::Quit() { PostQuitMessage(0); }
