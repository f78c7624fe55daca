#pragma once
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

class TImgBtn;

// The worker behind a repeat button: while running it hands the repeat click to the GUI thread
// (and waits until it was handled), then waits: the delay after the first click, the rate
// after every later one. It never touches the button itself, and pausing or destroying it never
// waits for the GUI thread.
class TImgBtnMsThread {
public:
    explicit TImgBtnMsThread(TImgBtn& button);  // created paused
    ~TImgBtnMsThread();
    TImgBtnMsThread(const TImgBtnMsThread&) = delete;
    TImgBtnMsThread& operator=(const TImgBtnMsThread&) = delete;

    bool Paused() const;
    void Resume(int delayMs, int rateMs);
    void Pause();

private:
    struct TShared {
        std::mutex Mutex;
        std::condition_variable Changed;
        TImgBtn* Button;
        bool Alive = true;
        bool Paused = true;
        bool Stop = false;
        bool Handled = false;
        uint64_t HandledAt = 0;  // tick count when the GUI thread finished the click
        uint64_t Press = 0;      // counts pauses: a hand-over from an earlier press never runs
        int Delay = 2000;
        int Rate = 200;
    };
    static void Loop(std::shared_ptr<TShared> shared);

    std::shared_ptr<TShared> m_Shared;
    std::thread m_Thread;
};
