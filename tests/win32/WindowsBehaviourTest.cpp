// What only a real Windows shows, read back from the system (run under Wine): who may open the
// shared blocks, and how the application's hidden window behaves when it is restored.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>

#include "platform/win32/Win32sharedmemory.h"
#include "platform/win32/Win32windows.h"

namespace {
// The access the block's DACL allows a well-known account, or 0 when no ACE names it.
ACCESS_MASK AllowedTo(HANDLE object, WELL_KNOWN_SID_TYPE account) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(object, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                        &descriptor) != ERROR_SUCCESS) {
        return 0;
    }
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof(sid);
    ACCESS_MASK allowed = 0;
    if (dacl && CreateWellKnownSid(account, nullptr, sid, &size)) {
        for (DWORD i = 0; i < dacl->AceCount; ++i) {
            void* ace = nullptr;
            if (!GetAce(dacl, i, &ace)) continue;
            auto* header = static_cast<ACE_HEADER*>(ace);
            if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
            auto* allow = static_cast<ACCESS_ALLOWED_ACE*>(ace);
            if (EqualSid(&allow->SidStart, sid)) allowed |= allow->Mask;
        }
    }
    LocalFree(descriptor);
    return allowed;
}
}  // namespace

TEST(WindowsBehaviourTest, TheBlocksMayBeReadByTheInteractiveUserAndWrittenByNoOneElse) {
    TWin32SharedMemory memory;
    const ISharedMemory::THandle block = memory.Create("GlidepostSecurityProbe", 64);
    ASSERT_NE(block, ISharedMemory::kNone);
    HANDLE mapping = reinterpret_cast<HANDLE>(static_cast<intptr_t>(block));
    const ACCESS_MASK user = AllowedTo(mapping, WinInteractiveSid);
    EXPECT_NE(user & (GENERIC_READ | FILE_MAP_READ), 0u) << std::hex << user;
    EXPECT_EQ(user & (GENERIC_WRITE | GENERIC_ALL | FILE_MAP_WRITE), 0u) << std::hex << user;
    EXPECT_NE(AllowedTo(mapping, WinBuiltinAdministratorsSid), 0u);
    EXPECT_EQ(AllowedTo(mapping, WinWorldSid), 0u);
    memory.Close(block);
}

TEST(WindowsBehaviourTest, TheApplicationWindowIsAToolWindowThatARestoreLeavesHidden) {
    TWin32Windows windows;
    const TWindowId app = windows.CreateAppWindow("GlidepostProbeApplication", "GlidepostProbe");
    ASSERT_NE(app, 0u);
    HWND hwnd = reinterpret_cast<HWND>(static_cast<uintptr_t>(app));
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0) << "no taskbar button of its own";
    windows.RestoreOrHide(app, true);  // as a restore from the tray does
    EXPECT_FALSE(IsWindowVisible(hwnd));
    windows.DestroyWindow(app);
}
