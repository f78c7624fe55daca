#pragma once
#include <deque>
#include <map>
#include <vector>

#include "platform/WindowSystem.h"

// Windows without pixels: one queue for the whole machine, advanced by the test. RunLoop
// returns when the queue is empty or Quit was called.
class TSimWindows : public IWindowSystem {
public:
    struct TWindow {
        std::string ClassName;
        std::string Caption;
        bool Main = false;
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
    TWindowId CreateMainWindow(const std::string& caption, int width, int height) override;
    void DestroyWindow(TWindowId window) override { Windows.erase(window); }
    void ShowMessageBox(const std::string& caption, const std::string& text, TBoxIcon icon,
                        bool systemModal) override {
        Boxes.push_back({caption, text, icon, systemModal});
    }
    void RunLoop(const THook& hook) override;
    void Quit() override { QuitRequested = true; }

    // Messages posted to a window, in order, whether or not they were processed yet.
    std::vector<TMessage> PostedTo(TWindowId window) const;

    std::map<TWindowId, TWindow> Windows;
    std::deque<TMessage> Queue;
    std::vector<TMessage> Posted;
    std::vector<TMessage> Dispatched;
    std::vector<TBox> Boxes;
    bool QuitRequested = false;

private:
    TWindowId m_NextId = 0x100;
};
