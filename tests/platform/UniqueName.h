#pragma once
#include <atomic>
#include <string>

// A name no other test of this process uses, for system-wide objects of real adapters.
inline std::string UniqueName(const std::string& prefix) {
    static std::atomic<int> counter{0};
    return prefix + "-" + std::to_string(counter++);
}
