#include "sys/Singletons.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {
std::vector<void (*)()>& Resets() {
    static std::vector<void (*)()> resets;
    return resets;
}
std::mutex& ResetsLock() {
    static std::mutex lock;
    return lock;
}
}  // namespace

void RegisterSingletonReset(void (*reset)()) {
    std::lock_guard<std::mutex> guard(ResetsLock());
    auto& resets = Resets();
    if (std::find(resets.begin(), resets.end(), reset) == resets.end()) resets.push_back(reset);
}

void ResetSingletonsForTests() {
    std::vector<void (*)()> resets;
    {
        std::lock_guard<std::mutex> guard(ResetsLock());
        resets = std::move(Resets());
        Resets().clear();
    }
    // Later singletons may use earlier ones while they go, so drop them in reverse order.
    for (auto it = resets.rbegin(); it != resets.rend(); ++it) (*it)();
}
