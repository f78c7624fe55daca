// The report-rate measurement: cost of one measurement step, heap use per sample, the accuracy
// of the published figures against the true rate of a jittered mouse read by a late worker, the
// interval statistics and the page's plot refresh, and the CPU the live simulated mouse costs.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <new>
#include <thread>
#include <vector>

#include "mouse/Intervalplot.h"
#include "mouse/Kytmouserate.h"
#include "mouse/Reportintervals.h"
#include "platform/sim/Simcanvas.h"
#include "platform/posix/Posixclock.h"
#include "platform/sim/Simlivemouse.h"
#include "platform/sim/Simmachine.h"
#include "sys/Singletons.h"
#include "ui/toolkit/Form.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

static void BM_SampleWithoutWait(benchmark::State& state) {
    TSimMachine machine;
    InstallPlatform(machine.Ports());
    TKytMouseRate rate;
    rate.OpenMouse();
    int64_t counter = 0;
    const long before = g_allocations.load();
    int64_t samples = 0;
    for (auto _ : state) {
        counter += 10000 + (samples % 7) * 100;  // about 1000 Hz in 10 MHz ticks
        benchmark::DoNotOptimize(rate.Measure(counter));
        ++samples;
    }
    state.counters["allocations_per_sample"] =
        static_cast<double>(g_allocations.load() - before) / static_cast<double>(samples);
    InstallPlatform(TPlatform{});
}
BENCHMARK(BM_SampleWithoutWait);

// What the worker adds per report: the wake's intervals into the ring; and, ten times a second,
// the statistics over the full ring of 2048.
static void BM_KeepInterval(benchmark::State& state) {
    TReportIntervals intervals;
    const long before = g_allocations.load();
    int64_t samples = 0;
    for (auto _ : state) {
        intervals.Add(1.0 + static_cast<double>(samples % 7) * 0.01, 1 + static_cast<uint32_t>(samples % 3));
        ++samples;
    }
    state.counters["allocations_per_sample"] =
        static_cast<double>(g_allocations.load() - before) / static_cast<double>(samples);
}
BENCHMARK(BM_KeepInterval);

static void BM_StatisticsOfAFullRing(benchmark::State& state) {
    TReportIntervals intervals;
    for (int i = 0; i < 4096; ++i) intervals.Add(1.0 + (i * 7919 % 101) * 0.001, 1);
    const long before = g_allocations.load();
    for (auto _ : state) benchmark::DoNotOptimize(intervals.Stats());
    state.counters["allocations"] = static_cast<double>(g_allocations.load() - before);
}
BENCHMARK(BM_StatisticsOfAFullRing)->Unit(benchmark::kMicrosecond);

// One refresh of the page's plot: the newest intervals copied out, shown, and painted.
static void BM_PlotRefresh(benchmark::State& state) {
    TSimMachine machine;
    InstallPlatform(machine.Ports());
    {
        TForm form;
        form.SetSize(1000, 543);
        TIntervalPlot plot(&form);
        plot.SetBounds(663, 224, 313, 66);
        TReportIntervals intervals;
        double recent[TIntervalPlot::kMaxBars];
        int64_t step = 0;
        for (auto _ : state) {
            for (int i = 0; i < 50; ++i)
                intervals.Add(1.0 + static_cast<double>((step + i) % 9) * 0.02, 1);  // 50 ms at 1000 Hz
            const size_t n = intervals.CopyRecent(recent, plot.Bars());
            plot.Show(recent, n, 1.0);
            TRecordingCanvas canvas;
            canvas.Ops.reserve(plot.Bars() + 1);
            plot.Paint(canvas);
            benchmark::DoNotOptimize(canvas.Ops.data());
            ++step;
        }
    }
    ResetSingletonsForTests();
    InstallPlatform(TPlatform{});
}
BENCHMARK(BM_PlotRefresh)->Unit(benchmark::kMicrosecond);

// The accuracy table: a mouse at a true rate, with ±jitter % on each report's time, read by a
// worker that wakes late by the merge pattern (how many reports each wake finds queued).
static void BM_Accuracy(benchmark::State& state) {
    static const std::vector<uint32_t> kPatterns[] = {{1}, {4}, {16}, {1, 3, 16, 2, 7, 1, 5, 11, 4, 9, 1, 13}};
    const double hz = static_cast<double>(state.range(0));
    const std::vector<uint32_t>& pattern = kPatterns[state.range(1)];
    const double jitter = static_cast<double>(state.range(2));
    for (auto _ : state) {
        TSimMachine machine;
        InstallPlatform(machine.Ports());
        TKytMouseRate rate;
        rate.OpenMouse();
        machine.Mouse.SetMergePattern(pattern, {20'000});
        machine.Mouse.PlayRate(hz, 3000, jitter);
        int32_t output = 0;
        double worstWindow = 0;
        while (machine.Mouse.Pending() > 0) {
            output = rate.Sample();
            if (rate.WindowRate() > 0 && rate.MaxWindowRate() > 0) {
                const double error = std::fabs(rate.WindowRate() - hz) / hz * 100.0;
                if (error > worstWindow) worstWindow = error;
            }
        }
        state.counters["true_hz"] = hz;
        state.counters["merge"] = static_cast<double>(state.range(1));
        state.counters["jitter_pct"] = jitter;
        state.counters["output_err_pct"] = (output - hz) / hz * 100.0;
        state.counters["window_worst_err_pct"] = worstWindow;
        state.counters["peak_err_pct"] = (rate.PeakRate() - hz) / hz * 100.0;
        ResetSingletonsForTests();
        InstallPlatform(TPlatform{});
    }
}
BENCHMARK(BM_Accuracy)->ArgsProduct({{125, 250, 500, 1000, 2000, 4000, 8000}, {0, 1, 2, 3}, {0, 5}})->Iterations(1);

// The live simulated mouse on the real clock: CPU time a consumer that takes its reports
// spends per second of pointer motion.
static void BM_LiveMouseCpuPerSecondOfMotion(benchmark::State& state) {
    TPosixClock clock;
    auto device = TSimUsb::Mouse(0xE0FF, 0x0002);
    device->ActiveIntervalUs = static_cast<uint32_t>(1'000'000 / state.range(0));
    for (auto _ : state) {
        TLiveSimMouse mouse(clock, device);  // the pointer's travel moves it
        IMouseEvents::TStop stop = mouse.CreateStop();
        uint64_t taken = 0;
        std::thread consumer([&] {
            while (const uint32_t reports = mouse.Wait(stop)) taken += reports;
        });
        const std::clock_t cpuBefore = std::clock();
        const uint64_t start = clock.TickMs();
        for (int step = 0; clock.TickMs() - start < 1000; ++step) {
            mouse.PointerAt(step * 40, 0);  // 40 pixels a step, 50 steps a second: a fast hand
            clock.Sleep(20);
        }
        const double cpuPct = static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC * 100.0;
        clock.Sleep(250);  // the movement ends and the consumer drains the last reports
        mouse.RaiseStop(stop);
        consumer.join();
        mouse.CloseStop(stop);
        state.counters["rate_hz"] = static_cast<double>(state.range(0));
        state.counters["delivered"] = static_cast<double>(mouse.Delivered());
        state.counters["cpu_pct_of_a_core"] = cpuPct;
        state.counters["taken_equals_delivered"] = taken == mouse.Delivered();
    }
}
BENCHMARK(BM_LiveMouseCpuPerSecondOfMotion)->Arg(125)->Arg(1000)->Arg(8000)->Iterations(1)->UseRealTime();

BENCHMARK_MAIN();
