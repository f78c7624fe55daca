// The live simulated mouse on virtual time: a wait's sleep advances the clock, so a consumer on
// another thread drains it flat out while the test moves the pointer and changes the interval.
#include "platform/sim/Simlivemouse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/sim/Simclock.h"

TEST(LiveSimMouseTest, EveryReportDueDuringAMovementIsTakenExactlyOnce) {
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
    // The filter's restart changes the interval while the consumer waits: 150 ms at 4 ms.
    device->ActiveIntervalUs = 4000;
    mouse.Move();
    while (mouse.Delivered() < 150 + 37) std::this_thread::yield();
    while (taken.load() < mouse.Delivered()) std::this_thread::yield();

    mouse.RaiseStop(stop);
    consumer.join();
    mouse.CloseStop(stop);
    EXPECT_EQ(taken.load(), mouse.Delivered());
    EXPECT_LE(mouse.Delivered(), 150u + 38u);
    EXPECT_FALSE(mouse.TakeOverflow());
}

TEST(LiveSimMouseTest, ReportsDueWhileNobodyWaitsQueueUpToTheBuffer) {
    TSimClock clock;
    clock.AdvanceMs(1000);
    auto device = TSimUsb::Mouse(0xE0FF, 0x0002);
    device->ActiveIntervalUs = 125;  // 8000 Hz
    TLiveSimMouse mouse(clock, device);
    IMouseEvents::TStop stop = mouse.CreateStop();
    mouse.Move();
    clock.AdvanceMs(100);  // 800 reports fall due with nobody waiting
    EXPECT_EQ(mouse.Wait(stop), 800u);
    mouse.Move();
    clock.AdvanceMs(150);  // 1200 in the next movement: the buffer keeps 1024
    clock.AdvanceMs(500);  // then the pointer rests: nothing more falls due
    EXPECT_EQ(mouse.Wait(stop), TLiveSimMouse::kBufferReports);
    EXPECT_TRUE(mouse.TakeOverflow());
    mouse.RaiseStop(stop);
    EXPECT_EQ(mouse.Wait(stop), 0u);
    mouse.CloseStop(stop);
}
