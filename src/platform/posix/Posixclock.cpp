#include "platform/posix/Posixclock.h"

#include <cerrno>
#include <ctime>

namespace {
int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void SleepUntilNs(int64_t ns) {
    timespec until{};
    until.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    until.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}
}  // namespace

uint64_t TPosixClock::TickMs() { return static_cast<uint64_t>(NowNs() / 1'000'000); }

void TPosixClock::Sleep(uint32_t ms) { SleepUntilNs(NowNs() + static_cast<int64_t>(ms) * 1'000'000); }

bool TPosixClock::PerformanceFrequency(int64_t& ticksPerSecond) {
    ticksPerSecond = 1'000'000'000;
    return true;
}

bool TPosixClock::PerformanceCounter(int64_t& ticks) {
    ticks = NowNs();
    return true;
}

void TPosixClock::SleepUntilCounter(int64_t ticks) { SleepUntilNs(ticks); }
