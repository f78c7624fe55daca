#pragma once
#include <cstdint>
#include <functional>
#include <string>

using TWindowId = uint64_t;  // 0 means none

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
    // A plain visible top-level window; closing it ends the message loop.
    virtual TWindowId CreateMainWindow(const std::string& caption, int width, int height) = 0;
    virtual void DestroyWindow(TWindowId window) = 0;
    // A system message box with an OK button; returns when the user closes it.
    virtual void ShowMessageBox(const std::string& caption, const std::string& text, TBoxIcon icon,
                                bool systemModal) = 0;
    // Runs the loop until Quit (or, headless, until the queue is empty).
    virtual void RunLoop(const THook& hook) = 0;
    virtual void Quit() = 0;
};
