#pragma once
#include "platform/WindowSystem.h"

class TWin32Windows : public IWindowSystem {
public:
    TWindowId FindTopWindow(const std::string& className, const std::string& caption) override;
    bool Post(TWindowId window, uint32_t msg, uint64_t wParam, int64_t lParam) override;
    TWindowId CreateAppWindow(const std::string& className, const std::string& caption) override;
    void SetCaption(TWindowId window, const std::string& caption) override;
    TWindowId CreateMainWindow(const std::string& caption, int width, int height) override;
    void DestroyWindow(TWindowId window) override;
    void ShowMessageBox(const std::string& caption, const std::string& text, TBoxIcon icon,
                        bool systemModal) override;
    void RunLoop(const THook& hook) override;
    void Quit() override;
};
