#include "platform/win32/Win32windows.h"

#include <windows.h>
#include <windowsx.h>
#include <dbt.h>
#include <shellapi.h>

#include <memory>
#include <set>
#include <vector>

#include "platform/Displayscale.h"
#include "platform/Graphics.h"
#include "platform/win32/Systemdll.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32graphics.h"

namespace {
constexpr const wchar_t* kFormClass = L"TGlidepostForm";
constexpr const wchar_t* kCallClass = L"TGlidepostCalls";
constexpr UINT kRunCall = WM_APP + 0x3F0;
constexpr UINT kTrayCallback = WM_APP + 0x3F1;
// The HID device-interface class.
const GUID kHidInterface = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

HWND ToHwnd(TWindowId id) { return reinterpret_cast<HWND>(static_cast<uintptr_t>(id)); }
TWindowId ToId(HWND hwnd) { return static_cast<TWindowId>(reinterpret_cast<uintptr_t>(hwnd)); }

std::map<UINT_PTR, std::function<void()>>& Timers() {
    static std::map<UINT_PTR, std::function<void()>> timers;
    return timers;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Timers().find(id);
    if (it == Timers().end()) return;
    std::function<void()> tick = it->second;  // the tick may stop this very timer
    tick();
}

// Windows whose pointer-leave notification is asked for: asked once per visit, not on every move.
std::set<HWND>& Tracking() {
    static std::set<HWND> tracking;
    return tracking;
}

// Broadcast to every top-level window when the taskbar is created again.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// The DPI of the display: the system's for a window not yet made or on a Windows older than
// 10 (1607), else the window's monitor's. The system's is fixed for the session: read once.
int SystemDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int caps = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
        if (screen) ReleaseDC(nullptr, screen);
        return caps > 0 ? caps : TDisplayScale::kDesignDpi;
    }();
    return dpi;
}

