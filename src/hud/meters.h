// The panel at the bottom during play: elapsed time in large digits, the route length and the
// rolling step counter.
#pragma once

#include <cstdint>

#include "core/images.h"

struct MeterValues {
    int32_t moveState = 0;
    int32_t frameCounter = 0;
    double elapsedMs = 0;
    uint64_t stepCounter = 0;
    int64_t routeLength = 0;
};

void DrawMeters(const MeterValues& values, const GameImages& images);

// Digit i (0 = last) of a non-negative number.
int DigitOf(uint64_t number, int i);

// How far counter digit i is rolled toward its next value (0..15): the last digit while a step is
// under way, and each digit the coming carry will change.
int RollOffset(uint64_t shown, int i, int32_t moveState, int32_t frameCounter);
