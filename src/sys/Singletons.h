#pragma once
#include <atomic>
#include <mutex>
#include <utility>

// Process-wide objects are created on first use and live until the process ends. Each
// accessor records how to drop its object here, so that tests start from a clean process.
void RegisterSingletonReset(void (*reset)());
void ResetSingletonsForTests();

// The one T of the process, made from the arguments of the first call; later calls ignore
// theirs. Two threads that ask first at once get the same object: the first use is made once.
template <class T>
struct TSingletonSlot {
    static inline std::atomic<T*> Instance{nullptr};
    static inline std::mutex Making;
};

template <class T>
void DestroySingleton();

template <class T, class... Args>
T& SingletonOf(Args&&... args) {
    if (T* made = TSingletonSlot<T>::Instance.load(std::memory_order_acquire)) return *made;
    std::lock_guard<std::mutex> guard(TSingletonSlot<T>::Making);
    if (T* made = TSingletonSlot<T>::Instance.load(std::memory_order_acquire)) return *made;
    T* made = new T(std::forward<Args>(args)...);
    RegisterSingletonReset(&DestroySingleton<T>);
    TSingletonSlot<T>::Instance.store(made, std::memory_order_release);
    return *made;
}

template <class T>
bool SingletonExists() {
    return TSingletonSlot<T>::Instance.load(std::memory_order_acquire) != nullptr;
}

// Drops the one T now; the next SingletonOf makes a new one.
template <class T>
void DestroySingleton() {
    delete TSingletonSlot<T>::Instance.exchange(nullptr, std::memory_order_acq_rel);
}
