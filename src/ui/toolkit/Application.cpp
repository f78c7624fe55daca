#include "ui/toolkit/Application.h"

#include "platform/Platform.h"
#include "sys/Singletons.h"

namespace {
constexpr const char* kClassName = "TApplication";
}

TApplication::~TApplication() {
    m_MainForm = nullptr;
    // Later forms may refer to earlier ones, so they go first.
    while (!m_Forms.empty()) m_Forms.pop_back();
    if (m_Handle != 0) GetPlatform().Windows->DestroyWindow(m_Handle);
}

void TApplication::Initialize() {
    if (m_Handle == 0) m_Handle = GetPlatform().Windows->CreateAppWindow(kClassName, m_Title);
}

void TApplication::SetTitle(const std::string& title) {
    m_Title = title;
    if (m_Handle != 0) GetPlatform().Windows->SetCaption(m_Handle, title);
}

void TApplication::Run() {
    // A start-up that failed has already asked to end: its window is never shown.
    if (m_Terminated) return;
    if (m_MainForm) m_MainForm->Show();
    GetPlatform().Windows->RunLoop([this](const TMessage& message) {
        bool handled = false;
        if (OnMessage) OnMessage(message, handled);
        return handled;
    });
}

void TApplication::Terminate() {
    m_Terminated = true;
    GetPlatform().Windows->Quit();
}

void TApplication::ShowException(const std::string& text) {
    GetPlatform().Windows->ShowMessageBox(m_Title, text, IWindowSystem::TBoxIcon::Stop, false);
}

TApplication& GetApplication() { return SingletonOf<TApplication>(); }
