#include "platform/common/twister.h"

namespace {

// The next word from the upper bit of `high`, the lower bits of `low` and the word `SHIFT` on.
uint32_t Twist(uint32_t high, uint32_t low, uint32_t shifted) {
    const uint32_t y = (high & 0x80000000u) | (low & 0x7FFFFFFFu);
    return shifted ^ (y >> 1) ^ ((0u - (y & 1u)) & 0x9908B0DFu);
}

}  // namespace

Twister::Twister(uint32_t seed) {
    state_[0] = seed;
    for (uint32_t i = 1; i < SIZE; ++i) state_[i] = 1812433253u * (state_[i - 1] ^ state_[i - 1] >> 30) + i;
}

// Three loops without a wrap inside, so that each one vectorises.
void Twister::Refill() {
    int i = 0;
    for (; i < SIZE - SHIFT; ++i) state_[i] = Twist(state_[i], state_[i + 1], state_[i + SHIFT]);
    for (; i < SIZE - 1; ++i) state_[i] = Twist(state_[i], state_[i + 1], state_[i + SHIFT - SIZE]);
    state_[SIZE - 1] = Twist(state_[SIZE - 1], state_[0], state_[SHIFT - 1]);
    next_ = 0;
}
