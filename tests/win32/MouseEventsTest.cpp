// DirectInput notifications under Windows (or Wine + X): pointer motion injected by the X
// server's test extension must reach the measurement.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "mouse/Kytmouserate.h"
#include "platform/win32/Win32platform.h"
#include "sys/Singletons.h"

namespace {
// Moves the X pointer back and forth over the window for a few seconds with xdotool, started
// as a Unix program from this Wine process. False when that is not possible here.
bool StartPointerMotion() {
    wchar_t command[] =
        L"Z:\\bin\\sh -c \"for i in $(seq 1 150); do xdotool mousemove $((200 + i % 40)) $((200 + i % 30)); "
        L"sleep 0.02; done\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}
}  // namespace

TEST(MouseEventsTest, DirectInputSetUpSucceedsAndPointerMotionReachesSample) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    static TWin32Platform win32;
    InstallPlatform(win32.Ports());

    HWND pad = CreateWindowExW(0, L"STATIC", L"pad", WS_POPUP | WS_VISIBLE, 100, 100, 300, 300, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(pad, nullptr);
    TKytMouseRate& rate = GetMouseRate();
    ASSERT_TRUE(rate.OpenMouse());
    if (!StartPointerMotion()) GTEST_SKIP() << "cannot start xdotool from here";

    // As in the program, the worker samples while this (the window's) thread pumps messages:
    // under Wine that is where the X input is read.
    IMouseEvents::TStop stop = win32.Mouse.CreateStop();
    std::atomic<int> samples{0};
    std::thread worker([&] {
        while (samples < 20 && rate.Sample(stop) != TKytMouseRate::kStopped) ++samples;
    });
    const ULONGLONG deadline = GetTickCount64() + 15000;
    while (samples < 20 && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    win32.Mouse.RaiseStop(stop);
    worker.join();
    win32.Mouse.CloseStop(stop);
    EXPECT_GE(samples.load(), 20);
    EXPECT_GT(rate.InstantRate(), 0);

    DestroyWindow(pad);
    ResetSingletonsForTests();
    InstallPlatform(TPlatform{});
}
