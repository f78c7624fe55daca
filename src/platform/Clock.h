#pragma once
#include <cstdint>

// Time as the program sees it: a millisecond tick count and a pause on the calling thread.
class IClock {
public:
    virtual ~IClock() = default;
    virtual uint64_t TickMs() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};
