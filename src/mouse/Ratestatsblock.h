#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// The 64-byte block "KytMouseRateStats" beside the rate block: what the recent report
// intervals say, for overlays and scripts. Little-endian, fields at their natural alignment.
// The sequence is odd while the sampler writes and even when the block is whole: a reader
// copies the block and tries again while the sequence is odd or changed during the copy.
struct RateStatsRecord {
    uint32_t Version;
    uint32_t AppliedHz;  // 0 when unknown
    uint64_t Reports;
    double MedianMs;
    double P1Ms;
    double P99Ms;
    double RateHz;    // 1 / the poll interval found; 0 while the hand is too slow to show it
    int32_t Verdict;  // 0 not enough data, 1 confirmed, 2 differs, 3 move faster
    uint32_t Sequence;
    uint8_t Reserved[8];
};
static_assert(sizeof(RateStatsRecord) == 64);
static_assert(offsetof(RateStatsRecord, AppliedHz) == 4);
static_assert(offsetof(RateStatsRecord, Reports) == 8);
static_assert(offsetof(RateStatsRecord, MedianMs) == 16);
static_assert(offsetof(RateStatsRecord, P1Ms) == 24);
static_assert(offsetof(RateStatsRecord, P99Ms) == 32);
static_assert(offsetof(RateStatsRecord, RateHz) == 40);
static_assert(offsetof(RateStatsRecord, Verdict) == 48);
static_assert(offsetof(RateStatsRecord, Sequence) == 52);
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__);

inline constexpr const char* kRateStatsBlockName = "KytMouseRateStats";
inline constexpr size_t kRateStatsBlockSize = sizeof(RateStatsRecord);
inline constexpr uint32_t kRateStatsVersion = 1;

namespace statsblock {
// The block is moved as eight 64-bit words with atomic loads and stores, so that a reader in
// this process or another never tears a word, and a torn copy shows in the sequence.
inline constexpr size_t kWords = kRateStatsBlockSize / 8;
inline constexpr size_t kSequenceWord = offsetof(RateStatsRecord, Verdict) / 8;

inline uint32_t SequenceOf(uint64_t word) { return static_cast<uint32_t>(word >> 32); }
inline uint64_t WithSequence(uint64_t word, uint32_t sequence) {
    return (word & 0xFFFFFFFFull) | (static_cast<uint64_t>(sequence) << 32);
}
}  // namespace statsblock

// Writes the record (its Sequence is ignored) with the sequence protocol. One writer at a time.
inline void StoreRateStats(void* block, const RateStatsRecord& record) {
    using namespace statsblock;
    auto* words = static_cast<uint64_t*>(block);
    uint64_t image[kWords];
    std::memcpy(image, &record, sizeof(image));
    const uint64_t current = __atomic_load_n(&words[kSequenceWord], __ATOMIC_RELAXED);
    const uint32_t sequence = SequenceOf(current) | 1u;
    // Odd first, then the fields, then even, in that order for every reader: a reader that
    // sees any new field (each a release store) also sees the odd sequence before it.
    __atomic_store_n(&words[kSequenceWord], WithSequence(current, sequence), __ATOMIC_RELAXED);
    for (size_t i = 0; i < kWords; ++i) {
        if (i != kSequenceWord) __atomic_store_n(&words[i], image[i], __ATOMIC_RELEASE);
    }
    __atomic_store_n(&words[kSequenceWord], WithSequence(image[kSequenceWord], sequence + 1), __ATOMIC_RELEASE);
}

// Copies a whole record out; false when the writer was busy for every one of the attempts.
inline bool LoadRateStats(const void* block, RateStatsRecord& record, int attempts = 64) {
    using namespace statsblock;
    const auto* words = static_cast<const uint64_t*>(block);
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const uint32_t before = SequenceOf(__atomic_load_n(&words[kSequenceWord], __ATOMIC_ACQUIRE));
        if (before & 1u) continue;
        uint64_t image[kWords];
        // Acquire loads: the second look at the sequence cannot move before them.
        for (size_t i = 0; i < kWords; ++i) image[i] = __atomic_load_n(&words[i], __ATOMIC_ACQUIRE);
        const uint32_t after = SequenceOf(__atomic_load_n(&words[kSequenceWord], __ATOMIC_RELAXED));
        if (after != before || SequenceOf(image[kSequenceWord]) != before) continue;
        std::memcpy(&record, image, sizeof(record));
        return true;
    }
    return false;
}
