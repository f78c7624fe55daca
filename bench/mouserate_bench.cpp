// The report-rate measurement: cost of one measurement step, heap use per sample, and the
// accuracy of the published figures against the true rate of a jittered mouse.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "mouse/Kytmouserate.h"
#include "platform/sim/Simmachine.h"
#include "sys/Singletons.h"

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

static void BM_AccuracyAfterTwoSeconds(benchmark::State& state) {
    const double hz = static_cast<double>(state.range(0));
    for (auto _ : state) {
        TSimMachine machine;
        InstallPlatform(machine.Ports());
        TKytMouseRate rate;
        rate.OpenMouse();
        machine.Mouse.PlayRate(hz, 2000, 5.0);
        int32_t output = 0;
        while (machine.Mouse.Pending() > 0) output = rate.Sample();
        state.counters["true_hz"] = hz;
        state.counters["output_hz"] = output;
        state.counters["output_error_pct"] = (output - hz) / hz * 100.0;
        state.counters["peak_hz"] = rate.PeakRate();
        state.counters["peak_error_pct"] = (rate.PeakRate() - hz) / hz * 100.0;
        ResetSingletonsForTests();
        InstallPlatform(TPlatform{});
    }
}
BENCHMARK(BM_AccuracyAfterTwoSeconds)->Arg(125)->Arg(250)->Arg(500)->Arg(1000)->Iterations(1);

BENCHMARK_MAIN();
