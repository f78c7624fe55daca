#pragma once
#include <functional>
#include <string>

#include "platform/WindowSystem.h"
#include "ui/toolkit/Control.h"

// A borderless top-level form with a fixed pixel design. It owns a window of the window
// system, paints its controls into it (double-buffered on Windows) and routes the mouse to the
// windowless control under the pointer. The first form an application creates is its main
// form: closing it ends the message loop.
class TForm : public TContainer, public IFormEvents {
public:
    enum class TPosition { Designed, ScreenCenter, MainFormCenter };

    TForm();
    ~TForm() override;

    std::string Caption;
    uint32_t Color = 0xF0F0F0;  // 0xBBGGRR background
    TPosition Position = TPosition::ScreenCenter;

    virtual void Show();
    void Hide();
    // Asks OnCloseQuery, then hides the form; closing the main form ends the application.
    void Close();
    bool FormVisible() const { return m_Shown; }
    TWindowId Handle() const { return m_Handle; }
    // Moves the window on the screen (dragging).
    void MoveTo(int x, int y);
    int ScreenLeft() const { return m_ScreenLeft; }
    int ScreenTop() const { return m_ScreenTop; }

    std::function<bool()> OnCloseQuery;
    std::function<void()> OnClose;
    std::function<void()> OnShow;

    void InvalidateWindow();
    // A repaint of an area, in the form's pixels.
    void InvalidateArea(int x, int y, int width, int height);
    void ControlGone(const TControl* control);
    TControl* Hovered() const { return m_Hover; }

    // IFormEvents
    void PaintWindow(TCanvas& canvas) override;
    void WindowMouseMove(int x, int y) override;
    void WindowMouseDown(int button, int x, int y) override;
    void WindowMouseUp(int button, int x, int y) override;
    void WindowMouseLeave() override;
    void WindowDoubleClick(int x, int y) override;
    void WindowCloseRequested() override { Close(); }

    // Creates the form's window (hidden) if it has none yet.
    void HandleNeeded();

private:
    void SetHover(TControl* control);

    TWindowId m_Handle = 0;
    bool m_Shown = false;
    int m_ScreenLeft = 0;
    int m_ScreenTop = 0;
    TControl* m_Hover = nullptr;
    TControl* m_Captured = nullptr;
};
