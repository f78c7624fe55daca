#pragma once
#include <cstdint>
#include <functional>
#include <string>

using TWindowId = uint64_t;  // 0 means none

class TCanvas;

// What a form's window reports to the toolkit: painting, the mouse and close requests.
class IFormEvents {
public:
    enum TButton { kLeft = 0, kRight = 1, kMiddle = 2 };
    virtual ~IFormEvents() = default;
    virtual void PaintWindow(TCanvas& canvas) = 0;
    virtual void WindowMouseMove(int x, int y) = 0;
    virtual void WindowMouseDown(int button, int x, int y) = 0;
    virtual void WindowMouseUp(int button, int x, int y) = 0;
    virtual void WindowMouseLeave() = 0;
    virtual void WindowDoubleClick(int x, int y) = 0;
    // The user or another program asked the window to close.
    virtual void WindowCloseRequested() = 0;
    // System broadcasts to the window: power events (their wParam) and device changes (wParam
    // and the broadcast header's device type, 0 when there is none).
    virtual void WindowPowerEvent(uint64_t) {}
    virtual void WindowDeviceChange(uint64_t, uint32_t) {}
    // The notification-area icon of this window: double-click or pointer moving over it.
    enum TTrayEvent { kTrayDoubleClick, kTrayMouseMove };
    virtual void WindowTrayEvent(TTrayEvent) {}
    // The taskbar was created again (Explorer restarted): notification-area icons are gone.
    virtual void WindowTaskbarCreated() {}
};

struct TMessage {
    TWindowId Window = 0;
    uint32_t Msg = 0;
    uint64_t WParam = 0;
    int64_t LParam = 0;
};

// Top-level windows and the message queue of the GUI thread.
class IWindowSystem {
public:
    // Sees each queued message before dispatch; answers true when it handled it.
    using THook = std::function<bool(const TMessage&)>;

    static constexpr uint32_t kClose = 0x0010;  // WM_CLOSE

    enum class TBoxIcon { None, Stop, Warning, Information };

    virtual ~IWindowSystem() = default;
    virtual TWindowId FindTopWindow(const std::string& className, const std::string& caption) = 0;
    virtual bool Post(TWindowId window, uint32_t msg, uint64_t wParam, int64_t lParam) = 0;
    // The application's hidden top-level window of the given class.
    virtual TWindowId CreateAppWindow(const std::string& className, const std::string& caption) = 0;
    virtual void SetCaption(TWindowId window, const std::string& caption) = 0;
    // A borderless top-level window for a form, created hidden.
    virtual TWindowId CreateFormWindow(IFormEvents& events, const std::string& caption, int x, int y, int width,
                                       int height) = 0;
    virtual void ShowWindow(TWindowId window, bool show) = 0;
    virtual void MoveWindow(TWindowId window, int x, int y, int width, int height) = 0;
    // Where the window's top-left corner is now (the user may have dragged it), in design
    // pixels at its display's scale; false when there is no such window.
    virtual bool WindowOrigin(TWindowId window, int& x, int& y) = 0;
    // Asks for a repaint of an area of the window (design pixels); only that area is painted
    // again and copied to the screen.
    virtual void Invalidate(TWindowId window, int x, int y, int width, int height) = 0;
    // The screen's size in design pixels (96 DPI).
    virtual void ScreenSize(int& width, int& height) = 0;
    // The DPI of the display the program's windows open on. Forms, controls, positions and
    // pointer coordinates are all in design pixels: the window system scales at its edge.
    virtual int DisplayDpi() = 0;
    virtual void DestroyWindow(TWindowId window) = 0;
    // A repeating timer on the GUI thread; 0 when none could be made.
    virtual uint64_t StartTimer(uint32_t intervalMs, std::function<void()> onTick) = 0;
    virtual void StopTimer(uint64_t timer) = 0;
    // Restores (show true) or hides a top-level window, as ShowWindow with SW_RESTORE / SW_HIDE.
    virtual void RestoreOrHide(TWindowId window, bool restore) = 0;
    virtual void SetForeground(TWindowId window) = 0;
    // Lets the process that owns the window bring itself to the foreground, as this process may:
    // a posted message alone grants it no such right.
    virtual void AllowForeground(TWindowId window) = 0;
    // Whether the window the user works in (the foreground window) is one of this program's.
    virtual bool ForegroundIsOurs() = 0;
    // The notification-area icon of a form's window, showing the application's icon.
    virtual void SetTrayIcon(TWindowId owner, bool visible, const std::string& tip) = 0;
    virtual void ShowTrayBalloon(TWindowId owner, const std::string& text) = 0;
    // Device-interface notifications of the HID class for the window; false with the system's
    // error code when the registration failed.
    virtual bool RegisterHidNotifications(TWindowId window, uint32_t& error) = 0;
    // Lets the user drag the window by its client area (a left press on a picture).
    virtual void StartDrag(TWindowId window) = 0;
    // Runs the message loop until done() answers true (a modal dialog's own loop).
    virtual void RunModalLoop(const std::function<bool()>& done) = 0;
    // Runs a call on the GUI thread from any thread, without waiting for it.
    virtual void PostToGuiThread(std::function<void()> call) = 0;
    // A system message box with an OK button; returns when the user closes it.
    virtual void ShowMessageBox(const std::string& caption, const std::string& text, TBoxIcon icon,
                                bool systemModal) = 0;
    // Runs the loop until Quit (or, headless, until the queue is empty).
    virtual void RunLoop(const THook& hook) = 0;
    virtual void Quit() = 0;
};
