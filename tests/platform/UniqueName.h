#pragma once
#include <atomic>
#include <chrono>
#include <string>

// A name no other test (of this process or of a run beside it) uses, for system-wide objects
// of real adapters.
inline std::string UniqueName(const std::string& prefix) {
    static std::atomic<int> counter{0};
    static const long long start =
        static_cast<long long>(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000007);
    return prefix + "-" + std::to_string(start) + "-" + std::to_string(counter++);
}
