// The game's own generator for maze carving: a 32-bit linear congruential generator.
// Its exact sequence is part of the game: the same seed carves the same mazes.
#pragma once

#include <cstdint>

struct Random {
    uint32_t seed = 1;  // every run starts here
};

// Advances the seed one step; returns bits 16 to 30 of the new seed (0..32767).
int NextRandom(Random& random);

// Two steps; (a * b) mod 100000 / 100000, a multiple of 0.00001 in 0..0.99999. Deliberately not
// uniform: the carving algorithms are tuned to this distribution.
double RandomFraction(Random& random);

// Re-seeds from the system's millisecond tick count.
void Randomize(Random& random);
