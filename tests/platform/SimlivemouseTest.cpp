// The live simulated mouse's reporter, on virtual time: its sleeps advance the clock, so it runs
// flat out while a consumer drains it from another thread.
#include "platform/sim/Simlivemouse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/sim/Simclock.h"

TEST(LiveSimMouseTest, EveryReportDueDuringAMovementIsDeliveredExactlyOnce) {
    TSimClock clock;
    clock.AdvanceMs(1000);
    auto device = TSimUsb::Mouse(0xE0FF, 0x0002);
    device->ActiveIntervalUs = 1000;
    TLiveSimMouse mouse(clock, device);
    IMouseEvents::TStop stop = mouse.CreateStop();
    std::atomic<uint64_t> taken{0};
    std::thread consumer([&] {
        while (const uint32_t reports = mouse.Wait(stop)) taken += reports;
    });

    // A movement lasts 150 ms: 150 reports at 1 ms.
    mouse.Move();
    while (mouse.Delivered() < 150) std::this_thread::yield();
    // The filter's restart changes the interval while the reporter runs: 150 ms at 4 ms.
    device->ActiveIntervalUs = 4000;
    const uint64_t first = mouse.Delivered();
    mouse.Move();
    while (mouse.Delivered() < first + 37) std::this_thread::yield();
    while (taken.load() < mouse.Delivered()) std::this_thread::yield();

    mouse.RaiseStop(stop);
    consumer.join();
    mouse.CloseStop(stop);
    EXPECT_EQ(first, 150u);
    EXPECT_GE(mouse.Delivered(), first + 37);
    EXPECT_LE(mouse.Delivered(), first + 38);
    EXPECT_EQ(taken.load(), mouse.Delivered());
    EXPECT_FALSE(mouse.TakeOverflow());
}
