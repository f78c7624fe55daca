// The live simulated mouse on virtual time: the host polls it on the bus's frame phase, and a
// poll brings a report only when the sensor moved a count since the last one.
#include "platform/sim/Simlivemouse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/sim/Simclock.h"

namespace {
struct TLiveMouse {
    explicit TLiveMouse(uint32_t intervalUs, TSimHand hand = {}) : Mouse(Clock, Device(intervalUs), hand) {
        Stop = Mouse.CreateStop();
    }
    ~TLiveMouse() { Mouse.CloseStop(Stop); }
    std::shared_ptr<TSimUsbDevice> Device(uint32_t intervalUs) {
        Clock.AdvanceMs(1000);
        Usb = TSimUsb::Mouse(0xE0FF, 0x0002);
        Usb->ActiveIntervalUs = intervalUs;
        return Usb;
    }
    TSimClock Clock;
    std::shared_ptr<TSimUsbDevice> Usb;
    TLiveSimMouse Mouse;
    IMouseEvents::TStop Stop = 0;
};
}  // namespace

TEST(LiveSimMouseTest, AFastHandGivesAReportAtEveryPollAndASlowOneSkipsPolls) {
    struct TCase {
        const char* Name;
        TSimHand Hand;
        uint64_t AtLeast, AtMost;  // reports in 1000 polls
    } cases[] = {
        {"steady, 5 counts a poll", TSimHand(5000), 1000, 1000},
        {"steady, a count every 4th poll", TSimHand(250), 250, 250},
        {"slow and unsteady, 300 counts a second", TSimHand(300, TSimHand::TPattern::Slow), 200, 300},
        {"bursts: 400 ms moving, 300 ms resting", TSimHand(5000, TSimHand::TPattern::Bursts), 699, 701},
    };
    for (const TCase& c : cases) {
        TLiveMouse live(1000, c.Hand);
        live.Mouse.PointerOver(true);
        live.Clock.AdvanceMs(1000);  // nobody drains meanwhile: the buffer holds them all
        live.Mouse.PointerOver(false);
        live.Clock.AdvanceMs(500);  // the pointer elsewhere: the hand rests
        const uint32_t reports = live.Mouse.Wait(live.Stop);
        EXPECT_GE(reports, c.AtLeast) << c.Name;
        EXPECT_LE(reports, c.AtMost) << c.Name;
        EXPECT_FALSE(live.Mouse.TakeOverflow()) << c.Name;
    }
}

TEST(LiveSimMouseTest, ThePointersTravelMovesTheSensorAtTheSpeedOfItsStep) {
    TLiveMouse live(1000);
    live.Mouse.PointerAt(100, 100);
    live.Clock.AdvanceMs(20);
    live.Mouse.PointerAt(120, 100);  // 20 pixels in 20 ms: a count every poll for 20 ms
    live.Clock.AdvanceMs(50);
    EXPECT_EQ(live.Mouse.Wait(live.Stop), 20u);
    live.Mouse.PointerAt(125, 100);  // then 5 pixels in the 100 ms a step lasts at most
    live.Clock.AdvanceMs(200);
    EXPECT_EQ(live.Mouse.Wait(live.Stop), 5u);
    EXPECT_EQ(live.Mouse.Delivered(), 25u);
}

TEST(LiveSimMouseTest, TheBufferFillsWhileNobodyDrainsAndADiscardEmptiesIt) {
    TLiveMouse live(125, TSimHand(20000));  // 8000 Hz, fast
    live.Mouse.PointerOver(true);
    live.Clock.AdvanceMs(200);  // 1600 due: the buffer keeps 1024
    live.Mouse.PointerOver(false);
    EXPECT_EQ(live.Mouse.Wait(live.Stop), TLiveSimMouse::kBufferReports);
    EXPECT_TRUE(live.Mouse.TakeOverflow());

    live.Mouse.PointerOver(true);
    live.Clock.AdvanceMs(10);
    live.Mouse.Discard();  // the 80 reports of these 10 ms are dropped, unseen
    live.Clock.AdvanceMs(1);
    EXPECT_EQ(live.Mouse.Wait(live.Stop), 8u);

    live.Mouse.PointerOver(false);
    live.Mouse.RaiseStop(live.Stop);
    EXPECT_EQ(live.Mouse.Wait(live.Stop), 0u);
}

TEST(LiveSimMouseTest, AConsumerTakesEveryReportOnceWhileTheIntervalChanges) {
    TLiveMouse live(1000, TSimHand(5000));
    std::atomic<uint64_t> taken{0};
    std::thread consumer([&] {
        while (const uint32_t reports = live.Mouse.Wait(live.Stop)) taken += reports;
    });
    live.Mouse.PointerOver(true);
    while (live.Mouse.Delivered() < 150) std::this_thread::yield();
    // The filter's restart changes the interval while the consumer waits.
    live.Usb->ActiveIntervalUs = 4000;
    // The clock first: every report counted after it falls due at a poll after it.
    const int64_t at = live.Clock.NowNs();
    const uint64_t before = live.Mouse.Delivered();
    while (live.Mouse.Delivered() < before + 50) std::this_thread::yield();
    live.Mouse.PointerOver(false);
    // 50 more reports took about 200 ms of the clock at 4 ms (one may have been due already).
    EXPECT_GT(live.Clock.NowNs() - at, 180'000'000);
    while (taken.load() < live.Mouse.Delivered()) std::this_thread::yield();
    live.Mouse.RaiseStop(live.Stop);
    consumer.join();
    EXPECT_EQ(taken.load(), live.Mouse.Delivered());
}
