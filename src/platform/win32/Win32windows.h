#pragma once
#include <functional>
#include <map>

#include "platform/WindowSystem.h"

class TWin32Windows : public IWindowSystem {
public:
    TWin32Windows();
    ~TWin32Windows() override;

    TWindowId FindTopWindow(const std::string& className, const std::string& caption) override;
    bool Post(TWindowId window, uint32_t msg, uint64_t wParam, int64_t lParam) override;
    TWindowId CreateAppWindow(const std::string& className, const std::string& caption) override;
    void SetCaption(TWindowId window, const std::string& caption) override;
    TWindowId CreateFormWindow(IFormEvents& events, const std::string& caption, int x, int y, int width,
                               int height) override;
    void ShowWindow(TWindowId window, bool show) override;
    void MoveWindow(TWindowId window, int x, int y, int width, int height) override;
    void Invalidate(TWindowId window, int x, int y, int width, int height) override;
    void ScreenSize(int& width, int& height) override;
    int DisplayDpi() override;
    void DestroyWindow(TWindowId window) override;
    void ShowMessageBox(const std::string& caption, const std::string& text, TBoxIcon icon, bool systemModal) override;
    void RunLoop(const THook& hook) override;
    void Quit() override;
    uint64_t StartTimer(uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(uint64_t timer) override;
    void PostToGuiThread(std::function<void()> call) override;
    void StartDrag(TWindowId window) override;
    void RestoreOrHide(TWindowId window, bool restore) override;
    void SetForeground(TWindowId window) override;
    bool ForegroundIsOurs() override;
    bool WindowOrigin(TWindowId window, int& x, int& y) override;
    void AllowForeground(TWindowId window) override;
    void SetTrayIcon(TWindowId owner, bool visible, const std::string& tip) override;
    void ShowTrayBalloon(TWindowId owner, const std::string& text) override;
    bool RegisterHidNotifications(TWindowId window, uint32_t& error) override;
    // Sees every message the loop takes, before the hook (the simulator watches the pointer).
    std::function<void(uint32_t msg, TWindowId window)> Observer;
    void RunModalLoop(const std::function<bool()>& done) override;

private:
    void* m_CallWindow = nullptr;  // a message-only window that runs calls from other threads
    void* m_FirstForm = nullptr;   // the main window
};
