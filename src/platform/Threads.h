#pragma once

// Scheduling of the calling thread.
class IThreads {
public:
    virtual ~IThreads() = default;
    virtual void BindCurrentToProcessor0() = 0;
    virtual void RaiseCurrentPriority() = 0;  // the highest normal thread priority
};
