// The game's own generator for maze carving: a 32-bit linear congruential generator.
// Its exact sequence is part of the game: the same seed carves the same mazes.
#pragma once

#include <cstdint>

struct Random {
    uint32_t seed = 1;  // every run starts here
};

inline constexpr int32_t FRACTION_DENOMINATOR = 100000;

// Advances the seed one step; returns bits 16 to 30 of the new seed (0..32767).
inline int NextRandom(Random& random) {
    random.seed = random.seed * 1103515245u + 12345u;
    return static_cast<int>((random.seed / 65536u) % 32768u);
}

// Two steps; (a * b) mod 100000, 0..99999. The product of two draws never exceeds 32767 squared.
inline int32_t NextFractionNumerator(Random& random) {
    const int32_t a = NextRandom(random);
    const int32_t b = NextRandom(random);
    return (a * b) % FRACTION_DENOMINATOR;
}

// Two steps; (a * b) mod 100000 / 100000, a multiple of 0.00001 in 0..0.99999. Deliberately not
// uniform: the carving algorithms are tuned to this distribution.
inline double RandomFraction(Random& random) {
    return static_cast<double>(NextFractionNumerator(random)) / FRACTION_DENOMINATOR;
}

// floor(numerator / 100000.0 * n) in integers. Equal to the floating-point form for every
// numerator and every n from 1 to 24: the carving's draws, without a division per draw.
inline int ScaledIndex(int32_t numerator, int n) { return numerator * n / FRACTION_DENOMINATOR; }

// floor(RandomFraction(random) * n), n from 1 to 24.
inline int RandomIndex(Random& random, int n) { return ScaledIndex(NextFractionNumerator(random), n); }

// Re-seeds from the system's millisecond tick count.
void Randomize(Random& random);
