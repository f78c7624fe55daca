// The report-rate measurement: cost of one measurement step, heap use per sample, the accuracy
// of the published figures against the true rate of a jittered mouse read by a late worker, the
// interval statistics and the page's plot refresh, and the CPU the live simulated mouse costs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <new>
#include <thread>
#include <utility>
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

// The current rate under modelled wake latencies, with the output following the latest report
// (as first designed) or the last few reports: the error of the output's median and mean, and
// of the median a reader of the block sees (each published figure weighted by how long it
// stands), at 125 to 1000 Hz, for a worker that wakes at once, one preempted 20 % of the time by
// up to 4 ms, and one that wakes late by 1 to 4 reports. Jitter of ±5 % on each report.
static void BM_CurrentRateUnderLatency(benchmark::State& state) {
    const double hz = static_cast<double>(state.range(0));
    const int64_t model = state.range(1);
    const auto follow = state.range(2) ? TKytMouseRate::TFollow::RecentReports : TKytMouseRate::TFollow::LatestReport;
    for (auto _ : state) {
        TSimMachine machine;
        InstallPlatform(machine.Ports());
        TKytMouseRate rate;
        rate.OpenMouse();
        rate.SetFollow(follow);
        if (model == 1) {
            std::vector<int64_t> latencies;
            uint32_t random = 7;
            for (int i = 0; i < 500; ++i) {
                random = random * 1664525u + 1013904223u;
                const bool preempted = (random >> 8) % 100 < 20;
                random = random * 1664525u + 1013904223u;
                latencies.push_back(preempted ? static_cast<int64_t>((random >> 8) % 4'000'000) : 0);
            }
            machine.Mouse.SetMergePattern({1}, latencies);
        } else if (model == 2) {
            machine.Mouse.SetMergePattern({1, 3, 1, 4, 2, 1});
        }
        machine.Mouse.PlayRate(hz, 6000, 5.0);
        std::vector<double> outputs;
        std::vector<std::pair<double, int64_t>> shown;  // instant rate, from when
        while (machine.Mouse.Pending() > 0) {
            const int32_t output = rate.Sample();
            const int64_t now = machine.Clock.NowNs();
            if (now < 1'000'000'000) continue;  // settled
            outputs.push_back(output);
            shown.emplace_back(rate.InstantRate(), now);
        }
        const auto median = [](std::vector<double> v) {
            std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
            return v[v.size() / 2];
        };
        double mean = 0;
        for (double o : outputs) mean += o;
        mean /= static_cast<double>(outputs.size());
        // The reader's median: each figure weighted by the time it stood in the block.
        std::vector<std::pair<double, int64_t>> weighted;
        for (size_t i = 0; i + 1 < shown.size(); ++i) weighted.emplace_back(shown[i].first, shown[i + 1].second - shown[i].second);
        std::sort(weighted.begin(), weighted.end());
        int64_t total = 0, seen = 0;
        for (const auto& w : weighted) total += w.second;
        double readerMedian = 0;
        for (const auto& w : weighted) {
            seen += w.second;
            if (seen * 2 >= total) {
                readerMedian = w.first;
                break;
            }
        }
        state.counters["true_hz"] = hz;
        state.counters["latency_model"] = static_cast<double>(model);
        state.counters["recent"] = static_cast<double>(state.range(2));
        state.counters["output_median_err_pct"] = (median(outputs) - hz) / hz * 100.0;
        state.counters["output_mean_err_pct"] = (mean - hz) / hz * 100.0;
        state.counters["instant_reader_median_err_pct"] = (readerMedian - hz) / hz * 100.0;
        ResetSingletonsForTests();
        InstallPlatform(TPlatform{});
    }
}
BENCHMARK(BM_CurrentRateUnderLatency)->ArgsProduct({{125, 250, 500, 1000}, {0, 1, 2}, {0, 1}})->Iterations(1);

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
