#pragma once
#include <atomic>

#include "platform/Threads.h"

// Records what the program asked of its threads' scheduling.
class TSimThreads : public IThreads {
public:
    void BindCurrentToProcessor0() override { ++Bindings; }
    void RaiseCurrentPriority() override { ++PriorityRaises; }

    std::atomic<int> Bindings{0};
    std::atomic<int> PriorityRaises{0};
};