int WindowDpi(HWND hwnd) {
    using TGetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto get = SystemFunction<TGetDpiForWindow>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = get && hwnd ? get(hwnd) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

// The scale each form's window paints at, updated when it moves to a display with another DPI.
std::map<HWND, TDisplayScale>& Scales() {
    static std::map<HWND, TDisplayScale> scales;
    return scales;
}

TDisplayScale ScaleOf(HWND hwnd) {
    auto it = Scales().find(hwnd);
    return it == Scales().end() ? TDisplayScale{SystemDpi()} : it->second;
}

IFormEvents* EventsOf(HWND hwnd) { return reinterpret_cast<IFormEvents*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

// Paints the area to repaint into a back buffer and copies it to the screen in one step: no
// flicker, and a changed label costs its own few pixels, not the whole window.
void PaintArea(HDC screen, const RECT& area, IFormEvents& events, const TDisplayScale& scale) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HDC buffer = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ old = SelectObject(buffer, bitmap);
    if (pixels) {
        std::unique_ptr<TCanvas> canvas = MakeGdiPlusCanvas(pixels, area.left, area.top, width, height, scale);
        events.PaintWindow(*canvas);
    }
    BitBlt(screen, area.left, area.top, width, height, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
}

void PaintForm(HWND hwnd, IFormEvents& events) {
    // Two small changes far apart (a figure and a plot) make an update region of two
    // rectangles: each is painted on its own, not the large box around both.
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    const bool region = update && GetUpdateRgn(hwnd, update, FALSE) == COMPLEXREGION;
    std::vector<RECT> areas;
    if (region) {
        const DWORD size = GetRegionData(update, 0, nullptr);
        std::vector<unsigned char> data(size);
        auto* header = reinterpret_cast<RGNDATA*>(data.data());
        if (size >= sizeof(RGNDATAHEADER) && GetRegionData(update, size, header) == size && header->rdh.nCount <= 8) {
            const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
            areas.assign(rects, rects + header->rdh.nCount);
        }
    }
    if (update) DeleteObject(update);
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(hwnd, &ps);
    if (areas.empty()) areas.push_back(ps.rcPaint);
    const TDisplayScale scale = ScaleOf(hwnd);
    for (const RECT& area : areas) PaintArea(screen, area, events, scale);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    IFormEvents* events = EventsOf(hwnd);
    if (!events) return DefWindowProcW(hwnd, msg, wParam, lParam);
    // The pointer in design pixels.
    const TDisplayScale scale = ScaleOf(hwnd);
    const int x = scale.ToDesign(GET_X_LPARAM(lParam)), y = scale.ToDesign(GET_Y_LPARAM(lParam));
    if (msg != 0 && msg == TaskbarCreatedMessage()) {
        events->WindowTaskbarCreated();
        return 0;
    }
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;
        case WM_GETDPISCALEDSIZE: {
            // The size at the coming scale is the design's, scaled once: no pixel drifts however
            // often the window crosses between displays.
            RECT rect;
            if (!GetWindowRect(hwnd, &rect)) return FALSE;
            const TDisplayScale next{static_cast<int>(wParam)};
            auto* size = reinterpret_cast<SIZE*>(lParam);
            size->cx = next.ToDisplay(scale.ToDesign(rect.right - rect.left));
            size->cy = next.ToDisplay(scale.ToDesign(rect.bottom - rect.top));
            return TRUE;
        }
        case WM_DPICHANGED: {
            // Moved to a display with another scale: take the size Windows suggests for it
            // and paint everything again at the new scale.
            Scales()[hwnd] = TDisplayScale{HIWORD(wParam)};
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        }
        case WM_PAINT:
            PaintForm(hwnd, *events);
            return 0;
        case WM_MOUSEMOVE: {
            if (Tracking().insert(hwnd).second) {
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd, 0};
                if (!TrackMouseEvent(&track)) Tracking().erase(hwnd);
            }
            events->WindowMouseMove(x, y);
            return 0;
        }
        case WM_MOUSELEAVE:
            Tracking().erase(hwnd);
            events->WindowMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            SetCapture(hwnd);
            events->WindowMouseDown(msg == WM_LBUTTONDOWN ? IFormEvents::kLeft : IFormEvents::kRight, x, y);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            ReleaseCapture();
            events->WindowMouseUp(msg == WM_LBUTTONUP ? IFormEvents::kLeft : IFormEvents::kRight, x, y);
            return 0;
        case WM_LBUTTONDBLCLK:
            events->WindowDoubleClick(x, y);
            return 0;
        case WM_CLOSE:
            events->WindowCloseRequested();
            return 0;
        case WM_POWERBROADCAST:
            events->WindowPowerEvent(wParam);
            return 0;
        case WM_DEVICECHANGE: {
            uint32_t type = 0;
            if ((wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE) && lParam) {
                type = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam)->dbch_devicetype;
            }
            events->WindowDeviceChange(wParam, type);
            return 0;
        }
        case kTrayCallback:
            if (LOWORD(lParam) == WM_LBUTTONDBLCLK) events->WindowTrayEvent(IFormEvents::kTrayDoubleClick);
            if (LOWORD(lParam) == WM_MOUSEMOVE) events->WindowTrayEvent(IFormEvents::kTrayMouseMove);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK CallProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kRunCall) {
        std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lParam));
        (*call)();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterClassOnce(const wchar_t* name, WNDPROC proc, UINT style) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}
}  // namespace

