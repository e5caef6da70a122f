// The game's one random source: a 32-bit linear congruential generator.
#pragma once

#include <cstdint>

class Random {
public:
    explicit Random(std::uint32_t seed = 0) : m_seed(seed) {}

    // Seed from a time of day: ((hour * 60 + minute) * 60 + second) * 1000 + millisecond.
    static std::uint32_t seedFromTime(int hour, int minute, int second, int millisecond);

    std::uint32_t seed() const { return m_seed; }
    void setSeed(std::uint32_t seed) { m_seed = seed; }

    // A number from 0 to n - 1 (n >= 1): the high half of the 64-bit product seed * n.
    std::uint32_t draw(std::uint32_t n) {
        m_seed = m_seed * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(m_seed) * n) >> 32);
    }

private:
    std::uint32_t m_seed;
};
