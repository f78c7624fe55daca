// Glidepost.exe as a real process under Windows (or Wine): the hand-over and the uninstall
// road, seen from an instance this test plays itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/Wide.h"

namespace {
constexpr DWORD kExitWaitMs = 60000;

std::wstring ProgramPath() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"Glidepost.exe";
}

// Starts Glidepost.exe with the arguments; answers the process handle (or nullptr).
HANDLE Start(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + ProgramPath() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

DWORD WaitForExit(HANDLE process) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, kExitWaitMs) == WAIT_OBJECT_0) GetExitCodeProcess(process, &code);
    return code;
}

// This test process posing as a running instance: the mutex named after the program file
// and the hidden application window that the other process looks for.
class FakeInstance {
public:
    FakeInstance() {
        m_Mutex = CreateMutexW(nullptr, FALSE, L"Glidepost.exe");
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TApplication";
        RegisterClassW(&wc);
        m_Window = CreateWindowExW(0, L"TApplication", L"TrivexalGlidepost", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    }
    ~FakeInstance() {
        DestroyWindow(m_Window);
        CloseHandle(m_Mutex);
    }
    bool Ready() const { return m_Mutex && m_Window; }

    // The instance messages waiting in this thread's queue for the window, in order.
    std::vector<UINT> Received() {
        std::vector<UINT> messages;
        MSG msg;
        while (PeekMessageW(&msg, m_Window, 0x8000, 0xBFFF, PM_REMOVE)) messages.push_back(msg.message);
        return messages;
    }

private:
    HANDLE m_Mutex = nullptr;
    HWND m_Window = nullptr;
};
}  // namespace

TEST(InstanceTest, SecondStartPostsRestoreToTheRunningInstanceAndExitsZero) {
    FakeInstance running;
    ASSERT_TRUE(running.Ready());
    HANDLE second = Start(L"/debug");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WaitForExit(second), 0u);
    CloseHandle(second);
    EXPECT_EQ(running.Received(), (std::vector<UINT>{0x819F}));
}

TEST(InstanceTest, UninstallWithAnInstanceRunningPostsBothCloseMessagesInOrder) {
    FakeInstance running;
    ASSERT_TRUE(running.Ready());
    HANDLE uninstall = Start(L"/UNINSTALL");
    ASSERT_NE(uninstall, nullptr);
    DWORD started = GetTickCount();
    EXPECT_EQ(WaitForExit(uninstall), 0u);
    // It waits seven seconds after posting, giving the instance time to close.
    EXPECT_GE(GetTickCount() - started, 6500u);
    CloseHandle(uninstall);
    EXPECT_EQ(running.Received(), (std::vector<UINT>{0x81A0, 0x819E}));
}

TEST(InstanceTest, UninstallWithNoInstanceExitsZeroWithoutAWindow) {
    HANDLE uninstall = Start(L"/UNINSTALL /DEBUG");
    ASSERT_NE(uninstall, nullptr);
    DWORD started = GetTickCount();
    EXPECT_EQ(WaitForExit(uninstall), 0u);
    EXPECT_LT(GetTickCount() - started, 6500u);
    CloseHandle(uninstall);
    EXPECT_EQ(FindWindowW(L"TApplication", L"TrivexalGlidepost"), nullptr);
}

TEST(InstanceTest, RealSecondInstanceExitsWhileTheFirstKeepsRunning) {
    HANDLE first = Start(L"");
    ASSERT_NE(first, nullptr);
    WaitForInputIdle(first, kExitWaitMs);
    HWND window = nullptr;
    for (int i = 0; i < 200 && !window; ++i) {
        window = FindWindowW(L"TApplication", L"TrivexalGlidepost");
        if (!window) Sleep(50);  // a real process starting under Wine: nothing to drive instead
    }
    ASSERT_NE(window, nullptr);

    HANDLE second = Start(L"");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(WaitForExit(second), 0u);
    CloseHandle(second);
    EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    TerminateProcess(first, 0);
    WaitForSingleObject(first, kExitWaitMs);
    CloseHandle(first);
}
