#include "ui/Imgbtnmsthread.h"

#include <chrono>

#include "platform/Platform.h"
#include "ui/Imgbtn.h"

TImgBtnMsThread::TImgBtnMsThread(TImgBtn& button) : m_Shared(std::make_shared<TShared>()) {
    m_Shared->Button = &button;
    m_Thread = std::thread(Loop, m_Shared);
}

TImgBtnMsThread::~TImgBtnMsThread() {
    {
        std::lock_guard<std::mutex> guard(m_Shared->Mutex);
        m_Shared->Stop = true;
        m_Shared->Alive = false;  // a hand-over still queued for the GUI thread does nothing now
    }
    m_Shared->Changed.notify_all();
    m_Thread.join();
}

bool TImgBtnMsThread::Paused() const {
    std::lock_guard<std::mutex> guard(m_Shared->Mutex);
    return m_Shared->Paused;
}

void TImgBtnMsThread::Resume(int delayMs, int rateMs) {
    {
        std::lock_guard<std::mutex> guard(m_Shared->Mutex);
        m_Shared->Delay = delayMs;
        m_Shared->Rate = rateMs;
        m_Shared->Paused = false;
    }
    m_Shared->Changed.notify_all();
}

void TImgBtnMsThread::Pause() {
    {
        std::lock_guard<std::mutex> guard(m_Shared->Mutex);
        m_Shared->Paused = true;
        ++m_Shared->Press;
    }
    m_Shared->Changed.notify_all();
}

void TImgBtnMsThread::Loop(std::shared_ptr<TShared> shared) {
    IClock& clock = *GetPlatform().Clock;
    IWindowSystem& windows = *GetPlatform().Windows;
    std::unique_lock<std::mutex> lock(shared->Mutex);
    bool first = true;
    for (;;) {
        shared->Changed.wait(lock, [&] { return shared->Stop || !shared->Paused; });
        if (shared->Stop) return;

        // The hand-over: the click runs on the GUI thread, unless the button was released or
        // destroyed before the GUI thread got to it.
        shared->Handled = false;
        const uint64_t press = shared->Press;
        windows.PostToGuiThread([shared, press] {
            std::unique_lock<std::mutex> guiLock(shared->Mutex);
            const bool run = shared->Alive && !shared->Paused && shared->Press == press;
            TImgBtn* button = shared->Button;
            guiLock.unlock();
            if (run) button->MouseRepeatClick();
            const uint64_t now = GetPlatform().Clock->TickMs();
            guiLock.lock();
            shared->Handled = true;
            shared->HandledAt = now;
            shared->Changed.notify_all();
        });
        shared->Changed.wait(lock, [&] { return shared->Stop || shared->Handled || shared->Paused; });
        if (shared->Stop) return;
        if (shared->Paused) {
            first = true;
            continue;
        }

        // The wait, measured with the system tick count; a release or the end cuts it short.
        const uint64_t deadline = shared->HandledAt + static_cast<uint64_t>(first ? shared->Delay : shared->Rate);
        first = false;
        while (!shared->Stop && !shared->Paused && clock.TickMs() < deadline) {
            shared->Changed.wait_for(lock, std::chrono::milliseconds(5));
        }
        if (shared->Paused) first = true;
    }
}
