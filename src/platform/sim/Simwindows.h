#pragma once
#include <condition_variable>
#include <deque>
#include <mutex>
#include <map>
#include <utility>
#include <vector>

#include "platform/Displayscale.h"
#include "platform/WindowSystem.h"

// Windows without pixels: one queue for the whole machine, forms that a test paints and
// points at, and timers on a virtual clock of their own, all advanced by the test. RunLoop
// returns when the queue is empty or Quit was called. The display has a DPI: window geometry
// and the pointer are in display pixels here, as on Windows, and scaled as the real edge does.
class TSimWindows : public IWindowSystem {
public:
    struct TWindow {
        std::string ClassName;
        std::string Caption;
        IFormEvents* Events = nullptr;            // set for forms
        int X = 0, Y = 0, Width = 0, Height = 0;  // display pixels
        bool Visible = false;
        int Invalidations = 0;
        TDisplayScale::TArea LastInvalidated;  // display pixels
    };
    struct TBox {
        std::string Caption;
        std::string Text;
        TBoxIcon Icon;
        bool SystemModal;
    };

    TWindowId FindTopWindow(const std::string& className, const std::string& caption) override;
    bool Post(TWindowId window, uint32_t msg, uint64_t wParam, int64_t lParam) override;
    TWindowId CreateAppWindow(const std::string& className, const std::string& caption) override;
    void SetCaption(TWindowId window, const std::string& caption) override;
    TWindowId CreateFormWindow(IFormEvents& events, const std::string& caption, int x, int y, int width,
                               int height) override;
    void ShowWindow(TWindowId window, bool show) override;
    void MoveWindow(TWindowId window, int x, int y, int width, int height) override;
    bool WindowOrigin(TWindowId window, int& x, int& y) override;
    void Invalidate(TWindowId window, int x, int y, int width, int height) override;
    void ScreenSize(int& width, int& height) override {
        width = Scale().ToDesign(ScreenWidth);
        height = Scale().ToDesign(ScreenHeight);
    }
    int DisplayDpi() override { return Dpi; }
    TDisplayScale Scale() const { return TDisplayScale{Dpi}; }
    // The user's pointer over a form's window, at a point in display pixels.
    void PointerMove(TWindowId window, int x, int y);
    void PointerClick(TWindowId window, int x, int y);
    void DestroyWindow(TWindowId window) override { Windows.erase(window); }
    void ShowMessageBox(const std::string& caption, const std::string& text, TBoxIcon icon, bool systemModal) override {
        Boxes.push_back({caption, text, icon, systemModal});
    }
    void RunLoop(const THook& hook) override;
    void Quit() override { QuitRequested = true; }
    uint64_t StartTimer(uint32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer(uint64_t timer) override { m_Timers.erase(timer); }
    void PostToGuiThread(std::function<void()> call) override;
    void StartDrag(TWindowId window) override { DragStarts.push_back(window); }
    // Explorer restarts: the notification area starts empty and every form is told.
    void RestartTaskbar() {
        TrayVisible = false;
        for (auto& [id, window] : Windows) {
            if (window.Events) window.Events->WindowTaskbarCreated();
        }
    }
    void RestoreOrHide(TWindowId window, bool restore) override {
        if (TWindow* w = Find(window)) w->Visible = restore;
    }
    void SetForeground(TWindowId window) override { Foreground = window; }
    bool ForegroundIsOurs() override { return !OtherProgramInFront; }
    // Records the grant with how many messages had been posted by then.
    void AllowForeground(TWindowId window) override { ForegroundGrants.push_back({window, Posted.size()}); }
    void SetTrayIcon(TWindowId, bool visible, const std::string& tip) override {
        TrayVisible = visible;
        TrayTip = tip;
    }
    void ShowTrayBalloon(TWindowId, const std::string& text) override { Balloons.push_back(text); }
    bool RegisterHidNotifications(TWindowId window, uint32_t& error) override {
        error = NotificationError;
        if (NotificationError == 0) NotificationWindows.push_back(window);
        return NotificationError == 0;
    }
    TWindowId Foreground = 0;
    bool OtherProgramInFront = false;  // the user works in another program's window
    std::vector<std::pair<TWindowId, size_t>> ForegroundGrants;
    bool TrayVisible = false;
    std::string TrayTip;
    std::vector<std::string> Balloons;
    std::vector<TWindowId> NotificationWindows;
    uint32_t NotificationError = 0;
    // Headless: what the test queued is processed; then the dialog must be done, or the loop
    // gives up rather than wait for a user who is not there.
    void RunModalLoop(const std::function<bool()>& done) override;
    std::vector<TWindowId> DragStarts;
    // Called when a modal loop would wait: the test's stand-in for the user.
    std::function<void()> WhileModal;
    // Runs the calls other threads posted, as the GUI thread's loop would; answers how many.
    int RunPostedCalls();
    // Blocks until another thread posts a call (a bounded wait for tests).
    bool WaitForPostedCall(int timeoutMs = 5000);

    // Moves the timers' clock forward, firing every timer that falls due, in time order.
    void Advance(uint64_t ms);
    uint64_t NowMs() const { return m_NowMs; }
    size_t RunningTimers() const { return m_Timers.size(); }
    // Messages posted to a window, in order, whether or not they were processed yet.
    std::vector<TMessage> PostedTo(TWindowId window) const;
    TWindow* Find(TWindowId window);

    std::map<TWindowId, TWindow> Windows;
    std::deque<TMessage> Queue;
    std::vector<TMessage> Posted;
    std::vector<TMessage> Dispatched;
    std::vector<TBox> Boxes;
    bool QuitRequested = false;
    int ScreenWidth = 1920;  // display pixels
    int ScreenHeight = 1080;
    int Dpi = TDisplayScale::kDesignDpi;

private:
    struct TTimer {
        uint32_t Interval;
        uint64_t Due;
        std::function<void()> OnTick;
    };
    TWindowId m_NextId = 0x100;
    std::map<uint64_t, TTimer> m_Timers;
    uint64_t m_NextTimer = 1;
    uint64_t m_NowMs = 0;
    std::mutex m_CallsMutex;
    std::condition_variable m_CallPosted;
    std::deque<std::function<void()>> m_Calls;
};
