#pragma once
#include <cstdint>

// Reports of the system mouse: the device queues them and signals an auto-reset notification; a
// wait drains the queue and answers how many reports arrived since the previous wait, so a late
// waiter loses none. A wait also ends when its stop signal is raised.
class IMouseEvents {
public:
    // The set-up steps, in the order the program takes them.
    enum class TStep { Event, Input, Device, DataFormat, Notification, Acquire };
    using TStop = uint64_t;

    virtual ~IMouseEvents() = default;
    virtual bool Setup(TStep step) = 0;
    // Blocks until reports arrive or the stop signal is raised: the number of reports taken
    // (at least 1), or 0 when stopped.
    virtual uint32_t Wait(TStop stop) = 0;
    // True once after the device's report queue overflowed (reports were lost before they
    // could be counted).
    virtual bool TakeOverflow() = 0;
    // Drops every report the device buffered since the last wait, unseen: what came while
    // nobody measured (the pointer was elsewhere) says nothing about the mouse now.
    virtual void Discard() = 0;

    virtual TStop CreateStop() = 0;
    virtual void RaiseStop(TStop stop) = 0;
    virtual void CloseStop(TStop stop) = 0;
};
