#pragma once
// What every IWindowSystem adapter must do. Instantiate with a factory type T that has
// `static std::unique_ptr<IWindowSystem> Make()`.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/UniqueName.h"
#include "platform/WindowSystem.h"

template <class T>
class WindowSystemContract : public ::testing::Test {};
TYPED_TEST_SUITE_P(WindowSystemContract);

TYPED_TEST_P(WindowSystemContract, AppWindowIsFoundByClassAndCaptionUntilDestroyed) {
    std::unique_ptr<IWindowSystem> windows = TypeParam::Make();
    const std::string className = UniqueName("TContractApp");
    TWindowId window = windows->CreateAppWindow(className, "");
    ASSERT_NE(window, 0u);
    EXPECT_EQ(windows->FindTopWindow(className, "Contract caption"), 0u);
    windows->SetCaption(window, "Contract caption");
    EXPECT_EQ(windows->FindTopWindow(className, "Contract caption"), window);
    EXPECT_EQ(windows->FindTopWindow(className, "Other caption"), 0u);
    windows->DestroyWindow(window);
    EXPECT_EQ(windows->FindTopWindow(className, "Contract caption"), 0u);
}

TYPED_TEST_P(WindowSystemContract, PostedMessagesReachTheHookInOrderAndQuitEndsTheLoop) {
    std::unique_ptr<IWindowSystem> windows = TypeParam::Make();
    TWindowId window = windows->CreateAppWindow(UniqueName("TContractApp"), "Loop");
    ASSERT_TRUE(windows->Post(window, 0x81A0, 0, 0));
    ASSERT_TRUE(windows->Post(window, 0x819E, 5, -7));
    std::vector<TMessage> seen;
    windows->RunLoop([&](const TMessage& message) {
        if (message.Window != window) return false;
        seen.push_back(message);
        if (message.Msg == 0x819E) windows->Quit();
        return true;
    });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Msg, 0x81A0u);
    EXPECT_EQ(seen[1].Msg, 0x819Eu);
    EXPECT_EQ(seen[1].WParam, 5u);
    EXPECT_EQ(seen[1].LParam, -7);
    windows->DestroyWindow(window);
    EXPECT_FALSE(windows->Post(window, 0x819F, 0, 0));
}

REGISTER_TYPED_TEST_SUITE_P(WindowSystemContract, AppWindowIsFoundByClassAndCaptionUntilDestroyed,
                            PostedMessagesReachTheHookInOrderAndQuitEndsTheLoop);
