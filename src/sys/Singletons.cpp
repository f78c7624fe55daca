#include "sys/Singletons.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<void (*)()>& Resets() {
    static std::vector<void (*)()> resets;
    return resets;
}
}  // namespace

void RegisterSingletonReset(void (*reset)()) {
    auto& resets = Resets();
    if (std::find(resets.begin(), resets.end(), reset) == resets.end()) resets.push_back(reset);
}

void ResetSingletonsForTests() {
    auto resets = std::move(Resets());
    Resets().clear();
    // Later singletons may use earlier ones while they go, so drop them in reverse order.
    for (auto it = resets.rbegin(); it != resets.rend(); ++it) (*it)();
}
