#pragma once
#include <utility>

// Process-wide objects are created on first use and live until the process ends. Each
// accessor records how to drop its object here, so that tests start from a clean process.
void RegisterSingletonReset(void (*reset)());
void ResetSingletonsForTests();

// The one T of the process, made from the arguments of the first call; later calls ignore
// theirs.
template <class T, class... Args>
T& SingletonOf(Args&&... args) {
    static T* instance = nullptr;
    if (!instance) {
        instance = new T(std::forward<Args>(args)...);
        RegisterSingletonReset([] {
            delete instance;
            instance = nullptr;
        });
    }
    return *instance;
}
