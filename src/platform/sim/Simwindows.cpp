#include "platform/sim/Simwindows.h"

TWindowId TSimWindows::FindTopWindow(const std::string& className, const std::string& caption) {
    for (const auto& [id, window] : Windows) {
        if (window.ClassName == className && window.Caption == caption) return id;
    }
    return 0;
}

bool TSimWindows::Post(TWindowId window, uint32_t msg, uint64_t wParam, int64_t lParam) {
    if (Windows.count(window) == 0) return false;
    TMessage message{window, msg, wParam, lParam};
    Posted.push_back(message);
    Queue.push_back(message);
    return true;
}

TWindowId TSimWindows::CreateAppWindow(const std::string& className, const std::string& caption) {
    TWindowId id = m_NextId++;
    Windows[id] = {className, caption, false};
    return id;
}

void TSimWindows::SetCaption(TWindowId window, const std::string& caption) {
    auto it = Windows.find(window);
    if (it != Windows.end()) it->second.Caption = caption;
}

TWindowId TSimWindows::CreateMainWindow(const std::string& caption, int, int) {
    TWindowId id = m_NextId++;
    Windows[id] = {"TMainForm", caption, true};
    return id;
}

void TSimWindows::RunLoop(const THook& hook) {
    while (!QuitRequested && !Queue.empty()) {
        TMessage message = Queue.front();
        Queue.pop_front();
        if (hook && hook(message)) continue;
        Dispatched.push_back(message);
        auto it = Windows.find(message.Window);
        if (message.Msg == kClose && it != Windows.end() && it->second.Main) {
            Windows.erase(it);
            QuitRequested = true;
        }
    }
}

std::vector<TMessage> TSimWindows::PostedTo(TWindowId window) const {
    std::vector<TMessage> posted;
    for (const TMessage& message : Posted) {
        if (message.Window == window) posted.push_back(message);
    }
    return posted;
}
