#include "sys/Singletons.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {
std::atomic<int> g_made{0};
struct TSlowToMake {
    TSlowToMake() {
        ++g_made;
        for (int i = 0; i < 1000; ++i) std::this_thread::yield();  // widen the window
    }
};
}  // namespace

TEST(SingletonsTest, ThreadsThatAskFirstAtOnceShareOneObjectAndTheResetDropsIt) {
    std::vector<std::thread> threads;
    std::vector<TSlowToMake*> seen(4);
    for (size_t i = 0; i < seen.size(); ++i) threads.emplace_back([&, i] { seen[i] = &SingletonOf<TSlowToMake>(); });
    for (auto& t : threads) t.join();
    EXPECT_EQ(g_made.load(), 1);
    for (TSlowToMake* p : seen) EXPECT_EQ(p, seen[0]);
    ResetSingletonsForTests();
    EXPECT_FALSE(SingletonExists<TSlowToMake>());
    SingletonOf<TSlowToMake>();
    EXPECT_EQ(g_made.load(), 2);
    ResetSingletonsForTests();
}
