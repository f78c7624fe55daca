#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"
#include "ui/toolkit/Form.h"

// The application object: the hidden top-level window of class "TApplication" captioned with
// the title, the forms, the message loop and the application-wide message hook.
class TApplication {
public:
    // Sees every queued message before dispatch; setting handled stops its dispatch.
    using TMessageEvent = std::function<void(const TMessage& message, bool& handled)>;

    TApplication() = default;
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    void Initialize();
    void SetTitle(const std::string& title);
    const std::string& Title() const { return m_Title; }
    TWindowId Handle() const { return m_Handle; }

    template <class T, class... Args>
    T& CreateForm(Args&&... args) {
        auto form = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *form;
        if (!m_MainForm) m_MainForm = &ref;
        m_Forms.push_back(std::move(form));
        return ref;
    }
    TForm* MainForm() const { return m_MainForm; }
    // The first form of that type the application created; null when there is none.
    template <class T>
    T* FindForm() const {
        for (const auto& form : m_Forms) {
            if (auto* found = dynamic_cast<T*>(form.get())) return found;
        }
        return nullptr;
    }

    // Shows the main form and runs the message loop until it ends.
    void Run();
    void Terminate();
    bool Terminated() const { return m_Terminated; }
    // The standard display of an exception that reached the loop: a stop box with the title.
    void ShowException(const std::string& text);

    TMessageEvent OnMessage;

private:
    std::string m_Title;
    TWindowId m_Handle = 0;
    std::vector<std::unique_ptr<TForm>> m_Forms;
    TForm* m_MainForm = nullptr;
    bool m_Terminated = false;
};

TApplication& GetApplication();
