#include "platform/sim/Simhand.h"

#include <algorithm>
#include <cctype>
#include <cmath>

TSimHand::TSimHand(double countsPerSecond, TPattern pattern, uint32_t seed)
    : m_CountsPerSecond(countsPerSecond > 0 ? countsPerSecond : 0), m_Pattern(pattern), m_Random(seed ? seed : 1) {}

uint64_t TSimHand::CountsBy(int64_t ns) {
    if (!Moves() || ns <= 0) return m_Pattern == TPattern::Slow ? m_Counts : 0;
    const double perNs = m_CountsPerSecond / 1e9;
    switch (m_Pattern) {
        case TPattern::Steady:
            return static_cast<uint64_t>(perNs * static_cast<double>(ns));
        case TPattern::Bursts: {
            const int64_t cycle = kBurstMovesNs + kBurstRestsNs;
            const int64_t moving = ns / cycle * kBurstMovesNs + std::min(ns % cycle, kBurstMovesNs);
            return static_cast<uint64_t>(perNs * static_cast<double>(moving));
        }
        case TPattern::Slow:
            break;
    }
    // Exponential gaps between counts: each moment of the sensor is as likely to bring a count
    // as any other, so the mouse has counts at some of its polls and not at others.
    const auto gap = [&] {
        m_Random = m_Random * 1664525u + 1013904223u;
        const double unit = (static_cast<double>(m_Random >> 8) + 0.5) / 16777216.0;
        return -std::log(unit) / perNs;
    };
    if (m_NextNs < 0) m_NextNs = gap();
    while (m_NextNs <= static_cast<double>(ns)) {
        ++m_Counts;
        m_NextNs += gap();
    }
    return m_Counts;
}

bool TSimHand::ParsePattern(const std::string& name, TPattern& pattern) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower == "steady") {
        pattern = TPattern::Steady;
    } else if (lower == "slow") {
        pattern = TPattern::Slow;
    } else if (lower == "bursts") {
        pattern = TPattern::Bursts;
    } else {
        return false;
    }
    return true;
}
