#pragma once
#include "platform/Clock.h"

class TWin32Clock : public IClock {
public:
    uint64_t TickMs() override;
    void Sleep(uint32_t ms) override;
};
