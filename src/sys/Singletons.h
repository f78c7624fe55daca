#pragma once
#include <utility>

// Process-wide objects are created on first use and live until the process ends. Each
// accessor records how to drop its object here, so that tests start from a clean process.
void RegisterSingletonReset(void (*reset)());
void ResetSingletonsForTests();

// The one T of the process, made from the arguments of the first call; later calls ignore
// theirs.
template <class T>
struct TSingletonSlot {
    static inline T* Instance = nullptr;
};

template <class T, class... Args>
T& SingletonOf(Args&&... args) {
    T*& instance = TSingletonSlot<T>::Instance;
    if (!instance) {
        instance = new T(std::forward<Args>(args)...);
        RegisterSingletonReset([] {
            delete TSingletonSlot<T>::Instance;
            TSingletonSlot<T>::Instance = nullptr;
        });
    }
    return *instance;
}

template <class T>
bool SingletonExists() {
    return TSingletonSlot<T>::Instance != nullptr;
}

// Drops the one T now; the next SingletonOf makes a new one.
template <class T>
void DestroySingleton() {
    delete TSingletonSlot<T>::Instance;
    TSingletonSlot<T>::Instance = nullptr;
}
