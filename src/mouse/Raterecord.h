#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// The 24-byte block "KytMouseRateMem" that the sampler publishes and any process can read:
// little-endian, fields at their natural alignment, no header. All zero: no measurement yet.
struct RateRecord {
    int32_t OutputRate;
    int32_t InstantRate;
    double PeakRate;
    double MaxWindowRate;
};
static_assert(sizeof(RateRecord) == 24);
static_assert(offsetof(RateRecord, OutputRate) == 0);
static_assert(offsetof(RateRecord, InstantRate) == 4);
static_assert(offsetof(RateRecord, PeakRate) == 8);
static_assert(offsetof(RateRecord, MaxWindowRate) == 16);

inline constexpr const char* kRateBlockName = "KytMouseRateMem";
inline constexpr size_t kRateBlockSize = sizeof(RateRecord);

// Both the Windows targets and the native hosts are little-endian, so the record's memory
// image is the block's byte layout.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__);

inline void StoreRateRecord(void* block, const RateRecord& record) { std::memcpy(block, &record, sizeof(record)); }

inline RateRecord LoadRateRecord(const void* block) {
    RateRecord record;
    std::memcpy(&record, block, sizeof(record));
    return record;
}
