// DirectInput reports under Windows (or Wine + X): pointer motion sent as hardware input must
// reach the adapter, every report counted even when the waiter is late.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "mouse/Kytmouserate.h"
#include "platform/win32/Win32platform.h"
#include "sys/Singletons.h"

namespace {
constexpr int kMoves = 150;

// Moves the pointer kMoves times, a new place each time, as hardware input: the road real mouse
// reports take to DirectInput (under Wine, as X pointer motion does).
void MovePointer() {
    for (int i = 1; i <= kMoves; ++i) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = (i % 2) ? 3 : -2;
        input.mi.dy = (i % 3) ? 2 : -3;
        input.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &input, sizeof(input));
        Sleep(10);
    }
}

// Pumps this thread's messages (under Wine that is where the X input is read) until the
// predicate holds or the time is up.
template <class TDone>
void PumpUntil(TDone done, ULONGLONG ms) {
    const ULONGLONG deadline = GetTickCount64() + ms;
    while (!done() && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
}
}  // namespace

TEST(MouseEventsTest, PointerMotionIsDrainedFromTheBufferAndEveryReportCounts) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    static TWin32Platform win32;
    InstallPlatform(win32.Ports());

    HWND pad = CreateWindowExW(0, L"STATIC", L"pad", WS_POPUP | WS_VISIBLE, 100, 100, 300, 300, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(pad, nullptr);
    TKytMouseRate& rate = GetMouseRate();
    ASSERT_TRUE(rate.OpenMouse());
    std::atomic<bool> moved{false};
    std::thread mover([&] {
        MovePointer();
        moved = true;
    });

    // As in the program, the worker takes the reports while this (the window's) thread pumps
    // messages; the worker here is late on purpose, so several reports queue between wakes.
    IMouseEvents::TStop stop = win32.Mouse.CreateStop();
    std::atomic<int> reports{0};
    std::atomic<int> wakes{0};
    std::thread worker([&] {
        while (const uint32_t taken = win32.Mouse.Wait(stop)) {
            reports += static_cast<int>(taken);
            ++wakes;
            Sleep(30);
        }
    });
    PumpUntil([&] { return moved.load(); }, 20000);
    mover.join();
    PumpUntil([] { return false; }, 500);  // the last reports reach the buffer and the worker
    win32.Mouse.RaiseStop(stop);
    worker.join();
    win32.Mouse.CloseStop(stop);
    EXPECT_EQ(reports.load(), kMoves);
    EXPECT_LT(wakes.load(), reports.load()) << "the late worker found several reports a wake";
    EXPECT_FALSE(win32.Mouse.TakeOverflow());

    DestroyWindow(pad);
    ResetSingletonsForTests();
    InstallPlatform(TPlatform{});
}
