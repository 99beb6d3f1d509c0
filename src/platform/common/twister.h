// The generator behind dxGetRand: the 32-bit Mersenne Twister, value for value the same as
// std::mt19937. It keeps its state in 32-bit words, so that the refill of a block vectorises;
// std::mt19937 keeps 64-bit words on this platform, and its refill was half the cost of a draw.
#pragma once

#include <array>
#include <cstdint>

class Twister {
public:
    explicit Twister(uint32_t seed);

    uint32_t operator()() {
        if (next_ == SIZE) Refill();
        return Temper(state_[next_++]);
    }

private:
    static constexpr int SIZE = 624;
    static constexpr int SHIFT = 397;

    void Refill();
    static uint32_t Temper(uint32_t y) {
        y ^= y >> 11;
        y ^= (y << 7) & 0x9D2C5680u;
        y ^= (y << 15) & 0xEFC60000u;
        return y ^ (y >> 18);
    }

    std::array<uint32_t, SIZE> state_;
    int next_ = SIZE;
};
