#pragma once
#include <cstdint>
#include <string>

// The hand on a simulated mouse: when the mouse's sensor gains counts. A steady hand gains them
// at even steps; a slow one at random moments, as an unsteady hand does, CountsPerSecond on
// average; bursts move steadily for 400 ms and rest for 300 ms, again and again.
class TSimHand {
public:
    enum class TPattern { Steady, Slow, Bursts };
    static constexpr int64_t kBurstMovesNs = 400'000'000;
    static constexpr int64_t kBurstRestsNs = 300'000'000;

    TSimHand() = default;  // a hand that does not move
    explicit TSimHand(double countsPerSecond, TPattern pattern = TPattern::Steady, uint32_t seed = 1);

    // The counts gained from the hand's start until `ns` after it. The times asked for never go
    // back (the slow hand draws its moments as it goes).
    uint64_t CountsBy(int64_t ns);
    bool Moves() const { return m_CountsPerSecond > 0; }
    double CountsPerSecond() const { return m_CountsPerSecond; }
    // "steady", "slow" or "bursts", in any letter case; false for anything else.
    static bool ParsePattern(const std::string& name, TPattern& pattern);

private:
    double m_CountsPerSecond = 0;
    TPattern m_Pattern = TPattern::Steady;
    uint32_t m_Random = 1;
    uint64_t m_Counts = 0;   // the slow hand's counts so far
    double m_NextNs = -1;    // and the moment of its next one
};
