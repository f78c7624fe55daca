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
    TWindow& window = Windows[id];
    window.ClassName = className;
    window.Caption = caption;
    return id;
}

void TSimWindows::SetCaption(TWindowId window, const std::string& caption) {
    if (TWindow* w = Find(window)) w->Caption = caption;
}

TWindowId TSimWindows::CreateFormWindow(IFormEvents& events, const std::string& caption, int x, int y, int width,
                                        int height) {
    TWindowId id = m_NextId++;
    const TDisplayScale scale = Scale();
    TWindow& window = Windows[id];
    window.ClassName = "TForm";
    window.Caption = caption;
    window.Events = &events;
    window.X = scale.ToDisplay(x);
    window.Y = scale.ToDisplay(y);
    window.Width = scale.ToDisplay(width);
    window.Height = scale.ToDisplay(height);
    return id;
}

void TSimWindows::ShowWindow(TWindowId window, bool show) {
    if (TWindow* w = Find(window)) w->Visible = show;
}

bool TSimWindows::WindowOrigin(TWindowId window, int& x, int& y) {
    const TWindow* w = Find(window);
    if (!w) return false;
    x = Scale().ToDesign(w->X);
    y = Scale().ToDesign(w->Y);
    return true;
}

void TSimWindows::MoveWindow(TWindowId window, int x, int y, int width, int height) {
    if (TWindow* w = Find(window)) {
        const TDisplayScale scale = Scale();
        w->X = scale.ToDisplay(x);
        w->Y = scale.ToDisplay(y);
        w->Width = scale.ToDisplay(width);
        w->Height = scale.ToDisplay(height);
    }
}

void TSimWindows::Invalidate(TWindowId window, int x, int y, int width, int height) {
    if (TWindow* w = Find(window); w && width > 0 && height > 0) {
        ++w->Invalidations;
        w->LastInvalidated = Scale().DisplayAreaOf({x, y, x + width, y + height});
    }
}

void TSimWindows::PointerMove(TWindowId window, int x, int y) {
    if (TWindow* w = Find(window); w && w->Events) w->Events->WindowMouseMove(Scale().ToDesign(x), Scale().ToDesign(y));
}

void TSimWindows::PointerClick(TWindowId window, int x, int y) {
    TWindow* w = Find(window);
    if (!w || !w->Events) return;
    IFormEvents& events = *w->Events;  // the click may close the window: its entry is not used again
    const int designX = Scale().ToDesign(x), designY = Scale().ToDesign(y);
    events.WindowMouseMove(designX, designY);
    events.WindowMouseDown(IFormEvents::kLeft, designX, designY);
    events.WindowMouseUp(IFormEvents::kLeft, designX, designY);
}

TSimWindows::TWindow* TSimWindows::Find(TWindowId window) {
    auto it = Windows.find(window);
    return it == Windows.end() ? nullptr : &it->second;
}

void TSimWindows::PostToGuiThread(std::function<void()> call) {
    {
        std::lock_guard<std::mutex> guard(m_CallsMutex);
        m_Calls.push_back(std::move(call));
    }
    m_CallPosted.notify_all();
}

int TSimWindows::RunPostedCalls() {
    int count = 0;
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard<std::mutex> guard(m_CallsMutex);
            if (m_Calls.empty()) return count;
            call = std::move(m_Calls.front());
            m_Calls.pop_front();
        }
        call();
        ++count;
    }
}

bool TSimWindows::WaitForPostedCall(int timeoutMs) {
    std::unique_lock<std::mutex> lock(m_CallsMutex);
    return m_CallPosted.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return !m_Calls.empty(); });
}

void TSimWindows::RunLoop(const THook& hook) {
    RunPostedCalls();
    while (!QuitRequested && !Queue.empty()) {
        TMessage message = Queue.front();
        Queue.pop_front();
        if (hook && hook(message)) continue;
        Dispatched.push_back(message);
        TWindow* window = Find(message.Window);
        if (message.Msg == kClose && window && window->Events) window->Events->WindowCloseRequested();
    }
}

uint64_t TSimWindows::StartTimer(uint32_t intervalMs, std::function<void()> onTick) {
    const uint32_t interval = intervalMs == 0 ? 1 : intervalMs;
    m_Timers[m_NextTimer] = {interval, m_NowMs + interval, std::move(onTick)};
    return m_NextTimer++;
}

void TSimWindows::Advance(uint64_t ms) {
    const uint64_t end = m_NowMs + ms;
    for (;;) {
        // The earliest due timer (the oldest first on a tie); a tick may start or stop timers.
        auto next = m_Timers.end();
        for (auto it = m_Timers.begin(); it != m_Timers.end(); ++it) {
            if (it->second.Due <= end && (next == m_Timers.end() || it->second.Due < next->second.Due)) next = it;
        }
        if (next == m_Timers.end()) break;
        m_NowMs = next->second.Due;
        next->second.Due += next->second.Interval;
        std::function<void()> tick = next->second.OnTick;
        tick();
    }
    m_NowMs = end;
}

std::vector<TMessage> TSimWindows::PostedTo(TWindowId window) const {
    std::vector<TMessage> posted;
    for (const TMessage& message : Posted) {
        if (message.Window == window) posted.push_back(message);
    }
    return posted;
}

void TSimWindows::RunModalLoop(const std::function<bool()>& done) {
    while (!done()) {
        const size_t before = Queue.size();
        RunLoop(nullptr);
        if (done()) return;
        if (WhileModal) {
            std::function<void()> user = WhileModal;
            WhileModal = nullptr;
            user();
            continue;
        }
        if (Queue.size() == before && before == 0) return;
    }
}
