// The driver request channel: envelope requests per second through the native crypto and the
// simulated driver, and one full PCI scan that finds nothing (256 buses x 32 devices).
#include <benchmark/benchmark.h>

#include "hw/Driverimages.h"
#include "hw/Readwrite.h"
#include "platform/sim/Simmachine.h"
#include "sys/Singletons.h"

namespace {
const uint8_t kImage[] = {'M', 'Z', 0x64, 0x86};
const TDriverImages kImages{{kImage, 4}, {kImage, 4}, {kImage, 4}};

struct TBoard {
    TBoard() {
        InstallPlatform(Machine.Ports());
        SetDriverImagesForTests(&kImages);
        Machine.Hardware.AddPciFunction(0, 0, 0, 0x8086, 0x3E30);
        Machine.Hardware.AddPciFunction(0, 20, 0, 0x8086, 0xA36D, 0x0C0330, 0x80);
    }
    ~TBoard() {
        ResetSingletonsForTests();
        SetDriverImagesForTests(nullptr);
        InstallPlatform(TPlatform{});
    }
    TSimMachine Machine;
};
}  // namespace

static void BM_EnvelopeRequest(benchmark::State& state) {
    TBoard board;
    TReadWrite& channel = GetReadWrite();
    for (auto _ : state) benchmark::DoNotOptimize(channel.ReadPciConfigDword(0, 20, 0, 0));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EnvelopeRequest);

static void BM_FindPciDeviceMiss(benchmark::State& state) {
    TBoard board;
    TReadWrite& channel = GetReadWrite();
    for (auto _ : state) benchmark::DoNotOptimize(channel.FindPciDevice(0x12345678));
    state.SetLabel("8192 configuration reads per scan");
}
BENCHMARK(BM_FindPciDeviceMiss)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
