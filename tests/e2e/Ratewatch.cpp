// Reads the shared rate block "KytMouseRateMem" of a running Glidepost.exe, and its statistics
// block "KytMouseRateStats", as another program may: prints the figures a number of times, a
// line each.
// Usage: glidepost_ratewatch.exe [count] [interval ms]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "mouse/Raterecord.h"
#include "mouse/Ratestatsblock.h"

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 1;
    const int interval = argc > 2 ? std::atoi(argv[2]) : 100;
    for (int i = 0; i < count; ++i) {
        if (i) Sleep(static_cast<DWORD>(interval));
        HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, L"KytMouseRateMem");
        if (!mapping) {
            std::printf("no block\n");
            continue;
        }
        const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, kRateBlockSize);
        if (view) {
            const RateRecord record = LoadRateRecord(view);
            std::printf("output=%d instant=%d peak=%.1f maxwindow=%.1f", record.OutputRate, record.InstantRate,
                        record.PeakRate, record.MaxWindowRate);
            UnmapViewOfFile(view);
        }
        CloseHandle(mapping);
        RateStatsRecord stats{};
        if (HANDLE statsMapping = OpenFileMappingW(FILE_MAP_READ, FALSE, L"KytMouseRateStats")) {
            if (const void* statsView = MapViewOfFile(statsMapping, FILE_MAP_READ, 0, 0, kRateStatsBlockSize)) {
                if (LoadRateStats(statsView, stats)) {
                    std::printf(" applied=%u reports=%llu median=%.4f p1=%.4f p99=%.4f rate=%.1f verdict=%d",
                                stats.AppliedHz, static_cast<unsigned long long>(stats.Reports), stats.MedianMs,
                                stats.P1Ms, stats.P99Ms, stats.RateHz, stats.Verdict);
                }
                UnmapViewOfFile(statsView);
            }
            CloseHandle(statsMapping);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
