// x mod d without a division, for dxGetRand's long runs of draws with one bound.
#pragma once

#include <cstdint>

// Two multiplications by a factor kept for the last divisor (Lemire, Kaser and Kurz, "Faster
// remainder by direct computation", 2019); exact for every 32-bit x and every d >= 1.
class CachedRemainder {
public:
    uint32_t operator()(uint32_t x, uint32_t d) {
        if (d != divisor_) {
            divisor_ = d;
            factor_ = UINT64_MAX / d + 1;  // wraps to 0 for d = 1, where every remainder is 0
        }
        return HighWord(factor_ * x, d);
    }

private:
    // (low * d) >> 64 in 64-bit arithmetic; the sum cannot overflow.
    static uint32_t HighWord(uint64_t low, uint32_t d) {
        const uint64_t upper = (low >> 32) * d;
        const uint64_t lower = ((low & 0xFFFFFFFFu) * d) >> 32;
        return static_cast<uint32_t>((upper + lower) >> 32);
    }

    uint32_t divisor_ = 1;
    uint64_t factor_ = 0;
};
