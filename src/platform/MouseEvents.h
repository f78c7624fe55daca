#pragma once
#include <cstdint>

// Notifications of the system mouse: one signal per change of its state (a report), taken
// without reading the state. A wait also ends when its stop signal is raised.
class IMouseEvents {
public:
    // The set-up steps, in the order the program takes them.
    enum class TStep { Event, Input, Device, DataFormat, Notification, Acquire };
    enum class TWait { Notified, Stopped };
    using TStop = uint64_t;

    virtual ~IMouseEvents() = default;
    virtual bool Setup(TStep step) = 0;
    // Blocks until the next notification or until the stop signal is raised.
    virtual TWait Wait(TStop stop) = 0;
    virtual void ResetNotification() = 0;

    virtual TStop CreateStop() = 0;
    virtual void RaiseStop(TStop stop) = 0;
    virtual void CloseStop(TStop stop) = 0;
};
