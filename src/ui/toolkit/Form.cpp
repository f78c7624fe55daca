#include "ui/toolkit/Form.h"

#include "platform/Graphics.h"
#include "platform/Platform.h"
#include "ui/toolkit/Application.h"

TForm::TForm() : TContainer(nullptr) { SetBounds(0, 0, 400, 300); }

TForm::~TForm() {
    m_Hover = m_Captured = nullptr;
    if (m_Handle != 0) GetPlatform().Windows->DestroyWindow(m_Handle);
}

void TForm::HandleNeeded() {
    if (m_Handle != 0) return;
    IWindowSystem& windows = *GetPlatform().Windows;
    int x = Left(), y = Top();
    if (Position != TPosition::Designed) {
        int width = 0, height = 0;
        TForm* main = GetApplication().MainForm();
        if (Position == TPosition::MainFormCenter && main && main != this) {
            x = main->m_ScreenLeft + (main->Width() - Width()) / 2;
            y = main->m_ScreenTop + (main->Height() - Height()) / 2;
        } else {
            windows.ScreenSize(width, height);
            x = (width - Width()) / 2;
            y = (height - Height()) / 2;
        }
    }
    m_ScreenLeft = x;
    m_ScreenTop = y;
    m_Handle = windows.CreateFormWindow(*this, Caption, x, y, Width(), Height());
}

void TForm::Show() {
    HandleNeeded();
    if (m_Shown) return;
    m_Shown = true;
    if (Position == TPosition::MainFormCenter) {
        // Where the main window is now: the user may have dragged it since this one was made.
        TForm* main = GetApplication().MainForm();
        int x = 0, y = 0;
        if (main && main != this && main->m_Handle && GetPlatform().Windows->WindowOrigin(main->m_Handle, x, y)) {
            main->m_ScreenLeft = x;
            main->m_ScreenTop = y;
            MoveTo(x + (main->Width() - Width()) / 2, y + (main->Height() - Height()) / 2);
        }
    }
    GetPlatform().Windows->ShowWindow(m_Handle, true);
    if (OnShow) OnShow();
}

void TForm::Hide() {
    if (!m_Shown) return;
    m_Shown = false;
    GetPlatform().Windows->ShowWindow(m_Handle, false);
}

void TForm::Close() {
    if (OnCloseQuery && !OnCloseQuery()) return;
    Hide();
    if (OnClose) OnClose();
    if (GetApplication().MainForm() == this) GetApplication().Terminate();
}

void TForm::MoveTo(int x, int y) {
    m_ScreenLeft = x;
    m_ScreenTop = y;
    if (m_Handle) GetPlatform().Windows->MoveWindow(m_Handle, x, y, Width(), Height());
}

void TForm::InvalidateWindow() { InvalidateArea(0, 0, Width(), Height()); }

void TForm::InvalidateArea(int x, int y, int width, int height) {
    if (m_Handle) GetPlatform().Windows->Invalidate(m_Handle, x, y, width, height);
}

void TForm::ControlGone(const TControl* control) {
    if (m_Hover == control) m_Hover = nullptr;
    if (m_Captured == control) m_Captured = nullptr;
}

void TForm::PaintWindow(TCanvas& canvas) {
    canvas.SetViewport(0, 0, Width(), Height());
    canvas.FillRect(0, 0, Width(), Height(), Color);
    PaintChildren(canvas);
}

void TForm::SetHover(TControl* control) {
    if (control == m_Hover) return;
    TControl* previous = m_Hover;
    m_Hover = control;
    if (previous) previous->MouseLeave();
    if (control) control->MouseEnter();
}

void TForm::WindowMouseMove(int x, int y) {
    TControl* under = ControlAt(x, y);
    SetHover(under == this ? nullptr : under);
    TControl* target = m_Captured ? m_Captured : under;
    if (target) target->MouseMove(x - target->FormLeft(), y - target->FormTop());
}

void TForm::WindowMouseDown(int button, int x, int y) {
    TControl* target = ControlAt(x, y);
    m_Captured = target;
    target->MouseDown(button, x - target->FormLeft(), y - target->FormTop());
}

void TForm::WindowMouseUp(int button, int x, int y) {
    TControl* target = m_Captured ? m_Captured : ControlAt(x, y);
    m_Captured = nullptr;
    target->MouseUp(button, x - target->FormLeft(), y - target->FormTop());
}

void TForm::WindowMouseLeave() { SetHover(nullptr); }

void TForm::WindowDoubleClick(int x, int y) { ControlAt(x, y)->DoubleClick(); }
