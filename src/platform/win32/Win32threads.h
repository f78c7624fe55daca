#pragma once
#include "platform/Threads.h"

class TWin32Threads : public IThreads {
public:
    void BindCurrentToProcessor0() override;
    void RaiseCurrentPriority() override;
};
