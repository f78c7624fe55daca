#pragma once
#include <functional>
#include <utility>
#include <vector>

// One announcement and whoever listens to it, called in the order they subscribed. A listener
// keeps its token and unsubscribes before it dies.
template <class... TArgs>
class TAnnouncer {
public:
    using TListener = std::function<void(TArgs...)>;

    int Subscribe(TListener listener) {
        m_Listeners.emplace_back(++m_LastToken, std::move(listener));
        return m_LastToken;
    }
    void Unsubscribe(int token) {
        std::erase_if(m_Listeners, [token](const auto& entry) { return entry.first == token; });
    }
    void Announce(TArgs... args) const {
        // A copy: a listener may subscribe or unsubscribe while it is told. One that an earlier
        // listener unsubscribed (it may be gone) is not told any more.
        const auto listeners = m_Listeners;
        for (const auto& entry : listeners) {
            if (Subscribed(entry.first)) entry.second(args...);
        }
    }

private:
    bool Subscribed(int token) const {
        for (const auto& entry : m_Listeners) {
            if (entry.first == token) return true;
        }
        return false;
    }

    int m_LastToken = 0;
    std::vector<std::pair<int, TListener>> m_Listeners;
};