TWin32Windows::TWin32Windows() {
    RegisterClassOnce(kCallClass, CallProc, 0);
    m_CallWindow =
        CreateWindowExW(0, kCallClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TWin32Windows::~TWin32Windows() {
    if (m_CallWindow) ::DestroyWindow(static_cast<HWND>(m_CallWindow));
}

TWindowId TWin32Windows::FindTopWindow(const std::string& className, const std::string& caption) {
    return ToId(FindWindowW(ToWide(className).c_str(), ToWide(caption).c_str()));
}

bool TWin32Windows::Post(TWindowId window, uint32_t msg, uint64_t wParam, int64_t lParam) {
    return PostMessageW(ToHwnd(window), msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != FALSE;
}

TWindowId TWin32Windows::CreateAppWindow(const std::string& className, const std::string& caption) {
    std::wstring name = ToWide(className);
    RegisterClassOnce(name.c_str(), DefWindowProcW, 0);
    // Hidden, zero-sized, but top-level, so that FindWindow in another process sees it; a tool
    // window, so that it never gets a taskbar button or an Alt-Tab entry of its own.
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, name.c_str(), ToWide(caption).c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return ToId(hwnd);
}

void TWin32Windows::SetCaption(TWindowId window, const std::string& caption) {
    SetWindowTextW(ToHwnd(window), ToWide(caption).c_str());
}

TWindowId TWin32Windows::CreateFormWindow(IFormEvents& events, const std::string& caption, int x, int y, int width,
                                          int height) {
    RegisterClassOnce(kFormClass, FormProc, CS_DBLCLKS);
    const TDisplayScale system{SystemDpi()};
    HWND hwnd =
        CreateWindowExW(WS_EX_APPWINDOW, kFormClass, ToWide(caption).c_str(), WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX,
                        system.ToDisplay(x), system.ToDisplay(y), system.ToDisplay(width), system.ToDisplay(height),
                        nullptr, nullptr, GetModuleHandleW(nullptr), &events);
    if (!hwnd) return 0;
    // The window's own display may have another scale than the system's.
    const TDisplayScale scale{WindowDpi(hwnd)};
    Scales()[hwnd] = scale;
    if (scale.Dpi != system.Dpi) {
        SetWindowPos(hwnd, nullptr, 0, 0, scale.ToDisplay(width), scale.ToDisplay(height),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The program runs elevated and Explorer does not: let its broadcast through.
    ChangeWindowMessageFilterEx(hwnd, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
    if (!m_FirstForm) m_FirstForm = hwnd;
    return ToId(hwnd);
}

void TWin32Windows::ShowWindow(TWindowId window, bool show) { ::ShowWindow(ToHwnd(window), show ? SW_SHOW : SW_HIDE); }

bool TWin32Windows::WindowOrigin(TWindowId window, int& x, int& y) {
    RECT rect;
    HWND hwnd = ToHwnd(window);
    if (!hwnd || !GetWindowRect(hwnd, &rect)) return false;
    const TDisplayScale scale = ScaleOf(hwnd);
    x = scale.ToDesign(rect.left);
    y = scale.ToDesign(rect.top);
    return true;
}

void TWin32Windows::MoveWindow(TWindowId window, int x, int y, int width, int height) {
    const TDisplayScale scale = ScaleOf(ToHwnd(window));
    ::MoveWindow(ToHwnd(window), scale.ToDisplay(x), scale.ToDisplay(y), scale.ToDisplay(width),
                 scale.ToDisplay(height), TRUE);
}

void TWin32Windows::Invalidate(TWindowId window, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    const TDisplayScale::TArea display = ScaleOf(ToHwnd(window)).DisplayAreaOf({x, y, x + width, y + height});
    const RECT area{display.Left, display.Top, display.Right, display.Bottom};
    InvalidateRect(ToHwnd(window), &area, FALSE);
}

void TWin32Windows::ScreenSize(int& width, int& height) {
    // In design pixels, as the forms place themselves.
    const TDisplayScale system{SystemDpi()};
    width = system.ToDesign(GetSystemMetrics(SM_CXSCREEN));
    height = system.ToDesign(GetSystemMetrics(SM_CYSCREEN));
}

// The display the main window (the first form) is on, once there is one: its pictures are
// chosen for that display, not the system's.
int TWin32Windows::DisplayDpi() {
    HWND main = static_cast<HWND>(m_FirstForm);
    return main && IsWindow(main) ? WindowDpi(main) : SystemDpi();
}

void TWin32Windows::DestroyWindow(TWindowId window) {
    HWND hwnd = ToHwnd(window);
    Tracking().erase(hwnd);
    Scales().erase(hwnd);
    if (IsWindow(hwnd)) {
        NOTIFYICONDATAW icon{};
        icon.cbSize = sizeof(icon);
        icon.hWnd = hwnd;
        icon.uID = 1;
        Shell_NotifyIconW(NIM_DELETE, &icon);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);  // its form is going away
        ::DestroyWindow(hwnd);
    }
}

void TWin32Windows::ShowMessageBox(const std::string& caption, const std::string& text, TBoxIcon icon,
                                   bool systemModal) {
    UINT flags = MB_OK;
    switch (icon) {
        case TBoxIcon::Stop:
            flags |= MB_ICONSTOP;
            break;
        case TBoxIcon::Warning:
            flags |= MB_ICONWARNING;
            break;
        case TBoxIcon::Information:
            flags |= MB_ICONINFORMATION;
            break;
        case TBoxIcon::None:
            break;
    }
    if (systemModal) flags |= MB_SYSTEMMODAL;
    MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(caption).c_str(), flags);
}

void TWin32Windows::RunLoop(const THook& hook) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TMessage message{ToId(msg.hwnd), msg.message, static_cast<uint64_t>(msg.wParam),
                         static_cast<int64_t>(msg.lParam)};
        if (Observer) Observer(msg.message, message.Window);
        if (hook && msg.hwnd != m_CallWindow && hook(message)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void TWin32Windows::Quit() { PostQuitMessage(0); }

uint64_t TWin32Windows::StartTimer(uint32_t intervalMs, std::function<void()> onTick) {
    UINT_PTR id = SetTimer(nullptr, 0, intervalMs, TimerProc);
    if (id) Timers()[id] = std::move(onTick);
    return id;
}

void TWin32Windows::StopTimer(uint64_t timer) {
    KillTimer(nullptr, static_cast<UINT_PTR>(timer));
    Timers().erase(static_cast<UINT_PTR>(timer));
}

void TWin32Windows::PostToGuiThread(std::function<void()> call) {
    // The message carries the call; CallProc takes it over. Kept here when it could not be posted.
    auto owned = std::make_unique<std::function<void()>>(std::move(call));
    if (PostMessageW(static_cast<HWND>(m_CallWindow), kRunCall, 0, reinterpret_cast<LPARAM>(owned.get()))) {
        owned.release();
    }
}

void TWin32Windows::StartDrag(TWindowId window) {
    ReleaseCapture();
    SendMessageW(ToHwnd(window), WM_SYSCOMMAND, 0xF012, 0);  // move by caption
}

void TWin32Windows::RunModalLoop(const std::function<bool()>& done) {
    MSG msg;
    while (!done() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void TWin32Windows::RestoreOrHide(TWindowId window, bool restore) {
    HWND hwnd = ToHwnd(window);
    if (!restore) {
        ::ShowWindow(hwnd, SW_HIDE);
        return;
    }
    // SW_RESTORE shows and activates a hidden window: the application's invisible window is
    // only brought back from the taskbar, never shown. A form's window is shown either way.
    const bool appWindow = (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) && !IsWindowVisible(hwnd);
    if (appWindow && !IsIconic(hwnd)) return;
    ::ShowWindow(hwnd, SW_RESTORE);
}

void TWin32Windows::SetForeground(TWindowId window) { SetForegroundWindow(ToHwnd(window)); }

void TWin32Windows::AllowForeground(TWindowId window) {
    DWORD process = 0;
    if (GetWindowThreadProcessId(ToHwnd(window), &process) && process) AllowSetForegroundWindow(process);
}

bool TWin32Windows::ForegroundIsOurs() {
    HWND front = GetForegroundWindow();
    DWORD process = 0;
    return front && GetWindowThreadProcessId(front, &process) && process == GetCurrentProcessId();
}

namespace {
NOTIFYICONDATAW TrayData(TWindowId owner) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = ToHwnd(owner);
    icon.uID = 1;
    return icon;
}

void CopyText(wchar_t* target, size_t size, const std::string& text) {
    std::wstring wide = ToWide(text).substr(0, size - 1);
    std::copy(wide.begin(), wide.end(), target);
    target[wide.size()] = 0;
}
}  // namespace

void TWin32Windows::SetTrayIcon(TWindowId owner, bool visible, const std::string& tip) {
    NOTIFYICONDATAW icon = TrayData(owner);
    if (!visible) {
        Shell_NotifyIconW(NIM_DELETE, &icon);
        return;
    }
    icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    icon.uCallbackMessage = kTrayCallback;
    // The notification area shows small icons: the resource's small image, not its 32-pixel one
    // squeezed (LoadIcon always answers the large size).
    icon.hIcon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    const bool own = icon.hIcon != nullptr;
    if (!icon.hIcon) icon.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    CopyText(icon.szTip, std::size(icon.szTip), tip);
    if (!Shell_NotifyIconW(NIM_MODIFY, &icon)) Shell_NotifyIconW(NIM_ADD, &icon);
    if (own) DestroyIcon(icon.hIcon);  // the shell keeps a copy of its own
}

void TWin32Windows::ShowTrayBalloon(TWindowId owner, const std::string& text) {
    NOTIFYICONDATAW icon = TrayData(owner);
    icon.uFlags = NIF_INFO;
    CopyText(icon.szInfo, std::size(icon.szInfo), text);
    icon.szInfoTitle[0] = 0;
    icon.dwInfoFlags = NIIF_NONE;
    Shell_NotifyIconW(NIM_MODIFY, &icon);
}

bool TWin32Windows::RegisterHidNotifications(TWindowId window, uint32_t& error) {
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = 32;  // the header and the class, as the system expects for this filter
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kHidInterface;
    HDEVNOTIFY handle = RegisterDeviceNotificationW(ToHwnd(window), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    error = handle ? 0 : GetLastError();
    return handle != nullptr;
}
