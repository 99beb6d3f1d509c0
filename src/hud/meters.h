// The panel at the bottom during play: elapsed time in large digits, the route length and the
// rolling step counter.
#pragma once

#include <cstdint>

#include "core/images.h"

struct MeterValues {
    bool stepping = false;     // a step is under way
    int32_t frameCounter = 0;  // frames of the step so far
    double elapsedMs = 0;
    uint64_t stepCounter = 0;
    int64_t routeLength = 0;
};

void DrawMeters(const MeterValues& values, const GameImages& images);

// Digit i (0 = last) of a non-negative number.
int DigitOf(uint64_t number, int i);

// How far counter digit i is rolled toward its next value (0..15): the last digit while a step is
// under way, and each digit the coming carry will change.
int RollOffset(uint64_t shown, int i, bool stepping, int32_t frameCounter);
